#include "host/state_file/atomic_write.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

static BeforeRenameHook beforeRename = nullptr;

void SetBeforeRenameHook(BeforeRenameHook hook) { beforeRename = hook; }

static std::string FolderOf(const std::string &path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

static bool Fail(std::string *error, const std::string &path, const char *what, int code)
{
    if (error)
        *error = path + ": " + what + ": " + strerror(code);
    return false;
}

static bool WriteAll(int fd, const std::string &text)
{
    const char *p = text.data();
    size_t left = text.size();
    while (left > 0) {
        ssize_t n = write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= (size_t)n;
    }
    return true;
}

static mode_t NewFileMode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool WriteFileAtomically(const std::string &path, const std::string &text, std::string *error)
{
    // mkstemp makes a name of its own in the target's folder, so that the
    // rename stays within one file system and no other file is touched.
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0)
        return Fail(error, path, "cannot create a temporary file", errno);
    std::string temporary(name.data());

    struct stat old;
    mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
    int code = 0;
    const char *what = nullptr;
    if (fchmod(fd, mode) != 0) {
        code = errno;
        what = "cannot set the permissions of the temporary file";
    } else if (!WriteAll(fd, text)) {
        code = errno;
        what = "cannot write";
    } else if (fsync(fd) != 0) {
        code = errno;
        what = "cannot flush to the disk";
    }
    if (close(fd) != 0 && !what) {
        code = errno;
        what = "cannot write";
    }
    if (!what && beforeRename && !beforeRename(temporary)) {
        code = EIO;
        what = "interrupted before the rename";
    }
    if (!what && rename(temporary.c_str(), path.c_str()) != 0) {
        code = errno;
        what = "cannot replace the file";
    }
    if (what) {
        unlink(temporary.c_str());
        return Fail(error, path, what, code);
    }
    // Make the rename itself durable; the file is complete either way.
    int folder = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}
