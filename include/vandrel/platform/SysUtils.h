// Run-time helpers for file names and number texts: FileExists,
// ExtractFileExt, and the string-to-number conversions that follow the
// host's decimal separator.
#pragma once

#include <atomic>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace vandrel {

namespace detail {
extern std::atomic<char> gDecimalSeparator;
bool TryStrToFloatFull(std::string_view S, double& Value);
}  // namespace detail

// The decimal separator that StrToFloat and TryStrToFloat accept (default
// '.'). The host sets it from its locale; it is one process-wide setting.
inline char DecimalSeparator() {
  return detail::gDecimalSeparator.load(std::memory_order_relaxed);
}
void SetDecimalSeparator(char Value);

// True when FileName names an existing regular file (directories are not
// files). Never throws.
bool FileExists(const std::string& FileName);

// True when A and B are equal without regard to the case of ASCII letters
// (component, class, property and value names).
bool SameText(std::string_view A, std::string_view B);

// The extension of FileName: the text from its last '.' on, the dot included,
// or "" when the last '.' lies before the last '/' or there is none.
std::string ExtractFileExt(const std::string& FileName);

// Integer text: optional leading blanks, an optional sign and decimal digits,
// nothing after them; the value must fit in 32 bits. TryStrToInt answers
// false for any other text (the empty text included) and leaves Value alone.
bool TryStrToInt(std::string_view S, int32_t& Value);
// As TryStrToInt; raises EConvertError "'S' is not a valid integer value".
int32_t StrToInt(const std::string& S);

// Floating-point text: optional leading and trailing blanks, an optional
// sign, digits with at most one DecimalSeparator() (digits on at least one
// side of it), and an optional exponent "e" or "E" with an optional sign and
// digits. No thousands separators, no infinities or NaNs, no hexadecimal.
// Texts beyond the range of double fail; texts below it give 0 or a
// subnormal. TryStrToFloat answers false for any other text (the empty text
// included) and leaves Value alone.
inline bool TryStrToFloat(std::string_view S, double& Value) {
  // Readers convert millions of values: the plain form of a number (no
  // blanks, no '+', '.' as separator) goes straight to std::from_chars,
  // whose grammar for it is the one above; everything else takes the full path.
  const char* p = S.data();
  const char* const e = p + S.size();
  if (DecimalSeparator() == '.' && p != e) {
    const char* d = p + (*p == '-');
    if (d != e && ((*d >= '0' && *d <= '9') || *d == '.')) {
      double v;
      const auto [ptr, ec] = std::from_chars(p, e, v, std::chars_format::general);
      if (ptr == e && ec == std::errc()) {
        Value = v;
        return true;
      }
    }
  }
  return detail::TryStrToFloatFull(S, Value);
}
// As TryStrToFloat; raises EConvertError "'S' is not a valid floating point value".
double StrToFloat(const std::string& S);

}  // namespace vandrel
