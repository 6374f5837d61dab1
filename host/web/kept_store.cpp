#include "host/web/kept_store.h"

#include <cstdio>
#include <iostream>

#include "host/form/Pcmain.h"
#include "host/form/form_state_files.h"
#include "host/web/browser_keep.h"

constexpr int LookIntervalMs = 1000;

KeptStore::KeptStore(TForm1 &form, std::string path)
    : form_(form), path_(std::move(path)), timer_(LookIntervalMs, [this] { Look(); })
{
    // A state file loaded while the store is open is its new content at
    // once (the import): the store is written with it and opened again.
    form.OnOpenFile = [this, open = form.OnOpenFile](const std::string &opened) {
        open(opened);
        if (!StoreIsOpen())
            return;
        CloseStore();
        OpenStore(path_, form_);
        KeepIfWritten();
    };
    Look();
}

KeptStore::~KeptStore()
{
    if (!StoreIsOpen())
        return;
    CloseStore();
    KeepIfWritten();
}

void KeptStore::Look()
{
    const bool wanted = EngineTimeWanted();
    if (wanted && !StoreIsOpen()) {
        TakeKeptStore(path_);
        // The store writes its file as it opens; a file it cannot open says
        // why in the status bar, and the box is looked at again next time.
        if (ReportStateFileResult(OpenStore(path_, form_), "qpx-sim", std::cerr))
            ShowStoreMessagesIn(form_);
        else
            form_.SetStatusMessage("The engine time cannot be kept in this browser: see the console");
    } else if (!wanted && StoreIsOpen()) {
        SetStoreMessageHandler(nullptr);
        CloseStore();
        std::remove(path_.c_str());
        KeepStore("");
        keptFile_ = 0;
        return;
    }
    if (StoreIsOpen())
        KeepIfWritten();
}

// The store replaces its file whole on every save (a new file renamed over
// the old): a new file or a new time is a new save.
void KeptStore::KeepIfWritten()
{
    struct stat info;
    if (stat(path_.c_str(), &info) != 0)
        return;
    if (info.st_ino == keptFile_ && info.st_mtim.tv_sec == keptTime_.tv_sec &&
        info.st_mtim.tv_nsec == keptTime_.tv_nsec)
        return;
    keptFile_ = info.st_ino;
    keptTime_ = info.st_mtim;
    KeepStore(path_);
}
