// Opening files in the window: Ctrl+O's chooser and a drop take a state
// file or a recording by its content, through the readers of --state and
// --feed; what is refused changes nothing and the status bar says why.
#include <sstream>

#include "host/app/feed_slot.h"
#include "host/run/form_recording.h"
#include "instrument/sensor_model.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace {

class OpenFiles : public WindowTest {
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        state.settings.pulsesPerRev = 60;
        for (const auto &[name, text] : std::vector<std::pair<const char *, std::string>>{
                 {"run.csv", "time,mp_mbar,rpm\n0,1000,2400\n60,600,1200\n"},
                 {"second run.csv", "time,rpm\n0,600\n10,600\n"},
                 {"backwards.csv", "time,mp_mbar\n10,1000\n5,600\n"},
                 {"state.toml", "[controls]\npressure = 1234\n"},
                 {"bad.toml", "[controls]\npressure = \"high\"\n"},
                 {"blob.bin", std::string("\x89PNG\0\0", 6)}})
            WriteText(folder.File(name), text);
    }
    std::string Status() const { return form->StatusBar1.Caption(); }

    TempFolder folder;
    std::ostringstream log;
};

} // namespace

// A recorded session replays the recording Ctrl+O opened, not its moves.
TEST_F(OpenFiles, EachFileGoesToItsReaderAndWhatIsRefusedChangesNothing)
{
    FormRecording recording;
    std::string error;
    ASSERT_TRUE(recording.Open(folder.File("session.txt"), error)) << error;
    recording.Attach(*form);
    FeedSlot feeds(*form, log, "qpx-sim");
    feeds.OnOpened = [&recording](const FeedRequest &opened) { recording.FeedStarted(opened); };
    headless::AnswerFileChooser(""); // cancelled: nothing happens
    headless::PressKey(*form, 'o', false, true);
    Idle();
    EXPECT_EQ(headless::FileChooserQuestions(), 1);
    EXPECT_EQ(form->TrackBar1.Position(), 1);
    headless::AdvanceClock(2500);
    struct Case {
        const char *file;
        char how; // by Ctrl+O's Chooser, Opened, Dropped as a file manager names it
        int32_t pressure, speed;
        const char *status;
    } cases[] = {
        {"run.csv", 'c', 1451, 120,
         ": time from \"time\", pressure from \"mp_mbar\" (mbar), speed from \"rpm\""},
        {"backwards.csv", 'd', 1451, 120, "Recording not replayed: "},
        {"bad.toml", 'd', 1451, 120, "State not loaded: "},
        {"blob.bin", 'o', 1451, 120, "Not opened: "},
        {"state.toml", 'd', 1234, 120, "State loaded from "},
        {"second run.csv", 'd', 1234, 30, "(in place of the feed "},
    };
    for (const Case &c : cases) {
        std::string path = folder.File(c.file), uri = "file://";
        for (char ch : path)
            uri += ch == ' ' ? std::string("%20") : std::string(1, ch);
        headless::AnswerFileChooser(path);
        if (c.how == 'c')
            headless::PressKey(*form, 'O', false, true);
        else if (c.how == 'o')
            form->OnOpenFile(path);
        else
            headless::DropFiles(*form, uri + "\r\n");
        Idle();
        EXPECT_EQ(headless::FileChooserQuestions(), c.how == 'c' ? 1 : 0) << c.file;
        EXPECT_EQ(form->TrackBar1.Position(), c.pressure) << c.file;
        EXPECT_EQ(form->TrackBar2.Position(), c.speed) << c.file;
        EXPECT_NE(Status().find(c.status), std::string::npos) << c.file << ": " << Status();
    }
    EXPECT_NE(log.str().find("qpx-sim: " + folder.File("backwards.csv") + ":3: time goes backwards"),
              std::string::npos)
        << log.str();
    EXPECT_NE(Status().find("second run.csv 00:00:00 / 00:00:10"), std::string::npos) << Status();
    feeds.End();
    ASSERT_TRUE(recording.Finish(error)) << error;
    const std::string text = ReadText(folder.File("session.txt"));
    EXPECT_NE(text.find("\nwait 2500ms\nfeed " + folder.File("run.csv") + "\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("pressure 1451"), std::string::npos) << "the feed's moves were written\n" << text;
}
