// The face picture built into the program, and the decoder's refusal of
// damaged pictures.
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

#include "host/face/face_picture.h"
#include "host/jpeg_decode.h"

namespace {

std::vector<uint8_t> FaceBytes() { return {FacePictureJpeg, FacePictureJpeg + FacePictureJpegSize}; }

// Average colour of a small square of the picture, given in the window's
// coordinates (the picture is stretched from 371 x 371 to 336 x 323).
struct Rgb {
    int r, g, b;
};
Rgb WindowSpot(const DecodedPicture &face, int windowX, int windowY)
{
    int cx = windowX * face.width / 336, cy = windowY * face.height / 323;
    Rgb sum{0, 0, 0};
    for (int y = cy - 2; y <= cy + 2; ++y)
        for (int x = cx - 2; x <= cx + 2; ++x) {
            const uint8_t *p = &face.rgb[((size_t)y * face.width + x) * 3];
            sum.r += p[0];
            sum.g += p[1];
            sum.b += p[2];
        }
    return {sum.r / 25, sum.g / 25, sum.b / 25};
}

} // namespace

TEST(FacePicture, DecodesToTheFaceWithItsPartsUnderTheWindowsControls)
{
    DecodedPicture face = DecodeJpeg(FacePictureJpeg, FacePictureJpegSize);
    ASSERT_EQ(face.width, 371);
    ASSERT_EQ(face.height, 371);
    ASSERT_EQ(face.rgb.size(), 371u * 371u * 3u);

    Rgb display = WindowSpot(face, 39 + 129, 92 + 65);
    EXPECT_GT(display.r, 150);
    EXPECT_GT(display.g, 150);
    EXPECT_GT(display.b, 150);
    Rgb lamp = WindowSpot(face, 154 + 14, 16 + 14);
    EXPECT_GT(lamp.r, 120);
    EXPECT_LT(lamp.g, 80);
    Rgb knob = WindowSpot(face, 144 + 24, 253 + 24);
    EXPECT_LT(knob.r + knob.g + knob.b, 3 * 100);
    // The bezel between the display window and the keys is black.
    Rgb bezel = WindowSpot(face, 168, 232);
    EXPECT_LT(bezel.r + bezel.g + bezel.b, 3 * 60);
}

TEST(FacePicture, RejectsDamagedPictures)
{
    std::vector<uint8_t> bytes = FaceBytes();

    EXPECT_THROW(DecodeJpeg(bytes.data(), 0), std::runtime_error);

    // Cut in the middle of the image data: libjpeg itself would only warn
    // and pad the rest with grey.
    EXPECT_THROW(DecodeJpeg(bytes.data(), bytes.size() / 2), std::runtime_error);
    // Missing its end-of-image marker only.
    EXPECT_THROW(DecodeJpeg(bytes.data(), bytes.size() - 2), std::runtime_error);

    std::vector<uint8_t> notJpeg = bytes;
    notJpeg[0] = 'P';
    notJpeg[1] = '6';
    EXPECT_THROW(DecodeJpeg(notJpeg.data(), notJpeg.size()), std::runtime_error);

    // An end-of-image marker in the middle of the entropy-coded data.
    std::vector<uint8_t> corrupt = bytes;
    corrupt[corrupt.size() / 2] = 0xFF;
    corrupt[corrupt.size() / 2 + 1] = 0xD9;
    EXPECT_THROW(DecodeJpeg(corrupt.data(), corrupt.size()), std::runtime_error);

    EXPECT_NO_THROW(DecodeJpeg(bytes.data(), bytes.size()));
}
