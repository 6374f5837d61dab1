// ReadEngineLog: a recording from a file, read in pieces and handed to the
// reader a line at a time, so that memory holds its samples and one piece
// of its text. Only a regular file is read: a folder, a device, a pipe or a
// socket is refused by what it is, before it is opened, and the opening
// never waits (a pipe swapped in meanwhile is found by its descriptor).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host/feed/engine_log.h"
#include "host/feed/engine_log_reader.h"

namespace {

constexpr size_t PieceBytes = 1u << 20;

// What a file that is not a regular one is, or nullptr for a regular file.
const char *NotARegularFile(mode_t mode)
{
    if (S_ISREG(mode))
        return nullptr;
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISFIFO(mode))
        return "a named pipe";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

// Closes the descriptor however the reading ends.
struct OpenFile {
    int fd;
    ~OpenFile()
    {
        if (fd >= 0)
            close(fd);
    }
};

} // namespace

bool ReadEngineLog(const std::string &path, EngineLog *log, std::string *error,
                   const EngineLogOptions &options)
{
    auto refuse = [&](const std::string &why) {
        *error = path + ": " + why;
        return false;
    };
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return refuse(std::string("cannot read: ") + strerror(errno));
    if (const char *what = NotARegularFile(status.st_mode))
        return refuse(std::string(what) + ", not a recording");
    const OpenFile file{open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return refuse(std::string("cannot read: ") + strerror(errno));
    if (fstat(file.fd, &status) != 0)
        return refuse(std::string("cannot read: ") + strerror(errno));
    if (const char *what = NotARegularFile(status.st_mode))
        return refuse(std::string(what) + ", not a recording");

    EngineLogReader reader(path, options);
    if ((uint64_t)status.st_size > MaxEngineLogBytes)
        reader.Fail("larger than " + std::to_string(MaxEngineLogBytes >> 20) +
                    " MB: not an engine recording");
    // A line's start stays in the piece until its end is read; a piece holds
    // at most one line that long.
    std::string piece(PieceBytes + MaxEngineLogLine + 1, '\0');
    size_t kept = 0;
    uint64_t total = 0;
    bool reading = true;
    while (reading) {
        const ssize_t got = read(file.fd, &piece[kept], piece.size() - kept);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            reader.Fail(std::string("cannot read: ") + strerror(errno));
            break;
        }
        total += (uint64_t)got;
        if (total > MaxEngineLogBytes) {
            reader.Fail("larger than " + std::to_string(MaxEngineLogBytes >> 20) +
                        " MB: not an engine recording");
            break;
        }
        const size_t end = kept + (size_t)got;
        const std::string_view text(piece.data(), end);
        size_t start = 0;
        for (size_t newline; (newline = text.find('\n', start)) != std::string_view::npos;
             start = newline + 1)
            if (!reader.Line(text.substr(start, newline - start))) {
                reading = false;
                break;
            }
        if (!reading)
            break;
        if (got == 0) {
            if (start < end)
                reader.Line(text.substr(start));
            break;
        }
        // A line without its end yet that is already too long is refused now.
        if (end - start > MaxEngineLogLine && !reader.Line(text.substr(start)))
            break;
        std::memmove(piece.data(), piece.data() + start, end - start);
        kept = end - start;
    }
    if (!reader.Finish(log)) {
        *error = reader.Error();
        return false;
    }
    return true;
}
