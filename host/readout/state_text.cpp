#include "host/readout/state_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "host/readout/state_fields.h"
#include "screens/setup_list.h"

namespace {

// Names are padded to this width so that the values form a column.
constexpr size_t NameWidth = 20;
// Array elements per line: bytes take up to three digits, words five.
constexpr uint16_t BytesPerLine = 8;
constexpr uint16_t WordsPerLine = 5;

std::string Padded(std::string text, size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

// Characters of the widest value a field's elements can hold.
size_t WidestValue(const StateField &field)
{
    switch (field.type) {
    case FieldType::U8:
        return 3;
    case FieldType::S8:
        return 4;
    case FieldType::U32:
        return 10;
    case FieldType::S32:
        return 11;
    case FieldType::Screen:
        break;
    }
    size_t widest = 1;
    for (size_t i = 0; i < ScreenCount; ++i)
        widest = std::max(widest, strlen(Screens[i].name));
    return widest;
}

const char *ShownName(const StateField &field)
{
    static const char prefix[] = "settings.";
    const size_t length = sizeof prefix - 1;
    return strncmp(field.name, prefix, length) == 0 ? field.name + length : field.name;
}

int CountSetBits(const StateField &field)
{
    int dots = 0;
    for (uint16_t i = 0; i < field.count; ++i)
        dots += __builtin_popcount((unsigned)ReadStateField(field, i));
    return dots;
}

// A group's lines under its heading, and how wide they can get.
struct Block {
    std::vector<std::string> lines;
    size_t widest = 0;
};

// " (\"Hg)" after a coded value: the text the setup screens show for a
// setting's value, the key that waits; "" for the other fields.
std::string ValueName(const StateField &field)
{
    if (field.type != FieldType::U8 || field.count != 1)
        return "";
    const uint8_t *address = reinterpret_cast<const uint8_t *>(&state) + field.offset;
    if (address == &state.pendingKey) {
        static const char *const keys[] = {"none", "knob", "clockwise", "anticlockwise", "F1", "F2"};
        return *address < std::size(keys) ? std::string(" (") + keys[*address] + ")" : "";
    }
    char text[16];
    return SetupChoiceText(address, *address, text, sizeof text) ? std::string(" (") + text + ")" : "";
}

void AddFieldLines(const StateField &field, Block &block)
{
    std::vector<std::string> &lines = block.lines;
    const std::string name = Padded(ShownName(field), NameWidth);
    if (field.count == 1) {
        const std::string valueName = ValueName(field);
        lines.push_back(name + StateFieldText(field) + valueName);
        // Room for the longest name a coded value can have: " (" 7 ")".
        block.widest = std::max(block.widest, NameWidth + WidestValue(field) + (valueName.empty() ? 0 : 10));
        return;
    }
    if (field.count > 64) {
        // The frame buffer: too big to list, its dots are on the display.
        lines.push_back(name + std::to_string(field.count) + " bytes, " +
                        std::to_string(CountSetBits(field)) + " dots");
        block.widest = std::max(block.widest, lines.back().size() + 1);
        return;
    }
    const bool words = field.type == FieldType::U32 || field.type == FieldType::S32;
    const uint16_t perLine = words ? WordsPerLine : BytesPerLine;
    const int width = words ? 6 : 4;
    block.widest = std::max(block.widest, NameWidth + std::min(perLine, field.count) * (size_t)width);
    for (uint16_t first = 0; first < field.count; first += perLine) {
        std::string line = first == 0 ? name : std::string(NameWidth, ' ');
        for (uint16_t i = first; i < field.count && i < first + perLine; ++i) {
            char number[16];
            snprintf(number, sizeof number, "%-*lld", width, (long long)ReadStateField(field, i));
            line += number;
        }
        while (line.back() == ' ')
            line.pop_back();
        lines.push_back(line);
    }
}

} // namespace

std::vector<StateTextColumn> StateTextColumns(size_t maxLines)
{
    // Each group as a block of lines under its heading.
    std::vector<Block> blocks;
    const char *group = nullptr;
    for (size_t i = 0; i < StateFieldCount; ++i) {
        const StateField &field = StateFields[i];
        if (!group || strcmp(group, field.group) != 0) {
            group = field.group;
            std::string heading = group;
            for (char &c : heading)
                c = (char)toupper((unsigned char)c);
            blocks.push_back({{heading}, heading.size()});
        }
        AddFieldLines(field, blocks.back());
    }

    std::vector<StateTextColumn> columns;
    size_t lines = 0;
    for (const Block &block : blocks) {
        if (columns.empty() || lines + 1 + block.lines.size() > maxLines) {
            columns.push_back({"", 0});
            lines = 0;
        } else {
            columns.back().text += "\n\n";
            ++lines;
        }
        for (size_t i = 0; i < block.lines.size(); ++i)
            columns.back().text += (i ? "\n" : "") + block.lines[i];
        columns.back().widestLine = std::max(columns.back().widestLine, block.widest);
        lines += block.lines.size();
    }
    return columns;
}
