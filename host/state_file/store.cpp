#include "host/state_file/store.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

#include "host/state_file/atomic_write.h"
#include "host/state_file/flight_log_slots.h"
#include "host/state_file/state_file_format.h"
#include "instrument/hooks.h"

namespace {

const HookId SaveHooks[] = {HookSaveHobbs, HookSaveFlightLogEntry, HookEraseFlightLog, HookSaveSettings};

struct Store {
    std::string path;
    TForm1 *form = nullptr;
    // The text last written, so that a save that changes nothing (power-on
    // saves settings right after erasing the log) does not write again.
    std::string written;
    bool failing = false;
    std::function<void(const std::string &)> onMessage;
    // Whoever had the hooks before the store: still called, and handed the
    // hooks back when it closes.
    HookHandler earlier[HookCount] = {};
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
    std::string text = StateFileText(*store.form);
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
    if (hook == HookSaveFlightLogEntry) {
        SaveFlightLogSlot();
        ShowFlightLogSlots();
    } else if (hook == HookEraseFlightLog) {
        EraseFlightLogSlots();
        ShowFlightLogSlots();
    }
    WriteStore();
    if (store.earlier[hook])
        store.earlier[hook](hook);
}

} // namespace

StateFileResult OpenStore(const std::string &path, TForm1 &form)
{
    if (store.form)
        CloseStore();
    struct stat existing;
    bool exists = stat(path.c_str(), &existing) == 0 || errno != ENOENT;
    StateFileResult result;
    if (exists) {
        result = LoadStateFile(path, form);
        if (!result.ok)
            return result;
    }
    std::string text = StateFileText(form);
    if (!exists) {
        result.ok = WriteFileAtomically(path, text, &result.error);
        if (!result.ok)
            return result;
    }
    store.path = path;
    store.form = &form;
    store.written = text;
    store.failing = false;
    FillSlotsFromTable();
    for (HookId hook : SaveHooks) {
        store.earlier[hook] = HookHandlerOf(hook);
        SetHookHandler(hook, OnSave);
    }
    return result;
}

StateFileResult CloseStore()
{
    if (!store.form)
        return {true, "", {}};
    StateFileResult result = WriteStore();
    for (HookId hook : SaveHooks)
        if (HookHandlerOf(hook) == OnSave)
            SetHookHandler(hook, store.earlier[hook]);
    store.form = nullptr;
    return result;
}

bool StoreIsOpen() { return store.form != nullptr; }

void SetStoreMessageHandler(std::function<void(const std::string &message)> handler)
{
    store.onMessage = std::move(handler);
}
