// Every processor build gives the same bits as the generic one, on random
// inputs with every tail length.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "dsp/kvx.h"
#include "kvxarith.h"

namespace {

std::vector<float> RandomFloats(size_t n, uint32_t seed) {
  std::mt19937 gen(seed);
  // Wide exponents make any difference in rounding order visible.
  std::uniform_real_distribution<float> mant(-1.0f, 1.0f);
  std::uniform_int_distribution<int> expo(-20, 20);
  std::vector<float> v(n);
  for (auto& x : v) x = std::ldexp(mant(gen), expo(gen));
  return v;
}

class Builds : public ::testing::Test {
 protected:
  void TearDown() override { kvxForceBuild(best_); }
  int best_ = [] {
    int b = kvxBuildGeneric;
    for (int i = 0; i < kvxBuildCount; ++i)
      if (kvxBuildSupported(i)) b = i;
    return b;
  }();
};

TEST_F(Builds, BestBuildRunsByDefault) {
  EXPECT_STREQ(kvxBuildName(), (best_ == kvxBuildAvx512 ? "avx512"
                                : best_ == kvxBuildAvx2 ? "avx2"
                                                        : "generic"));
  EXPECT_FALSE(kvxForceBuild(kvxBuildCount));
  EXPECT_FALSE(kvxForceBuild(-1));
}

TEST_F(Builds, KernelsAgreeBitForBit) {
  const auto taps = RandomFloats(400, 1);
  const auto src = RandomFloats(2000, 2);
  std::vector<int32_t> off(400);
  for (size_t j = 0; j < off.size(); ++j) off[j] = static_cast<int32_t>((j * 7) % 997);
  for (int32_t n : {1, 3, 8, 13, 372, 400})
    for (int64_t count : {1, 3, 4, 7, 8, 9, 31, 63, 64, 65, 127, 200, 515})
      for (ptrdiff_t stride : {1, 3}) {
        std::vector<float> ref(size_t(count * stride), 0.0f);
        kvxGenericKernels.contig(taps.data(), n, src.data(), ref.data(), stride, count);
        std::vector<float> refOff(ref.size(), 0.0f);
        kvxGenericKernels.offsets(taps.data(), off.data(), n, src.data(), refOff.data(), stride,
                                  count);
        std::vector<float> strided(ref.size(), 0.0f);
        kvxFirStrided(taps.data(), n, src.data(), 1, strided.data(), stride, count);
        ASSERT_EQ(std::memcmp(ref.data(), strided.data(), ref.size() * 4), 0);
        for (int b = kvxBuildAvx2; b < kvxBuildCount; ++b) {
          if (!kvxBuildSupported(b)) continue;
          const KvxKernels& k = b == kvxBuildAvx2 ? kvxAvx2Kernels : kvxAvx512Kernels;
          std::vector<float> got(ref.size(), 0.0f);
          k.contig(taps.data(), n, src.data(), got.data(), stride, count);
          ASSERT_EQ(std::memcmp(ref.data(), got.data(), ref.size() * 4), 0)
              << k.name << " contig n " << n << " count " << count;
          std::fill(got.begin(), got.end(), 0.0f);
          k.offsets(taps.data(), off.data(), n, src.data(), got.data(), stride, count);
          ASSERT_EQ(std::memcmp(refOff.data(), got.data(), ref.size() * 4), 0)
              << k.name << " offsets n " << n << " count " << count;
        }
      }
}

TEST_F(Builds, FiltersAgreeBitForBit) {
  struct Case {
    int32_t n, up, upPhase, down, downPhase, iters;
  };
  const Case cases[] = {{372, 1, 0, 1, 0, 3001},
                        {37, 3, 0, 2, 1, 777},
                        {50, 1, 0, 5, 2, 413},
                        {64, 4, 3, 1, 0, 129},
                        {9, 2, 1, 3, 0, 65}};
  for (const Case& c : cases) {
    const auto h = RandomFloats(c.n, 3);
    const auto x = RandomFloats(size_t(c.iters) * c.down, 4);
    std::vector<std::vector<float>> outs;
    for (int b = 0; b < kvxBuildCount; ++b) {
      if (!kvxForceBuild(b)) continue;
      FirState st{};
      kvxsFirInitMr(h.data(), c.n, nullptr, c.up, c.upPhase, c.down, c.downPhase, &st);
      std::vector<float> y(size_t(c.iters) * c.up);
      const int32_t first = c.iters / 3;
      kvxsbFir(&st, x.data(), y.data(), first);
      kvxsbFir(&st, x.data() + size_t(first) * c.down, y.data() + size_t(first) * c.up,
               c.iters - first);
      kvxFirFree(&st);
      outs.push_back(std::move(y));
    }
    for (size_t i = 1; i < outs.size(); ++i)
      EXPECT_EQ(std::memcmp(outs[0].data(), outs[i].data(), outs[0].size() * 4), 0)
          << "build " << i << " taps " << c.n;
  }
}

TEST_F(Builds, GeneratorsAgreeBitForBit) {
  std::vector<std::vector<float>> outs;
  for (int b = 0; b < kvxBuildCount; ++b) {
    if (!kvxForceBuild(b)) continue;
    UniformRandState u;
    GaussRandState g;
    kvxsRandUniInit(3.0f, -2.0f, 5.0f, &u);
    kvxsRandGausInit(3.0f, 1.0f, 2.0f, &g);
    std::vector<float> y(4000);
    kvxsbRandUni(&u, y.data(), 1999);
    kvxsbRandUni(&u, y.data() + 1999, 1);
    kvxsbRandGaus(&g, y.data() + 2000, 1001);
    kvxsbRandGaus(&g, y.data() + 3001, 999);
    outs.push_back(std::move(y));
  }
  for (size_t i = 1; i < outs.size(); ++i)
    EXPECT_EQ(std::memcmp(outs[0].data(), outs[i].data(), outs[0].size() * 4), 0) << i;
}

}  // namespace
