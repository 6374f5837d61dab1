#include "host/readout/drawn_texts.h"

#include <cstdio>

#include "lcd/text_report.h"

static std::vector<DrawnText> &Collected()
{
    static std::vector<DrawnText> *texts = new std::vector<DrawnText>; // outlives static forms
    return *texts;
}

static void OnTextDrawn(uint8_t x, uint8_t y, const char *text)
{
    if (!text)
        Collected().clear();
    else
        Collected().push_back({x, y, text});
}

static int holds = 0;

void StartCollectingDrawnTexts()
{
    if (holds++ > 0)
        return;
    Collected().clear();
    SetTextDrawnHandler(OnTextDrawn);
}

void StopCollectingDrawnTexts()
{
    if (holds == 0 || --holds > 0)
        return;
    SetTextDrawnHandler(nullptr);
}

bool CollectingDrawnTexts() { return holds > 0; }

const std::vector<DrawnText> &DrawnTexts() { return Collected(); }

std::string DrawnTextsSummary(const std::vector<DrawnText> &texts)
{
    std::string line;
    for (const DrawnText &t : texts) {
        if (!line.empty())
            line += ", ";
        line += '"' + t.text + "\" (" + std::to_string(t.x) + "," + std::to_string(t.y) + ")";
    }
    return line.empty() ? "no text" : line;
}

std::string DrawnTextsColumn(const std::vector<DrawnText> &texts, size_t maxLines)
{
    std::string column = "TEXTS ON THE DISPLAY";
    const size_t room = maxLines > 1 ? maxLines - 1 : 0;
    for (size_t i = 0; i < texts.size() && i < room; ++i) {
        if (i + 1 == room && texts.size() > room) {
            column += "\n" + std::to_string(texts.size() - i) + " more";
            break;
        }
        char corner[16];
        snprintf(corner, sizeof corner, "%4d,%-4d", texts[i].x, texts[i].y);
        column += "\n" + std::string(corner) + '"' + texts[i].text + '"';
    }
    return column;
}
