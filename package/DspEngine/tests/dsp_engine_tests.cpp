// The package's view of the engine: the flag set's bit patterns, and the nine
// entry points called through the package's own declarations and records.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "vandrel/DspEngine.h"

namespace vandrel {
namespace {

TEST(KvxFourierTrOptions, ElementIIsBitI) {
  EXPECT_EQ((TKvxFourierTrOptions{KVX_Forw, KVX_OutRCPack}).Bits(), 257);
  const uint16_t want[16] = {1,   2,   4,    8,    16,   32,   64,    128,
                             256, 512, 1024, 2048, 4096, 8192, 16384, 32768};
  for (int i = 0; i < 16; ++i) {
    const auto o = static_cast<TKvxFourierTrOption>(i);
    EXPECT_EQ(TKvxFourierTrOptions{o}.Bits(), want[i]) << i;
  }
  EXPECT_EQ(KVX_Bit11, 11);
  EXPECT_EQ(KVX_DoFastMMX, 15);
  TKvxFourierTrOptions s{KVX_Inv, KVX_NoScale};
  EXPECT_TRUE(s.Contains(KVX_NoScale));
  s.Exclude(KVX_NoScale);
  EXPECT_EQ(s, TKvxFourierTrOptions{KVX_Inv});
  EXPECT_EQ((s + TKvxFourierTrOptions{KVX_OutRCPerm}).Bits(), 514);
  s.Include(static_cast<TKvxFourierTrOption>(40));  // not an element: ignored
  EXPECT_EQ(s.Bits(), 2);
}

TEST(EngineBinding, FirThroughThePackageRecord) {
  FirState st;
  const std::vector<float> taps = {0.5f, 0.25f};
  kvxsFirInitMr(taps.data(), 2, nullptr, 1, 0, 1, 0, &st);
  EXPECT_EQ(st.initMarker, &st);
  EXPECT_EQ(st.dlylLen, 1);
  const std::vector<float> in = {2, 4, 8};
  std::vector<float> out(3);
  kvxsbFir(&st, in.data(), out.data(), 3);
  EXPECT_EQ(out, (std::vector<float>{1.0f, 2.5f, 5.0f}));
  EXPECT_EQ(kvxsFir(&st, 0.0f), 2.0f);
  kvxFirFree(&st);
  EXPECT_EQ(st.initMarker, nullptr);

  kvxsFirInit(taps.data(), 2, nullptr, &st);
  EXPECT_EQ(st.isMultiRate, 0);
  kvxFirFree(&st);
}

TEST(EngineBinding, GeneratorsThroughThePackageRecords) {
  UniformRandState u;
  kvxsRandUniInit(0.0f, 0.0f, 1.0f, &u);
  float v[2];
  kvxsbRandUni(&u, v, 1);
  EXPECT_NEAR(v[0], 0.0186961, 1e-7);

  GaussRandState g;
  kvxsRandGausInit(0.0f, 0.0f, 1.0f, &g);
  kvxsbRandGaus(&g, v, 1);
  EXPECT_NEAR(v[0], -0.030569, 1e-6);
  EXPECT_EQ(g.haveSpare, 1);
  EXPECT_NEAR(g.spare, 0.109710, 1e-6);
}

}  // namespace
}  // namespace vandrel
