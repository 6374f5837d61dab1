// qpx-run --serve: the headless instrument driven one line at a time. Each
// line of in (serve_line.h) gets one line of JSON on out (serve_answers.h),
// flushed at once, so that a program waiting for it can go on. Commands
// are taken as in a script (inputs settle, waits advance the virtual
// clock, checks answer with the message a script's report gives); queries
// answer at once without a pass. Bad input answers an error and the
// session goes on; quit or the end of in ends it. Relative paths are
// relative to the working folder, but for the failed frames of expect-frame,
// which go to options.outDir/serve.
#pragma once
#include <istream>
#include <ostream>

#include "host/run/runner.h"

void Serve(std::istream &in, std::ostream &out, const RunOptions &options);
