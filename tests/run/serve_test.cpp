// qpx-run --serve: the answer to each kind of line, errors included, and
// that a session goes on after every one of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "host/run/serve.h"
#include "host/run/serve_answers.h"
#include "lcd/frame_layout.h"
#include "support/temp_folder.h"

namespace {

// The answers of a session given these lines, one a line.
std::vector<std::string> Answers(const std::string &lines, const RunOptions &options = {})
{
    std::istringstream in(lines);
    std::ostringstream out;
    Serve(in, out, options);
    std::vector<std::string> answers;
    std::istringstream text(out.str());
    for (std::string line; std::getline(text, line);)
        answers.push_back(line);
    return answers;
}

const std::string Ok = "{\"ok\":true}";
std::string Error(const std::string &message) { return "{\"ok\":false,\"error\":\"" + message + "\"}"; }

} // namespace

TEST(Serve, EachKindOfLineGetsItsAnswer)
{
    TempFolder folder;
    const std::string saved = folder.File("s.toml"), picture = folder.File("p.png");
    struct Row {
        std::string lines; // run in a fresh session; the last line's answer is checked
        std::string answer;
    };
    const Row rows[] = {
        {"on\nwait 3s", Ok},
        {"get hobbsHours", "{\"ok\":true,\"value\":0}"},
        {"on\nwait 3s\nget screen", "{\"ok\":true,\"value\":\"RunScreen\"}"},
        {"get settings.pressureUnit", "{\"ok\":true,\"value\":0}"},
        {"get entryDigits", "{\"ok\":true,\"value\":[0,0,0,0,0,0]}"},
        {"get flightLogHours[23]", "{\"ok\":true,\"value\":0}"},
        {"on\npressure 1500\nwait 4s\nget pressureMillibar", "{\"ok\":true,\"value\":1030}"},
        {"on\nwait 3s\nexpect screen RunScreen", Ok},
        {"on\nengine pressure 103kPa\nwait 4s\nget pressureMillibar", "{\"ok\":true,\"value\":1030}"},
        {"on\npressure 1500\nfault pressure open\nwait 4s\nget pressureMillibar",
         "{\"ok\":true,\"value\":0}"},
        {"on\nwait 3s\nexpect hobbsHours 3", Error("expected hobbsHours 3, found 0")},
        {"expect lamp red", Ok},
        {"expect-text MENU", Error("expected the text \\\"MENU\\\", found no text")},
        {"", Ok},
        {"  # a comment", Ok},
        {"texts", "{\"ok\":true,\"texts\":[]}"},
        {"on\npressure 1500\nwait 4s\npress knob\ntexts",
         "{\"ok\":true,\"texts\":[{\"x\":20,\"y\":0,\"text\":\" MAIN MENU \"},"
         "{\"x\":68,\"y\":18,\"text\":\"EXIT\"},{\"x\":68,\"y\":36,\"text\":"
         "\"MENU\"}]}"},
        {"save-state " + saved, Ok},
        {"load-state " + saved, Ok},
        {"on\nsave " + picture, Ok},
        {"load-state " + folder.File("none.toml"),
         Error(folder.File("none.toml") + ": cannot read: No such file or directory")},
        {"save " + folder.path + "/s.toml/x.png",
         Error("cannot create the folder " + saved + ": Not a directory")},
        {"save-state", Error("expected the state file to write, FILE.toml")},
        {"bogus", Error("unknown command \\\"bogus\\\"; expected on, off, press, turn, pressure, rpm, ramp, "
                        "engine, calibrate, keyfast, fault, seed, wait, load-state, feed, expect-frame, "
                        "expect-text, expect or save, or "
                        "a query: get FIELD, state, texts, frame, save-state FILE or quit")},
        {"wait 3 s", Error("bad duration \\\"3\\\"; expected a whole number with ms, s, m or h, such as "
                           "250ms, 2s, 90m or 10h")},
        {"get", Error("expected a field after get, such as pressureMillibar, settings.pressureUnit, "
                      "flightLogHours[3] or screen")},
        {"get lamp", Error("unknown field \\\"lamp\\\"; expected a field of the state record (hobbsHours, "
                           "settings.pressureUnit, flightLogHours[3], ...) or screen")},
        {"get hobbsHours now", Error("unexpected \\\"now\\\" after get FIELD")},
        {"frame 2", Error("unexpected \\\"2\\\" after frame")},
        {"state\tall", Error("unexpected \\\"all\\\" after state")},
        {"on\x01",
         Error("control character 0x01 at column 3; expected printable characters, spaces and tabs")},
        {"expect-text \"\xC3\xA9\xFF\"",
         Error("expected the text \\\"\xC3\xA9\xEF\xBF\xBD\\\" exactly, found no text")},
        {std::string(4097, ' '), Error("a line longer than 4096 bytes")},
        {"quit", Ok},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.lines);
        const std::vector<std::string> answers = Answers(row.lines + "\nget hobbsMinutes\n");
        // One answer a line, the last one's as expected, and the session
        // still answering after it (but after quit).
        const size_t lines = 1 + std::count(row.lines.begin(), row.lines.end(), '\n');
        const bool quit = row.lines == "quit";
        ASSERT_EQ(answers.size(), lines + !quit);
        EXPECT_EQ(answers[lines - 1], row.answer);
        EXPECT_EQ(answers.back(), quit ? Ok : "{\"ok\":true,\"value\":0}");
    }
    EXPECT_NE(ReadText(saved).find("hobbsHours = 0"), std::string::npos);
    EXPECT_TRUE(std::filesystem::file_size(picture) > 0);
}

TEST(Serve, TheFrameComesAsRowsOfDotsAndAsItsBytes)
{
    const std::vector<std::string> answers = Answers("on\nwait 3s\nframe\nstate\n");
    ASSERT_EQ(answers.size(), 4u);
    // The bytes of the base64 text, decoded here, hold the dots of the rows.
    const std::string &frame = answers[2];
    const size_t start = frame.find("\"base64\":\"") + 10;
    const std::string base64 = frame.substr(start, frame.size() - start - 2);
    ASSERT_EQ(base64.size(), 1368u) << frame;
    const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < base64.size(); i += 4) {
        uint32_t group = 0;
        for (size_t k = 0; k < 4; ++k)
            group = group << 6 | (base64[i + k] == '=' ? 0 : (uint32_t)digits.find(base64[i + k]));
        for (int k = 0; k < 3; ++k)
            bytes.push_back((uint8_t)(group >> (16 - 8 * k)));
    }
    bytes.resize(LcdFrameBytes);
    int dark = 0;
    for (int y = 0; y < LcdHeight; ++y) {
        const size_t row = 20 + (size_t)y * (LcdWidth + 3);
        ASSERT_EQ(frame[row - 1], '"');
        for (int x = 0; x < LcdWidth; ++x) {
            EXPECT_EQ(frame[row + x] == '#', FrameDot(bytes.data(), x, y)) << x << "," << y;
            dark += frame[row + x] == '#';
        }
    }
    EXPECT_GT(dark, 100);
    // The state holds every field but the frame buffer.
    EXPECT_EQ(answers[3].rfind("{\"ok\":true,\"state\":{\"menuCursor\":0,", 0), 0u);
    EXPECT_NE(answers[3].find("\"currentScreen\":\"RunScreen\""), std::string::npos);
    EXPECT_EQ(answers[3].find("lcdFrame"), std::string::npos);
}
