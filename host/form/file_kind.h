// What kind of file the user opened, told by its content rather than its
// name: a state file is TOML, an engine recording is CSV. The window's
// Ctrl+O, a file dropped onto it and the page's buttons all go by this.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum class FileKind : uint8_t {
    StateFile, // TOML: its first line of content is a table or a key = value
    Recording, // CSV: a flight-data log's first line, or a row of fields
    Neither,   // empty, or binary
};

// How much of a file's beginning decides its kind.
constexpr size_t FileKindHeadBytes = 4096;

// The kind the beginning of a file says. Blank lines and "#" comments are
// passed over (a flight-data log's "#airframe_info" first line excepted),
// as are a byte-order mark and CR line ends; a file of comments alone is
// TOML.
FileKind SniffFileKind(std::string_view head);

// Reads the beginning of path and sniffs it; false with *error
// ("path: why") when it is not a regular file, cannot be read, or is
// neither kind.
bool ReadFileKind(const std::string &path, FileKind *kind, std::string *error);
