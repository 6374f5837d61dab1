// What the simulator remembers between starts: the window's zoom, the
// pass-rate limit and the lessons finished, nothing of the instrument. They live in a small TOML file
// of the user's configuration folder; a file that cannot be read or holds a
// value out of range is ignored with a warning, as if it were not there.
#pragma once
#include <string>
#include <vector>

#include "host/form/form_actions.h"

class TForm1;

struct Preferences {
    Preferences() = default;
    Preferences(double zoom, int maxPassRate, std::vector<std::string> finishedLessons = {})
        : zoom(zoom), maxPassRate(maxPassRate), finishedLessons(std::move(finishedLessons))
    {
    }
    double zoom = 1;     // one of ZoomSteps
    int maxPassRate = 0; // 0: free, else at most this many passes a second
    // The file names of the lessons finished ("05-pressure-setup.txt").
    std::vector<std::string> finishedLessons;
    bool operator==(const Preferences &) const = default;
};

// What a run starts with: the zoom and the limit the command line gives
// (zoom 0 and maxPassRate -1: not given), else the remembered ones. The
// remembered ones stay as they are: an option lasts one run, and only what
// the user chooses in the program is kept.
// Takes into preferences the setting the user just changed in the window
// (TForm1::OnPreferencesChanged): the zoom, the lessons finished, or else
// the pass-rate limit.
void TakeChangedPreference(Preferences &preferences, const TForm1 &form, FormAction changed);

Preferences ForThisRun(const Preferences &remembered, double zoomGiven, int maxPassRateGiven);

// $XDG_CONFIG_HOME/qpx-sim/settings.toml, or ~/.config/qpx-sim/settings.toml
// when XDG_CONFIG_HOME is not set (nor HOME: "").
std::string PreferencesPath();

// The preferences in path: the defaults when the file does not exist, and
// also, with *warning saying why, when it cannot be used.
Preferences LoadPreferences(const std::string &path, std::string *warning);

// Writes them to path, creating its folder; false with *error on failure.
bool SavePreferences(const std::string &path, const Preferences &preferences, std::string *error);
