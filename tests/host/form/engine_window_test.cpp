// The Engine window: values in real units into the sliders, held within the
// boxes' ranges, the boxes in step with the sliders and settings, and the
// faults it sets.
#include <cmath>

#include "host/controls/engine_units.h"
#include "host/form/engine_window.h"
#include "instrument/pressure_units.h"
#include "support/window_fixture.h"

namespace {

class EngineWindowTest : public WindowTest {
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        state.settings.pulsesPerRev = 10; // one pulse a revolution: 120 rpm a count
        headless::PressKey(*form, 'e');
        Idle();
        window = form->EngineWindow();
        ASSERT_NE(window, nullptr);
    }
    TEngineWindow *window = nullptr;
};

} // namespace

// Typed into a box: the slider the instrument then reads, as near the value
// as a count allows, and the box's text, clamped to its range.
TEST_F(EngineWindowTest, TypedValuesMoveTheSlidersWithinRange)
{
    struct Case {
        uint8_t unit;
        bool speed;
        const char *typed;
        const char *shown; // nullptr: the box's largest value
        double wanted;     // millibar or rpm the slider must read, within a count; < 0: its end
    } cases[] = {
        {UnitInchesHg, false, "25", "25.00", 25 * 33.8639},
        {UnitMillibar, false, "1013", "1013", 1013},
        {UnitKiloPascal, false, "101.3", "101.3", 1013},
        {UnitInchesHg, false, "999", nullptr, -1},
        {UnitMillibar, false, "-20", "0", 0},
        {UnitMillibar, false, "lots", "0", 0},
        {UnitMillibar, true, "2400", "2400", 2400},
        {UnitMillibar, true, "2405", "2405", 2400},
        {UnitMillibar, true, "1e9", nullptr, -1},
        {UnitMillibar, true, "-1", "0", 0},
    };
    for (const Case &c : cases) {
        state.settings.pressureUnit = c.unit;
        window->Refresh();
        headless::TypeInto(c.speed ? window->Speed : window->Pressure, c.typed);
        Idle();
        const TSpinEdit &box = c.speed ? window->Speed : window->Pressure;
        const int position = (c.speed ? form->TrackBar2 : form->TrackBar1).Position();
        const double read = c.speed ? RpmAtSlider(position) : MillibarAtSlider(position);
        if (c.shown)
            EXPECT_EQ(box.Text(), c.shown) << c.typed;
        else
            EXPECT_EQ(box.RawValue(), box.Max()) << c.typed;
        if (c.wanted < 0)
            EXPECT_GE(position, c.speed ? 833 : SliderMax - 3) << c.typed;
        else
            EXPECT_LE(std::abs(read - c.wanted), c.speed ? 60 : 1) << c.typed << " read as " << read;
        EXPECT_NE(
            (c.speed ? window->SpeedSlider : window->PressureSlider).Caption().find(std::to_string(position)),
            std::string::npos);
    }
}

// A slider moved elsewhere, a new unit or a new pulse count: the boxes show
// what the sliders now stand for, and the tooltips say it too.
TEST_F(EngineWindowTest, BoxesAndTooltipsFollowSlidersAndSettings)
{
    headless::MoveSlider(form->TrackBar1, 1500);
    headless::PressKey(*window, 'w'); // a letter goes to the main form: RPM slider +10
    headless::PressKey(*window, '5'); // a digit stays in the window
    headless::AdvanceClock(300);
    Idle();
    EXPECT_EQ(form->TrackBar2.Position(), 10);
    EXPECT_EQ(window->Speed.Text(), "1200");
    EXPECT_EQ(window->Pressure.Text(), "1030");
    EXPECT_NE(form->TrackBar1.Hint().find("1500 = 1030 mB"), std::string::npos) << form->TrackBar1.Hint();
    state.settings.pressureUnit = UnitInchesHg;
    state.settings.pulsesPerRev = 20;
    headless::AdvanceClock(300);
    Idle();
    EXPECT_EQ(window->Pressure.Text(), "30.42");
    EXPECT_EQ(window->PressureUnit.Caption(), "\"Hg");
    EXPECT_EQ(window->Speed.Text(), "600");
    EXPECT_NE(form->TrackBar2.Hint().find("10 = 600 rpm"), std::string::npos) << form->TrackBar2.Hint();
    headless::StepSpin(window->Speed, 3);
    Idle();
    EXPECT_EQ(form->TrackBar2.Position(), SpeedSliderFor(630));
    headless::PressKey(*window, vkEscape);
    Idle();
    EXPECT_FALSE(window->Visible());
}

// Each row's kind and amount become the form's fault, the amount held to its
// kind's range; a fault set elsewhere shows in the rows.
TEST_F(EngineWindowTest, FaultRowsSetTheFormsFaults)
{
    struct Case {
        FaultRow *row;
        int kind;
        const char *amount;
        FaultKind wantKind;
        int32_t wantAmount;
        bool amountShown;
    } cases[] = {
        {&window->PressureFault, 4, "900", FaultKind::Noise, 500, true},
        {&window->PressureFault, 5, "-5000", FaultKind::Drift, -4096, true},
        {&window->PressureFault, 1, nullptr, FaultKind::Open, 0, false},
        {&window->RpmFault, 2, "50", FaultKind::Dropout, 50, true},
        {&window->RpmFault, 0, nullptr, FaultKind::Off, 0, false},
    };
    for (const Case &c : cases) {
        headless::ChooseItem(c.row->Kind, c.kind);
        if (c.amount)
            headless::TypeInto(c.row->Amount, c.amount);
        Idle();
        const Fault &set =
            c.row->channel == FaultChannel::Pressure ? form->Faults().pressure : form->Faults().rpm;
        EXPECT_EQ(set.kind, c.wantKind) << FaultText(set);
        EXPECT_EQ(set.amount, c.wantAmount) << FaultText(set);
        EXPECT_EQ(c.row->Amount.Visible(), c.amountShown) << FaultText(set);
    }
    EXPECT_NE(form->StatusBar1.Caption().find("FAULT"), std::string::npos);
    form->SetFault({FaultChannel::Rpm, FaultKind::Spikes, 7});
    window->Refresh();
    EXPECT_EQ(window->RpmFault.Kind.Items()[(size_t)window->RpmFault.Kind.ItemIndex()], "spikes");
    EXPECT_EQ(window->RpmFault.Amount.RawValue(), 7);
}
