#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "RecordingFiles.h"

namespace vandrel {
namespace {

using testing::RecordingTest;

// Valid recordings of each format, damaged at random (seeded): bytes
// changed, inserted or removed, the file cut short. Loading and playing
// every record must report, never crash or touch memory it does not own
// (run under AddressSanitizer or valgrind to see the latter).
class DamagedFilesTest : public RecordingTest {
 protected:
  static std::string Damage(std::string S, std::mt19937& Rng) {
    const char alphabet[] = "0123456789;,.-+e \r\n\x00\xff\x7f";
    const int edits = 1 + static_cast<int>(Rng() % 4);
    for (int i = 0; i < edits && !S.empty(); ++i) {
      const size_t at = Rng() % S.size();
      switch (Rng() % 4) {
        case 0:
          S[at] = alphabet[Rng() % (sizeof alphabet - 1)];
          break;
        case 1:
          S.insert(at, 1, alphabet[Rng() % (sizeof alphabet - 1)]);
          break;
        case 2:
          S.erase(at, 1 + Rng() % 8);
          break;
        default:
          S[at] = static_cast<char>(Rng());
          break;
      }
    }
    if (Rng() % 8 == 0) S.resize(Rng() % (S.size() + 1));
    return S;
  }

  void Run(const std::string& Ext, const std::string& Valid) {
    std::mt19937 rng(20261211);
    for (int trial = 0; trial < 300; ++trial) {
      const std::string name = WriteText("d" + Ext, Damage(Valid, rng));
      TSpectrumPoint point;
      TFileStoring reader;
      reader.SetMPoint(&point);
      reader.SetFileName(name);
      reader.LoadFile();
      ASSERT_GE(reader.RecordCount(), 0);
      ASSERT_LE(reader.RecordCount(), TFileStoring::MaxBlockRecords);
      for (int k = -1; k <= reader.RecordCount() + 1; ++k) {
        reader.ProcessRecord(k);
        ASSERT_EQ(reader.FileRecord(), k) << Ext << " trial " << trial;
      }
    }
  }
};

TEST_F(DamagedFilesTest, Sgl) {
  std::string text;
  for (int k = 0; k < 4; ++k) {
    text += "16\r\n0.5\r\n";
    for (int j = 0; j < 16; ++j) text += (j ? ";" : "") + std::to_string(j * 0.25 - k);
    text += "\r\n\r\n";
  }
  Run(".sgl", text);
}

TEST_F(DamagedFilesTest, Bin) {
  std::string b;
  PutInt(b, 4);
  for (int k = 0; k < 4; ++k) PutRecord(b, 0.5f, std::vector<float>(16, static_cast<float>(k)));
  Run(".bin", b);
}

TEST_F(DamagedFilesTest, Dat) {
  std::string text;
  for (int k = 0; k < 4; ++k) {
    std::string line = "ch,run,16,x,0.001,y,z,0.5,1";
    for (int j = 0; j < 16; ++j) line += "," + std::to_string(16384 + j - k);
    text += CrLf({"head", "record", line, "end"});
  }
  Run(".dat", text);
}

}  // namespace
}  // namespace vandrel
