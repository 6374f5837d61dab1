#include "instrument/alarms.h"

#include "instrument/state.h"

void SetAlarmCondition(uint8_t bit, bool active)
{
    if (active) {
        state.alarmActive |= bit;
    } else {
        state.alarmActive &= (uint8_t)~bit;
        state.alarmMuted &= (uint8_t)~bit;
    }
}
