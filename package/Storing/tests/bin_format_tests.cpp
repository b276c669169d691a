#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "RecordingFiles.h"

namespace vandrel {
namespace {

using testing::ReaderTest;
using V = std::vector<float>;

class BinTest : public ReaderTest {
 protected:
  BinTest() : ReaderTest("rec.bin") {}
};

TEST_F(BinTest, RecordsPlayAsStored) {
  std::string b;
  PutInt(b, 2);
  PutRecord(b, 0.25f, {1.5f, -2, 3});
  PutRecord(b, 1, {7, 8});
  Load(b);
  EXPECT_FALSE(FReader.InputError());
  EXPECT_EQ(FReader.RecordCount(), 2);
  EXPECT_EQ(FReader.FileRecord(), 1);
  EXPECT_EQ(Play(1), (V{1.5f, -2, 3, 0}));
  EXPECT_EQ(FPoint.SampleTime(), 0.25f);
  EXPECT_EQ(Play(2), (V{7, 8}));
  EXPECT_EQ(FReader.FileRecord(), 2);
  EXPECT_TRUE(FMessages.Messages().empty());
}

TEST_F(BinTest, NoRecords) {
  for (int32_t n : {0, -1}) {
    std::string b;
    PutInt(b, n);
    TFileStoring reader;
    reader.SetFileRecord(5);
    reader.ImportFile3(WriteText("none.bin", b));
    EXPECT_FALSE(reader.InputError());
    EXPECT_EQ(reader.RecordCount(), 0);
    EXPECT_EQ(reader.FileRecord(), 1);
  }
}

TEST_F(BinTest, ZeroCountIsReadAndFailsWhenPlayed) {
  std::string b;
  PutInt(b, 2);
  PutRecord(b, 1, {});
  PutRecord(b, 1, {4});
  Load(b);
  EXPECT_FALSE(FReader.InputError());
  EXPECT_EQ(FReader.RecordCount(), 2);
  FReader.ProcessRecord(1);
  EXPECT_EQ(FMessages.Messages(), std::vector<std::string>{"Invalid file parameter!"});
  EXPECT_EQ(Play(2), V{4});
}

// A damaged file sets InputError, leaves RecordCount and FileRecord as they
// were, and keeps the records read before the damage playable.
TEST_F(BinTest, DamagedFilesSetInputErrorAndKeepEarlierRecords) {
  struct Case {
    const char* Name;
    std::string Bytes;
    int Damaged;  // the record the damage is in
  };
  auto start = [](int32_t N) {
    std::string b;
    PutInt(b, N);
    PutRecord(b, 1, {5, 6});
    return b;
  };
  std::vector<Case> cases;
  {
    std::string b = start(2);
    PutInt(b, -1);  // negative count
    PutFloat(b, 1);
    cases.push_back({"negative count", b, 2});
  }
  {
    std::string b = start(2);
    PutInt(b, std::numeric_limits<int32_t>::min());
    cases.push_back({"most negative count", b, 2});
  }
  {
    std::string b = start(2);
    PutInt(b, 1 << 30);  // 4 GiB announced in a few bytes
    PutFloat(b, 1);
    PutFloat(b, 2);
    cases.push_back({"count far beyond the file", b, 2});
  }
  {
    std::string b = start(2);
    PutRecord(b, 1, {1, 2, 3});
    b.resize(b.size() - 2);  // ends inside the last sample
    cases.push_back({"ends inside a record", b, 2});
  }
  {
    std::string b = start(3);
    PutRecord(b, 1, {1});
    cases.push_back({"fewer records than announced", b, 3});
  }
  {
    std::string b = start(2);
    PutInt(b, 1);
    PutInt(b, 0);  // count, then half a time span
    b.resize(b.size() - 2);
    cases.push_back({"ends inside a record header", b, 2});
  }
  cases.push_back({"shorter than the record count", std::string("\x01\x00", 2), 1});

  for (const Case& c : cases) {
    TFileStoring reader;
    TSpectrumPoint point;
    reader.SetMPoint(&point);
    reader.SetFileRecord(7);
    reader.SetFileName(WriteText("bad.bin", c.Bytes));
    reader.LoadFile();
    EXPECT_TRUE(reader.InputError()) << c.Name;
    EXPECT_EQ(reader.RecordCount(), 0) << c.Name;
    EXPECT_EQ(reader.FileRecord(), 7) << c.Name;
    if (c.Bytes.size() > 4) {
      reader.ProcessRecord(1);
      EXPECT_EQ(Samples(point), (V{5, 6})) << c.Name;
    }
    FMessages.Clear();
    reader.ProcessRecord(c.Damaged);  // the damaged record was not kept
    EXPECT_EQ(FMessages.Messages().size(), 1u) << c.Name;
  }
  EXPECT_EQ(FPoint.TimeSignal()->Length(), 0);
}

TEST_F(BinTest, MissingFileSetsInputError) {
  FReader.ImportFile3(Path("absent.bin"));
  EXPECT_TRUE(FReader.InputError());
  EXPECT_EQ(FReader.RecordCount(), 0);
  EXPECT_EQ(FReader.FileRecord(), 0);
}

TEST_F(BinTest, MoreRecordsThanTheTableHoldsKeepsTheFirst9999) {
  std::string b;
  PutInt(b, 10001);
  for (int k = 1; k <= 10001; ++k) PutRecord(b, 1, {static_cast<float>(k)});
  Load(b);
  EXPECT_TRUE(FReader.InputError());
  EXPECT_EQ(FReader.RecordCount(), 9999);
  EXPECT_EQ(FReader.FileRecord(), 1);
  EXPECT_EQ(Play(9999), V{9999});
}

TEST_F(BinTest, SampleBitsAreKeptUnchanged) {
  const uint32_t patterns[] = {0x7fc01234u, 0xff800000u, 0x80000000u, 0x00000001u};
  std::string b;
  PutInt(b, 1);
  PutInt(b, 4);
  PutFloat(b, 2);
  for (uint32_t p : patterns) PutInt(b, static_cast<int32_t>(p));
  Load(b);
  FReader.ProcessRecord(1);
  ASSERT_EQ(FPoint.Length(), 4);
  for (int i = 0; i < 4; ++i) {
    uint32_t bits;
    std::memcpy(&bits, FPoint.TimeSignal()->Data() + i, 4);
    EXPECT_EQ(bits, patterns[i]) << i;
  }
}

TEST_F(BinTest, CountsAbove2To24AreKeptExactly) {
  // A count stored as a float would lose the last sample of this record.
  const int32_t n = (1 << 24) + 1;
  std::string b;
  PutInt(b, 1);
  PutInt(b, n);
  PutFloat(b, 1);
  b.append(static_cast<size_t>(n - 1) * 4, '\0');
  PutFloat(b, 3);
  Load(b);
  ASSERT_FALSE(FReader.InputError());
  FReader.ProcessRecord(1);
  ASSERT_EQ(FPoint.Length(), 1 << 25);
  EXPECT_EQ(FPoint.TimeSignal()->Data()[n - 1], 3.0f);
}

}  // namespace
}  // namespace vandrel
