#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "vandrel/platform/Exceptions.h"
#include "vandrel/platform/FileStream.h"
#include "vandrel/platform/TextFile.h"

namespace vandrel {
namespace {

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FDir = std::filesystem::temp_directory_path() /
           ("vandrel_textfile_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(FDir);
  }
  void TearDown() override { std::filesystem::remove_all(FDir); }
  std::string Write(const std::string& Text) {
    const std::string path = (FDir / "t.txt").string();
    std::ofstream(path, std::ios::binary) << Text;
    return path;
  }
  // Every line until Eof.
  static std::vector<std::string> Lines(TTextFile& F) {
    std::vector<std::string> out;
    while (!F.Eof()) out.emplace_back(F.ReadLn());
    return out;
  }
  std::filesystem::path FDir;
};

TEST_F(TextFileTest, LineEnds) {
  using L = std::vector<std::string>;
  const std::pair<std::string, L> cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"a\n\r\n\nb\r", {"a", "", "", "b"}},
      {"a\rb\n", {"a\rb"}},  // a CR inside a line stays
      {"\r\n", {""}},
      {"", {}},
  };
  for (const auto& [text, lines] : cases) {
    TTextFile f(Write(text));
    EXPECT_EQ(Lines(f), lines);
    EXPECT_TRUE(f.Eof());
    EXPECT_EQ(f.ReadLn(), "");  // past the end: empty lines
  }
}

TEST_F(TextFileTest, LinesLongerThanTheBufferAndManyLines) {
  const std::string longLine(3 << 20, 'x');
  std::string text = "first\r\n" + longLine + "\r\n";
  for (int i = 0; i < 100000; ++i) text += std::to_string(i) + "\n";
  TTextFile f(Write(text));
  EXPECT_EQ(f.ReadLn(), "first");
  EXPECT_EQ(f.ReadLn(), longLine);
  for (int i = 0; i < 100000; ++i) ASSERT_EQ(f.ReadLn(), std::to_string(i));
  EXPECT_TRUE(f.Eof());
}

TEST_F(TextFileTest, FailuresRaiseInOutError) {
  TTextFile f;
  EXPECT_THROW(f.Eof(), EInOutError);
  EXPECT_THROW(f.ReadLn(), EInOutError);
  EXPECT_THROW(f.Reset((FDir / "absent").string()), EInOutError);
  try {
    f.Reset((FDir / "absent").string());
  } catch (const EInOutError& e) {
    EXPECT_NE(e.ErrorCode(), 0);
  }
  f.Reset(Write("x\n"));
  f.Close();
  f.Close();
  EXPECT_THROW(f.ReadLn(), EInOutError);
}

TEST_F(TextFileTest, FileStreamReadsWritesAndSeeks) {
  const std::string path = (FDir / "s.bin").string();
  {
    TFileStream s(path, fmCreate);
    const char data[] = "0123456789";
    s.WriteBuffer(data, 10);
    EXPECT_EQ(s.Size(), 10);
  }
  TFileStream s(path, fmOpenRead);
  EXPECT_EQ(s.Size(), 10);
  char buf[8] = {};
  EXPECT_EQ(s.Read(buf, 4), 4);
  EXPECT_EQ(std::string(buf, 4), "0123");
  EXPECT_EQ(s.Position(), 4);
  EXPECT_EQ(s.Seek(-2, soEnd), 8);
  EXPECT_EQ(s.Read(buf, 8), 2);  // fewer at the end of the file
  EXPECT_EQ(s.Read(buf, -1), 0);
  s.SetPosition(9);
  EXPECT_THROW(s.ReadBuffer(buf, 2), EReadError);
  EXPECT_THROW(s.Seek(-1, soBeginning), EStreamError);
  EXPECT_THROW(TFileStream((FDir / "absent").string(), fmOpenRead), EFOpenError);
  EXPECT_THROW(TFileStream((FDir / "no" / "dir").string(), fmCreate), EFCreateError);
}

}  // namespace
}  // namespace vandrel
