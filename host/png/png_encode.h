// A PNG encoder needing no library: 8-bit RGB pixels go into the zlib stream
// as "stored" deflate blocks, uncompressed, so the file is about as large as
// its pixels. The chunks' CRC-32 and the stream's Adler-32 are computed here.
// The WebAssembly build writes its pictures with it, having no libpng.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Both continue a checksum given as the previous call's result, as zlib's
// crc32() and adler32() do; the defaults start a new one.
uint32_t Crc32(const uint8_t *data, size_t size, uint32_t crc = 0);
uint32_t Adler32(const uint8_t *data, size_t size, uint32_t adler = 1);

// The whole file of a width x height picture, 3 bytes a pixel, row by row.
// Empty when either side is not positive or the picture is too large for a
// PNG file.
std::vector<uint8_t> EncodeStoredPng(int width, int height, const uint8_t *rgb);
