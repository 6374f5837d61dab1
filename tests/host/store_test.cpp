#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "host/state_file/state_file.h"
#include "host/state_file/store.h"
#include "instrument/timekeeping.h"
#include "screens/flight_log_view.h"
#include "screens/time_adjust.h"
#include "support/screen_pass.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace {

class Store : public WindowTest {
  protected:
    void TearDown() override
    {
        CloseStore();
        SetStoreMessageHandler(nullptr);
        WindowTest::TearDown();
    }

    // Powers on and runs the engine at 2000 rpm for 160 s; the flight ends
    // 30 s later. Then, as a user: main menu, FLIGHT LOG, VIEW LOG (atView),
    // back, ERASE LOG, F1, the DONE message, VIEW LOG again (afterErase), OFF.
    void FlyThenViewAndErase(std::function<void()> atView, std::function<void()> afterErase)
    {
        std::vector<std::function<void()>> steps;
        // The key's pass changes screen; the next one draws it.
        TControl *const keys[] = {&form->Image5,  &form->Image5, &form->Button3, &form->Image5,
                                  &form->Button3, &form->Image5, nullptr,        &form->Image5,
                                  &form->Button3, &form->Image5, &form->Image3,  &form->Image5,
                                  &form->Button4, &form->Image5};
        for (TControl *key : keys) {
            steps.push_back(key ? std::function<void()>([key] { headless::Click(*key); }) : atView);
            steps.push_back([] {});
        }
        steps.push_back(afterErase);
        steps.push_back([this] { headless::Click(form->Button2); });

        bool flown = false;
        size_t next = 0;
        RunInstrument([&](long round) {
            long halfSeconds = round - SplashPasses - 1;
            if (halfSeconds == 0 || halfSeconds == 2 * 160)
                headless::MoveSlider(form->TrackBar2, halfSeconds == 0 ? 100 : 0);
            flown = flown || state.inFlight == 1;
            if (halfSeconds >= 0 && (!flown || state.inFlight == 1))
                headless::AdvanceClock(500); // one engine gate per pass
            else if (halfSeconds >= 0 && next < steps.size())
                steps[next++]();
        });
        EXPECT_EQ(next, steps.size());
    }

    TempFolder folder;
    std::string path = folder.File("store.toml");
};

} // namespace

TEST_F(Store, AThreeMinuteFlightIsEntryOneAndAnEraseEmptiesTheTable)
{
    ASSERT_TRUE(OpenStore(path, *form).ok); // created
    FlyThenViewAndErase(
        [&] {
            ASSERT_EQ(state.currentScreen, FlightLogViewScreen);
            EXPECT_EQ(CompareFrameWithReference("host/store_log_after_flight"), "");
            EXPECT_NE(ReadText(path).find("[\n    { hours = 0, minutes = 3 },\n    \"empty\","),
                      std::string::npos);
        },
        [&] {
            ASSERT_EQ(state.currentScreen, FlightLogViewScreen);
            for (int i = 0; i < 24; ++i)
                EXPECT_GT(state.flightLogHours[i], 99) << "entry " << i + 1;
            EXPECT_EQ(ReadText(path).find("hours ="), std::string::npos);
        });
    // The Hobbs meter ran 160 s; closing and opening the store keeps it.
    EXPECT_EQ(state.hobbsMinutes, 2);
    uint8_t seconds = state.hobbsSeconds;
    ASSERT_TRUE(CloseStore().ok);
    ResetInstrumentState();
    ASSERT_TRUE(OpenStore(path, *form).ok);
    EXPECT_EQ(state.hobbsMinutes, 2);
    EXPECT_EQ(state.hobbsSeconds, seconds);
    EXPECT_EQ(folder.Listing(), "store.toml");
}

TEST_F(Store, WithoutTheStoreFlightsAndErasesLeaveTheTableAsItWas)
{
    auto allZero = [] {
        for (int i = 0; i < 24; ++i)
            EXPECT_EQ(state.flightLogHours[i] | state.flightLogMinutes[i], 0) << "entry " << i + 1;
    };
    FlyThenViewAndErase(allZero, allZero);
}

// A save hook with no room for the store's listener: the store says which
// and stays closed, writing nothing.
static void Listen(HookId) {}
TEST_F(Store, AFullSaveHookKeepsTheStoreClosed)
{
    while (SubscribeHook(HookEraseFlightLog, Listen) != NoHookToken)
        ;
    StateFileResult opened = OpenStore(path, *form);
    EXPECT_FALSE(opened.ok || StoreIsOpen());
    EXPECT_EQ(opened.error,
              path + ": the store cannot follow EraseFlightLog: that hook has no room for another listener");
    EXPECT_EQ(HookListenerCount(HookSaveHobbs), 1) << "the hooks it did get are given back";
    EXPECT_EQ(folder.Listing(), "");
}

// 33 flights of a minute, each with its number in the hours: the slots wrap
// after 32, and the table lists the 24 newest, newest first.
TEST_F(Store, TheTableShowsTheNewestFlightsFirstAcrossTheSlotWrap)
{
    ASSERT_TRUE(OpenStore(path, *form).ok);
    state.settings.hobbsRpm = 1000;
    for (uint8_t flight = 1; flight <= 33; ++flight) {
        StartFlight();
        state.flightHours = flight;
        state.flightSeconds = 59;
        OneSecondBlock();
        EndFlight();
    }
    EXPECT_EQ(state.flightLogIndex, 1);
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(state.flightLogHours[i], 33 - i) << "entry " << i + 1;
        EXPECT_EQ(state.flightLogMinutes[i], 1) << "entry " << i + 1;
    }
}

TEST_F(Store, AFailedWriteIsReportedKeepsTheOldFileAndIsTriedAgainAtTheNextSave)
{
    std::vector<std::string> messages;
    SetStoreMessageHandler([&](const std::string &message) { messages.push_back(message); });
    std::string inner = folder.File("sub"), file = inner + "/store.toml";
    std::filesystem::create_directory(inner);
    ASSERT_TRUE(OpenStore(file, *form).ok);

    std::filesystem::remove_all(inner);
    state.settings.accessCode = 1111;
    testing::internal::CaptureStderr();
    SaveSettings();
    std::string stderrText = testing::internal::GetCapturedStderr();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Store not saved (will retry): " + file + ": ", 0), 0u) << messages[0];
    EXPECT_EQ(stderrText, messages[0] + "\n");

    std::filesystem::create_directory(inner);
    SaveSettings(); // nothing changed since the failed save: written all the same
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], "Store saved again: " + file);
    EXPECT_NE(ReadText(file).find("accessCode = 1111"), std::string::npos);
}

// What the instrument itself stores at the top of its ranges loads back
// unchanged: a decimal Hobbs fraction of 99, three-digit maintenance hours,
// a four-digit code, a flight saved at its 60th minute, the counter stopped
// at 10000 hours.
TEST_F(Store, StatesWrittenByTheInstrumentAtTheEdgesOfTheirRangesLoadBack)
{
    auto kept = [] {
        return std::to_string(state.hobbsHours) + ":" + std::to_string(state.hobbsMinutes) + ":" +
               std::to_string(state.hobbsSeconds) + " " + std::to_string(state.maintHours) + ":" +
               std::to_string(state.maintMinutes) + " " + std::to_string(state.settings.accessCode) + " " +
               std::to_string(state.flightLogHours[0]) + ":" + std::to_string(state.flightLogMinutes[0]);
    };
    auto loadsBack = [&] {
        InstrumentState before = state;
        memset(&state, 0, sizeof state);
        StateFileResult loaded = LoadStateFile(path, *form);
        EXPECT_TRUE(loaded.ok) << loaded.error;
        std::string back = kept();
        state = before;
        return back;
    };
    StartOnScreen(HobbsTimeAdjustScreen);
    ASSERT_TRUE(OpenStore(path, *form).ok);
    state.settings.hourFractionDecimal = 1;
    for (uint8_t &digit : state.entryDigits)
        digit = 9;
    PressTimes(KeyCentre, 6); // the Hobbs time editor stores 9999.99
    state.currentScreen = MaintTimeAdjustScreen;
    state.menuCursor = 0;
    PressTimes(KeyCentre, 3); // and the maintenance editor 999 hours
    state.settings.accessCode = 9999;
    SaveSettings();                                         // as leaving the main menu does
    EXPECT_EQ(loadsBack(), "9999:99:0 999:0 9999 255:255"); // a new store's log starts erased
    StartFlight();
    state.flightHours = 99;
    state.flightMinutes = 59;
    state.flightSeconds = 59;
    OneSecondBlock(); // saved at 99:60, just before the minutes roll over
    EXPECT_EQ(loadsBack(), "9999:99:0 999:0 9999 99:60");
    state.rpmValue = 1000;
    state.hobbsMinutes = 59;
    state.hobbsSeconds = 59;
    OneSecondBlock();
    EXPECT_EQ(loadsBack(), "10000:0:0 998:59 9999 99:60");
}
