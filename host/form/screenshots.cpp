#include "host/form/screenshots.h"

#include <cstdio>
#include <filesystem>

#include "host/png/png_write.h"

namespace {

std::string InFolder(const std::string &folder, const std::string &name)
{
    if (folder.empty() || folder == ".")
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

PngColour Png(TColor c) { return {c.r, c.g, c.b}; }

// The names written, or why the shot failed.
ShotResult Report(const std::string &folder, std::vector<std::string> files, const std::string &error)
{
    if (!error.empty()) {
        for (const std::string &file : files)
            std::remove(file.c_str());
        const std::string where = folder.empty() ? "." : folder;
        return {false, {}, "Cannot write the screenshot in " + where + ": " + error};
    }
    std::string names;
    for (const std::string &file : files)
        names += (names.empty() ? "" : ", ") + std::filesystem::path(file).filename().string();
    return {true, std::move(files), "Saved " + names};
}

} // namespace

std::string ShotNamer::NextBase(const std::string &folder, std::time_t when,
                                const std::vector<std::string> &suffixes)
{
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    for (;;) {
        std::string base = std::string("qpx-") + stamp + "-" + std::to_string(++counter_);
        bool taken = false;
        std::error_code ignored;
        for (const std::string &suffix : suffixes)
            taken |= std::filesystem::exists(InFolder(folder, base + suffix), ignored);
        if (!taken)
            return base;
    }
}

ShotResult WriteDisplayShots(const std::string &folder, const std::string &base,
                             const uint8_t frame[LcdFrameBytes], DisplayColours colours)
{
    std::vector<std::string> files;
    std::string error;
    files.push_back(InFolder(folder, base + "-display.png"));
    if (WriteFramePng(files.back().c_str(), frame, 1, Png(clBlack), Png(clWhite), &error)) {
        files.push_back(InFolder(folder, base + "-display-2x.png"));
        WriteFramePng(files.back().c_str(), frame, 2, Png(colours.dot), Png(colours.panel), &error);
    }
    return Report(folder, std::move(files), error);
}

ShotResult WriteWindowShot(const std::string &folder, const std::string &base, const TPicture &picture)
{
    std::vector<std::string> files{InFolder(folder, base + "-window.png")};
    std::string error;
    WriteRgbPng(files.back().c_str(), picture.width, picture.height, picture.rgb.data(), &error);
    return Report(folder, std::move(files), error);
}
