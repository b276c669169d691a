#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "vandrel/platform/Exceptions.h"
#include "vandrel/platform/SysUtils.h"

namespace vandrel {
namespace {

TEST(SysUtilsTest, ExtractFileExtTakesTheTextFromTheLastDot) {
  const std::pair<const char*, const char*> cases[] = {
      {"rec.sgl", ".sgl"},     {"/a/b/rec.DAT", ".DAT"},
      {"rec.tar.bin", ".bin"}, {"rec", ""},
      {"/a.b/rec", ""},        {"rec.", "."},
      {"/a/.sgl", ".sgl"},     {"", ""},
  };
  for (auto [name, ext] : cases) EXPECT_EQ(ExtractFileExt(name), ext) << name;
}

TEST(SysUtilsTest, FileExistsOnlyForFiles) {
  const auto dir = std::filesystem::temp_directory_path() / "vandrel_sysutils_exists";
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "f.sgl").string();
  std::ofstream(file) << "1";
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir.string()));
  EXPECT_FALSE(FileExists((dir / "none").string()));
  EXPECT_FALSE(FileExists(""));
  std::filesystem::remove_all(dir);
  EXPECT_FALSE(FileExists(file));
}

TEST(SysUtilsTest, StrToIntAcceptsSignedDecimalsOnly) {
  const std::pair<const char*, int32_t> good[] = {{"0", 0},
                                                  {"42", 42},
                                                  {"-42", -42},
                                                  {"+7", 7},
                                                  {"  12", 12},
                                                  {"007", 7},
                                                  {"2147483647", INT32_MAX},
                                                  {"-2147483648", INT32_MIN}};
  for (auto [text, value] : good) EXPECT_EQ(StrToInt(text), value) << text;
  for (const char* text : {"", " ", "-", "+", "1 ", "1.0", "1e3", "x", "0x10", "$10", "+-1",
                           "2147483648", "-2147483649", "99999999999999999999", "1\r"}) {
    int32_t v = 5;
    EXPECT_FALSE(TryStrToInt(text, v)) << text;
    EXPECT_EQ(v, 5);
    EXPECT_THROW(StrToInt(text), EConvertError) << text;
  }
  try {
    StrToInt("abc");
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
}

TEST(SysUtilsTest, StrToFloatAcceptsDecimalNumbers) {
  const std::pair<const char*, double> good[] = {
      {"0", 0},         {"1.5", 1.5},
      {"-2.25", -2.25}, {"+3", 3},
      {".5", 0.5},      {"-.5", -0.5},
      {"5.", 5},        {"1e3", 1000},
      {"1E-3", 1e-3},   {"-1.5e+2", -150},
      {"  7  ", 7},     {"0.1", 0.1},
      {"1e-400", 0},    {"123456789012345678901234567890", 1.2345678901234568e29}};
  for (auto [text, value] : good) EXPECT_EQ(StrToFloat(text), value) << text;
  EXPECT_TRUE(std::signbit(StrToFloat("-0")));
  for (const char* text : {"", " ", ".", "-", "+", "e5", "1e", "1.2.3", "1,5", "inf", "nan", "-inf",
                           "0x1p3", "1e400", "--1", "+-1", "1 2", "abc", "1;2"}) {
    double v = 9;
    EXPECT_FALSE(TryStrToFloat(text, v)) << text;
    EXPECT_EQ(v, 9);
    EXPECT_THROW(StrToFloat(text), EConvertError) << text;
  }
}

TEST(SysUtilsTest, StrToFloatFollowsTheDecimalSeparator) {
  EXPECT_EQ(DecimalSeparator(), '.');
  SetDecimalSeparator(',');
  EXPECT_EQ(StrToFloat("1,5"), 1.5);
  EXPECT_EQ(StrToFloat("-,25e1"), -2.5);
  double v = 0;
  EXPECT_FALSE(TryStrToFloat("1.5", v));
  EXPECT_FALSE(TryStrToFloat("1,5,0", v));
  const std::string longText = "1," + std::string(200, '0') + "1";  // past the local buffer
  EXPECT_EQ(StrToFloat(longText), 1.0);
  SetDecimalSeparator('.');
  EXPECT_FALSE(TryStrToFloat("1,5", v));
  EXPECT_EQ(StrToFloat("1.5"), 1.5);
}

}  // namespace
}  // namespace vandrel
