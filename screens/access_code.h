// The four-digit access code that guards setting the Hobbs time, and the
// screens that check and change it. Each shows its prompt above four digits
// edited as a DigitEntry; the value is checked on the last digit.
#pragma once

// The code change: the current code (or the master code), then the new code,
// then the new code once more.
void EnterCurrentCodeScreen();
void EnterNewCodeScreen();
void ConfirmNewCodeScreen();
// The check before the Hobbs time editor opens; only the stored code opens it.
void EnterHobbsCodeScreen();
