#include "host/app/preferences.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <toml++/toml.h>

#include "host/form/Pcmain.h"
#include "host/form/zoom_steps.h"
#include "host/state_file/atomic_write.h"

// The largest limit the command line takes.
constexpr int MaxPassRateLimit = 1000000;

Preferences ForThisRun(const Preferences &remembered, double zoomGiven, int maxPassRateGiven)
{
    return {zoomGiven != 0 ? zoomGiven : remembered.zoom,
            maxPassRateGiven >= 0 ? maxPassRateGiven : remembered.maxPassRate, remembered.finishedLessons};
}

std::string PreferencesPath()
{
    const char *config = getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (config && *config)
        folder = config;
    else if (const char *home = getenv("HOME"); home && *home)
        folder = std::string(home) + "/.config";
    else
        return "";
    return folder + "/qpx-sim/settings.toml";
}

Preferences LoadPreferences(const std::string &path, std::string *warning)
{
    Preferences preferences;
    struct stat info;
    if (path.empty() || stat(path.c_str(), &info) != 0)
        return preferences; // nothing remembered yet
    auto ignored = [&](const std::string &why) {
        *warning = path + ": " + why + "; the settings are ignored";
        return Preferences{};
    };
    toml::table table;
    try {
        table = toml::parse_file(path);
    } catch (const toml::parse_error &error) {
        return ignored(std::string("not a settings file (") + std::string(error.description()) + ")");
    }
    if (const toml::node *zoom = table.get("zoom")) {
        const std::optional<double> value = zoom->value<double>();
        if (!value || !IsZoomStep(*value))
            return ignored("zoom must be 1, 1.5, 2, 3 or 4");
        preferences.zoom = *value;
    }
    if (const toml::node *rate = table.get("maxPassRate")) {
        const std::optional<int64_t> value = rate->value<int64_t>();
        if (!value || *value < 0 || *value > MaxPassRateLimit)
            return ignored("maxPassRate must be a whole number from 0 (free) to 1000000");
        preferences.maxPassRate = (int)*value;
    }
    if (const toml::node *lessons = table.get("finishedLessons")) {
        const toml::array *names = lessons->as_array();
        if (!names)
            return ignored("finishedLessons must be a list of lesson file names");
        for (const toml::node &name : *names) {
            const std::optional<std::string> text = name.value<std::string>();
            if (!text)
                return ignored("finishedLessons must be a list of lesson file names");
            preferences.finishedLessons.push_back(*text);
        }
    }
    return preferences;
}

bool SavePreferences(const std::string &path, const Preferences &preferences, std::string *error)
{
    if (path.empty()) {
        *error = "no configuration folder (neither XDG_CONFIG_HOME nor HOME is set)";
        return false;
    }
    // The folder and its parent (~/.config on a new account) may be missing.
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        if (mkdir(path.substr(0, slash).c_str(), 0777) != 0 && errno != EEXIST) {
            *error = path.substr(0, slash) + ": cannot create the folder: " + strerror(errno);
            return false;
        }
    char zoom[16];
    snprintf(zoom, sizeof zoom, "%g", preferences.zoom);
    const std::string text = "# What qpx-sim remembers between starts (written by the program).\n"
                             "# The window's zoom: 1, 1.5, 2, 3 or 4.\n"
                             "zoom = " +
                             std::string(zoom) +
                             "\n"
                             "# At most this many main-cycle passes a second; 0: as fast as it goes.\n"
                             "maxPassRate = " +
                             std::to_string(preferences.maxPassRate) + "\n";
    // Names as TOML strings, quotes and backslashes escaped.
    std::string list;
    for (const std::string &name : preferences.finishedLessons) {
        std::ostringstream quoted;
        quoted << toml::value<std::string>(name);
        list += (list.empty() ? "" : ", ") + quoted.str();
    }
    const std::string finished = preferences.finishedLessons.empty()
                                     ? ""
                                     : "# The lessons finished.\nfinishedLessons = [" + list + "]\n";
    return WriteFileAtomically(path, text + finished, error);
}

void TakeChangedPreference(Preferences &preferences, const TForm1 &form, FormAction changed)
{
    if (changed == FormAction::SetZoom)
        preferences.zoom = form.Zoom();
    else if (changed == FormAction::ShowLessons)
        preferences.finishedLessons = form.FinishedLessons();
    else
        preferences.maxPassRate = form.MaxPassRate();
}
