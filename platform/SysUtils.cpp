#include "vandrel/platform/SysUtils.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <string>
#include <system_error>

#include "vandrel/platform/Exceptions.h"

namespace vandrel {

namespace detail {
std::atomic<char> gDecimalSeparator{'.'};
}  // namespace detail

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Decides whether a decimal text that std::from_chars found out of range lies
// above the range (true) or below it. [p, e) is a syntactically valid number
// without sign, with '.' as its separator.
bool IsAboveRange(const char* p, const char* e) {
  // Effective decimal exponent of the first significant digit.
  long long position = 0;  // digits before the separator, counted from the first significant one
  bool significant = false;
  bool afterSeparator = false;
  for (; p != e && *p != 'e' && *p != 'E'; ++p) {
    if (*p == '.') {
      afterSeparator = true;
    } else if (!significant) {
      if (*p != '0') {
        significant = true;
        if (!afterSeparator) position = 1;
      } else if (afterSeparator) {
        --position;
      }
    } else if (!afterSeparator) {
      ++position;
    }
  }
  if (!significant) return false;
  long long exponent = 0;
  if (p != e) {
    ++p;  // the 'e'
    bool negative = false;
    if (p != e && (*p == '+' || *p == '-')) negative = *p++ == '-';
    for (; p != e; ++p) {
      if (exponent < 100000000) exponent = exponent * 10 + (*p - '0');
    }
    if (negative) exponent = -exponent;
  }
  return position + exponent > 0;
}

// Parses [p, e) after the caller has taken the sign off and mapped the
// decimal separator to '.'.
bool ParseUnsigned(const char* p, const char* e, double& Value) {
  if (p == e || !(IsDigit(*p) || *p == '.')) return false;  // no "inf", "nan", second sign
  double v = 0;
  auto [ptr, ec] = std::from_chars(p, e, v, std::chars_format::general);
  if (ptr != e) return false;
  if (ec == std::errc::result_out_of_range) {
    if (IsAboveRange(p, e)) return false;
    v = 0;
  } else if (ec != std::errc()) {
    return false;
  }
  Value = v;
  return true;
}

}  // namespace

void SetDecimalSeparator(char Value) {
  detail::gDecimalSeparator.store(Value, std::memory_order_relaxed);
}

bool FileExists(const std::string& FileName) {
  if (FileName.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_regular_file(FileName, ec);
}

std::string ExtractFileExt(const std::string& FileName) {
  const std::string::size_type dot = FileName.find_last_of("./");
  if (dot == std::string::npos || FileName[dot] != '.') return std::string();
  return FileName.substr(dot);
}

bool TryStrToInt(std::string_view S, int32_t& Value) {
  const char* p = S.data();
  const char* e = p + S.size();
  while (p != e && *p == ' ') ++p;
  bool negative = false;
  if (p != e && (*p == '+' || *p == '-')) negative = *p++ == '-';
  if (p == e || !IsDigit(*p)) return false;
  // Parsed as 64 bits so that -2147483648 converts like every other value.
  int64_t magnitude = 0;
  auto [ptr, ec] = std::from_chars(p, e, magnitude);
  if (ec != std::errc() || ptr != e) return false;
  const int64_t v = negative ? -magnitude : magnitude;
  if (v < INT32_MIN || v > INT32_MAX) return false;
  Value = static_cast<int32_t>(v);
  return true;
}

int32_t StrToInt(const std::string& S) {
  int32_t v = 0;
  if (!TryStrToInt(S, v)) throw EConvertError("'" + S + "' is not a valid integer value");
  return v;
}

bool detail::TryStrToFloatFull(std::string_view S, double& Value) {
  const char* p = S.data();
  const char* e = p + S.size();
  while (p != e && *p == ' ') ++p;
  while (e != p && e[-1] == ' ') --e;
  bool negative = false;
  if (p != e && (*p == '+' || *p == '-')) negative = *p++ == '-';

  double v = 0;
  const char separator = DecimalSeparator();
  if (separator == '.') {
    if (!ParseUnsigned(p, e, v)) return false;
  } else {
    // std::from_chars knows only '.': map the host's separator onto it, and
    // a '.' onto a character that no number contains.
    char local[128];
    std::string heap;
    char* q = local;
    const std::size_t n = static_cast<std::size_t>(e - p);
    if (n > sizeof local) {
      heap.resize(n);
      q = heap.data();
    }
    for (std::size_t i = 0; i < n; ++i) {
      const char c = p[i];
      q[i] = c == separator ? '.' : (c == '.' ? '#' : c);
    }
    if (!ParseUnsigned(q, q + n, v)) return false;
  }
  Value = negative ? -v : v;
  return true;
}

double StrToFloat(const std::string& S) {
  double v = 0;
  if (!TryStrToFloat(S, v)) throw EConvertError("'" + S + "' is not a valid floating point value");
  return v;
}

bool SameText(std::string_view A, std::string_view B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace vandrel
