#include "support/frame_check.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/png/png_write.h"
#include "host/readout/frame_pbm.h"
#include "instrument/hooks.h"
#include "instrument/state.h"
#include "support/frame_dots.h"
#include "support/hook_counts.h"

void ResetInstrumentState()
{
    memset(&state, 0, sizeof state);
    UnsubscribeAllHooks();
    CountHookCalls();
}

// Names may hold a folder ("lcd/text_forms"), created as needed.
static void WriteActual(const char *directory, const char *name)
{
    std::string base = std::string(directory) + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(base).parent_path());
    std::ofstream(base + ".pbm") << FrameToPbm(state.lcdFrame);
    WriteLcdPng((base + ".png").c_str(), state.lcdFrame, 4);
}

// Reference names with this prefix are frames of scenarios/refs.
static const std::string ScenarioRefs = "refs/";

static std::string ReferenceFramePath(const std::string &name)
{
    if (name.starts_with(ScenarioRefs))
        return std::string(QPX_SCENARIO_REFS_DIR) + "/" + name.substr(ScenarioRefs.size()) + ".pbm";
    return std::string(QPX_TEST_DATA_DIR) + "/" + name + ".pbm";
}

std::string CompareFrameWithReference(const char *name)
{
    uint8_t expected[LcdFrameBytes];
    std::string path = ReferenceFramePath(name);
    if (!ReadPbmFrame(path, expected)) {
        WriteActual("failed-frames", name);
        return "reference " + path + " is missing or unreadable; actual frame written to failed-frames/";
    }
    int differing = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < LcdHeight; ++y)
        for (int x = 0; x < LcdWidth; ++x)
            if (DotAt(expected, x, y) != DotAt(x, y) && differing++ == 0)
                firstX = x, firstY = y;
    if (differing == 0)
        return "";
    WriteActual("failed-frames", name);
    std::ostringstream out;
    out << differing << " dots differ from " << path << ", first at (" << firstX << ", " << firstY
        << "); actual frame written to failed-frames/";
    return out.str();
}

void SaveFramePng(const char *name)
{
    std::string path = std::string("frames/") + name + ".png";
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    WriteLcdPng(path.c_str(), state.lcdFrame, 4);
}

void ExpectFrameMatches(const std::string &name)
{
    SaveFramePng(name.c_str());
    EXPECT_EQ(CompareFrameWithReference(name.c_str()), "") << name;
}

void ExpectScreenFrame(const std::string &name)
{
    ExpectFrameMatches(name.starts_with(ScenarioRefs) ? name : "screens/" + name);
}
