#include "host/inspect/drawn_texts.h"

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

void StartCollectingDrawnTexts()
{
    Collected().clear();
    SetTextDrawnHandler(OnTextDrawn);
}

void StopCollectingDrawnTexts() { SetTextDrawnHandler(nullptr); }

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
