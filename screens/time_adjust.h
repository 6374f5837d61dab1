// The Hobbs time and maintenance time editors. Each works on a copy of its
// counter in entryDigits, taken when it opens, and writes the counter only
// when KeyCentre is pressed on the last digit; the counters keep running
// meanwhile and the commit replaces what they counted.
#pragma once

// Four hour digits and two fraction digits. The fraction is minutes (tens
// up to 5, ":" shown) or, with hourFractionDecimal, a decimal fraction (tens
// up to 9, "." shown) that is stored as it was entered.
void HobbsTimeAdjustScreen();
// Three hour digits; any digit change clears the maintenance minutes.
void MaintTimeAdjustScreen();

// Copies the counters into entryDigits for the editors.
void LoadHobbsDigits();
void LoadMaintDigits();
