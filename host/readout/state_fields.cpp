#include "host/readout/state_fields.h"

#include <cstring>
#include <type_traits>

#include "screens/access_code.h"
#include "screens/calibration.h"
#include "screens/display_setup.h"
#include "screens/flight_log.h"
#include "screens/flight_log_view.h"
#include "screens/hobbs_meter.h"
#include "screens/main_menu.h"
#include "screens/messages.h"
#include "screens/pressure_setup.h"
#include "screens/rpm_setup.h"
#include "screens/run_screen.h"
#include "screens/time_adjust.h"

namespace {

template <typename T> constexpr FieldType TypeOf()
{
    using E = std::remove_all_extents_t<T>;
    if constexpr (std::is_same_v<E, uint8_t>)
        return FieldType::U8;
    else if constexpr (std::is_same_v<E, int8_t>)
        return FieldType::S8;
    else if constexpr (std::is_same_v<E, uint32_t>)
        return FieldType::U32;
    else if constexpr (std::is_same_v<E, int32_t>)
        return FieldType::S32;
    else {
        static_assert(std::is_same_v<E, ScreenHandler>, "a field type the table does not know");
        return FieldType::Screen;
    }
}

} // namespace

#define QPX_FIELD(group, member)                                                                             \
    StateField                                                                                               \
    {                                                                                                        \
        group, #member, TypeOf<decltype(InstrumentState::member)>(), offsetof(InstrumentState, member),      \
            (uint16_t)(sizeof(InstrumentState::member) /                                                     \
                       sizeof(std::remove_all_extents_t<decltype(InstrumentState::member)>))                 \
    }
#define QPX_SETTING(member)                                                                                  \
    StateField                                                                                               \
    {                                                                                                        \
        "Settings", "settings." #member, TypeOf<decltype(Settings::member)>(),                               \
            offsetof(InstrumentState, settings) + offsetof(Settings, member), 1                              \
    }

const StateField StateFields[] = {
    QPX_FIELD("Menu and display", menuCursor),
    QPX_FIELD("Menu and display", editMode),
    QPX_FIELD("Menu and display", flightLogHours),
    QPX_FIELD("Menu and display", flightLogMinutes),
    QPX_FIELD("Menu and display", entryDigits),
    QPX_FIELD("Menu and display", pendingCode),
    QPX_FIELD("Menu and display", lcdFrame),
    QPX_FIELD("Inputs and pressure", magCheckRpmRef),
    QPX_FIELD("Inputs and pressure", pendingKey),
    QPX_FIELD("Inputs and pressure", knobStep),
    QPX_FIELD("Inputs and pressure", pressureAdc),
    QPX_FIELD("Inputs and pressure", pressureMillibar),
    QPX_FIELD("Inputs and pressure", pressureValue),
    QPX_FIELD("Inputs and pressure", pressureMax),
    QPX_FIELD("Inputs and pressure", pressureFilterAcc),
    QPX_FIELD("Inputs and pressure", simPressureInput),
    QPX_FIELD("Engine speed", rpmSampleCount),
    QPX_FIELD("Engine speed", rpmSampleIndex),
    QPX_FIELD("Engine speed", simPulseCount),
    QPX_FIELD("Engine speed", rpmPulsePeriod),
    QPX_FIELD("Engine speed", rpmGateCount),
    QPX_FIELD("Engine speed", rpmValue),
    QPX_FIELD("Engine speed", rpmMax),
    QPX_FIELD("Engine speed", rpmSamples),
    QPX_FIELD("Engine speed", rpmPeriodConstant),
    QPX_FIELD("Engine speed", rpmAverage),
    QPX_SETTING(contrast),
    QPX_SETTING(backlightOn),
    QPX_SETTING(pressureSpan),
    QPX_SETTING(pressureTopScale),
    QPX_SETTING(pressureLowAlarm),
    QPX_SETTING(pressureLowAlarmOn),
    QPX_SETTING(pressureHighAlarm),
    QPX_SETTING(pressureHighAlarmOn),
    QPX_SETTING(pressureFilter),
    QPX_SETTING(pressureUnit),
    QPX_SETTING(barHorizontal),
    QPX_SETTING(pressureCalOffset),
    QPX_SETTING(hourFractionDecimal),
    QPX_SETTING(hobbsRpm),
    QPX_SETTING(flightAutoDetect),
    QPX_SETTING(flightRpm),
    QPX_SETTING(rpmDisplayOn),
    QPX_SETTING(rpmFullScale),
    QPX_SETTING(rpmLowAlarm),
    QPX_SETTING(rpmLowAlarmOn),
    QPX_SETTING(rpmHighAlarm),
    QPX_SETTING(rpmHighAlarmOn),
    QPX_SETTING(pulsesPerRev),
    QPX_SETTING(pulseMode),
    QPX_SETTING(rpmFilter),
    QPX_SETTING(accessCode),
    QPX_SETTING(rpmPercent),
    QPX_FIELD("Screens, timing and alarms", currentScreen),
    QPX_FIELD("Screens, timing and alarms", returnScreen),
    QPX_FIELD("Screens, timing and alarms", slowTickCount),
    QPX_FIELD("Screens, timing and alarms", blinkPhase),
    QPX_FIELD("Screens, timing and alarms", blinkTickCount),
    QPX_FIELD("Screens, timing and alarms", secondTick),
    QPX_FIELD("Screens, timing and alarms", magCheckTimer),
    QPX_FIELD("Screens, timing and alarms", alarmActive),
    QPX_FIELD("Screens, timing and alarms", calibrateSwitch),
    QPX_FIELD("Screens, timing and alarms", alarmMuted),
    QPX_FIELD("Screens, timing and alarms", flightSeconds),
    QPX_FIELD("Screens, timing and alarms", flightHours),
    QPX_FIELD("Screens, timing and alarms", flightMinutes),
    QPX_FIELD("Screens, timing and alarms", inFlight),
    QPX_FIELD("Screens, timing and alarms", flightRecorded),
    QPX_FIELD("Screens, timing and alarms", flightStopDelay),
    QPX_FIELD("Screens, timing and alarms", flightLogIndex),
    QPX_FIELD("Screens, timing and alarms", hobbsSeconds),
    QPX_FIELD("Screens, timing and alarms", hobbsMinutes),
    QPX_FIELD("Screens, timing and alarms", maintMinutes),
    QPX_FIELD("Screens, timing and alarms", hobbsHours),
    QPX_FIELD("Screens, timing and alarms", maintHours),
    QPX_FIELD("Screens, timing and alarms", powerOffRequest),
};
const size_t StateFieldCount = sizeof StateFields / sizeof StateFields[0];

#undef QPX_FIELD
#undef QPX_SETTING

#define QPX_SCREEN(handler)                                                                                  \
    NamedScreen { handler, #handler }
const NamedScreen Screens[] = {
    QPX_SCREEN(RunScreen),
    QPX_SCREEN(MaxValuesScreen),
    QPX_SCREEN(FlightScreen),
    QPX_SCREEN(MainMenuScreen),
    QPX_SCREEN(FlightLogMenuScreen),
    QPX_SCREEN(FlightLogViewScreen),
    QPX_SCREEN(FlightLogEraseScreen),
    QPX_SCREEN(FlightLogBlockedScreen),
    QPX_SCREEN(DisplaySetupScreen),
    QPX_SCREEN(ContrastScreen),
    QPX_SCREEN(HobbsMeterScreen),
    QPX_SCREEN(HobbsTimeAdjustScreen),
    QPX_SCREEN(MaintTimeAdjustScreen),
    QPX_SCREEN(EnterCurrentCodeScreen),
    QPX_SCREEN(EnterNewCodeScreen),
    QPX_SCREEN(ConfirmNewCodeScreen),
    QPX_SCREEN(EnterHobbsCodeScreen),
    QPX_SCREEN(IncorrectCodeMessage),
    QPX_SCREEN(CodeChangedMessage),
    QPX_SCREEN(DoneMessage),
    QPX_SCREEN(RpmSetupScreen),
    QPX_SCREEN(PressureSetupScreen),
    QPX_SCREEN(AdcValuesScreen),
    QPX_SCREEN(CalibrateScreen),
};
#undef QPX_SCREEN
const size_t ScreenCount = sizeof Screens / sizeof Screens[0];

namespace {

size_t ElementSize(FieldType type)
{
    switch (type) {
    case FieldType::U8:
    case FieldType::S8:
        return 1;
    case FieldType::U32:
    case FieldType::S32:
        return 4;
    case FieldType::Screen:
        return sizeof(ScreenHandler);
    }
    return 1;
}

uint8_t *ElementAddress(const StateField &field, uint16_t index)
{
    return reinterpret_cast<uint8_t *>(&state) + field.offset + (size_t)index * ElementSize(field.type);
}

} // namespace

const StateField *FindStateField(std::string_view name, uint16_t *index)
{
    uint16_t element = 0;
    size_t bracket = name.find('[');
    if (bracket != std::string_view::npos) {
        if (name.back() != ']')
            return nullptr;
        std::string_view digits = name.substr(bracket + 1, name.size() - bracket - 2);
        if (digits.empty() || digits.size() > 4)
            return nullptr;
        for (char c : digits) {
            if (c < '0' || c > '9')
                return nullptr;
            element = (uint16_t)(element * 10 + (c - '0'));
        }
        name = name.substr(0, bracket);
    }
    for (size_t i = 0; i < StateFieldCount; ++i) {
        const StateField &field = StateFields[i];
        if (name == field.name) {
            // Arrays are named with an index inside them, single fields without.
            bool indexed = bracket != std::string_view::npos;
            if (indexed ? field.count == 1 || element >= field.count : field.count != 1)
                return nullptr;
            if (index)
                *index = element;
            return &field;
        }
    }
    return nullptr;
}

int64_t ReadStateField(const StateField &field, uint16_t index)
{
    const uint8_t *p = ElementAddress(field, index);
    switch (field.type) {
    case FieldType::U8:
        return *p;
    case FieldType::S8:
        return (int8_t)*p;
    case FieldType::U32: {
        uint32_t v;
        memcpy(&v, p, sizeof v);
        return v;
    }
    case FieldType::S32: {
        int32_t v;
        memcpy(&v, p, sizeof v);
        return v;
    }
    case FieldType::Screen: {
        ScreenHandler v;
        memcpy(&v, p, sizeof v);
        return v ? 1 : 0;
    }
    }
    return 0;
}

bool WriteStateField(const StateField &field, int64_t value, uint16_t index)
{
    uint8_t *p = ElementAddress(field, index);
    switch (field.type) {
    case FieldType::U8:
        if (value < 0 || value > UINT8_MAX)
            return false;
        *p = (uint8_t)value;
        return true;
    case FieldType::S8:
        if (value < INT8_MIN || value > INT8_MAX)
            return false;
        *p = (uint8_t)(int8_t)value;
        return true;
    case FieldType::U32: {
        if (value < 0 || value > UINT32_MAX)
            return false;
        uint32_t v = (uint32_t)value;
        memcpy(p, &v, sizeof v);
        return true;
    }
    case FieldType::S32: {
        if (value < INT32_MIN || value > INT32_MAX)
            return false;
        int32_t v = (int32_t)value;
        memcpy(p, &v, sizeof v);
        return true;
    }
    case FieldType::Screen:
        return false;
    }
    return false;
}

std::string StateFieldText(const StateField &field)
{
    if (field.type == FieldType::Screen) {
        ScreenHandler handler;
        memcpy(&handler, ElementAddress(field, 0), sizeof handler);
        return ScreenName(handler);
    }
    std::string text;
    for (uint16_t i = 0; i < field.count; ++i) {
        if (i)
            text += ' ';
        text += std::to_string(ReadStateField(field, i));
    }
    return text;
}

const char *ScreenName(ScreenHandler screen)
{
    if (!screen)
        return "-";
    for (const NamedScreen &s : Screens)
        if (s.handler == screen)
            return s.name;
    return "?";
}

ScreenHandler ScreenByName(std::string_view name)
{
    for (const NamedScreen &s : Screens)
        if (name == s.name)
            return s.handler;
    return nullptr;
}
