#include "host/form/engine_window.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "host/controls/control_table.h"
#include "host/controls/engine_units.h"
#include "host/form/Pcmain.h"

namespace {

// Two rows, pressure above speed; the values on the left, the faults of the
// same sensor on the right. Wide and low, so that the window fits below the
// main form on a small screen.
constexpr int Margin = 12;
constexpr int RowHeight = 30;
constexpr int CaptionWidth = 104;
constexpr int BoxHeight = 22;
constexpr int SpinWidth = 84;
constexpr int AmountWidth = 70;
constexpr int UnitGap = 6;
// The slider's value and the faults start this far from the left.
constexpr int SliderTextLeft = Margin + CaptionWidth + SpinWidth + 40;
constexpr int FaultLeft = 400;
constexpr int FaultCaptionWidth = 90;
constexpr int WindowWidth = 730;
// Labels sit this far below the top of the boxes they name, to line up
// with the boxes' text.
constexpr int LabelDrop = 5;
constexpr int RefreshMs = 250;
// The fastest speed the speed box offers, whatever the settings allow.
constexpr int32_t RpmBoxMax = 99990;
constexpr int32_t RpmStep = 10;

int Row(int index) { return Margin + index * RowHeight; }

double Scale(int decimals) { return std::pow(10.0, decimals); }

// Keys that edit a box (digits, the sign and point, moving in the text, the
// arrows' steps) stay in this window; the others (letters, function keys)
// are the main form's.
bool EditingKey(int key)
{
    if ((key >= '0' && key <= '9') || key == '.' || key == ',' || key == '-' || key == '+' || key == ' ')
        return true;
    switch (key) {
    case vkReturn:
    case vkTab:
    case vkBackSpace:
    case vkUp:
    case vkDown:
    case vkLeft:
    case vkRight:
    case vkPageUp:
    case vkPageDown:
    case vkHome:
    case vkEnd:
    case vkDelete:
        return true;
    default:
        return false;
    }
}

std::vector<std::string> KindWords(FaultChannel channel)
{
    std::vector<std::string> words;
    for (const FaultKindInfo &info : FaultKindsOf(channel))
        words.emplace_back(info.word);
    return words;
}

} // namespace

// The display's decimals, and more while a step of the last is over a
// millibar: 25.00 "Hg steps 0.34 mB, about half a count of the slider.
SpinRange PressureSpinRange(double millibarPerUnit, int decimals)
{
    for (int more = 0; more < 2 && millibarPerUnit / Scale(decimals) > 1.01; ++more)
        ++decimals;
    const double scale = Scale(decimals) / millibarPerUnit;
    const int32_t low = (int32_t)std::ceil(std::max(0.0, MillibarAtSlider(SliderMin)) * scale);
    const int32_t high = (int32_t)std::floor(MillibarAtSlider(SliderMax) * scale);
    return {low, std::max(low, high), 1, decimals};
}

// Up to the fastest speed the slider can give under the present settings
// (in the period mode its low end is the fast one).
SpinRange SpeedSpinRange()
{
    double fastest = 0;
    for (int32_t position = SliderMin; position <= SliderMax; ++position)
        if (const double rpm = RpmAtSlider(position); std::isfinite(rpm))
            fastest = std::max(fastest, rpm);
    return {0, std::clamp((int32_t)std::floor(fastest), 0, RpmBoxMax), RpmStep, 0};
}

FaultRow::FaultRow(TForm &window, int top, const char *caption, FaultChannel channel)
    : channel(channel), Caption(&window, FaultLeft, top + LabelDrop, caption),
      Kind(&window, {FaultLeft + FaultCaptionWidth, top, SpinWidth, BoxHeight}, KindWords(channel)),
      Amount(&window, {FaultLeft + FaultCaptionWidth + SpinWidth + UnitGap, top, AmountWidth, BoxHeight}, 0,
             0, 1, 0),
      AmountUnit(&window, FaultLeft + FaultCaptionWidth + SpinWidth + AmountWidth + 2 * UnitGap,
                 top + LabelDrop, "")
{
    Show(Fault{channel});
}

Fault FaultRow::Shown() const
{
    const auto kinds = FaultKindsOf(channel);
    const FaultKindInfo &info = kinds[(size_t)std::clamp(Kind.ItemIndex(), 0, (int)kinds.size() - 1)];
    return Fault{channel, info.kind, info.amountMin == info.amountMax ? 0 : Amount.RawValue()};
}

void FaultRow::Show(const Fault &fault)
{
    const auto kinds = FaultKindsOf(channel);
    for (size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i].kind != fault.kind)
            continue;
        const FaultKindInfo &info = kinds[i];
        Kind.SetItemIndex((int)i);
        const bool hasAmount = info.amountMin != info.amountMax;
        Amount.SetRange(info.amountMin, info.amountMax, 1, 0);
        if (hasAmount)
            Amount.SetRawValue(fault.amount);
        Amount.SetVisible(hasAmount);
        AmountUnit.SetCaption(hasAmount && info.amountUnit ? info.amountUnit : "");
    }
}

TEngineWindow::TEngineWindow(TForm1 &mainForm)
    : TForm(WindowWidth, Row(2) + Margin - RowHeight + BoxHeight, "QPX-2 engine"),
      PressureCaption(this, Margin, Row(0) + LabelDrop, "Manifold pressure"),
      Pressure(this, {Margin + CaptionWidth, Row(0), SpinWidth, BoxHeight}, 0, 0, 1, 0),
      PressureUnit(this, Margin + CaptionWidth + SpinWidth + UnitGap, Row(0) + LabelDrop, ""),
      PressureSlider(this, SliderTextLeft, Row(0) + LabelDrop, ""),
      SpeedCaption(this, Margin, Row(1) + LabelDrop, "Engine speed"),
      Speed(this, {Margin + CaptionWidth, Row(1), SpinWidth, BoxHeight}, 0, 0, RpmStep, 0),
      SpeedUnit(this, Margin + CaptionWidth + SpinWidth + UnitGap, Row(1) + LabelDrop, "rpm"),
      SpeedSlider(this, SliderTextLeft, Row(1) + LabelDrop, ""),
      PressureFault(*this, Row(0), "Pressure sensor", FaultChannel::Pressure),
      RpmFault(*this, Row(1), "Speed pickup", FaultChannel::Rpm), RefreshTimer(RefreshMs,
                                                                               [this] {
                                                                                   if (Visible())
                                                                                       Refresh();
                                                                               }),
      form_(mainForm)
{
    Pressure.SetHint("Manifold pressure in the display's unit: type it, or step with the arrows, Up/Down or "
                     "the wheel; moves the pressure slider");
    Speed.SetHint(
        "Engine speed in rpm: type it, or step with the arrows, Up/Down or the wheel; moves the RPM "
        "slider");
    PressureFault.Kind.SetHint("The pressure sensor's fault (off: none), with its amount where it has one");
    RpmFault.Kind.SetHint("The speed pickup's fault (off: none), with its amount where it has one");
    Pressure.SetTabOrder(0);
    Pressure.OnChange = [this] { PressureChanged(); };
    Speed.OnChange = [this] { SpeedChanged(); };
    for (FaultRow *row : {&PressureFault, &RpmFault}) {
        row->Kind.OnChange = [this, row] { FaultChanged(*row); };
        row->Amount.OnChange = [this, row] { FaultChanged(*row); };
    }
    besideForm = &mainForm;
    OnKey = [this](const TKeyEvent &key) {
        if (key.key == vkEscape) {
            Close();
            return true;
        }
        // With Ctrl or Alt a key edits too (select all, copy, paste).
        if (EditingKey(key.key) || key.ctrlOrAlt)
            return false;
        return form_.OnKey && form_.OnKey(key);
    };
    OnWheel = [this](int x, int y, int notches) { return WheelTurned(x, y, notches); };
    Refresh();
}

void TEngineWindow::PressureChanged()
{
    if (refreshing_)
        return;
    const int32_t position = PressureSliderFor(Pressure.Value() * PresentPressureUnit().millibarPerUnit);
    if (position != form_.TrackBar1.Position())
        form_.Act(FormAction::SetPressure, position);
    Refresh();
}

void TEngineWindow::SpeedChanged()
{
    if (refreshing_)
        return;
    const int32_t position = SpeedSliderFor(Speed.Value());
    if (position != form_.TrackBar2.Position())
        form_.Act(FormAction::SetSpeed, position);
    Refresh();
}

void TEngineWindow::FaultChanged(FaultRow &row)
{
    if (refreshing_)
        return;
    // A new kind shows its own amount's range first.
    refreshing_ = true;
    Fault fault = row.Shown();
    row.Show(fault);
    fault = row.Shown();
    refreshing_ = false;
    form_.SetFault(fault);
    Refresh();
}

// Away from the user steps up, over either spin box.
bool TEngineWindow::WheelTurned(int x, int y, int notches)
{
    for (TSpinEdit *spin : {&Pressure, &Speed, &PressureFault.Amount, &RpmFault.Amount})
        if (spin->Visible() && spin->Bounds().Contains(x, y)) {
            spin->StepBy(-notches);
            return true;
        }
    return false;
}

void TEngineWindow::Refresh()
{
    refreshing_ = true;
    const DisplayUnit unit = PresentPressureUnit();
    const SpinRange pressureRange = PressureSpinRange(unit.millibarPerUnit, unit.decimals);
    Pressure.SetRange(pressureRange.min, pressureRange.max, pressureRange.step, pressureRange.decimals);
    PressureUnit.SetCaption(unit.name);
    const SpinRange speedRange = SpeedSpinRange();
    Speed.SetRange(speedRange.min, speedRange.max, speedRange.step, speedRange.decimals);

    // A box whose value the slider no longer shows (the slider moved, or
    // the unit changed) takes the slider's value.
    const int32_t pressurePosition = form_.TrackBar1.Position();
    if (PressureSliderFor(Pressure.Value() * unit.millibarPerUnit) != pressurePosition)
        Pressure.SetValue(MillibarAtSlider(pressurePosition) / unit.millibarPerUnit);
    const int32_t speedPosition = form_.TrackBar2.Position();
    if (SpeedSliderFor(Speed.Value()) != speedPosition)
        Speed.SetValue(RpmAtSlider(speedPosition));
    PressureSlider.SetCaption("slider " + PressureSliderText(pressurePosition));
    SpeedSlider.SetCaption("slider " + SpeedSliderText(speedPosition));

    const SensorFaults &faults = form_.Faults();
    for (auto [row, fault] :
         {std::pair{&PressureFault, &faults.pressure}, std::pair{&RpmFault, &faults.rpm}}) {
        const Fault shown = row->Shown();
        if (shown.kind != fault->kind || shown.amount != fault->amount)
            row->Show(*fault);
    }
    refreshing_ = false;
}
