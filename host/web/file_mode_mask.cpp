// emscripten starts its programs with a file-mode mask that takes away every
// permission (0777), where a desktop session has 022: a state file written
// with the mask's permissions would be mode 0000, which neither the page
// (reading it back to offer it as a download) nor, under Node on the real
// file system, the user can read. Every program of the WebAssembly build
// starts with the usual mask instead.
#include <sys/stat.h>

namespace {

struct UsualFileModeMask {
    UsualFileModeMask() { umask(022); }
} usualFileModeMask;

} // namespace
