#include "host/state_file/store_lock.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct flock WholeFile(short type)
{
    struct flock whole {};
    whole.l_type = type;
    whole.l_whence = SEEK_SET;
    return whole; // l_start 0 and l_len 0: the whole file, however long
}

// The process holding the lock on fd's file: as the kernel tells, or else
// (a holder in another pid namespace shows as 0) as the file says; 0 when
// neither knows.
long Holder(int fd)
{
    struct flock probe = WholeFile(F_WRLCK);
    if (fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK && probe.l_pid > 0)
        return probe.l_pid;
    char text[32] = {};
    ssize_t n = pread(fd, text, sizeof text - 1, 0);
    long pid = n > 0 ? strtol(text, nullptr, 10) : 0;
    return pid > 0 ? pid : 0;
}

bool SameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

bool StoreLock::Take(const std::string &storePath, std::string *error)
{
    Release();
    const std::string lockPath = storePath + ".lock";
    // A holder that lets go removes the file first: whoever opened it just
    // before then locks a file that no longer has the name, and tries again
    // with the one that has it now.
    for (int attempt = 0; attempt < 100; ++attempt) {
        int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            *error = lockPath + ": cannot create the store's lock file: " + strerror(errno);
            return false;
        }
        struct flock whole = WholeFile(F_WRLCK);
        if (fcntl(fd, F_SETLK, &whole) != 0) {
            int code = errno;
            long holder = code == EACCES || code == EAGAIN ? Holder(fd) : -1;
            close(fd);
            if (holder < 0)
                *error = lockPath + ": cannot lock the store: " + strerror(code);
            else
                *error = storePath + ": the store is in use by " +
                         (holder > 0 ? "process " + std::to_string(holder) : std::string("another process")) +
                         " (it holds " + lockPath + "); close that program first";
            return false;
        }
        struct stat held, named;
        if (fstat(fd, &held) != 0 || stat(lockPath.c_str(), &named) != 0 || !SameFile(held, named)) {
            close(fd);
            continue;
        }
        // The id is for people and for a holder the kernel cannot name; the
        // lock itself does the work, so a failure to write it is no failure.
        std::string pid = std::to_string(getpid()) + "\n";
        if (ftruncate(fd, 0) == 0)
            (void)!pwrite(fd, pid.data(), pid.size(), 0);
        fd_ = fd;
        owner_ = getpid();
        path_ = lockPath;
        return true;
    }
    *error = lockPath + ": cannot lock the store: the lock file keeps being replaced";
    return false;
}

void StoreLock::Release()
{
    if (fd_ < 0)
        return;
    // Removed while still locked, so that no one takes the lock on a file
    // that is about to lose its name.
    if (getpid() == owner_)
        unlink(path_.c_str());
    close(fd_);
    fd_ = -1;
}
