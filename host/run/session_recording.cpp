#include "host/run/session_recording.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

SessionRecording::~SessionRecording()
{
    std::string ignored;
    Close(ignored);
}

bool SessionRecording::Open(const std::string &path, std::string &error)
{
    file_ = fopen(path.c_str(), "w");
    if (!file_) {
        error = "cannot write " + path + ": " + strerror(errno);
        return false;
    }
    path_ = path;
    Line("# Recorded in the simulator window; replay with qpx-run.");
    return true;
}

// A command naming a file by its absolute path, so that the replay finds
// it from wherever the script is kept.
static Command FileCommand(CommandKind kind, const std::string &path)
{
    std::error_code ignored;
    std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    Command command{};
    command.kind = kind;
    command.path = absolute.empty() ? std::filesystem::path(path) : absolute;
    return command;
}

void SessionRecording::StartsFromStateFile(const std::string &path)
{
    Line(CommandText(FileCommand(CommandKind::LoadState, path)));
}

// The feed command for a recording.
static Command FeedCommand(const std::string &path, const EngineLogOptions &options, int64_t fromMs)
{
    Command command = FileCommand(CommandKind::Feed, path);
    command.feedOptions = options;
    command.feedFromMs = fromMs;
    return command;
}

void SessionRecording::StartsWithFeed(const std::string &path, const EngineLogOptions &options,
                                      int64_t fromMs)
{
    Line(CommandText(FeedCommand(path, options, fromMs)));
}

void SessionRecording::FeedStarted(const std::string &path, const EngineLogOptions &options, int64_t fromMs,
                                   int64_t clockMs)
{
    FlushTurn();
    WaitUntil(clockMs);
    Line(CommandText(FeedCommand(path, options, fromMs)));
}

void SessionRecording::StartsFromStore(const std::string &path)
{
    Line("# Recorded from the store " + path + "; the replay starts without it: add a load-state line");
    Line("# with a copy of the store as it was, to start from the same engine time.");
}

void SessionRecording::Setting(const Command &setting) { Line(CommandText(setting)); }

void SessionRecording::Input(const Command &input, int64_t clockMs)
{
    bool turn = input.kind == CommandKind::Click &&
                (input.control == Control::Clockwise || input.control == Control::AntiClockwise);
    if (turn && turnPending_ && turn_.control == input.control && clockMs == lastMs_) {
        turn_.count += input.count;
        return;
    }
    FlushTurn();
    WaitUntil(clockMs);
    if (turn) {
        turn_ = input;
        turnPending_ = true;
    } else {
        Line(CommandText(input));
    }
}

void SessionRecording::ScreenIs(ScreenHandler screen, int64_t clockMs)
{
    if (screen == screen_)
        return;
    screen_ = screen;
    FlushTurn();
    WaitUntil(clockMs);
    Line(std::string("expect screen ") + ScreenName(screen));
}

bool SessionRecording::Close(std::string &error)
{
    if (!file_)
        return true;
    FlushTurn();
    bool failed = ferror(file_) != 0;
    failed |= fclose(file_) != 0;
    file_ = nullptr;
    if (failed)
        error = "cannot write " + path_ + ": " + strerror(errno);
    return !failed;
}

// Waits are whole milliseconds of the window's clock.
void SessionRecording::WaitUntil(int64_t clockMs)
{
    if (clockMs <= lastMs_)
        return;
    Line("wait " + DurationText(clockMs - lastMs_));
    lastMs_ = clockMs;
}

void SessionRecording::FlushTurn()
{
    if (!turnPending_)
        return;
    Line(CommandText(turn_));
    turnPending_ = false;
}

// Each line reaches the file at once, so that a session ended abruptly
// still replays up to there.
void SessionRecording::Line(const std::string &text)
{
    if (!file_)
        return;
    fputs(text.c_str(), file_);
    fputc('\n', file_);
    fflush(file_);
}
