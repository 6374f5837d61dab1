// What the page keeps in the browser between visits (host/web/page/store.js):
// the settings file in local storage, and, while "Keep engine time in this
// browser" is ticked, the store in IndexedDB. The program works on files as
// the desktop does; these copy them between its files and the browser.
#pragma once
#include <string>

// The settings file as kept, written to path; false when none is kept.
bool TakeKeptSettings(const std::string &path);
// Keeps the file at path as the settings file.
void KeepSettings(const std::string &path);

// Whether the user wants the engine time kept (the check box).
bool EngineTimeWanted();
// The store as kept, written to path; false when none is kept.
bool TakeKeptStore(const std::string &path);
// Keeps the file at path as the store, whole; "" forgets the kept store.
void KeepStore(const std::string &path);
