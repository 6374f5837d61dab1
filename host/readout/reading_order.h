// The texts drawn into the frame as a reader reads them: the display's text
// alternative on the page, which a screen reader speaks.
#pragma once
#include <string>
#include <vector>

#include "host/readout/drawn_texts.h"

// One line per row of the display, top to bottom, each row's texts left to
// right with one space between them; texts whose tops are at most
// RowTolerance dots apart share a row (a big numeral beside its unit), and
// texts of blanks only are left out.
std::string DrawnTextsInReadingOrder(const std::vector<DrawnText> &texts);
constexpr int RowTolerance = 3;
