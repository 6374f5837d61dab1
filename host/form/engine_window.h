// The Engine side window: the manifold pressure in the display's present
// unit and the engine speed in rpm, each a spin box that moves its slider
// through the sensor model, with each slider's value in engineering units
// beside it; and both sensors' faults, a kind and its amount each. It opens
// beside the main form, closes on Escape and passes the keys that do not
// edit its boxes (letters, function keys) to the main form.
#pragma once
#include <cstdint>

#include "host/faults/sensor_faults.h"
#include "host/toolkit.h"

class TForm1;

// One sensor's fault: a choice of its kinds and a spin box for the amount,
// which only kinds with an amount show.
struct FaultRow {
    FaultRow(TForm &window, int top, const char *caption, FaultChannel channel);
    FaultChannel channel;
    TLabel Caption;
    TComboBox Kind;
    TSpinEdit Amount;
    TLabel AmountUnit;
    // The fault the row shows.
    Fault Shown() const;
    // Shows fault; fires no change.
    void Show(const Fault &fault);
};

class TEngineWindow : public TForm {
  public:
    explicit TEngineWindow(TForm1 &mainForm);
    // Brings every box and text in step with the sliders, the display's
    // unit, the speed settings and the faults; what did not change is not
    // redrawn, and a box the user is changing keeps the value set.
    void Refresh();

    TLabel PressureCaption;
    TSpinEdit Pressure; // in the display's present unit
    TLabel PressureUnit;
    TLabel PressureSlider; // "1500 = 1030 mB"
    TLabel SpeedCaption;
    TSpinEdit Speed; // rpm
    TLabel SpeedUnit;
    TLabel SpeedSlider; // "120 = 2400 rpm"
    FaultRow PressureFault;
    FaultRow RpmFault;
    TTimer RefreshTimer;

  private:
    void PressureChanged();
    void SpeedChanged();
    void FaultChanged(FaultRow &row);
    bool WheelTurned(int x, int y, int notches);

    TForm1 &form_;
    // Set while Refresh moves the boxes itself, whose changes are its own.
    bool refreshing_ = false;
};

// The spin box of an engine value: its range, step and decimals in raw
// units (TSpinEdit), for the pressure in a unit of millibarPerUnit that the
// display shows with decimals.
struct SpinRange {
    int32_t min, max, step;
    int decimals;
};
SpinRange PressureSpinRange(double millibarPerUnit, int decimals);
SpinRange SpeedSpinRange();
