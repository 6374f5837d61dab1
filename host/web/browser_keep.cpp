#include "host/web/browser_keep.h"

#include <emscripten.h>

namespace {

// Each of these reads or writes the program's file at path (Emscripten's
// FS) and the page's QpxKeep.
EM_JS(int, qpx_keep_take_settings, (const char *path), {
    const text = QpxKeep.settingsText();
    if (text == null)
        return 0;
    FS.writeFile(UTF8ToString(path), text);
    return 1;
});
EM_JS(void, qpx_keep_settings, (const char *path),
      { QpxKeep.keepSettings(FS.readFile(UTF8ToString(path), {encoding : 'utf8'})); });
EM_JS(int, qpx_keep_wanted, (), { return QpxKeep.wanted ? 1 : 0; });
EM_JS(int, qpx_keep_take_store, (const char *path), {
    const bytes = QpxKeep.keptStore;
    if (!bytes)
        return 0;
    FS.writeFile(UTF8ToString(path), bytes);
    return 1;
});
EM_JS(void, qpx_keep_store, (const char *path), {
    const name = UTF8ToString(path);
    QpxKeep.keepStore(name ? FS.readFile(name) : null);
});

} // namespace

bool TakeKeptSettings(const std::string &path) { return qpx_keep_take_settings(path.c_str()) != 0; }
void KeepSettings(const std::string &path) { qpx_keep_settings(path.c_str()); }
bool EngineTimeWanted() { return qpx_keep_wanted() != 0; }
bool TakeKeptStore(const std::string &path) { return qpx_keep_take_store(path.c_str()) != 0; }
void KeepStore(const std::string &path) { qpx_keep_store(path.c_str()); }
