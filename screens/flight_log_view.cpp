#include "screens/flight_log_view.h"

#include <cstdio>

#include "instrument/timekeeping.h"
#include "lcd/furniture.h"
#include "lcd/text.h"
#include "screens/flight_log.h"
#include "screens/screen_flow.h"

void DrawFlightLogEntry(uint8_t index, uint8_t top, uint8_t first)
{
    if (index >= FlightLogEntries)
        return;
    char line[TextBufferSize];
    int n = snprintf(line, sizeof line, "%d: ", index + 1);
    uint8_t hours = state.flightLogHours[index];
    // Hours above the flight timer's largest mark an empty entry.
    if (hours > MaxFlightHours)
        snprintf(line + n, sizeof line - n, "-----");
    else
        snprintf(line + n, sizeof line - n,
                 state.settings.hourFractionDecimal == 1 ? "%02d.%02d" : "%02d:%02d", hours,
                 state.flightLogMinutes[index]);
    DrawMenuText(0, (uint8_t)(top + 8 * (index - first)), line, 0);
}

struct LogPage {
    uint8_t first, last, top;
};
// The first page leaves its top line to the DONE line.
static constexpr LogPage Pages[] = {{0, 5, 16}, {6, 12, 8}, {13, 19, 8}, {20, 23, 8}};
static constexpr uint8_t LastPage = 3;

void FlightLogViewScreen()
{
    uint8_t page = state.menuCursor < LastPage ? state.menuCursor : LastPage;
    DrawTitle(" FLIGHT LOG ");
    if (page == 0)
        LcdDrawTextCentered(64, 8, "*** DONE ***", 0, 0, 1);
    const LogPage &p = Pages[page];
    for (uint8_t i = p.first; i <= p.last; ++i)
        DrawFlightLogEntry(i, p.top, p.first);

    uint8_t key = TakePendingKey();
    if (key == KeyCentre) {
        if (page == 0)
            OpenScreen(FlightLogMenuScreen, LogRowView);
    } else {
        StepMenuCursor(key, LastPage);
    }
}
