#include <benchmark/benchmark.h>

#include <sstream>
#include <streambuf>
#include <string>

#include "host/run/serve.h"

namespace {

// The input of a session: the setup lines, then the measured line once for
// each round the benchmark asks for, then the end. Each line is handed over
// only when the session reads it, after it answered the one before: the
// time of a round is one line read, taken and answered.
class Lines : public std::streambuf {
  public:
    Lines(benchmark::State &run, std::string setup, std::string line)
        : run_(run), text_(std::move(setup)), line_(std::move(line) + "\n")
    {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

  protected:
    int_type underflow() override
    {
        if (!run_.KeepRunning())
            return traits_type::eof();
        text_ = line_;
        setg(text_.data(), text_.data(), text_.data() + text_.size());
        return traits_type::to_int_type(text_[0]);
    }

  private:
    benchmark::State &run_;
    std::string text_, line_;
};

// Counts what the session answers, and throws it away.
class Answers : public std::streambuf {
  public:
    size_t lines = 0;

  protected:
    int_type overflow(int_type c) override
    {
        lines += c == '\n';
        return c;
    }
    std::streamsize xsputn(const char *s, std::streamsize n) override
    {
        for (std::streamsize i = 0; i < n; ++i)
            lines += s[i] == '\n';
        return n;
    }
};

// One line of the protocol on the running instrument, the engine turning.
void BM_ServeRoundTrip(benchmark::State &run, const char *line)
{
    Lines in(run, "on\npressure 1500\nrpm 120\nwait 4s\n", line);
    Answers out;
    std::istream input(&in);
    std::ostream output(&out);
    Serve(input, output, RunOptions{});
    if (out.lines != (size_t)run.iterations() + 4)
        run.SkipWithError("a line went unanswered");
    run.counters["lines"] = benchmark::Counter((double)run.iterations(), benchmark::Counter::kIsRate);
}

} // namespace

// A query answers at once; a check looks at the last pass; a wait of one
// pass runs the instrument's cycle once; a key takes the input and settles
// over two passes.
BENCHMARK_CAPTURE(BM_ServeRoundTrip, get, "get pressureMillibar");
BENCHMARK_CAPTURE(BM_ServeRoundTrip, expect, "expect rpmValue 2400");
BENCHMARK_CAPTURE(BM_ServeRoundTrip, texts, "texts");
BENCHMARK_CAPTURE(BM_ServeRoundTrip, frame, "frame");
BENCHMARK_CAPTURE(BM_ServeRoundTrip, state, "state");
BENCHMARK_CAPTURE(BM_ServeRoundTrip, wait_one_pass, "wait 100ms");
BENCHMARK_CAPTURE(BM_ServeRoundTrip, press_knob, "press knob");
BENCHMARK_CAPTURE(BM_ServeRoundTrip, turn_cw, "turn cw");
