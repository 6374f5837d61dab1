// The page's codes.js against the compiled enums: every code, under its C++ name and group, and no more.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>

#include "host/toolkit.h"
#include "host/web/page_codes.h"
#include "host/web/page_link.h"

// "Group.name" -> code inside a group, "name" -> code outside any.
static std::map<std::string, int> ReadCodes(const std::string &script)
{
    static const std::regex token(R"((\w+): (?:Object\.freeze\(\{|(-?\d+),)|\}\),)");
    std::map<std::string, int> codes;
    std::string group;
    for (std::sregex_iterator at(script.begin(), script.end(), token), end; at != end; ++at) {
        if (!(*at)[1].matched)
            group.clear();
        else if (!(*at)[2].matched)
            group = (*at)[1].str() + ".";
        else
            codes[group + (*at)[1].str()] = std::stoi((*at)[2].str());
    }
    return codes;
}

using Code = std::pair<const std::string, int>;
#define KIND(name) Code("Kind." #name, (int)TControlKind::name)
#define EVENT(name) Code("Event." #name, name)
#define KEY(name) Code("Key." #name, name)

TEST(PageCodes, EveryCodeAsTheProgramHasIt)
{
    std::map<std::string, int> want = {
        KIND(Form),           KIND(Image),         KIND(TrackBar),      KIND(CheckBox),  KIND(Shape),
        KIND(Label),          KIND(Button),        KIND(StatusBar),     KIND(Panel),     EVENT(PageNoEvent),
        EVENT(PageClick),     EVENT(PageSlider),   EVENT(PageCheckBox), EVENT(PageKey),  EVENT(PageWheel),
        EVENT(PageCloseForm), EVENT(PageOpenFile), KEY(vkNone),         KEY(vkSpace),    KEY(vkReturn),
        KEY(vkEscape),        KEY(vkTab),          KEY(vkBackSpace),    KEY(vkUp),       KEY(vkDown),
        KEY(vkLeft),          KEY(vkRight),        KEY(vkPageUp),       KEY(vkPageDown), KEY(vkHome),
        KEY(vkEnd),           KEY(vkInsert),       KEY(vkDelete)};
    for (const Code &code :
         {KIND(SpinEdit), KIND(ComboBox), EVENT(PageSpinText), EVENT(PageSpinStep), EVENT(PageChoice)})
        want.insert(code);
    want["EventFields"] = PageEventFields;
    for (int n = 1; n <= 12; ++n)
        want["Key.vkF" + std::to_string(n)] = vkF(n);
    EXPECT_EQ(ReadCodes(PageCodesScript()), want) << PageCodesScript();
}
