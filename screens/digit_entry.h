// The digit-by-digit entry shared by the time editors and the access-code
// screens. The digits are entryDigits[0..count-1], most significant first;
// menuCursor is the digit being edited and only ever moves forward:
//
//   KeyClockwise, KeyLeft         digit up: after its top value comes 0
//   KeyAntiClockwise, KeyRight    digit down: before 0 comes its top value
//   KeyCentre                     next digit; on the last digit: commit
//
// A digit's top value is 9, except for one digit that may have a smaller
// limit (the tens of minutes stop at 5). Each key changes a digit by exactly
// one: the knob's fast step does not apply here. There is no way back and no
// cancel: the entry ends only with the commit.
#pragma once
#include <cstdint>

// The digit of an entry whose top value is not 9; none when no digit has one.
constexpr uint8_t NoLimitedDigit = 0xFF;

struct DigitEntry {
    uint8_t count;
    // Column of each digit; the digits are double height with their tops on
    // row top, the one under the cursor inverted.
    const uint8_t *columns;
    uint8_t top;
    // The digit whose top value is limit() instead of 9.
    uint8_t limitedDigit;
    uint8_t (*limit)();
    // Called after every change of a digit (may be null).
    void (*changed)();
    // KeyCentre on the last digit.
    void (*commit)();
};

// One pass of the entry's part of a screen: draws the digits, then handles
// the pending key. The screen draws its prompt before.
void RunDigitEntry(const DigitEntry &entry);

// The number entryDigits[first .. first+count-1] form.
uint32_t EntryValue(uint8_t first, uint8_t count);

// entryDigits[first ..] take the first count characters of a formatted
// number, each minus '0'.
void LoadEntryDigits(uint8_t first, const char *text, uint8_t count);

// A code entry starts from four zeros.
void ClearCodeDigits();
