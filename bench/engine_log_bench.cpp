#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/feed/engine_log.h"

// Reading long recordings from a file, as --feed does: a four-hour
// flight-data log of one row a second, and an hour at 50 rows a second in
// a mapped CSV, both with 73 columns. Each must be read in under half a
// second and hold under 20 MB. Counters: the text's size, the heap the log
// holds once read (and the piece of text the reader held meanwhile is
// freed), and how far the process's peak memory grew while reading.

namespace {

constexpr int Columns = 73;

// A file in the temporary folder, written a row at a time so that the
// text is never in memory, and removed when the benchmark ends.
struct TempFile {
    std::string path;
    long bytes = 0;
    explicit TempFile(void (*write)(FILE *, int), int rows)
    {
        char name[] = "/tmp/qpx-bench-XXXXXX";
        const int fd = mkstemp(name);
        path = name;
        FILE *file = fdopen(fd, "w");
        write(file, rows);
        bytes = ftell(file);
        fclose(file);
    }
    ~TempFile() { unlink(path.c_str()); }
};

// Filler cells as avionics write them: numbers, blanks, text.
std::string Filler(int row, int first)
{
    static const char *const cells[] = {"  350.5", "       ", "  GPS  ", " 1480.9", "  -0.02", "NoSoln "};
    std::string text;
    for (int c = first; c < Columns; ++c)
        text += std::string(", ") + cells[(row + c) % 6];
    return text;
}

void FlightDataLog(FILE *file, int rows)
{
    std::string text =
        "#airframe_info, log_version=\"1.00\", airframe_name=\"Bench\", \n#yyy-mm-dd, hh:mm:ss, Hg, rpm";
    for (int c = 4; c < Columns; ++c)
        text += ", deg F";
    text += "\n  Lcl Date, Lcl Time, E1 MAP, E1 RPM";
    for (int c = 4; c < Columns; ++c)
        text += ", Col" + std::to_string(c);
    fputs((text + "\n").c_str(), file);
    char cells[96];
    for (int row = 0; row < rows; ++row) {
        const int second = 12 * 3600 + row;
        snprintf(cells, sizeof cells, "2026-03-11, %02d:%02d:%02d, %6.2f, %6.1f", second / 3600,
                 second / 60 % 60, second % 60, 25 + 4 * std::sin(row / 300.0),
                 2400 + 300 * std::sin(row / 500.0));
        fputs((cells + Filler(row, 4) + " \n").c_str(), file);
    }
}

void FiftyHertzLog(FILE *file, int rows)
{
    std::string text = "Time,MAP,RPM";
    for (int c = 3; c < Columns; ++c)
        text += ",Col" + std::to_string(c);
    fputs((text + "\n").c_str(), file);
    char cells[64];
    for (int row = 0; row < rows; ++row) {
        const double seconds = row / 50.0;
        snprintf(cells, sizeof cells, "%02d:%02d:%06.3f, %5.2f, %6.1f", (int)seconds / 3600,
                 (int)seconds / 60 % 60, std::fmod(seconds, 60), 25 + 4 * std::sin(row / 900.0),
                 2400 + 300 * std::sin(row / 1500.0));
        fputs((cells + Filler(row, 3) + "\n").c_str(), file);
    }
}

long PeakRssKb()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void ReadLog(benchmark::State &run, void (*write)(FILE *, int), int rows, const EngineLogOptions &options)
{
    const TempFile file(write, rows);
    double heldBytes = 0;
    const long peakBefore = PeakRssKb();
    for (auto _ : run) {
        const size_t heapBefore = mallinfo2().uordblks;
        EngineLog log;
        std::string error;
        if (!ReadEngineLog(file.path, &log, &error, options) || log.samples.size() != (size_t)rows) {
            run.SkipWithError(error.empty() ? "a row went missing" : error.c_str());
            return;
        }
        heldBytes = (double)(mallinfo2().uordblks - heapBefore);
        benchmark::DoNotOptimize(log);
    }
    run.counters["file_MB"] = (double)file.bytes / 1e6;
    run.counters["held_MB"] = heldBytes / 1e6;
    run.counters["peak_growth_MB"] = (double)(PeakRssKb() - peakBefore) / 1e3;
    run.counters["rows"] = (double)rows;
}

} // namespace

static void BM_ReadFlightDataLogFourHours(benchmark::State &run)
{
    ReadLog(run, FlightDataLog, 4 * 3600, {});
}
BENCHMARK(BM_ReadFlightDataLogFourHours)->Unit(benchmark::kMillisecond);

static void BM_ReadMappedLogHourAtFiftyHertz(benchmark::State &run)
{
    ReadLog(run, FiftyHertzLog, 3600 * 50, {1, "time=Time,mp_inhg=MAP,rpm=RPM"});
}
BENCHMARK(BM_ReadMappedLogHourAtFiftyHertz)->Unit(benchmark::kMillisecond);
