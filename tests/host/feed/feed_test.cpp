// Engine data from a recording: the CSV reader, its pressure units, and the
// player driving the window's sliders.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cmath>

#include "host/feed/engine_log.h"
#include "host/feed/feed_datagram.h"
#include "host/feed/feed_player.h"
#include "host/feed/live_feed.h"
#include "host/run/form_recording.h"
#include "instrument/pressure_units.h"
#include "instrument/sensor_model.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace {

// Every column of the state view as it shows now.
std::string StateViewText(TForm1 &form)
{
    form.Act(FormAction::ShowStateView);
    std::string text;
    for (const auto &column : form.StateView()->Columns)
        text += column->Caption() + "\n";
    return text;
}

EngineLog Parsed(const std::string &text)
{
    EngineLog log;
    std::string error;
    EXPECT_TRUE(ParseEngineLog(text, "run.csv", &log, &error)) << error;
    return log;
}

} // namespace

// A feed's pressure in any of its units arrives as the count of that many
// millibar by the unit's physical definition.
TEST(FeedUnits, EveryUnitArrivesAsTheCountOfItsMillibar)
{
    struct Pressure {
        const char *unit;
        double value;
        int32_t count;
    };
    for (const Pressure &p : {Pressure{"mp_mbar", 1000, 1451}, Pressure{"mp_kpa", 100, 1451},
                              Pressure{"mp_psi", 14.5038, 1451}, Pressure{"mp_inhg", 29.53, 1451},
                              Pressure{"mp_inhg", 29.92, 1472}, Pressure{"mp_kpa", 300, 4096}}) {
        bool clamped = false;
        EXPECT_EQ(PressureCountFor(p.value * PhysicalMillibarPerUnit(p.unit), &clamped), p.count)
            << p.value << " " << p.unit;
    }
    EXPECT_EQ(PhysicalMillibarPerUnit("mp_egt"), 0.0);
}

TEST(EngineLog, ReadsItsColumnsAndInterpolates)
{
    // A byte-order mark, CRLF, hh:mm:ss, an unknown column, upper case.
    EngineLog log =
        Parsed("\xEF\xBB\xBFTime,EGT,mp_kpa,RPM\r\n00:00:00,300,100,1000\r\n00:01:00,900,80,2000\r\n");
    ASSERT_EQ(log.samples.size(), 2u);
    EXPECT_TRUE(log.hasPressure && log.hasSpeed);
    const EngineSample half = EngineLogAt(log, 30);
    EXPECT_DOUBLE_EQ(half.millibar, 900);
    EXPECT_DOUBLE_EQ(half.rpm, 1500);
    EXPECT_DOUBLE_EQ(EngineLogAt(log, -5).rpm, 1000);
    EXPECT_DOUBLE_EQ(EngineLogAt(log, 500).rpm, 2000);
    EXPECT_FALSE(Parsed("time,rpm\n0,0\n").hasPressure);
}

TEST(EngineLog, RecordingsThatCannotBeUsedAreRefusedWithTheLine)
{
    struct Refused {
        const char *text, *message;
    };
    for (const Refused &r : std::vector<Refused>{
             {"", "run.csv:0: empty: no header row"},
             {"0,29.9,2400\n", "run.csv:1: no header row"},
             {"mp_inhg,rpm\n29.9,2400\n", "run.csv:1: no time column"},
             {"time,oil\n0,80\n", "run.csv:1: neither a pressure column"},
             {"time,mp_inhg,mp_kpa\n", "run.csv:1: two pressure columns (mp_inhg and mp_kpa)"},
             {"time,rpm\n", "run.csv:1: no samples after the header"},
             {"time,rpm\n0,2400\nfive,2400\n", "run.csv:3: time \"five\" is neither seconds nor hh:mm:ss"},
             {"time,rpm\n0,nan\n", "run.csv:2: rpm \"nan\""},
             {"time,mp_psi\n0,inf\n", "run.csv:2: pressure \"inf\""},
             {"time,rpm\n0,1e999\n", "run.csv:2: rpm \"1e999\""},
             {"time,rpm\n0,0x10\n", "run.csv:2: rpm \"0x10\""},
             {"time,mp_inhg\n0,1e308\n", "run.csv:2: pressure \"1e308\" is out of range"},
             {"time,rpm\n10,2400\n5,2400\n", "run.csv:3: time goes backwards"},
             {"time,rpm\n0,2400,7\n", "run.csv:2: 3 fields where the header has 2"},
             {"time,rpm\n00:61:00,2400\n", "run.csv:2: time \"00:61:00\""},
         }) {
        EngineLog log;
        std::string error;
        EXPECT_FALSE(ParseEngineLog(r.text, "run.csv", &log, &error)) << r.text;
        EXPECT_EQ(error.rfind(r.message, 0), 0u) << error;
        EXPECT_TRUE(log.samples.empty());
    }
}

class FeedPlayerTest : public WindowTest {};

TEST_F(FeedPlayerTest, TheSlidersFollowTheRecordingOnTheWindowsClockUntilAHandTakesOver)
{
    state.settings.pulsesPerRev = 60;
    // 1000 mbar then 600 mbar; 2400 rpm throughout.
    FeedPlayer player(*form, Parsed("time,mp_mbar,rpm\n0,1000,2400\n10,600,2400\n20,600,2400\n"), "run.csv");
    EXPECT_EQ(form->TrackBar1.Position(), 1451);
    EXPECT_EQ(form->Label13.Caption(), "1451");
    EXPECT_EQ(form->TrackBar2.Position(), 120);
    headless::AdvanceClock(10000);
    Idle();
    EXPECT_EQ(form->TrackBar1.Position(), 799);
    // A hand on the RPM slider takes that channel back; pressure still follows.
    headless::MoveSlider(form->TrackBar2, 50);
    Idle();
    EXPECT_NE(form->StatusBar1.Caption().find("RPM slider taken back by hand"), std::string::npos)
        << form->StatusBar1.Caption();
    headless::AdvanceClock(10000);
    Idle();
    EXPECT_EQ(form->TrackBar2.Position(), 50);
    EXPECT_TRUE(player.Ended());
    EXPECT_NE(form->StatusBar1.Caption().find("The feed run.csv ended at 00:00:20"), std::string::npos)
        << form->StatusBar1.Caption();
    EXPECT_EQ(player.ClampedValues(), 0);
    const std::string view = StateViewText(*form);
    for (const char *line : {"ENGINE FEED\n", "file      run.csv\n",
                             "at        00:00:20 of 00:00:20 (ended)\n", "rpm       by hand"})
        EXPECT_NE(view.find(line), std::string::npos) << line << " missing from\n" << view;
}

TEST_F(FeedPlayerTest, ARecordingOfTheSessionWritesTheFeedNotItsMoves)
{
    TempFolder folder;
    WriteText(folder.File("run.csv"), "time,mp_mbar\n0,1000\n10,600\n");
    FormRecording recording;
    std::string error;
    ASSERT_TRUE(recording.Open(folder.File("session.txt"), error)) << error;
    recording.Attach(*form, "", "", folder.File("run.csv"));
    EngineLog log;
    ASSERT_TRUE(ReadEngineLog(folder.File("run.csv"), &log, &error)) << error;
    {
        FeedPlayer player(*form, log, "run.csv");
        headless::AdvanceClock(5000);
        headless::MoveSlider(form->TrackBar1, 77); // the hand's move is written
        Idle();
    }
    ASSERT_TRUE(recording.Finish(error)) << error;
    const std::string text = ReadText(folder.File("session.txt"));
    EXPECT_NE(text.find("\nfeed " + folder.File("run.csv") + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\npressure 77\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("pressure 1451"), std::string::npos) << "the feed's moves were written\n" << text;
}

TEST(FeedDatagram, TakesNameValueLinesAndRefusesWhatCannotBeTrusted)
{
    FeedValues values{};
    std::string why;
    ASSERT_TRUE(ParseFeedDatagram("mp_inhg=29.92 rpm=2400\n", &values, &why)) << why;
    EXPECT_NEAR(values.millibar, 1013.2, 0.05);
    EXPECT_EQ(values.rpm, 2400);
    ASSERT_TRUE(ParseFeedDatagram("egt=1350\r\nrpm=900\r\n", &values, &why)) << why;
    EXPECT_TRUE(std::isnan(values.millibar));
    for (const char *refused : {"", "rpm", "rpm=-1", "rpm=nan", "rpm=1 rpm=2", "mp_kpa=80 mp_psi=12",
                                "mp_inhg=1e308", "egt=1350", "rpm=0x10"}) {
        why.clear();
        EXPECT_FALSE(ParseFeedDatagram(refused, &values, &why)) << refused;
        EXPECT_FALSE(why.empty()) << refused;
    }
    EXPECT_FALSE(ParseFeedDatagram(std::string(MaxFeedDatagram - 8, ' ') + "rpm=2400 ", &values, &why));
}

TEST_F(FeedPlayerTest, ALiveFeedOnLoopbackDrivesTheSlidersAndGoesStale)
{
    state.settings.pulsesPerRev = 60;
    LiveFeed feed(*form, "udp:127.0.0.1:0");
    std::string error;
    ASSERT_TRUE(feed.Open(&error)) << error;
    {
        LiveFeed rival(*form, "udp:" + std::to_string(feed.Port()));
        EXPECT_FALSE(rival.Open(&error));
        EXPECT_NE(error.find("another program has the port"), std::string::npos) << error;
    }

    const int sender = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons((uint16_t)feed.Port());
    inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
    auto send = [&](const std::string &datagram) {
        sendto(sender, datagram.data(), datagram.size(), 0, (const sockaddr *)&to, sizeof to);
    };
    send("mp_mbar=1000 rpm=2400\n");
    send("rpm=lots\n");
    send(std::string(2000, 'x'));
    send("mp_inhg=17.72\n"); // 600 mbar; the speed holds
    headless::AdvanceClock(10);
    Idle();
    close(sender);
    EXPECT_EQ(feed.Taken(), 2);
    EXPECT_EQ(feed.Refused(), 2);
    EXPECT_EQ(form->TrackBar1.Position(), 799);
    EXPECT_EQ(form->TrackBar2.Position(), 120);
    const std::string view = StateViewText(*form);
    for (const char *line : {"taken     2\n", "refused   2\n", "clamped   0"})
        EXPECT_NE(view.find(line), std::string::npos) << line << " missing from\n" << view;
    headless::AdvanceClock(2100);
    Idle();
    EXPECT_TRUE(feed.Stale());
    EXPECT_NE(form->StatusBar1.Caption().find("is stale"), std::string::npos) << form->StatusBar1.Caption();
}

// 29.92 "Hg fed to the instrument shows in "Hg as 29.9, except when it is
// reached from below under the FAST filter, which settles one count low.
TEST_F(FeedPlayerTest, TheFilterDecidesTheLastDigitOfAFedPressure)
{
    struct Row {
        uint8_t filter;
        double fromInHg;
        int32_t shown; // tenths of "Hg
    };
    for (const Row &row : {Row{0, 29.92, 299}, Row{1, 31.0, 299}, Row{1, 25.0, 298}}) {
        SetUp();
        {
            FeedPlayer player(
                *form, Parsed("time,mp_inhg\n0," + std::to_string(row.fromInHg) + "\n5,29.92\n"), "run.csv");
            int32_t shown = -1;
            RunInstrument([&](long round) {
                if (round == SplashPasses + 1) {
                    state.settings.pressureUnit = UnitInchesHg;
                    state.settings.pressureFilter = row.filter;
                }
                headless::AdvanceClock(100); // a pass every 100 ms of the clock
                if (round == SplashPasses + 300) {
                    shown = state.pressureValue;
                    headless::Click(form->Button2);
                }
            });
            EXPECT_EQ(shown, row.shown) << "filter " << (int)row.filter << " from " << row.fromInHg;
        }
        TearDown();
    }
}
