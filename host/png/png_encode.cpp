#include "host/png/png_encode.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The reflected CRC-32 of PNG and zlib (polynomial 0xEDB88320), a byte at a time.
constexpr std::array<uint32_t, 256> MakeCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr std::array<uint32_t, 256> CrcTable = MakeCrcTable();

constexpr uint32_t AdlerModulus = 65521;
// The most bytes whose sums cannot overflow 32 bits before reducing them.
constexpr size_t AdlerRun = 5552;
// The longest stored deflate block.
constexpr size_t StoredBlockMax = 65535;
// PNG limits every length and side to 2^31 - 1.
constexpr uint64_t PngMax = 0x7FFFFFFF;

void PutBigEndian(std::vector<uint8_t> &out, uint32_t value)
{
    out.push_back((uint8_t)(value >> 24));
    out.push_back((uint8_t)(value >> 16));
    out.push_back((uint8_t)(value >> 8));
    out.push_back((uint8_t)value);
}

// Length, type, data and the CRC of type and data.
void PutChunk(std::vector<uint8_t> &out, const char type[4], const std::vector<uint8_t> &data)
{
    PutBigEndian(out, (uint32_t)data.size());
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

// The zlib stream of the bytes: its header, stored blocks of at most
// StoredBlockMax bytes (at least one, the last marked final) and the Adler-32.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t> &raw)
{
    std::vector<uint8_t> out;
    const size_t blocks = raw.empty() ? 1 : (raw.size() + StoredBlockMax - 1) / StoredBlockMax;
    out.reserve(2 + raw.size() + blocks * 5 + 4);
    // Deflate with a 32 KiB window, no preset dictionary, the fastest level;
    // 0x7801 is a multiple of 31, as the header check requires.
    out.push_back(0x78);
    out.push_back(0x01);
    size_t at = 0;
    for (size_t block = 0; block < blocks; ++block) {
        const size_t length = std::min(StoredBlockMax, raw.size() - at);
        // BFINAL in bit 0, BTYPE 00 (stored); the rest of the byte pads to
        // the byte boundary. LEN and its complement, least significant first.
        out.push_back(block + 1 == blocks ? 1 : 0);
        out.push_back((uint8_t)length);
        out.push_back((uint8_t)(length >> 8));
        out.push_back((uint8_t)~length);
        out.push_back((uint8_t)(~length >> 8));
        out.insert(out.end(), raw.begin() + (ptrdiff_t)at, raw.begin() + (ptrdiff_t)(at + length));
        at += length;
    }
    PutBigEndian(out, Adler32(raw.data(), raw.size()));
    return out;
}

} // namespace

uint32_t Crc32(const uint8_t *data, size_t size, uint32_t crc)
{
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = CrcTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Adler32(const uint8_t *data, size_t size, uint32_t adler)
{
    uint32_t a = adler & 0xFFFF, b = adler >> 16;
    while (size > 0) {
        const size_t run = std::min(size, AdlerRun);
        for (size_t i = 0; i < run; ++i) {
            a += data[i];
            b += a;
        }
        a %= AdlerModulus;
        b %= AdlerModulus;
        data += run;
        size -= run;
    }
    return b << 16 | a;
}

std::vector<uint8_t> EncodeStoredPng(int width, int height, const uint8_t *rgb)
{
    if (width <= 0 || height <= 0)
        return {};
    // Every row starts with its filter type: 0, none. Sides below 2^31 keep
    // this within 64 bits; an IDAT within PNG's limit keeps it within size_t.
    const uint64_t rawSize = ((uint64_t)width * 3 + 1) * (uint64_t)height;
    const uint64_t blocks = (rawSize + StoredBlockMax - 1) / StoredBlockMax;
    if (2 + rawSize + blocks * 5 + 4 > PngMax)
        return {};
    const size_t rowBytes = (size_t)width * 3;

    std::vector<uint8_t> raw((size_t)rawSize);
    for (size_t y = 0; y < (size_t)height; ++y) {
        uint8_t *row = &raw[y * (rowBytes + 1)];
        row[0] = 0;
        memcpy(row + 1, rgb + y * rowBytes, rowBytes);
    }

    static const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> png(Signature, Signature + 8);
    std::vector<uint8_t> header;
    PutBigEndian(header, (uint32_t)width);
    PutBigEndian(header, (uint32_t)height);
    // 8 bits a sample, colour type 2 (RGB), deflate, adaptive filtering
    // (every row filtered with "none"), no interlacing.
    header.insert(header.end(), {8, 2, 0, 0, 0});
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", {});
    return png;
}
