#include "host/form/file_kind.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A character of a TOML bare key.
bool IsKeyCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

// A TOML key: bare keys, quoted keys and dots between them, with blanks
// around. Returns where it ends in line (npos when it is not one).
size_t KeyEnd(std::string_view line, size_t from)
{
    size_t i = from;
    bool any = false;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '"' || c == '\'') {
            const size_t close = line.find(c, i + 1);
            if (close == std::string_view::npos)
                return std::string_view::npos;
            i = close + 1;
            any = true;
        } else if (IsKeyCharacter(c)) {
            ++i;
            any = true;
        } else if (c == '.' || IsBlank(c)) {
            ++i;
        } else {
            break;
        }
    }
    return any ? i : std::string_view::npos;
}

// "[controls]", "[[flightLog]]", "hobbsHours = 12", "a.b = 1".
bool IsTomlLine(std::string_view line)
{
    if (line[0] == '[') {
        // As many brackets close the name as opened it; a comment may follow.
        const size_t open = line.find_first_not_of('[');
        const size_t end = KeyEnd(line, open);
        if (open > 2 || end == std::string_view::npos ||
            line.substr(end, open) != std::string_view("]]", open))
            return false;
        const size_t after = line.find_first_not_of(" \t", end + open);
        return after == std::string_view::npos || line[after] == '#';
    }
    const size_t end = KeyEnd(line, 0);
    return end != std::string_view::npos && end < line.size() && line[end] == '=';
}

} // namespace

FileKind SniffFileKind(std::string_view head)
{
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (head.substr(0, ByteOrderMark.size()) == ByteOrderMark)
        head.remove_prefix(ByteOrderMark.size());
    if (head.find('\0') != std::string_view::npos)
        return FileKind::Neither;
    if (head.substr(0, 14) == "#airframe_info")
        return FileKind::Recording;
    bool comments = false;
    while (!head.empty()) {
        const size_t end = head.find('\n');
        std::string_view line = head.substr(0, end);
        head.remove_prefix(end == std::string_view::npos ? head.size() : end + 1);
        while (!line.empty() && (IsBlank(line.front()) || line.front() == '\r'))
            line.remove_prefix(1);
        while (!line.empty() && (IsBlank(line.back()) || line.back() == '\r'))
            line.remove_suffix(1);
        if (line.empty())
            continue;
        if (line[0] == '#') {
            comments = true;
            continue;
        }
        return IsTomlLine(line) ? FileKind::StateFile : FileKind::Recording;
    }
    return comments ? FileKind::StateFile : FileKind::Neither;
}

bool ReadFileKind(const std::string &path, FileKind *kind, std::string *error)
{
    // Looked at before opening: opening a named pipe would wait for a writer.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        *error = path + ": " + strerror(errno);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        *error = path + ": is a folder, not a file";
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = path + ": is a device, a pipe or a socket, not a file";
        return false;
    }
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0) {
        *error = path + ": " + strerror(errno);
        return false;
    }
    char head[FileKindHeadBytes];
    const ssize_t size = read(file, head, sizeof head);
    const int code = errno;
    close(file);
    if (size < 0) {
        *error = path + ": cannot read: " + strerror(code);
        return false;
    }
    *kind = SniffFileKind(std::string_view(head, (size_t)size));
    if (*kind == FileKind::Neither) {
        *error = path + ": " + (memchr(head, 0, (size_t)size) ? "holds binary data" : "is empty") +
                 ": neither a state file (TOML) nor an engine recording (CSV)";
        return false;
    }
    return true;
}
