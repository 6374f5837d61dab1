#include "host/state_file/atomic_write.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <dirent.h>
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

static std::string NameOf(const std::string &path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The temporary files of path are ".NAME.tmp-" and six characters of
// mkstemp's making, hidden beside it: a name no one else would choose, so
// that RemoveLeftoverTemporaries can tell them from anything else there.
static std::string TemporaryPrefix(const std::string &path) { return "." + NameOf(path) + ".tmp-"; }
constexpr size_t UniqueLength = 6;

static bool IsTemporaryOf(const std::string &entry, const std::string &prefix)
{
    if (entry.size() != prefix.size() + UniqueLength || entry.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (size_t i = prefix.size(); i < entry.size(); ++i)
        if (!isalnum((unsigned char)entry[i]))
            return false;
    return true;
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
    std::string folder = FolderOf(path);
    std::string pattern = folder + "/" + TemporaryPrefix(path) + std::string(UniqueLength, 'X');
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
    int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
}

int RemoveLeftoverTemporaries(const std::string &path)
{
    std::string folder = FolderOf(path), prefix = TemporaryPrefix(path);
    DIR *listing = opendir(folder.c_str());
    if (!listing)
        return 0;
    int removed = 0;
    while (const dirent *entry = readdir(listing)) {
        if (!IsTemporaryOf(entry->d_name, prefix))
            continue;
        // Only plain files of this user: never a link, a folder or another
        // user's file that happens to match.
        struct stat info;
        if (fstatat(dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || info.st_uid != geteuid())
            continue;
        if (unlinkat(dirfd(listing), entry->d_name, 0) == 0)
            ++removed;
    }
    closedir(listing);
    return removed;
}
