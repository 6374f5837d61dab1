// The results of a run as one JSON document, for tools of one's own:
// {"passed": N, "failed": M, "seconds": S, "scripts": [{"file", "status"
// ("ran", "refused", "stopped" or "not run"), "seconds", "passed", "failed",
// "errors": [...], "checks": [{"line", "kind", "expected", "found",
// "passed", "pictures": [{"shows", "path"}]}]}]}.
#pragma once
#include <string>
#include <vector>

#include "host/run/run_results.h"

std::string JsonReport(const std::vector<ScriptResult> &scripts, double seconds);

// Writes JsonReport to path (replacing it whole); false with a message
// naming the path and the reason.
bool WriteJsonReport(const std::string &path, const std::vector<ScriptResult> &scripts, double seconds,
                     std::string &error);
