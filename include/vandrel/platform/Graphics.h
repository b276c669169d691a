// TBitmap: a small 16-colour picture (palette bitmaps and icons), kept as one
// colour index per pixel over the standard 16-colour palette, and written as a
// standard 4-bit Windows BMP.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vandrel {

struct TRGB {
  uint8_t R, G, B;
  bool operator==(const TRGB&) const = default;
};

// The standard 16-colour palette: black, maroon, green, olive, navy, purple,
// teal, silver, grey, red, lime, yellow, blue, fuchsia, aqua, white.
extern const std::array<TRGB, 16> StandardPalette16;

class TBitmap {
 public:
  TBitmap() = default;
  // Width x Height pixels (each 0 .. 4096), all colour 0.
  TBitmap(int32_t AWidth, int32_t AHeight);

  // A bitmap from pixel text: Width * Height characters, rows top to bottom,
  // each '0'..'9' or 'A'..'F' (a colour index) or '.' (index 0). Raises
  // EConvertError for a wrong length or character.
  static TBitmap FromPixelText(int32_t AWidth, int32_t AHeight, const char* Text);

  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  // Colour index of pixel (X, Y), Y = 0 the top row; 0 outside the picture.
  uint8_t Pixel(int32_t X, int32_t Y) const;
  // Ignored outside the picture; Index is taken modulo 16.
  void SetPixel(int32_t X, int32_t Y, uint8_t Index);
  TRGB PixelColor(int32_t X, int32_t Y) const { return StandardPalette16[Pixel(X, Y)]; }
  // Number of distinct colour indices used.
  int ColorCount() const;

  // The picture as a 4-bit BMP file (BITMAPINFOHEADER, 16-entry colour table,
  // bottom-up rows padded to 4 bytes).
  std::vector<uint8_t> SaveToBmp() const;
  // Writes SaveToBmp() to FileName; raises EInOutError on failure.
  void SaveToFile(const std::string& FileName) const;

 private:
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  std::vector<uint8_t> FPixels;  // row-major, top row first
};

}  // namespace vandrel
