// Where a replay starts and what the status bar says as a feed runs: times
// as users write them, the start point, the recording's time, a live feed
// waiting for its first datagram.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "host/feed/feed_player.h"
#include "host/feed/live_feed.h"
#include "instrument/sensor_model.h"
#include "support/window_fixture.h"

namespace {

EngineLog Parsed(const std::string &text)
{
    EngineLog log;
    std::string error;
    EXPECT_TRUE(ParseEngineLog(text, "run.csv", &log, &error)) << error;
    return log;
}

// Ten minutes from 1000 mbar down to 400 mbar; 600 to 2400 rpm.
const char TenMinutes[] = "time,mp_mbar,rpm\n0,1000,600\n600,400,2400\n";

class FeedStart : public WindowTest {};

} // namespace

TEST(RecordingTime, UsersFormsAreReadAndWrittenBack)
{
    struct Case {
        const char *text;
        int64_t ms; // -1: refused
        const char *written;
    } cases[] = {
        {"00:35:00", 2100000, "00:35:00"},
        {"1:05:30", 3930000, "01:05:30"},
        {"35:00", 2100000, "00:35:00"},
        {"2100", 2100000, "00:35:00"},
        {"90.5", 90500, "00:01:30.500"},
        {"0:00:01.25", 1250, "00:00:01.250"},
        {"26:00:00", 93600000, "26:00:00"},
        {"0", 0, "00:00:00"},
        {"", -1, ""},
        {"35:60", -1, ""},
        {"1:5:00", -1, ""},
        {"1:2:3:4", -1, ""},
        {"-5", -1, ""},
        {"5.", -1, ""},
        {"5.1234", -1, ""},
        {"1.5:00", -1, ""},
        {"12 s", -1, ""},
        {":30", -1, ""},
        {"1e3", -1, ""},
        {"9999999999", -1, ""},
    };
    for (const Case &c : cases) {
        int64_t ms = -1;
        EXPECT_EQ(ParseRecordingTime(c.text, &ms), c.ms >= 0) << c.text;
        if (c.ms < 0)
            continue;
        EXPECT_EQ(ms, c.ms) << c.text;
        EXPECT_EQ(RecordingTimeText(ms), c.written) << c.text;
        int64_t again = -1;
        EXPECT_TRUE(ParseRecordingTime(RecordingTimeText(ms), &again) && again == ms) << c.text;
    }
}

// At its start the replay delivers what the recording holds at the chosen
// moment, and the status bar shows the recording's time as it plays.
TEST_F(FeedStart, TheReplayStartsAtTheChosenMomentAndShowsItsTime)
{
    state.settings.pulsesPerRev = 60;
    const EngineLog log = Parsed(TenMinutes);
    struct Case {
        int64_t fromMs;
        const char *shown; // the status bar's feed part at the start
    } cases[] = {{0, "run.csv 00:00:00 / 00:10:00"},
                 {150000, "run.csv 00:02:30 / 00:10:00"},
                 {600000, "run.csv 00:10:00 / 00:10:00 (ended)"}};
    for (const Case &c : cases) {
        SetUp();
        {
            FeedPlayer player(*form, log, "data/run.csv", c.fromMs);
            const EngineSample at = EngineLogAt(log, c.fromMs / 1000.0);
            bool clamped;
            EXPECT_EQ(form->TrackBar1.Position(), PressureCountFor(at.millibar, &clamped)) << c.fromMs;
            EXPECT_EQ(form->TrackBar2.Position(), PulseCountFor(at.rpm, &clamped)) << c.fromMs;
            EXPECT_NE(form->StatusBar1.Caption().find(c.shown), std::string::npos)
                << form->StatusBar1.Caption();
            EXPECT_EQ(player.Ended(), c.fromMs == 600000);
            if (c.fromMs == 150000) {
                EXPECT_NE(player.StartMessage().find("speed from \"rpm\"; 0 columns unused; from 00:02:30"),
                          std::string::npos)
                    << player.StartMessage();
                headless::AdvanceClock(3000);
                Idle();
                EXPECT_NE(form->StatusBar1.Caption().find("run.csv 00:02:33 / 00:10:00"), std::string::npos)
                    << form->StatusBar1.Caption();
            }
        }
        EXPECT_EQ(form->StatusBar1.Caption().find("run.csv 00:"), std::string::npos)
            << "the feed's part outlived it: " << form->StatusBar1.Caption();
        TearDown();
    }
    std::string error;
    EXPECT_TRUE(CheckRecordingStart(log, "run.csv", 600000, &error));
    EXPECT_FALSE(CheckRecordingStart(log, "run.csv", 600001, &error));
    EXPECT_EQ(error, "run.csv: the replay cannot start at 00:10:00.001: the recording ends at 00:10:00");
}

// Until a datagram comes the feed waits and is never stale; refused
// datagrams are counted where the user sees them.
TEST_F(FeedStart, ALiveFeedWaitsForItsFirstDatagramBeforeItCanGoStale)
{
    LiveFeed feed(*form, "udp:127.0.0.1:0");
    std::string error;
    ASSERT_TRUE(feed.Open(&error)) << error;
    const std::string port = std::to_string(feed.Port());
    headless::AdvanceClock(5000);
    Idle();
    EXPECT_FALSE(feed.Stale());
    EXPECT_NE(form->StatusBar1.Caption().find("waiting for the first datagram on udp:" + port),
              std::string::npos)
        << form->StatusBar1.Caption();

    const int sender = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons((uint16_t)feed.Port());
    inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
    for (const char *datagram : {"rpm=lots", "rpm=2400"})
        sendto(sender, datagram, strlen(datagram), 0, (const sockaddr *)&to, sizeof to);
    close(sender);
    headless::AdvanceClock(10);
    Idle();
    EXPECT_NE(form->StatusBar1.Caption().find("live, 1 refused"), std::string::npos)
        << form->StatusBar1.Caption();
    headless::AdvanceClock(2100);
    Idle();
    EXPECT_TRUE(feed.Stale());
    EXPECT_NE(form->StatusBar1.Caption().find("stale, 1 refused"), std::string::npos)
        << form->StatusBar1.Caption();
}
