// The files a script names besides itself, read before it runs: the state
// files of its load-state commands and the recordings of its feed commands,
// relative to its folder.
#pragma once
#include <ostream>

#include "host/feed/feed_player.h"
#include "host/run/script.h"

// The recording a feed command asks for, its file relative to the script.
FeedRequest ScriptFeed(const Script &script, const Command &feed);

// Reads and checks the state file of every load-state command of the script
// (relative to its folder), keeping the values for the run, and the
// recording of every feed command. Problems and warnings are written to err
// as "script:line: ..."; false when a file is missing or invalid.
bool ReadScriptStateFiles(Script &script, std::ostream &err);
