#include "host/run/checks.h"

#include <cstring>
#include <string>
#include <vector>

#include "host/png/png_write.h"
#include "host/readout/frame_pbm.h"
#include "instrument/state.h"

namespace {

// Failed frames are written large enough to tell single dots apart.
constexpr int FailedFrameScale = 4;
// In the picture of the differences: dots the frame has and the reference
// lacks, and dots the reference has and the frame lacks.
constexpr TColor ExtraDot{220, 0, 0};
constexpr TColor MissingDot{0, 90, 230};

bool CreateFolderOf(const std::filesystem::path &path, std::string &error)
{
    std::error_code code;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), code);
    if (code)
        error = "cannot create the folder " + path.parent_path().string() + ": " + code.message();
    return !code;
}

// Creates the folders of path and writes the frame as PBM; false with a
// message naming the file and the reason.
bool WriteFramePbm(const std::filesystem::path &path, const uint8_t frame[LcdFrameBytes], std::string &error)
{
    if (!CreateFolderOf(path, error))
        return false;
    std::string reason;
    if (WritePbmFrame(path.string(), frame, &reason))
        return true;
    error = "cannot write " + path.string() + ": " + reason;
    return false;
}

std::string Where(const CheckSite &site, const Command &command)
{
    return site.script.file + ":" + std::to_string(command.line) + ": ";
}

// The command word of a check, as the script writes it.
const char *CheckKind(const Command &command)
{
    switch (command.kind) {
    case CommandKind::ExpectFrame:
        return "expect-frame";
    case CommandKind::ExpectText:
        return "expect-text";
    case CommandKind::ExpectLamp:
        return "expect lamp";
    case CommandKind::Await:
        return "await";
    default:
        return command.field && std::string(command.field->name) == "currentScreen" ? "expect screen"
                                                                                    : "expect";
    }
}

void Record(CheckSite &site, const Command &command, const std::string &expected, const std::string &found,
            bool passed, std::vector<CheckPicture> pictures = {})
{
    site.outcome.checks.push_back(
        {command.line, CheckKind(command), expected, found, passed, std::move(pictures)});
}

void Pass(CheckSite &site, const Command &command, const std::string &expected, const std::string &found)
{
    ++site.outcome.passed;
    Record(site, command, expected, found, true);
}

void Fail(CheckSite &site, const Command &command, const std::string &expected, const std::string &found,
          std::vector<CheckPicture> pictures = {})
{
    ++site.outcome.failed;
    Record(site, command, expected, found, false, std::move(pictures));
    site.report << CheckLine(site.script.file, site.outcome.checks.back()) << "\n";
}

std::filesystem::path ReferencePath(const CheckSite &site, const Command &command)
{
    return ScriptPath(site.script, command.path);
}

// The reference is written (missing or different) at the user's request.
void UpdateReference(CheckSite &site, const Command &command, const std::filesystem::path &path, bool existed,
                     const std::string &expected)
{
    std::string error;
    if (!WriteFramePbm(path, state.lcdFrame, error)) {
        site.outcome.outputError = error;
        return;
    }
    site.report << Where(site, command) << (existed ? "updated reference " : "wrote reference ")
                << path.string() << "\n";
    Pass(site, command, expected, existed ? "a different frame: reference updated" : "no reference: written");
}

DisplayColours ShownColours(const CheckSite &site) { return LookColours(site.form.Look()); }

// Dots both have in the display's dot colour, dots only one has in
// ExtraDot or MissingDot, on the panel's colour.
bool WriteDifferencePicture(const std::filesystem::path &path, const uint8_t *reference,
                            DisplayColours colours, std::string &error)
{
    constexpr int w = LcdWidth * FailedFrameScale, h = LcdHeight * FailedFrameScale;
    std::vector<uint8_t> rgb((size_t)w * h * 3);
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            const int x = px / FailedFrameScale, y = py / FailedFrameScale;
            const bool actual = FrameDot(state.lcdFrame, x, y), expected = FrameDot(reference, x, y);
            const TColor c = actual && expected ? colours.dot
                             : actual           ? ExtraDot
                             : expected         ? MissingDot
                                                : colours.panel;
            uint8_t *p = &rgb[((size_t)py * w + px) * 3];
            p[0] = c.r, p[1] = c.g, p[2] = c.b;
        }
    if (!CreateFolderOf(path, error))
        return false;
    std::string reason;
    if (WriteRgbPng(path.string().c_str(), w, h, rgb.data(), &reason))
        return true;
    error = "cannot write " + path.string() + ": " + reason;
    return false;
}

// Writes the actual frame (PNG and PBM) and, when there is a reference, the
// picture of the differences into the script's output folder; returns the
// pictures to name in the report.
std::vector<CheckPicture> WriteFailedFrame(CheckSite &site, const Command &command, const uint8_t *reference)
{
    std::filesystem::path folder = ScriptOutputFolder(site.options.outDir, site.script);
    std::string base = "line" + std::to_string(command.line) + "-" + command.path.stem().string();
    std::filesystem::path actual = folder / (base + "-actual.png");
    std::filesystem::path actualPbm = folder / (base + "-actual.pbm");
    std::string error;
    if (!WriteFramePicture(actual, state.lcdFrame, FailedFrameScale, ShownColours(site), error) ||
        !WriteFramePbm(actualPbm, state.lcdFrame, error)) {
        site.outcome.outputError = error;
        return {};
    }
    std::vector<CheckPicture> written{{"actual frame", actual.string()}};
    if (reference) {
        std::filesystem::path diff = folder / (base + "-diff.png");
        if (!WriteDifferencePicture(diff, reference, ShownColours(site), error)) {
            site.outcome.outputError = error;
            return {};
        }
        written.push_back({"differences (red: extra, blue: missing)", diff.string()});
    }
    return written;
}

void ExpectFrame(CheckSite &site, const Command &command)
{
    std::filesystem::path path = ReferencePath(site, command);
    uint8_t reference[LcdFrameBytes];
    bool readable = ReadPbmFrame(path.string(), reference);
    int differing = 0, firstX = -1, firstY = -1;
    if (readable)
        for (int y = 0; y < LcdHeight; ++y)
            for (int x = 0; x < LcdWidth; ++x)
                if (FrameDot(reference, x, y) != FrameDot(state.lcdFrame, x, y) && differing++ == 0)
                    firstX = x, firstY = y;
    const std::string expected = "the frame of " + path.string();
    if (readable && differing == 0)
        return Pass(site, command, expected, "the same frame");
    if (site.options.updateRefs)
        return UpdateReference(site, command, path, readable, expected);
    std::vector<CheckPicture> pictures = WriteFailedFrame(site, command, readable ? reference : nullptr);
    if (!site.outcome.outputError.empty())
        return;
    std::string found = readable ? std::to_string(differing) + " differing dots, the first at (" +
                                       std::to_string(firstX) + ", " + std::to_string(firstY) + ")"
                                 : "no readable 128 x 64 PBM picture there";
    Fail(site, command, expected, found, std::move(pictures));
}

// expect-text, expect and expect lamp.
void ExpectCondition(CheckSite &site, const Command &command)
{
    std::string found;
    if (ConditionHolds(command, site.form, found))
        return Pass(site, command, ConditionText(command), found);
    Fail(site, command, ConditionText(command), found);
}

void Save(CheckSite &site, const Command &command)
{
    std::filesystem::path path =
        command.path.is_absolute() ? command.path : site.options.outDir / command.path;
    std::string error;
    if (!WriteFramePicture(path, state.lcdFrame, command.scale, ShownColours(site), error))
        site.outcome.outputError = error;
}

} // namespace

std::filesystem::path ScriptOutputFolder(const std::filesystem::path &base, const Script &script)
{
    // A script read from the standard input ("-") has no name of its own.
    return base /
           (script.file == "-" ? std::filesystem::path("stdin") : std::filesystem::path(script.file).stem());
}

bool WriteFramePicture(const std::filesystem::path &path, const uint8_t frame[LcdFrameBytes], int scale,
                       DisplayColours colours, std::string &error)
{
    if (!CreateFolderOf(path, error))
        return false;
    std::string reason;
    const PngColour dot{colours.dot.r, colours.dot.g, colours.dot.b};
    const PngColour panel{colours.panel.r, colours.panel.g, colours.panel.b};
    if (WriteFramePng(path.string().c_str(), frame, scale, dot, panel, &reason))
        return true;
    error = "cannot write " + path.string() + ": " + reason;
    return false;
}

void RunCheck(const Command &command, CheckSite &site)
{
    switch (command.kind) {
    case CommandKind::ExpectFrame:
        return ExpectFrame(site, command);
    case CommandKind::ExpectText:
    case CommandKind::ExpectField:
    case CommandKind::ExpectLamp:
        return ExpectCondition(site, command);
    case CommandKind::Save:
        return Save(site, command);
    default:
        return;
    }
}

bool CheckAwait(const Command &await, CheckSite &site, bool last)
{
    std::string found;
    if (ConditionHolds(await, site.form, found)) {
        Pass(site, await, ConditionText(await), found);
        return true;
    }
    if (last)
        Fail(site, await, ConditionText(await) + " within " + DurationText(AwaitTimeoutMs), found);
    return false;
}
