// Picture files made by the tests: plain and hostile bitmaps written byte by byte, JPEGs
// from our encoder, and a message box that collects what it is asked to show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/EditorInterfaces.h"
#include "render/RgbPicture.h"

struct TCollectedMessages : IUserMessages {
  std::vector<std::string> Shown;
  // The answer to the offer to scale a large picture down (the refusal and the question are
  // collected); without one, the refusal alone is shown, as by default.
  std::optional<bool> ScaleAnswer;
  void ShowError(const std::string& text) override { Shown.push_back(text); }
  bool OfferScaleDown(const std::string& refusal, const std::string& question) override
  {
    if (!ScaleAnswer) return IUserMessages::OfferScaleDown(refusal, question);
    Shown.push_back(refusal);
    Shown.push_back(question);
    return *ScaleAnswer;
  }
};

// A picture of one colour.
TRgbPicture SolidPicture(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// The bytes of a 24-bit bottom-up Windows bitmap of `picture`.
std::string BmpBytes(const TRgbPicture& picture);
// A 24-bit bitmap header declaring width x height, followed by `pixelBytes` bytes of pixels.
std::string BmpHeaderBytes(std::int32_t width, std::int32_t height, std::size_t pixelBytes);

void WriteBmp(const std::string& path, int width, int height, std::uint8_t red = 200, std::uint8_t green = 40,
              std::uint8_t blue = 30);
void WriteJpeg(const std::string& path, int width, int height, std::uint8_t red = 200, std::uint8_t green = 40,
               std::uint8_t blue = 30);

// The pixel at (x, y) of a decoded picture: {red, green, blue}.
std::vector<int> PixelAt(const TRgbPicture& picture, int x, int y);
