#include "host/feed/column_map.h"

#include <cctype>

#include "host/feed/engine_log.h"

namespace {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && isspace((unsigned char)text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isspace((unsigned char)text.back()))
        text.remove_suffix(1);
    return text;
}

// The header of one entry, from the start of text, which is left at the
// comma after it (or empty); false when a quote is not closed or text
// follows it.
bool Header(std::string_view *text, std::string *header)
{
    *text = Trimmed(*text);
    header->clear();
    if (text->empty() || text->front() != '"') {
        const size_t comma = text->find(',');
        *header = std::string(Trimmed(text->substr(0, comma)));
        text->remove_prefix(comma == std::string_view::npos ? text->size() : comma);
        return header->find('"') == std::string::npos;
    }
    size_t i = 1;
    for (;; ++i) {
        if (i >= text->size())
            return false;
        if ((*text)[i] == '"') {
            if (i + 1 < text->size() && (*text)[i + 1] == '"')
                ++i;
            else
                break;
        }
        header->push_back((*text)[i]);
    }
    text->remove_prefix(i + 1);
    *text = Trimmed(*text);
    return text->empty() || text->front() == ',';
}

// Text of the user's quoted in a message: printable and short.
std::string Shown(std::string_view text, size_t most)
{
    std::string shown(text.substr(0, most));
    for (char &c : shown)
        if ((unsigned char)c < ' ' || (unsigned char)c > '~')
            c = '?';
    return text.size() > most ? shown + "..." : shown;
}

} // namespace

bool ParseColumnMap(std::string_view text, ColumnMap *map, std::string *why)
{
    const std::string quotedMap = "column map \"" + Shown(text, 120) + "\": ";
    auto fail = [&](const std::string &reason) {
        *why = quotedMap + reason;
        return false;
    };
    ColumnMap read;
    std::string_view rest = text;
    while (!Trimmed(rest).empty()) {
        const size_t equals = rest.find('=');
        if (equals == std::string_view::npos)
            return fail("an entry without \"=\": write ours=theirs, e.g. time=Time");
        std::string ours = Shown(Trimmed(rest.substr(0, equals)), 40);
        for (char &c : ours)
            c = (char)tolower((unsigned char)c);
        rest.remove_prefix(equals + 1);
        std::string header;
        if (!Header(&rest, &header))
            return fail("the header for " + ours + " is quoted wrongly");
        if (header.empty())
            return fail("no header for " + ours);
        std::string *slot = ours == "time" ? &read.time : ours == "rpm" ? &read.speed : nullptr;
        if (PhysicalMillibarPerUnit(ours) > 0) {
            if (!read.pressure.empty())
                return fail("two pressure columns (" + read.pressureName + " and " + ours + "): keep one");
            slot = &read.pressure;
            read.pressureName = ours;
        }
        if (slot == nullptr)
            return fail("\"" + ours + "\" is none of time, mp_inhg, mp_mbar, mp_kpa, mp_psi, rpm");
        if (!slot->empty())
            return fail(ours + " twice");
        *slot = header;
        if (!rest.empty())
            rest.remove_prefix(1); // the comma
    }
    if (read.time.empty())
        return fail("no time: map it, e.g. time=Time");
    if (read.pressure.empty() && read.speed.empty())
        return fail("neither a pressure (mp_inhg, mp_mbar, mp_kpa, mp_psi) nor rpm");
    *map = std::move(read);
    return true;
}
