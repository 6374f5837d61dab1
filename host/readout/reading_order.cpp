#include "host/readout/reading_order.h"

#include <algorithm>

static std::string Trimmed(const std::string &text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string DrawnTextsInReadingOrder(const std::vector<DrawnText> &texts)
{
    std::vector<DrawnText> shown;
    for (const DrawnText &text : texts)
        if (std::string trimmed = Trimmed(text.text); !trimmed.empty())
            shown.push_back({text.x, text.y, trimmed});
    std::stable_sort(shown.begin(), shown.end(),
                     [](const DrawnText &a, const DrawnText &b) { return a.y < b.y; });
    // A row starts at its topmost text; the texts near enough below it join
    // it, then the row is put left to right.
    std::string out;
    for (size_t start = 0; start < shown.size();) {
        size_t end = start;
        while (end < shown.size() && shown[end].y - shown[start].y <= RowTolerance)
            ++end;
        std::stable_sort(shown.begin() + (long)start, shown.begin() + (long)end,
                         [](const DrawnText &a, const DrawnText &b) { return a.x < b.x; });
        for (size_t i = start; i < end; ++i)
            out += (i == start ? (out.empty() ? "" : "\n") : " ") + shown[i].text;
        start = end;
    }
    return out;
}
