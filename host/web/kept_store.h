// The store kept in the browser while "Keep engine time in this browser" is
// ticked: a timer looks at the box and at the store's file once a second.
// Ticked, the store opens at its file, from the copy the browser kept when
// there is one, as the desktop opens --store; every file the store has
// written since is handed to the browser whole. Unticked, the store is
// written a last time, closed, and the browser's copy is forgotten. A state
// file loaded meanwhile is kept at once.
#pragma once
#include <sys/stat.h>

#include <string>

#include "host/toolkit.h"

class TForm1;

class KeptStore {
  public:
    KeptStore(TForm1 &form, std::string path);
    ~KeptStore();
    KeptStore(const KeptStore &) = delete;
    KeptStore &operator=(const KeptStore &) = delete;

  private:
    void Look();
    // Hands the store's file to the browser when it changed since last time.
    void KeepIfWritten();
    TForm1 &form_;
    std::string path_;
    struct timespec keptTime_ {};
    ino_t keptFile_ = 0;
    TTimer timer_;
};
