// The alarm conditions as the measurements find them: the bits of
// alarmActive and alarmMuted (AlarmPressure, AlarmRpm).
#pragma once
#include <cstdint>

// Records whether the condition of alarm bit is present. An acknowledgement
// lasts only while its condition holds: ending the condition also ends the
// acknowledgement, so a new excursion sounds the alarm again.
void SetAlarmCondition(uint8_t bit, bool active);
