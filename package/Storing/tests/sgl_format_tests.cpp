#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingFiles.h"
#include "vandrel/platform/SysUtils.h"

namespace vandrel {
namespace {

using testing::ReaderTest;
using V = std::vector<float>;

class SglTest : public ReaderTest {
 protected:
  SglTest() : ReaderTest("rec.sgl") {}
};

TEST_F(SglTest, RecordsPlayZeroPaddedToAPowerOfTwo) {
  Load(CrLf(
      {"3", "0.5", "1;2", "", "2", "0.5", "1;2;3", "", "4", "0.25", "-1.5;2.5e-1;+3;1e2", "end"}));
  EXPECT_TRUE(FMessages.Messages().empty());
  EXPECT_EQ(FReader.RecordCount(), 3);
  EXPECT_EQ(FReader.FileRecord(), 1);

  EXPECT_EQ(Play(1), (V{1, 2, 0, 0}));  // missing third value plays as 0
  EXPECT_EQ(FPoint.Length(), 4);
  EXPECT_EQ(FPoint.SampleTime(), 0.5f);
  EXPECT_EQ(FReader.FileRecord(), 1);

  EXPECT_EQ(Play(2), (V{1, 2}));  // values beyond the count are ignored
  EXPECT_EQ(FReader.FileRecord(), 2);
  EXPECT_EQ(Play(3), (V{-1.5f, 0.25f, 3, 100}));
  EXPECT_EQ(FPoint.SampleTime(), 0.25f);
  EXPECT_TRUE(FMessages.Messages().empty());
}

TEST_F(SglTest, LengthIsTheSmallestPowerOfTwoNotBelowTheCount) {
  for (int n : {1, 1000, 1024, 1025}) {
    std::string values;
    for (int i = 0; i < n; ++i) values += (i ? ";" : "") + std::to_string(i + 1);
    Load(CrLf({std::to_string(n), "2", values, ""}));
    const V s = Play(1);
    const int expected = n == 1 ? 1 : n <= 1024 ? 1024 : 2048;
    ASSERT_EQ(FPoint.Length(), expected) << n;
    for (int i = 0; i < expected; ++i) ASSERT_EQ(s[i], i < n ? i + 1 : 0) << n << " " << i;
  }
}

TEST_F(SglTest, TypicalRunTimesThePointAndItsSpectrum) {
  std::string values;
  for (int i = 0; i < 1000; ++i) values += (i ? ";" : "") + std::to_string(i % 7);
  Load(CrLf({"1000", "0.5", values, ""}));
  EXPECT_EQ(FPoint.TimeSignal()->Length(), 0);  // a load leaves the point alone
  Play(1);
  EXPECT_EQ(FPoint.TimeSignal()->Length(), 1024);
  EXPECT_EQ(FPoint.TimeSignal()->MaxX(), 0.5f);
  EXPECT_EQ(FPoint.TimeSignal()->SampleFrequency(), 2048.0f);
  EXPECT_EQ(FPoint.Spectrum()->Length(), 512);
  EXPECT_EQ(FPoint.Spectrum()->MaxX(), 1024.0f);
}

TEST_F(SglTest, BadRecordsShowTheMessageOnceEachAndKeepTheOthers) {
  struct Case {
    const char* Name;
    std::vector<std::string> Lines;
    int Messages;
    int RecordCount;
  };
  const Case cases[] = {
      // A bad value line leaves the closing line unread; read as the next
      // record's count it fails too, and the records line up again after it.
      // Each failure uses up a record number.
      {"empty value", {"1", "1", "7", "", "3", "0.5", "1;;2", "", "1", "1", "9", ""}, 2, 4},
      {"trailing separator", {"1", "1", "7", "", "3", "0.5", "1;2;", "", "1", "1", "9", ""}, 2, 4},
      {"text value", {"1", "1", "7", "", "2", "0.5", "1;x", "", "1", "1", "9", ""}, 2, 4},
      {"value beyond a float",
       {"1", "1", "7", "", "1", "0.5", "1e39", "", "1", "1", "9", ""},
       2,
       4},
      {"count with a blank after it",
       {"1", "1", "7", "", "1 ", "0.5", "5", "", "1", "1", "9", ""},
       // the bad count line is a record; its lines 2, 3 and 4 shift into
       // the following records, which fail until the lines line up again
       3,
       5},
      {"blank line after the last", {"1", "1", "7", "", "1", "1", "9", "", ""}, 1, 2},
  };
  for (const Case& c : cases) {
    TFileStoring reader;
    TSpectrumPoint point;
    reader.SetMPoint(&point);
    reader.SetFileName(WriteText("bad.sgl", CrLf(c.Lines)));
    FMessages.Clear();
    reader.LoadFile();
    EXPECT_EQ(FMessages.Messages().size(), static_cast<size_t>(c.Messages)) << c.Name;
    for (const auto& m : FMessages.Messages()) EXPECT_EQ(m, "The input file format is invalid!");
    ASSERT_FALSE(FMessages.Types().empty());
    EXPECT_EQ(FMessages.Types()[0], mtInformation);
    EXPECT_EQ(FMessages.Buttons()[0], mbOKOnly);
    EXPECT_EQ(reader.RecordCount(), c.RecordCount) << c.Name;
    EXPECT_EQ(reader.FileRecord(), 1) << c.Name;
    FMessages.Clear();
    reader.ProcessRecord(1);
    EXPECT_EQ(Samples(point), V{7}) << c.Name;
    EXPECT_TRUE(FMessages.Messages().empty()) << c.Name;
  }
}

TEST_F(SglTest, AFailedLineShiftsTheFollowingLines) {
  // Line 2 fails: line 3 ("4") is read as the next record's count.
  Load(CrLf({"2", "x", "4", "0.5", "1;2;3;4", ""}));
  EXPECT_EQ(FMessages.Messages().size(), 1u);
  EXPECT_EQ(FReader.RecordCount(), 2);
  EXPECT_EQ(Play(2), (V{1, 2, 3, 4}));
  FMessages.Clear();
  Play(1);  // the failed record has no block
  EXPECT_EQ(FMessages.Messages(), std::vector<std::string>{"Invalid file parameter!"});
}

TEST_F(SglTest, LastRecordWithoutClosingLineAndBareLfLines) {
  Load("2\n0.5\n1;2\n\n1\r\n4\r\n3");  // LF lines, then CR LF, no closing line at all
  EXPECT_TRUE(FMessages.Messages().empty());
  EXPECT_EQ(FReader.RecordCount(), 2);
  EXPECT_EQ(Play(1), (V{1, 2}));
  EXPECT_EQ(Play(2), V{3});
  EXPECT_EQ(FPoint.SampleTime(), 4.0f);
}

TEST_F(SglTest, CountAtTheLimitEndsReadingSilently) {
  Load(CrLf({"1", "1", "5", "", "200000000", "1", "1", "", "1", "1", "6", ""}));
  EXPECT_TRUE(FMessages.Messages().empty());
  EXPECT_EQ(FReader.RecordCount(), 1);
  EXPECT_EQ(Play(1), V{5});
}

TEST_F(SglTest, UnplayableCountsReportInvalidFileParameter) {
  // Counts of 0 and below are kept, cost no memory, and fail when played;
  // a count just below the limit with a short line costs the line's values only.
  Load(CrLf({"0", "1", "",          "",  "-5",  "1", "1;2", "",  "-2147483648", "1",
             "",  "",  "199999999", "1", "1;2", "",  "2",   "1", "8;9",         ""}));
  EXPECT_TRUE(FMessages.Messages().empty());
  EXPECT_EQ(FReader.RecordCount(), 5);
  for (int k : {1, 2, 3}) {
    FMessages.Clear();
    FReader.ProcessRecord(k);
    EXPECT_EQ(FMessages.Messages(), std::vector<std::string>{"Invalid file parameter!"}) << k;
    EXPECT_EQ(FReader.FileRecord(), k);
  }
  FMessages.Clear();
  EXPECT_EQ(Play(5), (V{8, 9}));
  EXPECT_TRUE(FMessages.Messages().empty());
}

TEST_F(SglTest, ZeroTimeSpanOnAnUntimedPointFailsWithoutWriting) {
  // The point cannot be timed, so its signal has no room for the record.
  Load(CrLf({"3", "0", "1;2;3", "", "3", "-1", "1;2;3", ""}));
  for (int k : {1, 2}) {
    FMessages.Clear();
    FReader.ProcessRecord(k);
    EXPECT_EQ(FMessages.Messages(), std::vector<std::string>{"Invalid file parameter!"});
    EXPECT_EQ(FPoint.TimeSignal()->Length(), 0);
  }
}

TEST_F(SglTest, MoreRecordsThanTheTableHoldsKeepsTheFirst9999) {
  std::string text;
  for (int k = 1; k <= 10001; ++k) text += "1\r\n1\r\n" + std::to_string(k) + "\r\n\r\n";
  Load(text);
  EXPECT_EQ(FMessages.Messages(), std::vector<std::string>{"The input file format is invalid!"});
  EXPECT_EQ(FReader.RecordCount(), 9999);
  EXPECT_EQ(Play(9999), V{9999});
  FMessages.Clear();
  for (int k : {0, -1, 10000, 1 << 30}) FReader.ProcessRecord(k);
  EXPECT_EQ(FMessages.Messages().size(), 4u);
}

TEST_F(SglTest, ReloadOverwritesOnlyTheRecordsItReads) {
  Load(CrLf({"1", "1", "1", "", "1", "1", "2", ""}));
  Load(CrLf({"1", "1", "3", ""}));
  EXPECT_EQ(FReader.RecordCount(), 1);
  EXPECT_EQ(Play(1), V{3});
  EXPECT_EQ(Play(2), V{2});  // left over from the first file

  // A record read again over a longer one plays none of the old values.
  Load(CrLf({"4", "1", "1;2;3;4", ""}));
  Load(CrLf({"4", "1", "5;6;7", ""}));
  EXPECT_EQ(Play(1), (V{5, 6, 7, 0}));
}

TEST_F(SglTest, NumbersFollowTheDecimalSeparator) {
  SetDecimalSeparator(',');
  Load(CrLf({"2", "0,5", "1,5;-2,25", "", "1", "1", "1.5", ""}));
  SetDecimalSeparator('.');
  EXPECT_EQ(FMessages.Messages().size(),
            2u);  // "1.5" is no number with ',', and its closing line follows
  EXPECT_EQ(Play(1), (V{1.5f, -2.25f}));
  EXPECT_EQ(FPoint.SampleTime(), 0.5f);
}

}  // namespace
}  // namespace vandrel
