#include <gtest/gtest.h>

#include <cstring>

#include "host/readout/state_fields.h"
#include "screens/main_menu.h"
#include "screens/run_screen.h"
#include "support/frame_check.h"

TEST(StateFields, NamesReachTheirFieldsAndSettings)
{
    ResetInstrumentState();
    const StateField *hobbs = FindStateField("hobbsHours");
    ASSERT_NE(hobbs, nullptr);
    EXPECT_TRUE(WriteStateField(*hobbs, 10000));
    EXPECT_EQ(state.hobbsHours, 10000u);

    const StateField *unit = FindStateField("settings.pressureUnit");
    ASSERT_NE(unit, nullptr);
    state.settings.pressureUnit = 7;
    EXPECT_EQ(ReadStateField(*unit), 7);
    EXPECT_FALSE(WriteStateField(*unit, 256)); // does not fit 8 bits
    EXPECT_EQ(state.settings.pressureUnit, 7);

    const StateField *offset = FindStateField("settings.pressureCalOffset");
    ASSERT_NE(offset, nullptr);
    state.settings.pressureCalOffset = -12;
    EXPECT_EQ(StateFieldText(*offset), "-12");
}

TEST(StateFields, ArrayElementsByIndexOnlyWithinTheArray)
{
    ResetInstrumentState();
    uint16_t index = 0;
    const StateField *log = FindStateField("flightLogHours[23]", &index);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(index, 23);
    EXPECT_TRUE(WriteStateField(*log, 99, index));
    EXPECT_EQ(state.flightLogHours[23], 99);
    EXPECT_EQ(FindStateField("flightLogHours[24]"), nullptr);
    EXPECT_EQ(FindStateField("flightLogHours"), nullptr); // an array needs its index
    EXPECT_EQ(FindStateField("hobbsHours[0]"), nullptr);
    EXPECT_EQ(FindStateField("pressureUnit"), nullptr); // settings are prefixed
    EXPECT_EQ(FindStateField("flightLogHours[x]"), nullptr);
}

namespace {

size_t ElementSize(FieldType type)
{
    if (type == FieldType::Screen)
        return sizeof(ScreenHandler);
    return type == FieldType::U32 || type == FieldType::S32 ? 4 : 1;
}

} // namespace

// A field left out of the table shows as a gap wider than the padding before
// the next field's alignment.
TEST(StateFields, EveryFieldInDeclarationOrderWithoutGaps)
{
    size_t end = 0;
    for (size_t i = 0; i < StateFieldCount; ++i) {
        const StateField &field = StateFields[i];
        size_t size = ElementSize(field.type);
        ASSERT_GE(field.offset, end) << field.name;
        EXPECT_LT(field.offset - end, size) << "a field is missing before " << field.name;
        end = field.offset + size * field.count;
    }
    EXPECT_LT(sizeof(InstrumentState) - end, alignof(InstrumentState));
}

TEST(StateFields, ScreensByName)
{
    EXPECT_STREQ(ScreenName(MainMenuScreen), "MainMenuScreen");
    EXPECT_EQ(ScreenByName("RunScreen"), RunScreen);
    EXPECT_EQ(ScreenByName("NoSuchScreen"), nullptr);
    EXPECT_STREQ(ScreenName(nullptr), "-");
}

TEST(StateFields, EveryNameLeadsBackToItsFieldAndNothingElseDoes)
{
    for (size_t i = 0; i < StateFieldCount; ++i) {
        const StateField &field = StateFields[i];
        std::string name = field.name;
        if (field.count > 1) {
            uint16_t index = 0;
            EXPECT_EQ(FindStateField(name + "[" + std::to_string(field.count - 1) + "]", &index), &field);
            EXPECT_EQ(index, field.count - 1);
            EXPECT_EQ(FindStateField(name + "[" + std::to_string(field.count) + "]"), nullptr) << name;
        } else {
            EXPECT_EQ(FindStateField(name), &field) << name;
        }
    }
    for (const char *unknown :
         {"", "hobbs", "hobbsHoursX", "settings.", "settings.nothing", "rpmSamples[-1]"})
        EXPECT_EQ(FindStateField(unknown), nullptr) << unknown;
    for (size_t i = 0; i < ScreenCount; ++i) {
        EXPECT_EQ(ScreenByName(Screens[i].name), Screens[i].handler) << Screens[i].name;
        EXPECT_STREQ(ScreenName(Screens[i].handler), Screens[i].name);
    }
}
