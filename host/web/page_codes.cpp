// Writes each code from the same list its enum is made of
// (QPX_CONTROL_KINDS, QPX_PAGE_EVENT_KINDS, QPX_TKEYS), so that the page gets
// every code the program has, under the same name and with the same value.
#include "host/web/page_codes.h"

#include "host/toolkit.h"
#include "host/web/page_link.h"

namespace {

void Entry(std::string &group, const std::string &name, int code)
{
    group += "    " + name + ": " + std::to_string(code) + ",\n";
}

std::string Group(const char *name, const char *comment, const std::string &entries)
{
    return std::string("  // ") + comment + "\n  " + name + ": Object.freeze({\n" + entries + "  }),\n";
}

} // namespace

std::string PageCodesScript()
{
    std::string kinds, events, keys;
#define QPX_KIND_ENTRY(name) Entry(kinds, #name, static_cast<int>(TControlKind::name));
    QPX_CONTROL_KINDS(QPX_KIND_ENTRY)
#undef QPX_KIND_ENTRY
#define QPX_EVENT_ENTRY(name) Entry(events, #name, name);
    QPX_PAGE_EVENT_KINDS(QPX_EVENT_ENTRY)
#undef QPX_EVENT_ENTRY
#define QPX_KEY_ENTRY(name, code) Entry(keys, #name, name);
    QPX_TKEYS(QPX_KEY_ENTRY)
#undef QPX_KEY_ENTRY
    // The enum names only F1; the page looks every function key up by name.
    for (int n = 2; n <= vkFunctionKeys; ++n)
        Entry(keys, "vkF" + std::to_string(n), vkF(n));

    return "// The codes the program and its page share, written from the program's own\n"
           "// definitions when the page is built (host/web/page_codes.cpp): do not edit.\n"
           "'use strict';\n"
           "const QpxCodes = Object.freeze({\n" +
           Group("Kind", "The toolkit's control kinds (TControlKind).", kinds) +
           Group("Event", "The kinds of event the page queues (PageEventKind).", events) +
           "  // How many numbers an event carries (PageEventFields).\n"
           "  EventFields: " +
           std::to_string(PageEventFields) + ",\n" +
           Group("Key", "Keys as the program names them (TKey); vkF2..vkF12 are vkF(2)..vkF(12).", keys) +
           "});\n";
}
