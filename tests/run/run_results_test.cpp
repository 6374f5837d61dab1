// The records of a run as text: valid UTF-8 whatever the drawn texts held,
// and escaped for the result files.
#include <gtest/gtest.h>

#include "host/run/json_report.h"
#include "host/run/junit_report.h"
#include "host/run/run_results.h"

TEST(RunResults, ValidUtf8KeepsWholeSequencesAndReplacesTheRest)
{
    const std::string bad = "\xEF\xBF\xBD";
    for (auto [text, valid] : std::initializer_list<std::pair<std::string, std::string>>{
             {"plain 123", "plain 123"},
             {"\xC2\xB0"
              "C \xE2\x82\xAC \xF0\x9F\x98\x80",
              "\xC2\xB0"
              "C \xE2\x82\xAC \xF0\x9F\x98\x80"},
             {"\xB0"
              "C",
              bad + "C"},                                 // a lone continuation byte (Latin-1 degree)
             {"\xC0\xAF", bad + bad},                     // an overlong "/"
             {"\xED\xA0\x80", bad + bad + bad},           // a surrogate
             {"\xF4\x90\x80\x80", bad + bad + bad + bad}, // above U+10FFFF
             {"\xE2\x82", bad + bad},                     // cut short at the end
         }) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ValidUtf8(text), valid);
    }
}

TEST(RunResults, ResultFilesEscapeWhatTheChecksFound)
{
    ScriptResult script;
    script.file = "a&b.txt";
    script.status = ScriptStatus::Ran;
    script.checks.push_back({3, "expect-text", "the text \"<x>\"", "\"a\x01\tb\\\xB0\" (0,0)", false, {}});
    const std::string xml = JunitReport({script}, 0.5);
    EXPECT_NE(xml.find("name=\"a&amp;b.txt\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("message=\"a&amp;b.txt:3: expected the text &quot;&lt;x&gt;&quot;, found "
                       "&quot;a\xEF\xBF\xBD&#9;b\\\xEF\xBF\xBD&quot; (0,0)\""),
              std::string::npos)
        << xml;
    const std::string json = JsonReport({script}, 0.5);
    EXPECT_NE(json.find("\"found\": \"\\\"a\\u0001\\tb\\\\\xEF\xBF\xBD\\\" (0,0)\""), std::string::npos)
        << json;
}
