// The store, only when asked for: one state file that keeps the Hobbs meter,
// the maintenance countdown, the access code and the flight log between
// runs. It is written whenever the instrument saves (SaveHobbs,
// SaveFlightLogEntry, EraseFlightLog, SaveSettings) and when it is closed;
// with it, saved flights reach the flight log table.
#pragma once
#include <functional>
#include <string>

#include "host/state_file/state_file.h"

// What the store asks of whoever opens it (the window, the runner, a test):
// the controls a state file keeps are theirs.
struct StoreControls {
    // The controls' values as they are, written with every save.
    std::function<ControlValues()> read;
    // Sets the controls an existing store file gives, as it opens.
    std::function<void(const ControlValues &values)> apply;
};

// Starts from the file at path, or creates it from the present state with an
// erased flight log when it does not exist yet, and listens to the four save
// hooks. First it locks path + ".lock" (store_lock.h): a store another
// process has open is refused, naming that process, before anything is
// read. Then it removes the temporary files a killed writer of path left. A
// file that cannot be read or is invalid is left untouched and nothing is
// applied; so it is when a save hook has no room for another listener. The
// store then stays closed and unlocked. Whatever controls reads and applies
// must outlive the store.
StateFileResult OpenStore(const std::string &path, StoreControls controls);

// Writes the store a last time, stops listening to the hooks and lets go of
// the lock.
StateFileResult CloseStore();

bool StoreIsOpen();

// Receives every message about the store while it runs: a write that failed
// (the old file is kept and the next save tries again) and the first write
// that succeeds after one failed. Each is also printed on the standard error.
void SetStoreMessageHandler(std::function<void(const std::string &message)> handler);
