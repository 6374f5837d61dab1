// Where a replay starts and what the status bar says as a feed runs: times
// as users write them, the start point, a live feed awaiting its first datagram.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "host/feed/feed_player.h"
#include "host/feed/live_feed.h"
#include "instrument/sensor_model.h"
#include "support/window_fixture.h"

namespace {
class FeedStart : public WindowTest {
  protected:
    std::string Bar() const { return form->StatusBar1.Caption(); }
    bool Shows(const std::string &part) const { return Bar().find(part) != std::string::npos; }
};
} // namespace

TEST(RecordingTime, UsersFormsAreReadAndWrittenBack)
{
    const std::tuple<const char *, int64_t, const char *> cases[] = {
        {"00:35:00", 2100000, "00:35:00"},  {"1:05:30", 3930000, "01:05:30"},
        {"35:00", 2100000, "00:35:00"},     {"2100", 2100000, "00:35:00"},
        {"90.5", 90500, "00:01:30.500"},    {"0:00:01.25", 1250, "00:00:01.250"},
        {"26:00:00", 93600000, "26:00:00"}, {"0", 0, "00:00:00"},
    };
    for (const auto &[text, want, written] : cases) {
        int64_t ms = -1, again = -1;
        EXPECT_TRUE(ParseRecordingTime(text, &ms)) << text;
        EXPECT_EQ(ms, want) << text;
        EXPECT_EQ(RecordingTimeText(ms), written) << text;
        EXPECT_TRUE(ParseRecordingTime(RecordingTimeText(ms), &again) && again == ms) << text;
    }
    for (const char *refused : {"", "35:60", "1:5:00", "1:2:3:4", "-5", "5.", "5.1234", "1.5:00", "12 s",
                                ":30", "1e3", "9999999999"}) {
        int64_t ms = -1;
        EXPECT_FALSE(ParseRecordingTime(refused, &ms)) << refused;
    }
}

// The replay starts with what the recording holds at the chosen moment and
// shows the recording's time as it plays, and no longer once it is gone.
TEST_F(FeedStart, TheReplayStartsAtTheChosenMomentAndShowsItsTime)
{
    state.settings.pulsesPerRev = 60;
    EngineLog log; // ten minutes, 1000 to 400 mbar, 600 to 2400 rpm
    std::string error;
    ASSERT_TRUE(ParseEngineLog("time,mp_mbar,rpm\n0,1000,600\n600,400,2400\n", "run.csv", &log, &error));
    for (const auto &[fromMs, shown] :
         std::vector<std::pair<int64_t, const char *>>{{0, "run.csv 00:00:00 / 00:10:00"},
                                                       {150000, "run.csv 00:02:30 / 00:10:00"},
                                                       {600000, "run.csv 00:10:00 / 00:10:00 (ended)"}}) {
        SetUp();
        {
            FeedPlayer player(*form, log, "data/run.csv", fromMs);
            const EngineSample at = EngineLogAt(log, fromMs / 1000.0);
            bool clamped;
            EXPECT_EQ(form->TrackBar1.Position(), PressureCountFor(at.millibar, &clamped)) << fromMs;
            EXPECT_EQ(form->TrackBar2.Position(), PulseCountFor(at.rpm, &clamped)) << fromMs;
            EXPECT_TRUE(Shows(shown)) << Bar();
            EXPECT_EQ(player.Ended(), fromMs == 600000);
            if (fromMs == 150000) {
                EXPECT_NE(player.StartMessage().find("speed from \"rpm\"; 0 columns unused; from 00:02:30"),
                          std::string::npos)
                    << player.StartMessage();
                headless::AdvanceClock(3000);
                Idle();
                EXPECT_TRUE(Shows("run.csv 00:02:33 / 00:10:00")) << Bar();
            }
        }
        EXPECT_FALSE(Shows("run.csv 00:")) << Bar();
        TearDown();
    }
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
    const auto shows = [&](int64_t ms, const std::string &part) {
        headless::AdvanceClock(ms);
        Idle();
        EXPECT_TRUE(Shows(part)) << Bar();
    };
    shows(5000, "waiting for the first datagram on udp:" + std::to_string(feed.Port()));
    EXPECT_FALSE(feed.Stale());
    const int sender = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons((uint16_t)feed.Port());
    inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
    for (const char *datagram : {"rpm=lots", "rpm=2400"})
        sendto(sender, datagram, strlen(datagram), 0, (const sockaddr *)&to, sizeof to);
    close(sender);
    shows(10, "live, 1 refused");
    shows(2100, "stale, 1 refused");
    EXPECT_TRUE(feed.Stale());
}
