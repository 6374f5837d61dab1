#include "instrument/pressure.h"

#include "instrument/alarms.h"
#include "instrument/pressure_units.h"
#include "instrument/state.h"

// The pressure filter settings.
static constexpr uint8_t FilterFast = 1;
static constexpr uint8_t FilterSlow = 2;

int32_t ReadPressureAdc() { return state.simPressureInput; }

int32_t ConvertPressureUnit(int32_t millibar)
{
    uint8_t unit = state.settings.pressureUnit;
    if (unit >= PressureUnitCount)
        return millibar;
    const PressureUnitScale &scale = PressureUnitScales[unit];
    uint32_t product = (uint32_t)millibar * scale.multiplier;
    return (int32_t)(product / scale.divisor);
}

// One step of the selected filter over the reading v. The accumulator holds a
// multiple of the reading (2x fast, 4x slow); because the shifts truncate, a
// rising input settles one count short and a falling one exactly.
static uint32_t FilterReading(uint32_t v)
{
    uint32_t &acc = state.pressureFilterAcc;
    switch (state.settings.pressureFilter) {
    case FilterFast:
        acc = (2 * v + acc) >> 1;
        return acc >> 1;
    case FilterSlow:
        acc = (3 * acc + 4 * v) >> 2;
        return acc >> 2;
    default:
        return v;
    }
}

static int32_t MeasureMillibar()
{
    int32_t sum = state.pressureAdc + (int32_t)state.settings.pressureCalOffset;
    // Below range reads 0 and leaves the filter where it was, so it resumes
    // from there when the sensor comes back.
    if (sum < SensorCutOff)
        return 0;
    uint32_t v = FilterReading((uint32_t)(sum + SensorZeroOffset));
    return (int32_t)(v * 100 / SensorCountsPerHundredMillibar);
}

bool PressureAlarmCondition()
{
    const Settings &s = state.settings;
    return (s.pressureLowAlarmOn == 1 && state.pressureValue < s.pressureLowAlarm) ||
           (s.pressureHighAlarmOn == 1 && state.pressureValue > s.pressureHighAlarm);
}

void UpdatePressure()
{
    state.pressureAdc = ReadPressureAdc();
    state.pressureMillibar = MeasureMillibar();
    state.pressureValue = ConvertPressureUnit(state.pressureMillibar);
    if (state.pressureValue > state.pressureMax)
        state.pressureMax = state.pressureValue;

    SetAlarmCondition(AlarmPressure, PressureAlarmCondition());
}
