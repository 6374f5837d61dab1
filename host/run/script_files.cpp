#include "host/run/script_files.h"

#include <memory>
#include <string>

#include "host/state_file/state_file.h"

FeedRequest ScriptFeed(const Script &script, const Command &feed)
{
    return {ScriptPath(script, feed.path).string(), feed.feedOptions, feed.feedFromMs};
}

bool ReadScriptStateFiles(Script &script, std::ostream &err)
{
    bool ok = true;
    for (Command &command : script.commands) {
        if (command.kind == CommandKind::Feed) {
            auto log = std::make_shared<EngineLog>();
            std::string error;
            if (ReadFeedRequest(ScriptFeed(script, command), log.get(), &error))
                command.feed = log;
            else {
                err << script.file << ":" << command.line << ": " << error << "\n";
                ok = false;
            }
            continue;
        }
        if (command.kind != CommandKind::LoadState)
            continue;
        auto values = std::make_shared<StateFileValues>();
        std::string where = script.file + ":" + std::to_string(command.line);
        if (ReportStateFileResult(ReadStateFile(ScriptPath(script, command.path).string(), values.get()),
                                  where.c_str(), err))
            command.state = values;
        else
            ok = false;
    }
    return ok;
}
