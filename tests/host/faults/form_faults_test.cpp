// The form's faults: between the sliders and the instrument's inputs, in the
// status bar and the state view, and heard by the form's listeners.
#include "host/faults/sensor_faults.h"
#include "support/window_fixture.h"

using FormFaults = WindowTest;

TEST_F(FormFaults, PressureFaultsActOnTheInputAndEndingOneGivesTheSliderBack)
{
    std::vector<std::string> heard;
    form->OnFault = [&](const Fault &fault, int64_t) { heard.push_back(FaultText(fault)); };
    headless::MoveSlider(form->TrackBar1, 1500);
    Idle();
    form->SetFault({FaultChannel::Pressure, FaultKind::Short});
    EXPECT_EQ(state.simPressureInput, 4096);
    headless::MoveSlider(form->TrackBar1, 900);
    Idle();
    EXPECT_EQ(state.simPressureInput, 4096) << "the slider moves under the fault";
    EXPECT_EQ(form->Label13.Caption(), "900");
    form->SetFault({FaultChannel::Pressure, FaultKind::Stuck});
    EXPECT_EQ(state.simPressureInput, 4096) << "stuck at what the instrument read";
    form->SetFault({FaultChannel::Pressure, FaultKind::Off});
    EXPECT_EQ(state.simPressureInput, 900);
    EXPECT_EQ(heard, (std::vector<std::string>{"pressure short", "pressure stuck", "pressure off"}));
}

TEST_F(FormFaults, StatusBarAndStateViewShowTheFaultsWhileAnyIsActive)
{
    auto faultShown = [&] { return form->StatusBar1.Caption().find("FAULT") != std::string::npos; };
    EXPECT_FALSE(faultShown());
    form->SetFault({FaultChannel::Rpm, FaultKind::Dropout, 25});
    EXPECT_TRUE(faultShown()) << form->StatusBar1.Caption();
    EXPECT_EQ(FaultsDescription(form->Faults()), "SENSOR FAULTS\npressure  off\nrpm       dropout 25");
    form->SetFault({FaultChannel::Rpm, FaultKind::Off});
    EXPECT_FALSE(faultShown()) << form->StatusBar1.Caption();
    EXPECT_EQ(FaultsDescription(form->Faults()), "");
}
