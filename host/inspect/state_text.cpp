#include "host/inspect/state_text.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "host/inspect/state_fields.h"

namespace {

// Names are padded to this width so that the values form a column.
constexpr size_t NameWidth = 20;
// Array elements per line: bytes take up to three digits, words five.
constexpr uint16_t BytesPerLine = 8;
constexpr uint16_t WordsPerLine = 6;

std::string Padded(std::string text, size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
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

void AddFieldLines(const StateField &field, std::vector<std::string> &lines)
{
    const std::string name = Padded(ShownName(field), NameWidth);
    if (field.count == 1) {
        lines.push_back(name + StateFieldText(field));
        return;
    }
    if (field.count > 64) {
        // The frame buffer: too big to list, its dots are on the display.
        lines.push_back(name + std::to_string(field.count) + " bytes, " +
                        std::to_string(CountSetBits(field)) + " dots");
        return;
    }
    const bool words = field.type == FieldType::U32 || field.type == FieldType::S32;
    const uint16_t perLine = words ? WordsPerLine : BytesPerLine;
    const int width = words ? 6 : 4;
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

std::vector<std::string> StateTextColumns(size_t maxLines)
{
    // Each group as a block of lines under its heading.
    std::vector<std::vector<std::string>> blocks;
    const char *group = nullptr;
    for (size_t i = 0; i < StateFieldCount; ++i) {
        const StateField &field = StateFields[i];
        if (!group || strcmp(group, field.group) != 0) {
            group = field.group;
            std::string heading = group;
            for (char &c : heading)
                c = (char)toupper((unsigned char)c);
            blocks.push_back({heading});
        }
        AddFieldLines(field, blocks.back());
    }

    std::vector<std::string> columns;
    size_t lines = 0;
    for (const auto &block : blocks) {
        if (columns.empty() || lines + 1 + block.size() > maxLines) {
            columns.emplace_back();
            lines = 0;
        } else {
            columns.back() += "\n\n";
            ++lines;
        }
        for (size_t i = 0; i < block.size(); ++i)
            columns.back() += (i ? "\n" : "") + block[i];
        lines += block.size();
    }
    return columns;
}
