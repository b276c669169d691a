#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vandrel/Vandrel.h"
#include "vandrel/platform/Graphics.h"

namespace vandrel {
namespace {

TEST(PackageUnitTest, UnitTableListsTheUnitsInInitialisationOrder) {
  const TPackageInfoTable* t = GetPackageInfoTable();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->Flags & (pfDesignOnly | pfRunOnly), 0u);
  EXPECT_NE(std::string(t->Description), "");
  const std::vector<std::string> expected = {"Dsp", "MeasuringPoint", "DspEngine", "SignalAnalysis",
                                             "Storing"};
  ASSERT_EQ(t->UnitCount, static_cast<int32_t>(expected.size()));
  for (int32_t i = 0; i < t->UnitCount; ++i) {
    EXPECT_EQ(t->Units[i].Name, expected[static_cast<size_t>(i)]);
    // No unit has initialisation or finalisation work of its own.
    EXPECT_EQ(t->Units[i].Init, nullptr);
    EXPECT_EQ(t->Units[i].FInit, nullptr);
  }
}

TEST(PackageUnitTest, InitializeAndFinalizeNestPerLoad) {
  EXPECT_EQ(PackageInitCount(), 0);
  Initialize();
  Initialize();
  EXPECT_EQ(PackageInitCount(), 2);
  Finalize();
  EXPECT_EQ(PackageInitCount(), 1);
  Finalize();
  Finalize();  // unbalanced: ignored
  EXPECT_EQ(PackageInitCount(), 0);
}

const TResourceEntry* Find(const char* Name, TResourceType Type) {
  const TResourceTable& r = PackageResources();
  for (int32_t i = 0; i < r.Count; ++i)
    if (std::string(r.Entries[i].Name) == Name && r.Entries[i].Type == Type) return &r.Entries[i];
  return nullptr;
}

TEST(PackageUnitTest, EachPaletteClassHasItsOwnPicture) {
  const char* const names[] = {"TSPECTRUMPOINT", "TFFTANALYSIS", "TFIRANALYSIS", "TSIGNAL",
                               "TFILESTORING"};
  std::vector<std::vector<uint8_t>> seen;
  for (const char* name : names) {
    const TResourceEntry* e = Find(name, rtBitmap);
    ASSERT_NE(e, nullptr) << name;
    TBitmap b = TBitmap::FromPixelText(e->Width, e->Height, e->Pixels);
    EXPECT_EQ(b.Width(), 24) << name;
    EXPECT_EQ(b.Height(), 24) << name;
    EXPECT_GE(b.ColorCount(), 2) << name;  // a picture, not a blank square
    std::vector<uint8_t> bmp = b.SaveToBmp();
    for (const auto& other : seen) EXPECT_NE(bmp, other) << name << " repeats a picture";
    seen.push_back(bmp);
    // Black ground, the motif in green (the disks in yellow).
    EXPECT_EQ(b.Pixel(0, 0), 0) << name;
    bool motif = false;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x)
        motif = motif || b.Pixel(x, y) == (std::string(name) == "TFILESTORING" ? 11 : 10);
    EXPECT_TRUE(motif) << name;
  }
  const TResourceEntry* small = Find("TSPECTRUMPOINT", rtIcon);
  const TResourceEntry* main = Find("MAINICON", rtIcon);
  ASSERT_NE(small, nullptr);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(TBitmap::FromPixelText(16, 16, small->Pixels).Width(), 16);
  EXPECT_EQ(TBitmap::FromPixelText(32, 32, main->Pixels).Height(), 32);
  EXPECT_EQ(small->Width, 16);
  EXPECT_EQ(main->Width, 32);
}

}  // namespace
}  // namespace vandrel
