#include "host/readout/frame_pbm.h"

#include <cerrno>
#include <cstring>
#include <fstream>

std::string FrameToPbm(const uint8_t frame[LcdFrameBytes])
{
    std::string out = "P1\n" + std::to_string(LcdWidth) + " " + std::to_string(LcdHeight) + "\n";
    out.reserve(out.size() + LcdHeight * (LcdWidth + 1));
    for (int y = 0; y < LcdHeight; ++y) {
        for (int x = 0; x < LcdWidth; ++x)
            out += FrameDot(frame, x, y) ? '1' : '0';
        out += '\n';
    }
    return out;
}

bool ReadPbmFrame(const std::string &path, uint8_t frame[LcdFrameBytes])
{
    std::ifstream in(path);
    if (!in)
        return false;
    std::string magic;
    int width = 0, height = 0;
    in >> magic >> width >> height;
    if (magic != "P1" || width != LcdWidth || height != LcdHeight)
        return false;
    uint8_t read[LcdFrameBytes] = {};
    for (int y = 0; y < LcdHeight; ++y)
        for (int x = 0; x < LcdWidth; ++x) {
            char c;
            do {
                if (!in.get(c))
                    return false;
            } while (c != '0' && c != '1');
            if (c == '1')
                SetFrameDot(read, x, y);
        }
    memcpy(frame, read, sizeof read);
    return true;
}

bool WritePbmFrame(const std::string &path, const uint8_t frame[LcdFrameBytes], std::string *error)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out)
        out << FrameToPbm(frame);
    if (out)
        out.close();
    if (!out) {
        if (error)
            *error = errno ? strerror(errno) : "write failed";
        return false;
    }
    return true;
}
