#include "host/inspect/frame_pbm.h"

#include <cerrno>
#include <cstring>
#include <fstream>

static bool Dot(const uint8_t frame[1024], int x, int y) { return (frame[(y / 8) * 128 + x] >> (y % 8)) & 1; }

std::string FrameToPbm(const uint8_t frame[1024])
{
    std::string out = "P1\n128 64\n";
    out.reserve(out.size() + 64 * 129);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 128; ++x)
            out += Dot(frame, x, y) ? '1' : '0';
        out += '\n';
    }
    return out;
}

bool ReadPbmFrame(const std::string &path, uint8_t frame[1024])
{
    std::ifstream in(path);
    if (!in)
        return false;
    std::string magic;
    int width = 0, height = 0;
    in >> magic >> width >> height;
    if (magic != "P1" || width != 128 || height != 64)
        return false;
    uint8_t read[1024] = {};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x) {
            char c;
            do {
                if (!in.get(c))
                    return false;
            } while (c != '0' && c != '1');
            if (c == '1')
                read[(y / 8) * 128 + x] |= (uint8_t)(1u << (y % 8));
        }
    memcpy(frame, read, sizeof read);
    return true;
}

bool WritePbmFrame(const std::string &path, const uint8_t frame[1024], std::string *error)
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
