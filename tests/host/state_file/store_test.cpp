#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "host/form/form_state_files.h"
#include "instrument/state.h"
#include "instrument/timekeeping.h"
#include "screens/flight_log_view.h"
#include "screens/time_adjust.h"
#include "support/screen_pass.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace {

// A running qpx_store_writer (tests/kill/store_writer.cpp) and the pipes to
// its standard input, output and error.
struct Writer {
    pid_t pid = -1;
    int in = -1, out = -1, err = -1;
};

Writer StartWriter(const std::string &store)
{
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        return {};
    Writer writer;
    writer.pid = fork();
    if (writer.pid == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        execl(QPX_STORE_WRITER_PATH, QPX_STORE_WRITER_PATH, store.c_str(), (char *)nullptr);
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    writer.in = in[1];
    writer.out = out[0];
    writer.err = err[0];
    return writer;
}

// The count the writer says it opened; false when it ended first.
bool ReadOpened(const Writer &writer, int32_t *count)
{
    return read(writer.out, count, sizeof *count) == (ssize_t)sizeof *count; // a pipe: 4 bytes come whole
}

// Kills the writer or waits for it to end; returns its wait status. Its
// output and error, all of it now, go to *out and *err.
int StopWriter(Writer &writer, bool kill, std::string *out = nullptr, std::string *err = nullptr)
{
    if (kill)
        ::kill(writer.pid, SIGKILL);
    int status = 0;
    waitpid(writer.pid, &status, 0);
    for (auto [fd, text] : {std::pair{writer.out, out}, std::pair{writer.err, err}}) {
        char buffer[4096];
        ssize_t n;
        while ((n = read(fd, buffer, sizeof buffer)) > 0)
            if (text)
                text->append(buffer, (size_t)n);
        close(fd);
    }
    close(writer.in);
    return status;
}

int32_t HobbsCount() { return (int32_t)state.hobbsHours * 60 + state.hobbsMinutes; }

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
            for (int i = 0; i < FlightLogEntries; ++i)
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
    EXPECT_EQ(folder.Listing(), "store.toml store.toml.lock");
    ASSERT_TRUE(CloseStore().ok);
    EXPECT_EQ(folder.Listing(), "store.toml");
}

TEST_F(Store, WithoutTheStoreFlightsAndErasesLeaveTheTableAsItWas)
{
    auto allZero = [] {
        for (int i = 0; i < FlightLogEntries; ++i)
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
    for (int i = 0; i < FlightLogEntries; ++i) {
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

// The writer is killed at random moments, most of them while it saves one
// count after another: every time the store is complete and holds the count
// of the last save that finished or of the one under way, and the writer's
// next start removes any temporary file the kill left and takes over the
// dead writer's lock file.
TEST_F(Store, AWriterKilledAtAnyMomentLeavesTheLastCountOrTheNextAndItsNextStartCleansUp)
{
    constexpr int Kills = 300;
    constexpr int MaxDelayUs = 12000;
    ASSERT_TRUE(OpenStore(path, *form).ok);
    ASSERT_TRUE(CloseStore().ok);
    StateFileValues complete;
    ASSERT_TRUE(ReadStateFile(path, &complete).ok);
    auto temporaries = [&] {
        std::string names;
        for (const auto &entry : std::filesystem::directory_iterator(folder.path))
            if (entry.path().filename().string().rfind(".store.toml.tmp-", 0) == 0)
                names += entry.path().filename().string() + " ";
        return names;
    };

    void (*oldPipeHandler)(int) = signal(SIGPIPE, SIG_IGN); // a "go" to a writer killed early
    std::mt19937 random(20240611);
    int32_t stored = 0;
    int beforeWriting = 0, insideAWrite = 0;
    auto start = std::chrono::steady_clock::now();
    for (int kill = 1; kill <= Kills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        Writer writer = StartWriter(path);
        ASSERT_GT(writer.pid, 0);
        // One start in eight is killed while it starts or opens the store.
        bool early = random() % 8 == 0;
        if (!early) {
            int32_t opened = -1;
            if (!ReadOpened(writer, &opened)) {
                std::string err;
                StopWriter(writer, true, nullptr, &err);
                FAIL() << "the writer did not open the store: " << err;
            }
            EXPECT_EQ(opened, stored);
            EXPECT_EQ(temporaries(), "") << "left by the kill before, and still there after a start";
            EXPECT_EQ(ReadText(path + ".lock"), std::to_string(writer.pid) + "\n");
            EXPECT_EQ(write(writer.in, "g", 1), 1);
        }
        usleep(std::uniform_int_distribution<useconds_t>(0, MaxDelayUs)(random));
        std::string out;
        StopWriter(writer, true, &out);

        // An early kill may come after the writer told what it opened.
        if (early && out.size() >= sizeof(int32_t)) {
            int32_t opened;
            memcpy(&opened, out.data(), sizeof opened);
            EXPECT_EQ(opened, stored);
            out.erase(0, sizeof opened);
        }
        beforeWriting += out.empty();
        insideAWrite += !temporaries().empty();
        StateFileValues found;
        StateFileResult read = ReadStateFile(path, &found);
        ASSERT_TRUE(read.ok) << read.error;
        ASSERT_EQ(found.values.size(), complete.values.size()) << "a store cut short:\n" << ReadText(path);
        ASSERT_EQ(found.controls, complete.controls) << "a store cut short:\n" << ReadText(path);
        ASSERT_TRUE(found.hasFlightLog);
        ASSERT_TRUE(LoadStateFile(path, *form).ok);
        // The counts the writer began to save, each before its save.
        std::vector<int32_t> begun(out.size() / sizeof(int32_t));
        if (!begun.empty())
            memcpy(begun.data(), out.data(), begun.size() * sizeof(int32_t));
        for (size_t i = 0; i < begun.size(); ++i)
            ASSERT_EQ(begun[i], stored + 1 + (int32_t)i);
        if (begun.empty())
            EXPECT_EQ(HobbsCount(), stored);
        else
            EXPECT_TRUE(HobbsCount() == begun.back() || HobbsCount() == begun.back() - 1)
                << HobbsCount() << " found after beginning " << begun.back();
        stored = HobbsCount();
    }
    signal(SIGPIPE, oldPipeHandler);
    long ms =
        (long)std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    std::cout << "store kill test: " << Kills << " kills (" << beforeWriting << " before the first save, "
              << insideAWrite << " inside a save), " << stored << " saves completed, " << ms << " ms\n";
    EXPECT_GT(insideAWrite, 0) << "no kill fell inside a save: the test showed nothing";

    // The next start cleans up after the last kill, and closing leaves only the store.
    ASSERT_TRUE(OpenStore(path, *form).ok);
    EXPECT_EQ(HobbsCount(), stored);
    EXPECT_EQ(folder.Listing(), "store.toml store.toml.lock");
    ASSERT_TRUE(CloseStore().ok);
    EXPECT_EQ(folder.Listing(), "store.toml");
}

// A full disk, as a file size limit makes it: the save fails with the reason
// in the status bar and on the standard error, the old file stays, and the
// first save after there is room again writes the file.
TEST_F(Store, OnAFullDiskASaveFailsKeepsTheOldFileSaysWhyAndTheNextSaveWrites)
{
    ShowStoreMessagesIn(*form);
    ASSERT_TRUE(OpenStore(path, *form).ok);
    const double rooms[] = {0.5, 0.999}; // room for half of the new file, and for all but its last byte
    for (double room : rooms) {
        SCOPED_TRACE(room);
        state.hobbsMinutes = (uint8_t)(state.hobbsMinutes + 1);
        AgeFile(path);
        std::string before = Stamp(path);
        rlimit limit{}, saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        limit = saved;
        limit.rlim_cur = (rlim_t)((double)StateFileText(*form).size() * room);
        ASSERT_LT(limit.rlim_cur, StateFileText(*form).size());
        void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
        testing::internal::CaptureStderr();
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        SaveHobbs();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::string said = testing::internal::GetCapturedStderr();
        signal(SIGXFSZ, oldHandler);

        std::string why = "Store not saved (will retry): " + path + ": cannot write: " + strerror(EFBIG);
        EXPECT_EQ(said, why + "\n");
        EXPECT_NE(form->StatusBar1.Caption().find(why), std::string::npos) << form->StatusBar1.Caption();
        EXPECT_EQ(Stamp(path), before);
        EXPECT_EQ(folder.Listing(), "store.toml store.toml.lock");

        SaveHobbs();
        EXPECT_NE(form->StatusBar1.Caption().find("Store saved again: " + path), std::string::npos)
            << form->StatusBar1.Caption();
        EXPECT_NE(ReadText(path).find("hobbsMinutes = " + std::to_string(state.hobbsMinutes) + "\n"),
                  std::string::npos);
    }
}

// One store, one program: a second opener is refused before it reads
// anything, with the holder's process id, until the holder closes the store
// or dies.
TEST_F(Store, ASecondOpenerIsRefusedNamingTheHolderUntilTheHolderClosesOrDies)
{
    auto inUseBy = [&](pid_t pid) {
        return path + ": the store is in use by process " + std::to_string(pid) + " (it holds " + path +
               ".lock); close that program first";
    };
    ASSERT_TRUE(OpenStore(path, *form).ok);
    Writer second = StartWriter(path);
    std::string err;
    int status = StopWriter(second, false, nullptr, &err);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
    EXPECT_EQ(err, "qpx_store_writer: " + inUseBy(getpid()) + "\n");
    ASSERT_TRUE(CloseStore().ok);
    EXPECT_EQ(folder.Listing(), "store.toml");

    Writer first = StartWriter(path);
    int32_t opened = -1;
    ASSERT_TRUE(ReadOpened(first, &opened)); // it holds the store
    StateFileResult refused = OpenStore(path, *form);
    EXPECT_FALSE(refused.ok || StoreIsOpen());
    EXPECT_EQ(refused.error, inUseBy(first.pid));
    StopWriter(first, true);
    EXPECT_EQ(ReadText(path + ".lock"), std::to_string(first.pid) + "\n"); // left by the dead writer
    ASSERT_TRUE(OpenStore(path, *form).ok);
    EXPECT_EQ(ReadText(path + ".lock"), std::to_string(getpid()) + "\n");
}

// Form or not: it hands over the controls the file gives, and writes those it is given.
TEST_F(Store, TakesAndGivesTheControlsThroughItsOpener)
{
    WriteText(path, "hobbsHours = 7\n[controls]\nrpm = 300\n");
    ControlValues applied, present, fromFile;
    present[Control::Pressure] = 55;
    fromFile[Control::Rpm] = 300;
    StateFileResult opened =
        OpenStore(path, {[&] { return present; }, [&](const ControlValues &values) { applied = values; }});
    ASSERT_TRUE(opened.ok) << opened.error;
    EXPECT_TRUE(applied == fromFile && state.hobbsHours == 7u);
    present[Control::Pressure] = 56; // read again when it writes
    ASSERT_TRUE(CloseStore().ok);
    const std::string text = ReadText(path);
    EXPECT_TRUE(text.find("pressure = 56") != std::string::npos && text.find("rpm") == std::string::npos)
        << text;
}
