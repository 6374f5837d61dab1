// Short notices that report a result and wait for a key: the exclamation
// icon at the left, lines of text centred on column 84 beside it. Any of the
// five keys leads to returnScreen, which whoever showed the notice set (with
// menuCursor on the row to come back to); there is no time limit.
#pragma once
#include <cstddef>
#include <cstdint>

struct NoticeLine {
    const char *text;
    uint8_t top;
};

struct Notice {
    // Drawn with DrawTitle; null: no title.
    const char *title;
    // 1: the lines are double height.
    uint8_t doubleHeight;
    const NoticeLine *lines;
    uint8_t lineCount;
};

template <size_t Count>
constexpr Notice NoticeOf(const char *title, uint8_t doubleHeight, const NoticeLine (&lines)[Count])
{
    return Notice{title, doubleHeight, lines, (uint8_t)Count};
}

// One pass of a notice: draws it, then handles the pending key.
void RunNotice(const Notice &notice);

// The three messages, titled " MESSAGE ", in double-height text.
void IncorrectCodeMessage();
void CodeChangedMessage();
void DoneMessage();
