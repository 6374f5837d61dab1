// The Hobbs time and maintenance time editors. Each works on a copy of its
// counter in entryDigits, taken when it opens, and writes the counter only
// when KeyCentre is pressed on the last digit; the counters keep running
// meanwhile and the commit replaces what they counted.
#pragma once
#include <cstdint>

// The largest hours the editors' digits can show. The Hobbs meter stops at
// MaxHobbsHours, one digit more than its editor has; the maintenance hours
// have no limit of their own, so the editor's is the largest they are set to.
constexpr uint32_t HobbsEditorMaxHours = 9999;
constexpr uint32_t MaintEditorMaxHours = 999;

// Four hour digits and two fraction digits. The fraction is minutes (tens
// up to 5, ":" shown) or, with hourFractionDecimal, a decimal fraction (tens
// up to 9, "." shown) that is stored as it was entered.
void HobbsTimeAdjustScreen();
// Three hour digits; any digit change clears the maintenance minutes.
void MaintTimeAdjustScreen();

// Copies the counters into entryDigits for the editors.
void LoadHobbsDigits();
void LoadMaintDigits();
