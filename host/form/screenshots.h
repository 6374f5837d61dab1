// Screenshots as PNG files: the display (its dots, and as the window shows
// it) and the whole window, named with the date, the time and a counter.
#pragma once
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "host/form/display_look.h"
#include "host/toolkit.h"
#include "lcd/frame_layout.h"

struct ShotResult {
    bool written;
    std::vector<std::string> files; // the files written, full paths
    std::string message;            // for the status bar
};

// Makes unique file names in a folder: "qpx-20250114-153012-3-display.png"
// and its companions share the base "qpx-20250114-153012-3". The counter
// goes up with every shot and skips any base already in use in the folder,
// so that no shot overwrites another, even within one second.
class ShotNamer {
  public:
    std::string NextBase(const std::string &folder, std::time_t when,
                         const std::vector<std::string> &suffixes);

  private:
    unsigned counter_ = 0;
};

// The raw frame (128 x 64, black dots on white) as <base>-display.png and
// the display as the window shows it (256 x 128 in the look's colours) as
// <base>-display-2x.png.
ShotResult WriteDisplayShots(const std::string &folder, const std::string &base,
                             const uint8_t frame[LcdFrameBytes], DisplayColours colours);
// The window as <base>-window.png.
ShotResult WriteWindowShot(const std::string &folder, const std::string &base, const TPicture &picture);
