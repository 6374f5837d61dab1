// The recording reader: dialects, time forms, flight-data logs, the column
// map, what it says it understood, what it refuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>

#include "host/feed/engine_log.h"
#include "host/feed/engine_log_reader.h"
#include "support/temp_folder.h"

namespace {

constexpr double InHg = 33.8638866667; // millibar

// Two engines' columns, pressure in unit; rows "date, time, MAP1, RPM1, MAP2, RPM2".
std::string FlightLog(const std::vector<std::string> &rows, const std::string &unit = "Hg")
{
    std::string text =
        "#airframe_info, log_version=\"1.00\", airframe_name=\"Test\", \n#yyy-mm-dd, hh:mm:ss, " + unit +
        ",  rpm, " + unit + ",  rpm, deg F, ident\n  Lcl Date, Lcl Time, E1 MAP, " +
        "E1 RPM, E2 MAP, E2 RPM, E1 CHT1, AtvWpt\n";
    for (const std::string &row : rows)
        text += row + ", 350.5, GPS \n";
    return text;
}

} // namespace

TEST(EngineLog, ReadsDialectsTimeFormsFlightLogsAndTheColumnMap)
{
    const std::vector<std::string> run = {
        "          ,         ,  5.00,  500.0,  1.0, 100", // no time yet: no sample
        "2026-03-11, 23:59:58, 20.00, 1000.0, 10.0, 900",
        "2026-03-11, 23:59:59,      , 1200.0, 11.0, 950", // a missed pressure
        "2026-03-11, 23:59:59, 22.00,       , 12.0, 960", // the later row stands
        "2026-03-12, 00:00:01, 26.00, 2000.0, 14.0, 980",
    };
    const std::string gaps = "time,mp_mbar,rpm\n0,1000,\n10,,1000\n20,800,3000\n"; // each channel its own
    struct Read {
        std::string text;
        double at, millibar, rpm; // millibar NaN: no pressure
        EngineLogOptions options;
        Read(std::string t, double a, double m, double r, std::string columns = "", int engine = 1)
            : text(t), at(a), millibar(m), rpm(r), options{engine, columns}
        {
        }
    } const reads[] = {
        {"time;mp_mbar;rpm\n0;1000,5;2400\n10;1010,5;2500\n", 5, 1005.5, 2450},
        {"time\tmp_kpa\trpm\n0\t100\t2400\n", 0, 1000, 2400},
        {"time,\tmp_kpa,\trpm\n0,\t100,\t2400\n", 0, 1000, 2400},
        {"\"time\",\"note, with comma\",\"rpm\"\n0,\"a, b\",2400\n", 0, NAN, 2400},
        {"time,note,rpm\n0,\"say \"\"hi\"\"\",2400\n", 0, NAN, 2400},
        {"time,note,rpm\n0,he said \"hi\",2400\n1,\"12\" in ,2500\n", 1, NAN, 2500},
        {"time,mp_mbar\n0,\"10\"00\n", 0, 1000, 0},
        {"time;rpm\n0,5;1000\n1,5;2000\n", 1, NAN, 1500},
        {"time,rpm\n00:00:01.500,1000\n00:00:02.500,2000\n", 2, NAN, 1500},
        {"time,rpm\n2026-03-11T23:59:59,1000\n2026-03-12 00:00:01,2000\n", 1, NAN, 1500},
        {"time,rpm\n2026-03-11T10:00:00Z,1000\n2026-03-11T12:00:10+02:00,2000\n", 5, NAN, 1500},
        {"time;rpm\n00:00:00,0;1000\n00:00:02,0;2000\n", 1, NAN, 1500},
        {gaps, 5, 950, 1000},
        {gaps, 15, 850, 2000},
        {"Zeit;\"Drehzahl; 1/min\";MAP\n0;2400;25,3\n", 0, 25.3 * InHg, 2400,
         "time=Zeit, rpm=\"Drehzahl; 1/min\",mp_inhg=MAP"},
        {"T , \"a=b\"\n0,2400\n", 0, NAN, 2400, "time= T ,rpm=\"a=b\""},
        {"T,R\n15:58:09,1000\n15:58:19,2000\n", 5, NAN, 1500, "time=T,rpm=R"},
        {FlightLog(run), 0, 20 * InHg, 1000},
        {FlightLog(run), 1, 22 * InHg, 1000 + 1000.0 / 3},
        {FlightLog(run), 2.25, 24.5 * InHg, 1750},
        {FlightLog(run), 9, 26 * InHg, 2000},
        {FlightLog(run), 1, 12 * InHg, 960, "", 2},
        {FlightLog(run, "inch"), 0, 20 * InHg, 1000},
        {FlightLog(run, "psi"), 0, 20 * PhysicalMillibarPerUnit("mp_psi"), 1000},
        {FlightLog({run[1]}), 0, 100, 0, "time=Lcl Time,mp_kpa=E2 MAP"},
    };
    for (const Read &r : reads) {
        EngineLog log;
        std::string error;
        ASSERT_TRUE(ParseEngineLog(r.text, "run.csv", &log, &error, r.options)) << error << r.text;
        const EngineSample sample = EngineLogAt(log, r.at);
        EXPECT_EQ(log.hasPressure, !std::isnan(r.millibar)) << r.text;
        if (log.hasPressure) {
            EXPECT_NEAR(sample.millibar, r.millibar, 1e-6) << r.text << " at " << r.at;
        }
        EXPECT_NEAR(sample.rpm, r.rpm, 1e-6) << r.text << " at " << r.at;
    }
}

// Read: all it says it understood; refused: the start of why, naming the line.
TEST(EngineLog, SaysWhatDrivesWhatOrWhyItRefuses)
{
    struct Case {
        std::string text;
        bool read;
        std::string message;
        EngineLogOptions options;
        Case(std::string t, bool r, std::string m, std::string columns = "", int engine = 1)
            : text(t), read(r), message(m), options{engine, columns}
        {
        }
    };
    const std::string row = "2026-03-11, 15:58:09, 30.30, 2480.2, 1, 2";
    const std::string dated = "run.csv: time from \"Lcl Date\"+\"Lcl Time\", pressure from \"E";
    const std::string none = "neither \"E1 MAP\" nor \"E1 RPM\" is a column; the columns are \"";
    const Case cases[] = {
        {FlightLog({row}), true, dated + "1 MAP\" (\"Hg), speed from \"E1 RPM\"; 4 columns unused"},
        {FlightLog({"2026-03-11, 15:58:09, 30.30, , 1, 2"}, "mbar"), true,
         dated + "2 MAP\" (mbar), speed from \"E2 RPM\"; 4 columns unused", "", 2},
        {"time,mp_inhg,rpm\n0,29.9,0\n", true,
         "run.csv: time from \"time\", pressure from \"mp_inhg\" (\"Hg), speed from \"rpm\"; 0 columns "
         "unused"},
        {"Time,EGT,RPM\n0,1,0\n", true, "run.csv: time from \"Time\", speed from \"RPM\"; 1 column unused"},
        {FlightLog({"2026-03-11, 15:58:09, , 2480.2, 1, 2"}), true,
         dated + "1 MAP\" (\"Hg, no value), speed from \"E1 RPM\"; 4 columns unused"},
        {"#airframe_info, x\n#u, v\n  Lcl Date, Lcl Time, OAT\n", false,
         "run.csv:3: " + none + "Lcl Date\", \"Lcl Time\", \"OAT\""},
        {"#airframe_info\n#u\na,b,c,d,e,f,g,h,i,j,k\n0,1,2,3,4,5,6,7,8,9,10\n", false,
         "run.csv:3: " + none +
             "a\", \"b\", \"c\", \"d\", \"e\", \"f\", \"g\", \"h\", \"i\", \"j\" and 1 more"},
        {FlightLog({}, "bar"), false,
         "run.csv:2: the unit \"bar\" in column 3 (\"E1 MAP\") cannot be converted"},
        {FlightLog({row, "2026-03-11, 15:58:08, 30.30, 2480.2, 1, 2"}), false,
         "run.csv:5: time goes backwards"},
        {FlightLog({"2026-02-30, 15:58:09, 30.30, 2480.2, 1, 2"}), false,
         "run.csv:4: date \"2026-02-30\" in column 1 (\"Lcl Date\") is not yyyy-mm-dd"},
        {FlightLog({"2026-03-11, 15:58:09, NoSoln, 2480.2, 1, 2"}), false,
         "run.csv:4: pressure \"NoSoln\" in column 3 (\"E1 MAP\") is not a number of 0 or more"},
        {"#airframe_info\n#u\n", false, "run.csv:2: a flight-data log that ends before its column names"},
        {"time,rpm\n0,2400\n", false, "run.csv:1: engine 2 is for flight-data logs", "", 2},
        {"time,rpm\n0,2400\n", false, "engine 3: a log names engines 1 and 2", "", 3},
        {"Time,MAP\n0,25\n", false,
         "run.csv:1: no column \"Map\" for mp_inhg; the columns are \"Time\", \"MAP\"",
         "time=Time,mp_inhg=Map"},
        {"Time\n0\n", false, "column map \"time=Time,egt=EGT\": \"egt\" is none of", "time=Time,egt=EGT"},
        {"Time\n0\n", false, "column map \"time=\"Time\": the header for time is quoted wrongly",
         "time=\"Time"},
        {"Time\n0\n", false, "column map \"rpm=RPM\": no time", "rpm=RPM"},
        {"time,rpm\n0,\n", false, "run.csv:2: no pressure and no rpm value in any row"},
        {"time,rpm\n0,\"2400\n", false, "run.csv:2: a quote is not closed on its line"},
        {"time,rpm\n0,2400\n1," + std::string(MaxEngineLogLine, '1') + "\n", false,
         "run.csv:3: a line longer than 65536 bytes"},
    };
    for (const Case &c : cases) {
        EngineLog log;
        std::string error;
        EXPECT_EQ(ParseEngineLog(c.text, "run.csv", &log, &error, c.options), c.read) << error << c.text;
        EXPECT_EQ(c.read ? log.understood : error.substr(0, c.message.size()), c.message);
        EXPECT_EQ(log.samples.empty(), !c.read);
    }
}

// Only regular files are read, and long ones in pieces that join as in memory.
TEST(EngineLogFile, RefusesWhatIsNoRegularFileAndReadsLongFilesInPieces)
{
    TempFolder folder;
    ASSERT_EQ(mkfifo(folder.File("pipe").c_str(), 0600), 0);
    WriteText(folder.File("long-line.csv"), "time,rpm\n" + std::string(3u << 20, '7'));
    for (const auto &[path, message] : std::vector<std::pair<std::string, std::string>>{
             {folder.path, ": a folder, not a recording"},
             {"/dev/zero", ": a device, not a recording"},
             {folder.File("pipe"), ": a named pipe, not a recording"},
             {folder.File("none.csv"), ": cannot read: No such file"},
             {folder.File("long-line.csv"), ":2: a line longer than 65536 bytes"}}) {
        EngineLog log;
        std::string error;
        EXPECT_FALSE(ReadEngineLog(path, &log, &error));
        EXPECT_EQ(error.substr(0, path.size() + message.size()), path + message);
    }
    std::string text = "time,mp_mbar,rpm\r\n";
    for (int i = 0; i < 200000; ++i)
        text += std::to_string(i) + "," + std::to_string(900 + i % 113) + (i % 7 ? ",\r\n" : ",2400\r\n");
    WriteText(folder.File("run.csv"), text);
    EngineLog fromFile, fromText;
    std::string error;
    ASSERT_TRUE(ReadEngineLog(folder.File("run.csv"), &fromFile, &error)) << error;
    ASSERT_TRUE(ParseEngineLog(text, folder.File("run.csv"), &fromText, &error)) << error;
    ASSERT_EQ(fromFile.samples.size(), 200000u);
    for (size_t i = 0; i < fromText.samples.size(); i += 997)
        EXPECT_EQ(fromFile.samples[i].millibar, fromText.samples[i].millibar) << i;
    EXPECT_EQ(fromFile.samples.back().millibar, 900 + 199999 % 113);
    EXPECT_EQ(fromFile.understood, fromText.understood);
}
