// What the toolkit makes of a drop from a file manager; what a spin box and a
// choice list keep of what the user does.
#include <gtest/gtest.h>

#include "host/toolkit.h"

TEST(DroppedFiles, UrisAndPathsBecomeTheFilesInOrder)
{
    struct Case {
        const char *text;
        std::vector<std::string> paths;
    } cases[] = {
        {"file:///home/pilot/engine%20log.csv\r\n", {"/home/pilot/engine log.csv"}},
        {"file://localhost/a.toml\nfile:///b%2Ccsv", {"/a.toml", "/b,csv"}},
        {"/tmp/run.csv\n/tmp/state.toml\n", {"/tmp/run.csv", "/tmp/state.toml"}},
        {"# comment\r\n\r\nfile:///x%zz%4", {"/x%zz%4"}},
        {"file://otherhost/a.csv\nhttp://example.com/a.csv\nrelative.csv\nfile://", {}},
        {"file:///a%00b", {}},
        {"", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DroppedFilePaths(c.text), c.paths) << c.text;
}

// A spin box of 0.00..30.00 in steps of 0.10 (raw 0..3000, step 10), from
// raw 2505: each action, the raw value it leaves and whether OnChange fired.
TEST(SpinEdit, KeepsTheValueWithinItsRangeWhateverIsTyped)
{
    struct Case {
        const char *typed; // nullptr: step instead
        int steps;
        int32_t raw;
        bool ok;
    } cases[] = {
        {"25.05", 0, 2505, true},  {"  12.3 ", 0, 1230, true}, {"31", 0, 3000, true},
        {"-4", 0, 0, true},        {"1e9", 0, 3000, true},     {"abc", 0, 2505, false},
        {"", 0, 2505, false},      {"12x", 0, 2505, false},    {"nan", 0, 2505, false},
        {"0.004", 0, 0, true},     {"0.006", 0, 1, true},      {nullptr, 1, 2510, true},
        {nullptr, -1, 2500, true}, {nullptr, -3, 2480, true},  {nullptr, 100, 3000, true},
    };
    for (const Case &c : cases) {
        TSpinEdit spin(nullptr, {0, 0, 80, 20}, 0, 3000, 10, 2);
        spin.SetRawValue(2505);
        int changes = 0;
        spin.OnChange = [&] { ++changes; };
        const bool ok = c.typed ? spin.SetText(c.typed) : (spin.StepBy(c.steps), true);
        EXPECT_EQ(ok, c.ok) << (c.typed ? c.typed : "step");
        EXPECT_EQ(spin.RawValue(), c.raw) << (c.typed ? c.typed : "step") << " " << c.steps;
        EXPECT_EQ(changes, c.raw != 2505 ? 1 : 0) << (c.typed ? c.typed : "step");
    }
    TSpinEdit spin(nullptr, {0, 0, 80, 20}, 0, 3000, 10, 2);
    spin.SetRawValue(2505);
    EXPECT_EQ(spin.Text(), "25.05");
    EXPECT_DOUBLE_EQ(spin.Value(), 25.05);
    // A new unit's range clamps the value without telling OnChange.
    spin.OnChange = [] { ADD_FAILURE() << "SetRange fired OnChange"; };
    spin.SetRange(0, 1000, 1, 0);
    EXPECT_EQ(spin.Text(), "1000");
}

TEST(ComboBox, PicksOnlyLinesOfItsList)
{
    TComboBox box(nullptr, {0, 0, 80, 20}, {"off", "open", "noise"});
    int changes = 0;
    box.OnChange = [&] { ++changes; };
    for (auto [asked, picked] : {std::pair{2, 2}, {7, 2}, {-1, 0}, {1, 1}}) {
        box.SetItemIndex(asked);
        EXPECT_EQ(box.ItemIndex(), picked) << asked;
    }
    EXPECT_EQ(changes, 3);
    box.SetItems({"off", "dead"});
    EXPECT_EQ(box.ItemIndex(), 0);
    EXPECT_EQ(changes, 3);
}
