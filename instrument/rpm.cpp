#include "instrument/rpm.h"

#include "instrument/alarms.h"
#include "instrument/host_link.h"
#include "instrument/state.h"

static constexpr uint32_t RpmCap = 19999;
// rpmFilter values: 0 averages within a window of 5 x full scale, 1..10
// within 10 x the setting, 11 and above not at all.
static constexpr uint8_t FilterSpan = 0;
static constexpr uint8_t FilterOff = 11;

void UpdateRpmPeriodConstant()
{
    // Revolutions per minute = constant / period; each division truncates in
    // turn, so 7 (0.7 pulses) gives 857 x 3125, not 8571.4 x 312.5.
    // No setting of 0 comes from the setup screen; a damaged one reads as no
    // speed rather than dividing by zero.
    int32_t pulsesPerRev = state.settings.pulsesPerRev;
    state.rpmPeriodConstant = pulsesPerRev == 0 ? 0 : ((60000 / pulsesPerRev) / 10) * 3125;
}

// In "TIME" mode the instrument also declares the engine stopped when no pulse
// has come for 45001 pulse-timer counts. The simulated input has no notion of
// time since the last pulse: the slider stands for a steady period, and the
// slider at 0 means no pulses at all, which already reads as period 0 and so
// speed 0. No separate timeout is simulated.
uint32_t RawRpmReading()
{
    if (state.settings.pulseMode == PulseModeTime) {
        if (state.rpmPulsePeriod == 0)
            return 0;
        return (uint32_t)state.rpmPeriodConstant / state.rpmPulsePeriod;
    }
    // Pulses per 500 ms gate x 120 gates per minute / pulses per revolution,
    // the latter in tenths. A damaged setting of 0 reads as no speed.
    uint32_t pulsesPerRev = (uint32_t)state.settings.pulsesPerRev;
    if (pulsesPerRev == 0)
        return 0;
    return state.rpmGateCount * GatesPerMinuteTimesTen / pulsesPerRev;
}

static uint32_t AveragingWindow()
{
    uint8_t filter = state.settings.rpmFilter;
    if (filter == FilterSpan)
        return 5 * state.settings.rpmFullScale;
    return 10 * (uint32_t)filter;
}

// The ring averages only a steady speed: a reading outside the window around
// the present average, or one no larger than the window, starts it afresh so
// that the display follows changes at once.
static bool ReadingContinuesRing(uint32_t reading, uint32_t window)
{
    uint32_t average = state.rpmAverage;
    return reading > window && average >= window && average - window <= reading &&
           reading <= average + window;
}

static void AverageReading(uint32_t reading)
{
    if (state.settings.rpmFilter >= FilterOff) {
        state.rpmAverage = reading;
        return;
    }
    if (!ReadingContinuesRing(reading, AveragingWindow())) {
        state.rpmSampleCount = 0;
        state.rpmSampleIndex = 0;
    }
    state.rpmSamples[state.rpmSampleIndex] = reading;
    state.rpmSampleIndex = (uint8_t)((state.rpmSampleIndex + 1) % RpmRingSize);
    if (state.rpmSampleCount < RpmRingSize)
        ++state.rpmSampleCount;

    if (state.rpmSampleCount < 2) {
        state.rpmAverage = reading;
        return;
    }
    uint32_t sum = 0;
    for (uint8_t i = 0; i < state.rpmSampleCount; ++i)
        sum += state.rpmSamples[i];
    state.rpmAverage = sum / state.rpmSampleCount;
}

bool RpmAlarmCondition()
{
    const Settings &s = state.settings;
    return (s.rpmLowAlarmOn == 1 && state.rpmValue < s.rpmLowAlarm) ||
           (s.rpmHighAlarmOn == 1 && state.rpmValue > s.rpmHighAlarm);
}

void ApplyRpmReading(uint32_t reading)
{
    if (reading > RpmCap)
        reading = RpmCap;
    AverageReading(reading);
    state.rpmValue = state.rpmAverage;
    if (state.rpmValue > state.rpmMax)
        state.rpmMax = state.rpmValue;

    SetAlarmCondition(AlarmRpm, RpmAlarmCondition());
}

void UpdateRpm()
{
    ReadRpmInput();
    ApplyRpmReading(RawRpmReading());
}
