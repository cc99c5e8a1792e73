#pragma once
// Pictures generated for the demo data: drawn with cairo, encoded as JPEG (libjpeg), GIF
// (our own small LZW encoder) or BMP.

#include <cstdint>
#include <string>
#include <vector>

namespace server::images {

struct Rgb {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;  // r, g, b per pixel, rows top to bottom
};

std::string encodeJpeg(const Rgb& image, int quality = 85);
std::string encodeBmp(const Rgb& image);
// Frames of the same size; a looping animation when there is more than one. Colours are
// reduced to a fixed 6x6x6 palette.
std::string encodeGif(const std::vector<Rgb>& frames, int delayCentiseconds = 80);

// A product photo stand-in: a part silhouette in the brand colour with the part code.
Rgb drawPartPicture(int seed, const std::string& code, const std::string& brand, int width = 480, int height = 360);
// A banner: background, headline and sub line; `phase` shifts the colours for animation frames.
Rgb drawBanner(int width, int height, const std::string& headline, const std::string& subline, int phase);
// An announcement or advertisement card.
Rgb drawCard(int seed, const std::string& title, const std::string& subline, int width = 600, int height = 400);

}  // namespace server::images
