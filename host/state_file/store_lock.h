// Keeps two programs from using one store at once: each would rename its own
// file over the other's and undo its engine time. The lock is an advisory
// fcntl lock on the file NAME.lock beside the store NAME, which holds the
// holder's process id as text. The kernel drops the lock when its holder
// ends, however it ends, so a lock file left by a killed program never
// blocks: the next one takes it and writes its own id.
#pragma once
#include <string>
#include <sys/types.h>

class StoreLock {
  public:
    StoreLock() = default;
    StoreLock(const StoreLock &) = delete;
    StoreLock &operator=(const StoreLock &) = delete;
    ~StoreLock() { Release(); }

    // Locks storePath's lock file, creating it when needed. False with
    // *error when another process holds it ("STORE: in use by process N
    // ...") or it cannot be made.
    bool Take(const std::string &storePath, std::string *error);
    // Removes the lock file and lets go of the lock.
    void Release();
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
    pid_t owner_ = 0; // a forked child shares fd_ but not the lock
    std::string path_;
};
