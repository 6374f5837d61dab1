#include "host/state_file/store.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

#include "host/state_file/atomic_write.h"
#include "host/state_file/flight_log_slots.h"
#include "host/state_file/state_file_format.h"
#include "host/state_file/store_lock.h"
#include "instrument/hooks.h"

namespace {

const HookId SaveHooks[] = {HookSaveHobbs, HookSaveFlightLogEntry, HookEraseFlightLog, HookSaveSettings};
constexpr int SaveHookCount = sizeof SaveHooks / sizeof SaveHooks[0];

struct Store {
    std::string path;
    bool open = false;
    StoreControls controls;
    // The text last written, so that a save that changes nothing (power-on
    // saves settings right after erasing the log) does not write again.
    std::string written;
    bool failing = false;
    std::function<void(const std::string &)> onMessage;
    // The store's listeners of the save hooks.
    HookToken tokens[SaveHookCount] = {};
    // Held from before the file is read until the store is closed.
    StoreLock lock;
};
Store store;

void Tell(const std::string &message)
{
    fprintf(stderr, "%s\n", message.c_str());
    if (store.onMessage)
        store.onMessage(message);
}

StateFileResult WriteStore()
{
    StateFileResult result;
    std::string text = StateFileText(PresentStateFileValues(store.controls.read()));
    if (text == store.written) {
        result.ok = true;
        return result;
    }
    result.ok = WriteFileAtomically(store.path, text, &result.error);
    if (!result.ok) {
        store.failing = true;
        // The old file is untouched; the next save tries again.
        Tell("Store not saved (will retry): " + result.error);
        return result;
    }
    store.written = text;
    if (store.failing) {
        store.failing = false;
        Tell("Store saved again: " + store.path);
    }
    return result;
}

// A saved flight goes into its slot and an erase clears them all; either
// way the table is shown afresh from the slots before the file is written.
void OnSave(HookId hook)
{
    if (!store.open) // still opening
        return;
    if (hook == HookSaveFlightLogEntry) {
        SaveFlightLogSlot();
        ShowFlightLogSlots();
    } else if (hook == HookEraseFlightLog) {
        EraseFlightLogSlots();
        ShowFlightLogSlots();
    }
    WriteStore();
}

void StopListening()
{
    for (HookToken &token : store.tokens) {
        UnsubscribeHook(token);
        token = NoHookToken;
    }
}

// Listens to every save hook, or to none: false with the reason when a
// hook has no room left.
bool Listen(std::string *error)
{
    for (int i = 0; i < SaveHookCount; ++i) {
        store.tokens[i] = SubscribeHook(SaveHooks[i], OnSave);
        if (store.tokens[i] == NoHookToken) {
            StopListening();
            *error = std::string("the store cannot follow ") + HookName(SaveHooks[i]) +
                     ": that hook has no room for another listener";
            return false;
        }
    }
    return true;
}

} // namespace

StateFileResult OpenStore(const std::string &path, StoreControls controls)
{
    if (store.open)
        CloseStore();
    StateFileResult result;
    if (!store.lock.Take(path, &result.error))
        return result;
    // Holding the lock, no one else writes this store: any temporary file
    // beside it is what a killed writer left.
    RemoveLeftoverTemporaries(path);
    struct stat existing;
    bool exists = stat(path.c_str(), &existing) == 0 || errno != ENOENT;
    if (!Listen(&result.error)) {
        result.error = path + ": " + result.error;
        store.lock.Release();
        return result;
    }
    if (exists) {
        ControlValues loaded;
        result = LoadStateFile(path, &loaded);
        if (!result.ok) {
            StopListening();
            store.lock.Release();
            return result;
        }
        controls.apply(loaded);
    }
    // A new store holds no flights yet: its log starts erased, as the
    // instrument's memory does.
    if (exists) {
        FillSlotsFromTable();
    } else {
        EraseFlightLogSlots();
        ShowFlightLogSlots();
    }
    std::string text = StateFileText(PresentStateFileValues(controls.read()));
    if (!exists) {
        result.ok = WriteFileAtomically(path, text, &result.error);
        if (!result.ok) {
            StopListening();
            store.lock.Release();
            return result;
        }
    }
    store.path = path;
    store.open = true;
    store.controls = std::move(controls);
    store.written = text;
    store.failing = false;
    return result;
}

StateFileResult CloseStore()
{
    if (!store.open)
        return {true, "", {}};
    StateFileResult result = WriteStore();
    StopListening();
    store.lock.Release();
    store.open = false;
    store.controls = {};
    return result;
}

bool StoreIsOpen() { return store.open; }

void SetStoreMessageHandler(std::function<void(const std::string &message)> handler)
{
    store.onMessage = std::move(handler);
}
