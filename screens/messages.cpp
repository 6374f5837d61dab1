#include "screens/messages.h"

#include "lcd/furniture.h"
#include "lcd/icons.h"
#include "lcd/text.h"
#include "screens/screen_flow.h"

static constexpr uint8_t NoticeCentre = 84;

void RunNotice(const Notice &notice)
{
    if (notice.title)
        DrawTitle(notice.title);
    LcdDrawIcon(IconExclamation);
    for (uint8_t i = 0; i < notice.lineCount; ++i)
        LcdDrawTextCentered(NoticeCentre, notice.lines[i].top, notice.lines[i].text, notice.doubleHeight, 0,
                            0);

    uint8_t key = TakePendingKey();
    if (key >= KeyCentre && key <= KeyRight && state.returnScreen)
        GoToScreen(state.returnScreen);
}

static constexpr NoticeLine IncorrectCodeLines[] = {{"INCORRECT", 16}, {"CODE", 38}};
static constexpr NoticeLine CodeChangedLines[] = {{"CODE", 16}, {"CHANGED", 38}};
static constexpr NoticeLine DoneLines[] = {{"DONE", 26}};

void IncorrectCodeMessage() { RunNotice(NoticeOf(" MESSAGE ", 1, IncorrectCodeLines)); }
void CodeChangedMessage() { RunNotice(NoticeOf(" MESSAGE ", 1, CodeChangedLines)); }
void DoneMessage() { RunNotice(NoticeOf(" MESSAGE ", 1, DoneLines)); }
