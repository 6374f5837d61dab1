// The texts drawn into the frame, with where they were drawn: what a
// scenario's expect-text checks and what the state view lists. Collected
// from the drawing operations while collecting is on.
#pragma once
#include <string>
#include <vector>

struct DrawnText {
    int x, y; // top-left corner of the first character
    std::string text;
};

// Collecting is held: each Start takes a hold and its Stop gives it back,
// and the drawing operations are listened to while anyone holds it (the
// page's text alternative, the state view, a lesson, a run with
// expect-text), so that one reader leaving does not blind the others. The
// first hold starts with an empty list; a Stop without a hold does nothing.
void StartCollectingDrawnTexts();
void StopCollectingDrawnTexts();
bool CollectingDrawnTexts();

// Every text drawn since the frame was last cleared, in drawing order: after
// a pass of the main cycle, the texts of the frame it presented.
const std::vector<DrawnText> &DrawnTexts();

// The list as one line: "MAIN MENU" (0,0), "EXIT" (68,18), ...
std::string DrawnTextsSummary(const std::vector<DrawnText> &texts);

// The list for the state view, under a heading: one text a line with its
// corner, `  68,18  "EXIT"`, in at most maxLines lines (the last one saying
// how many more there are when they do not fit).
std::string DrawnTextsColumn(const std::vector<DrawnText> &texts, size_t maxLines);
// Characters of the column's widest line.
constexpr size_t DrawnTextsColumnWidth = 32;
