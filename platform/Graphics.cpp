#include "vandrel/platform/Graphics.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

#include "vandrel/platform/Exceptions.h"

namespace vandrel {

const std::array<TRGB, 16> StandardPalette16 = {{
    {0x00, 0x00, 0x00},
    {0x80, 0x00, 0x00},
    {0x00, 0x80, 0x00},
    {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80},
    {0x80, 0x00, 0x80},
    {0x00, 0x80, 0x80},
    {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80},
    {0xFF, 0x00, 0x00},
    {0x00, 0xFF, 0x00},
    {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF},
    {0xFF, 0x00, 0xFF},
    {0x00, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF},
}};

namespace {
constexpr int32_t kLargestSide = 4096;

int ColorIndex(char ch) {
  if (ch == '.') return 0;
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

void PutLE(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
}  // namespace

TBitmap::TBitmap(int32_t AWidth, int32_t AHeight) {
  if (AWidth < 0 || AHeight < 0 || AWidth > kLargestSide || AHeight > kLargestSide)
    throw EConvertError("Invalid bitmap size " + std::to_string(AWidth) + " x " +
                        std::to_string(AHeight));
  FWidth = AWidth;
  FHeight = AHeight;
  FPixels.assign(static_cast<size_t>(AWidth) * static_cast<size_t>(AHeight), 0);
}

TBitmap TBitmap::FromPixelText(int32_t AWidth, int32_t AHeight, const char* Text) {
  TBitmap b(AWidth, AHeight);
  const size_t n = b.FPixels.size();
  if (Text == nullptr || std::strlen(Text) != n)
    throw EConvertError("Bitmap text does not hold " + std::to_string(n) + " pixels");
  for (size_t i = 0; i < n; ++i) {
    int c = ColorIndex(Text[i]);
    if (c < 0) throw EConvertError("Invalid colour in bitmap text at pixel " + std::to_string(i));
    b.FPixels[i] = static_cast<uint8_t>(c);
  }
  return b;
}

uint8_t TBitmap::Pixel(int32_t X, int32_t Y) const {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return 0;
  return FPixels[static_cast<size_t>(Y) * static_cast<size_t>(FWidth) + static_cast<size_t>(X)];
}

void TBitmap::SetPixel(int32_t X, int32_t Y, uint8_t Index) {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
  FPixels[static_cast<size_t>(Y) * static_cast<size_t>(FWidth) + static_cast<size_t>(X)] =
      Index & 0x0F;
}

int TBitmap::ColorCount() const {
  std::set<uint8_t> used(FPixels.begin(), FPixels.end());
  return static_cast<int>(used.size());
}

std::vector<uint8_t> TBitmap::SaveToBmp() const {
  // Two pixels per byte, high nibble first; each row padded to 4 bytes.
  const uint32_t rowBytes = ((static_cast<uint32_t>(FWidth) * 4 + 31) / 32) * 4;
  const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(FHeight);
  const uint32_t headerBytes = 14 + 40 + 16 * 4;
  std::vector<uint8_t> out;
  out.reserve(headerBytes + imageBytes);
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  PutLE(out, headerBytes + imageBytes, 4);
  PutLE(out, 0, 4);
  PutLE(out, headerBytes, 4);
  // BITMAPINFOHEADER
  PutLE(out, 40, 4);
  PutLE(out, static_cast<uint32_t>(FWidth), 4);
  PutLE(out, static_cast<uint32_t>(FHeight), 4);  // positive: bottom-up rows
  PutLE(out, 1, 2);                               // planes
  PutLE(out, 4, 2);                               // bits per pixel
  PutLE(out, 0, 4);                               // BI_RGB
  PutLE(out, imageBytes, 4);
  PutLE(out, 2835, 4);  // 72 dpi
  PutLE(out, 2835, 4);
  PutLE(out, 16, 4);  // colours used
  PutLE(out, 0, 4);   // colours important: all
  for (const TRGB& c : StandardPalette16) {
    out.push_back(c.B);
    out.push_back(c.G);
    out.push_back(c.R);
    out.push_back(0);
  }
  for (int32_t y = FHeight - 1; y >= 0; --y) {
    std::vector<uint8_t> row(rowBytes, 0);
    for (int32_t x = 0; x < FWidth; ++x) {
      uint8_t v = Pixel(x, y);
      row[static_cast<size_t>(x / 2)] |= (x % 2 == 0) ? static_cast<uint8_t>(v << 4) : v;
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

void TBitmap::SaveToFile(const std::string& FileName) const {
  const std::vector<uint8_t> bytes = SaveToBmp();
  std::FILE* f = std::fopen(FileName.c_str(), "wb");
  if (f == nullptr) {
    int err = errno;
    throw EInOutError("Cannot create file \"" + FileName + "\". " + std::strerror(err), err);
  }
  size_t written = std::fwrite(bytes.data(), 1, bytes.size(), f);
  int err = written == bytes.size() ? 0 : errno;
  if (std::fclose(f) != 0 && err == 0) err = errno ? errno : EIO;
  if (written != bytes.size() || err != 0)
    throw EInOutError("Cannot write file \"" + FileName + "\". " + std::strerror(err ? err : EIO),
                      err ? err : EIO);
}

}  // namespace vandrel
