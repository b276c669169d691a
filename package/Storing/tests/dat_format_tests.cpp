#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingFiles.h"

namespace vandrel {
namespace {

using testing::ReaderTest;
using V = std::vector<float>;

class DatTest : public ReaderTest {
 protected:
  DatTest() : ReaderTest("rec.dat") {}
  // A file of one record around DataLine.
  static std::string OneRecord(const std::string& DataLine) {
    return CrLf({"header", "channel", DataLine, ""});
  }
  // The point filled with a known signal, to see whether a failed record touches it.
  void Prefill() {
    FPoint.SetLength(2);
    FPoint.SetSampleTime(9);
    FPoint.TimeSignal()->Data()[0] = 42;
  }
};

TEST_F(DatTest, DataLinePlaysCodesWithGainAndOffset) {
  Load(OneRecord("a,b,4,x,0.001,y,z,2,1,16384,16385,16383"));
  ASSERT_EQ(FReader.RecordCount(), 1);
  FReader.SetInputError(true);
  FReader.ProcessRecord(1);
  EXPECT_FALSE(FReader.InputError());
  EXPECT_EQ(FPoint.Length(), 4);
  EXPECT_EQ(FPoint.SampleTime(), 0.004f);        // 4 * 0.001 rounded to single
  EXPECT_EQ(Samples(FPoint), (V{1, 3, -1, 0}));  // no field for the fourth sample
  EXPECT_EQ(FReader.FileRecord(), 1);
}

TEST_F(DatTest, FieldTextIsWhatFollowsItsLastSpace) {
  const std::pair<const char*, int> cases[] = {
      {"a,b, 4,x,0.001,y,z,2,1,16384", 4},
      {"a,b,4 5,x,0.001,y,z,2,1,16384", 8},        // reads 5
      {"a b,b,3,x,0.001,y,z,2,1,16384 16385", 4},  // last field reads 16385
      {"a,b,2.5,x,0.001,y,z,2,1,16384", 2},        // 2.5 rounds to the even 2
  };
  for (auto [line, length] : cases) {
    Load(OneRecord(line));
    FReader.ProcessRecord(1);
    EXPECT_FALSE(FReader.InputError()) << line;
    EXPECT_EQ(FPoint.Length(), length) << line;
  }
  EXPECT_EQ(FPoint.TimeSignal()->Data()[0], 1.0f);
}

TEST_F(DatTest, BadLinesSetInputErrorAndLeaveThePointAlone) {
  const char* lines[] = {
      "a,b,4,x,0.001,y,z,2,1,16384,",     // ends with ","
      "a,b,4,x,0.001,y,z,2,1,16384 ",     // ends with a space
      "a,b,0,x,0.001,y,z,2,1,16384",      // count 0
      "a,b,-3,x,0.001,y,z,2,1,16384",     // count below 0
      "a,b,1e12,x,0.001,y,z,2,1,16384",   // count beyond any signal
      "a,b,4,x,0.001,y,z,g,1,16384",      // gain is no number
      "a,b,,x,0.001,y,z,2,1,16384",       // count is empty
      "a,b,4,x,0.001,y,z,2,1,16384,?,1",  // a code is no number
      "a,b,4,x,0.001,y,z,2",              // no offset field
      "",
  };
  for (const char* line : lines) {
    Load(OneRecord(line));
    Prefill();
    FReader.SetInputError(false);
    FReader.ProcessRecord(1);
    EXPECT_TRUE(FReader.InputError()) << line;
    EXPECT_EQ(FPoint.Length(), 2) << line;
    EXPECT_EQ(FPoint.TimeSignal()->Data()[0], 42.0f) << line;
  }
  EXPECT_TRUE(FMessages.Messages().empty());
}

TEST_F(DatTest, AtMost12000Fields) {
  std::string line = "a,b,11991,x,0.001,y,z,1,0";
  for (int i = 0; i < 11991; ++i) line += ",16385";
  Load(OneRecord(line) + CrLf({"h", "c", line + ",16385", ""}));
  ASSERT_EQ(FReader.RecordCount(), 2);
  FReader.ProcessRecord(1);
  EXPECT_FALSE(FReader.InputError());
  EXPECT_EQ(FPoint.Length(), 16384);
  EXPECT_EQ(FPoint.TimeSignal()->Data()[11990], 1.0f);
  EXPECT_EQ(FPoint.TimeSignal()->Data()[11991], 0.0f);
  FReader.ProcessRecord(2);  // 12001 fields
  EXPECT_TRUE(FReader.InputError());
}

TEST_F(DatTest, ARecordCountsOnlyWhenALineFollowsItsDataLine) {
  const std::pair<int, int> cases[] = {{3, 0}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 2}, {9, 2}};
  for (auto [lines, records] : cases) {
    std::vector<std::string> text;
    for (int i = 1; i <= lines; ++i)
      text.push_back(i % 4 == 3 ? "a,b,1,x,1,y,z,1,0," + std::to_string(16384 + i) : "t");
    TFileStoring reader;
    TSpectrumPoint point;
    reader.SetMPoint(&point);
    reader.SetFileName(WriteText("n.dat", CrLf(text)));
    reader.LoadFile();
    EXPECT_EQ(reader.RecordCount(), records) << lines;
    EXPECT_EQ(reader.FileRecord(), 1) << lines;
    if (records == 2) {
      reader.ProcessRecord(2);
      EXPECT_FALSE(reader.InputError());
      EXPECT_EQ(point.TimeSignal()->Data()[0], 7.0f);  // line 7
    }
  }
}

TEST_F(DatTest, RecordNumbersWithoutALineSetInputError) {
  Load(OneRecord("a,b,1,x,1,y,z,1,0,16385"));
  for (int k : {0, -1, 2, 2000, 2001, 1 << 30}) {
    FReader.SetInputError(false);
    FReader.ProcessRecord(k);
    EXPECT_TRUE(FReader.InputError()) << k;
    EXPECT_EQ(FReader.FileRecord(), k);
  }
  FReader.ProcessRecord(1);
  EXPECT_FALSE(FReader.InputError());
}

TEST_F(DatTest, MoreRecordsThanTheTableHoldsKeepsTheFirst2000) {
  std::string text;
  for (int k = 1; k <= 2002; ++k)
    text += CrLf({"h", "c", "a,b,1,x,1,y,z,1,0," + std::to_string(16384 + k), ""});
  Load(text);
  EXPECT_EQ(FMessages.Messages(), std::vector<std::string>{"The input file format is invalid!"});
  EXPECT_EQ(FReader.RecordCount(), 2000);
  FReader.ProcessRecord(2000);
  EXPECT_FALSE(FReader.InputError());
  EXPECT_EQ(FPoint.TimeSignal()->Data()[0], 2000.0f);

  // Exactly 2000 records fit without a message.
  text.clear();
  for (int k = 1; k <= 2000; ++k) text += CrLf({"h", "c", "a,b,1,x,1,y,z,1,0,16385", ""});
  FMessages.Clear();
  Load(text);
  EXPECT_TRUE(FMessages.Messages().empty());
  EXPECT_EQ(FReader.RecordCount(), 2000);
}

TEST_F(DatTest, SmallRecordingFromTheDataFolder) {
  const std::string dir = VANDREL_TEST_DATA_DIR;
  FReader.SetFileName(dir + "/two_records.dat");
  FReader.SetMPoint(&FPoint);
  FReader.LoadFile();
  ASSERT_EQ(FReader.RecordCount(), 2);
  FReader.ProcessRecord(2);
  EXPECT_FALSE(FReader.InputError());
  EXPECT_EQ(FPoint.Length(), 8);
  EXPECT_FLOAT_EQ(FPoint.SampleTime(), 0.008f);
  EXPECT_EQ(Samples(FPoint), (V{0.5f, 1, 0, -0.5f, -1, -1.5f, 0, 0}));
}

}  // namespace
}  // namespace vandrel
