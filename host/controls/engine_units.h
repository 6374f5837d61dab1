// Engine values in real units and the sliders' counts that stand for them,
// converted through the sensors' model (instrument/sensor_model.h) with the
// rounding the engine feeds use, so that "25.0inHg" moves the pressure
// slider where a feed's 25 inches would.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// "25.0inHg", "1013mbar", "1.2bar", "101kPa", "14.7psi" (also hPa, mB and
// "Hg) into millibar; false with an error naming the units.
bool ParsePressureValue(std::string_view text, double &millibar, std::string &error);
// "2400", "2400rpm" into rpm; false with an error.
bool ParseSpeedValue(std::string_view text, double &rpm, std::string &error);

// PressureCountFor, clamped to the slider.
int32_t PressureSliderFor(double millibar);
// PulseCountFor under the present settings.
int32_t SpeedSliderFor(double rpm);
// The instrument's own reading of that count (no calibration offset): 0
// below the sensor's range.
double MillibarAtSlider(int32_t position);
// The speed the present settings (pulses per revolution, pulse mode) read
// at that input.
double RpmAtSlider(int32_t position);

// The display's present unit: its name as the display writes it ("mB",
// "\"Hg", ...), millibar per unit as the display's own factors have it, and
// the decimals it shows.
struct DisplayUnit {
    const char *name;
    double millibarPerUnit;
    int decimals;
};
DisplayUnit PresentPressureUnit();
// "1500 = 1030 mB", in the present unit.
std::string PressureSliderText(int32_t position);
// "120 = 2400 rpm".
std::string SpeedSliderText(int32_t position);
