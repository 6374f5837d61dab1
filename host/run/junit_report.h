// The results of a run as JUnit XML, as CI systems show test results: one
// test suite for the run, one test case per script (its path as given, its
// wall time). A script with failed checks has one failure whose message is
// the first failed check's report line and whose text lists them all, with
// the pictures of failed frames; a script refused before running, or one
// that stopped the run, has an error; a script not run is skipped.
#pragma once
#include <string>
#include <vector>

#include "host/run/run_results.h"

std::string JunitReport(const std::vector<ScriptResult> &scripts, double seconds);

// Writes JunitReport to path (replacing it whole); false with a message
// naming the path and the reason.
bool WriteJunitReport(const std::string &path, const std::vector<ScriptResult> &scripts, double seconds,
                      std::string &error);
