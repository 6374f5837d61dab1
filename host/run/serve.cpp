#include "host/run/serve.h"

#include <sstream>
#include <string>

#include "host/form/form_state_files.h"
#include "host/run/serve_answers.h"
#include "host/run/serve_line.h"

namespace {

// Reads the next line into line, keeping at most MaxServeLine + 1 bytes of
// it (enough to refuse it) and skipping the rest; false at the end of in.
bool ReadLine(std::streambuf &in, std::string &line)
{
    line.clear();
    for (int c = in.sbumpc();; c = in.sbumpc()) {
        if (c == std::char_traits<char>::eof())
            return !line.empty();
        if (c == '\n')
            return true;
        if (line.size() <= MaxServeLine)
            line += (char)c;
    }
}

class Session : public CommandSource {
  public:
    Session(std::istream &in, std::ostream &out) : in_(*in.rdbuf()), out_(out)
    {
        script_.file = ServeScriptName;
    }

    const Script &Commands() const { return script_; }
    std::ostream &Report() { return report_; }

    // The previous command is over: its answer goes out, then lines are read
    // and answered until one is a command to run.
    bool Next(RunOutcome &outcome, const TForm1 &form) override
    {
        if (pending_)
            Answer(CommandAnswer(outcome));
        pending_ = false;
        script_.commands.clear();
        std::string line;
        while (ReadLine(in_, line)) {
            const ServeRequest request = ReadServeLine(line, ++number_);
            if (request.kind == ServeKind::Quit) {
                Answer(OkAnswer());
                return false;
            }
            if (request.kind != ServeKind::Command) {
                Answer(QueryAnswer(request, form));
                continue;
            }
            Command command = request.command;
            // The window saves where it is told: relative to the working folder.
            if (command.kind == CommandKind::Save && command.path.is_relative())
                command.path = std::filesystem::absolute(command.path);
            script_.commands.push_back(std::move(command));
            pending_ = true;
            return true;
        }
        return false;
    }

  private:
    void Answer(const std::string &json) { out_ << json << '\n' << std::flush; }

    // What the command came to: an output that could not be written or a
    // file that could not be read, a failed check, or done.
    std::string CommandAnswer(RunOutcome &outcome)
    {
        const std::string place = std::string(ServeScriptName) + ":" + std::to_string(number_) + ": ";
        std::string error;
        if (!outcome.outputError.empty()) {
            error = outcome.outputError;
            outcome.outputError.clear();
        } else if (outcome.failed > failed_) {
            std::string line;
            for (std::istringstream lines(report_.str()); std::getline(lines, line);)
                error = line;
        }
        failed_ = outcome.failed;
        report_.str("");
        if (error.empty())
            return OkAnswer();
        if (error.rfind(place, 0) == 0)
            error.erase(0, place.size());
        return ErrorAnswer(error);
    }

    std::string QueryAnswer(const ServeRequest &request, const TForm1 &form)
    {
        switch (request.kind) {
        case ServeKind::Get:
            return FieldAnswer(*request.field, request.index, request.whole);
        case ServeKind::State:
            return StateAnswer();
        case ServeKind::Texts:
            return TextsAnswer();
        case ServeKind::Frame:
            return FrameAnswer();
        case ServeKind::SaveState: {
            StateFileResult result = SaveStateFile(request.path, form);
            return result.ok ? OkAnswer() : ErrorAnswer(result.error);
        }
        case ServeKind::Refused:
            return ErrorAnswer(request.error);
        default:
            return OkAnswer();
        }
    }

    std::streambuf &in_;
    std::ostream &out_;
    Script script_;
    std::ostringstream report_;
    int number_ = 0;       // lines read
    int failed_ = 0;       // checks failed so far
    bool pending_ = false; // a command runs: its answer is owed
};

} // namespace

void Serve(std::istream &in, std::ostream &out, const RunOptions &options)
{
    Session session(in, out);
    RunScript(session.Commands(), options, session.Report(), &session);
}
