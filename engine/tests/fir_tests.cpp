// FIR filtering against a direct upsample-convolve-downsample computed in
// double, the record's layout and lifecycle, and every check of the failure
// table.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "ReportCapture.h"
#include "dsp/kvx.h"
#include "kvxfirh.h"

namespace {

struct Rate {
  int32_t up, upPhase, down, downPhase;
};

std::vector<float> RandomFloats(size_t n, uint32_t seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
  std::vector<float> v(n);
  for (auto& x : v) x = dist(gen);
  return v;
}

int64_t FloorDiv(int64_t a, int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Output o of the stream is v[downPhase + o * down], v = h * w, w the input
// upsampled by up with input a at a * up + upPhase; the inputs before the
// stream are hist (oldest first), then zeros. The products are summed from the
// oldest sample to the newest in double, the order the engine promises, so
// the engine must match bit for bit.
std::vector<float> Reference(const std::vector<float>& h, const std::vector<float>& hist,
                             const std::vector<float>& x, Rate r, int64_t outputs) {
  const int64_t n = static_cast<int64_t>(h.size()), d = static_cast<int64_t>(hist.size());
  std::vector<float> y(outputs);
  for (int64_t o = 0; o < outputs; ++o) {
    const int64_t s = r.downPhase + o * r.down;
    double acc = 0.0;
    for (int64_t i = n - 1; i >= 0; --i) {
      const int64_t pos = s - i - r.upPhase;
      if (pos % r.up != 0) continue;
      const int64_t a = FloorDiv(pos, r.up);
      float xv = 0.0f;
      if (a >= 0)
        xv = x.at(a);
      else if (a >= -d)
        xv = hist[d + a];
      acc += static_cast<double>(h[i]) * static_cast<double>(xv);
    }
    y[o] = static_cast<float>(acc);
  }
  return y;
}

int64_t HistoryLength(int64_t n, Rate r) {
  return (r.up > 1 || r.down > 1) ? (r.up + n - 1) / r.up : n - 1;
}

void Init(FirState& st, const std::vector<float>& h, const float* dlyl, Rate r) {
  if (r.up == 1 && r.down == 1)
    kvxsFirInit(h.data(), static_cast<int32_t>(h.size()), dlyl, &st);
  else
    kvxsFirInitMr(h.data(), static_cast<int32_t>(h.size()), dlyl, r.up, r.upPhase, r.down,
                  r.downPhase, &st);
}

// Runs x through blocks of the given iteration counts (cycling) and returns
// all outputs.
std::vector<float> RunBlocks(FirState& st, const std::vector<float>& x, Rate r,
                             const std::vector<int32_t>& blocks) {
  std::vector<float> y;
  size_t pos = 0;
  for (size_t b = 0; pos + r.down <= x.size(); ++b) {
    int32_t iters = blocks[b % blocks.size()];
    iters = std::min<int32_t>(iters, static_cast<int32_t>((x.size() - pos) / r.down));
    std::vector<float> in(x.begin() + pos, x.begin() + pos + size_t(iters) * r.down);
    std::vector<float> out(size_t(iters) * r.up + 1, 12345.0f);
    kvxsbFir(&st, in.data(), out.data(), iters);
    EXPECT_EQ(out.back(), 12345.0f) << "wrote past the block's outputs";
    y.insert(y.end(), out.begin(), out.end() - 1);
    pos += size_t(iters) * r.down;
  }
  return y;
}

void ExpectSame(const std::vector<float>& got, const std::vector<float>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], want[i]) << "output " << i;
}

TEST(FirBlocks, MatchDirectComputationAcrossRatesTapsAndBlocks) {
  const std::vector<Rate> rates = {{1, 0, 1, 0}, {3, 0, 2, 0}, {3, 2, 2, 1},
                                   {2, 1, 3, 2}, {1, 0, 4, 3}, {4, 1, 1, 0},
                                   {5, 3, 7, 6}, {2, 0, 2, 1}, {7, 6, 1, 0}};
  const std::vector<int32_t> tapCounts = {1, 2, 9, 37, 130, 372};
  const std::vector<std::vector<int32_t>> blockSets = {{1000}, {1, 3, 200, 7, 61, 2}, {130, 129}};
  uint32_t seed = 1;
  for (const Rate& r : rates)
    for (int32_t n : tapCounts)
      for (const auto& blocks : blockSets) {
        SCOPED_TRACE(::testing::Message() << "up " << r.up << "/" << r.upPhase << " down " << r.down
                                          << "/" << r.downPhase << " taps " << n);
        const auto h = RandomFloats(n, seed++);
        const auto x = RandomFloats(size_t(r.down) * 700, seed++);
        FirState st{};
        Init(st, h, nullptr, r);
        const auto y = RunBlocks(st, x, r, blocks);
        const int64_t d = HistoryLength(n, r);
        ExpectSame(y, Reference(h, std::vector<float>(d, 0.0f), x, r, int64_t(y.size())));
        EXPECT_EQ(st.dlylPos, st.dlylBase);
        // The history is the last d inputs consumed.
        for (int64_t i = 0; i < d; ++i) ASSERT_EQ(st.dlylBase[i], x[x.size() - d + i]);
        kvxFirFree(&st);
      }
}

TEST(FirBlocks, GivenHistoryIsOldestFirst) {
  for (Rate r : {Rate{1, 0, 1, 0}, Rate{3, 1, 2, 0}, Rate{1, 0, 3, 1}}) {
    const auto h = RandomFloats(11, 5);
    const int64_t d = HistoryLength(11, r);
    const auto hist = RandomFloats(d, 6);
    const auto x = RandomFloats(size_t(r.down) * 50, 7);
    FirState st{};
    Init(st, h, hist.data(), r);
    const auto y = RunBlocks(st, x, r, {4, 9});
    ExpectSame(y, Reference(h, hist, x, r, int64_t(y.size())));
    kvxFirFree(&st);
  }
  // The first output of a single-rate filter meets dlyl[d - 1] as the newest
  // previous sample.
  const std::vector<float> h = {0.0f, 1.0f, 0.0f};
  const std::vector<float> hist = {5.0f, 7.0f};
  FirState st{};
  kvxsFirInit(h.data(), 3, hist.data(), &st);
  const float in[1] = {0.0f};
  float out[1];
  kvxsbFir(&st, in, out, 1);
  EXPECT_EQ(out[0], 7.0f);
  kvxFirFree(&st);
}

TEST(FirOneSample, MixedWithBlocksContinuesOneHistory) {
  for (int32_t n : {1, 5, 37, 200}) {
    const auto h = RandomFloats(n, 11);
    const auto x = RandomFloats(1200, 12);
    FirState st{};
    kvxsFirInit(h.data(), n, nullptr, &st);
    std::vector<float> y;
    size_t pos = 0;
    // Runs of single samples longer than the buffer's slack fold the history.
    const std::vector<std::pair<bool, size_t>> plan = {{false, 5},   {true, 3},  {false, 300},
                                                       {true, 50},   {false, 1}, {true, 1},
                                                       {false, 400}, {true, 440}};
    for (auto [block, count] : plan) {
      if (block) {
        std::vector<float> out(count);
        kvxsbFir(&st, x.data() + pos, out.data(), static_cast<int32_t>(count));
        y.insert(y.end(), out.begin(), out.end());
      } else {
        for (size_t i = 0; i < count; ++i) y.push_back(kvxsFir(&st, x[pos + i]));
      }
      pos += count;
    }
    ASSERT_EQ(pos, x.size());
    ExpectSame(
        y, Reference(h, std::vector<float>(n - 1, 0.0f), x, Rate{1, 0, 1, 0}, int64_t(x.size())));
    kvxFirFree(&st);
  }
}

TEST(FirOneSample, TwinsFollowTheSameSequence) {
  const auto h = RandomFloats(20, 3);
  const auto x = RandomFloats(300, 4);
  FirState a{}, b{};
  kvxsFirInit(h.data(), 20, nullptr, &a);
  dkvxsFirInit(h.data(), 20, nullptr, &b);
  for (float v : x) ASSERT_EQ(kvxsFir(&a, v), dkvxsFir(&b, v));
  std::vector<float> ya(64), yb(64);
  kvxsbFir(&a, x.data(), ya.data(), 64);
  dkvxsbFir(&b, x.data(), yb.data(), 64);
  EXPECT_EQ(ya, yb);
  kvxFirFree(&a);
  dkvxFirFree(&b);
  EXPECT_EQ(b.initMarker, nullptr);
}

TEST(FirBlocks, SingleTapHasNoHistory) {
  const float h[1] = {0.5f};
  FirState st{};
  kvxsFirInit(h, 1, nullptr, &st);
  EXPECT_EQ(st.dlylLen, 0);
  EXPECT_EQ(st.blockLen, 128);
  const auto x = RandomFloats(300, 9);
  std::vector<float> y(300);
  kvxsbFir(&st, x.data(), y.data(), 300);
  for (size_t i = 0; i < x.size(); ++i) ASSERT_EQ(y[i], x[i] * 0.5f);
  EXPECT_EQ(kvxsFir(&st, 3.0f), 1.5f);
  kvxFirFree(&st);
}

TEST(FirRecord, SingleRateLayout) {
  static_assert(sizeof(FirState) == 16 * sizeof(void*));
  const auto h = RandomFloats(300, 1);
  FirState st{};
  kvxsFirInit(h.data(), 300, nullptr, &st);
  EXPECT_EQ(st.initMarker, &st);
  EXPECT_EQ(st.isMultiRate, 0);
  EXPECT_EQ(st.upFactor, 1);
  EXPECT_EQ(st.downFactor, 1);
  EXPECT_EQ(st.tapsLen, 300);
  EXPECT_EQ(st.tapsLen8, 296);
  EXPECT_EQ(st.dlylLen, 299);
  EXPECT_EQ(st.blockLen, 300);  // max(d, 127) + 1
  EXPECT_EQ(st.dlylLimit, st.dlylBase + 300);
  EXPECT_EQ(st.dlylPos, st.dlylBase);
  EXPECT_EQ(st.phases, nullptr);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(st.storedTaps[299 - i], h[i]);
  // The same filter through the multi-rate entry with factors 1 and 1.
  FirState mr{};
  kvxsFirInitMr(h.data(), 300, nullptr, 1, 0, 1, 0, &mr);
  EXPECT_EQ(mr.isMultiRate, 0);
  EXPECT_EQ(mr.dlylLen, 299);
  EXPECT_EQ(mr.blockLen, 300);
  EXPECT_EQ(mr.phases, nullptr);
  const auto x = RandomFloats(1000, 2);
  std::vector<float> ya(1000), yb(1000);
  kvxsbFir(&st, x.data(), ya.data(), 1000);
  kvxsbFir(&mr, x.data(), yb.data(), 1000);
  EXPECT_EQ(ya, yb);
  kvxFirFree(&st);
  kvxFirFree(&mr);
}

TEST(FirRecord, MultiRatePhaseTable) {
  // n = 7, up 3, down 2: groups of 3, 2, 2 coefficients, d = 3, B = 128.
  const std::vector<float> h = {1, 2, 3, 4, 5, 6, 7};
  FirState st{};
  kvxsFirInitMr(h.data(), 7, nullptr, 3, 0, 2, 0, &st);
  EXPECT_EQ(st.isMultiRate, 1);
  EXPECT_EQ(st.dlylLen, 3);
  EXPECT_EQ(st.blockLen, 128);
  const FirPhase want[3] = {{0, 3, 1, 0}, {2, 2, 2, 5}, {1, 2, 3, 3}};
  for (int p = 0; p < 3; ++p) {
    EXPECT_EQ(st.phases[p].tapBlock, want[p].tapBlock) << p;
    EXPECT_EQ(st.phases[p].tapCount, want[p].tapCount) << p;
    EXPECT_EQ(st.phases[p].windowStart, want[p].windowStart) << p;
    EXPECT_EQ(st.phases[p].tapOffset, want[p].tapOffset) << p;
  }
  // Groups h[0], h[3], h[6] | h[1], h[4] | h[2], h[5], each reversed.
  const float stored[7] = {7, 4, 1, 5, 2, 6, 3};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(st.storedTaps[i], stored[i]) << i;
  // Four iterations read 8 inputs and write 12 outputs; outputs 0, 3, 6, 9
  // come from phase 0 (coefficients h[0], h[3], h[6]).
  const std::vector<float> x = {1, 0, 0, 0, 0, 0, 0, 0};
  std::vector<float> y(13, -1.0f);
  kvxsbFir(&st, x.data(), y.data(), 4);
  const std::vector<float> want12 = Reference(h, {0, 0, 0}, x, Rate{3, 0, 2, 0}, 12);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(y[i], want12[i]) << i;
  EXPECT_EQ(y[12], -1.0f);
  // An impulse: output o is h[2 o].
  const std::vector<float> impulse = {1, 3, 5, 7, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(y[i], impulse[i]) << i;
  kvxFirFree(&st);
}

TEST(FirRecord, FewerTapsThanUpFactorGiveEmptyGroups) {
  const std::vector<float> h = {0.25f, -2.0f};
  const Rate r{5, 2, 3, 1};
  FirState st{};
  Init(st, h, nullptr, r);
  const auto x = RandomFloats(90, 8);
  const auto y = RunBlocks(st, x, r, {7, 2});
  ExpectSame(y, Reference(h, {0.0f}, x, r, int64_t(y.size())));
  kvxFirFree(&st);
}

TEST(FirRecord, ReinitialisingReleasesAndAGarbageRecordIsNotFreed) {
  FirState st;
  std::memset(&st, 0xA5, sizeof st);  // never initialised: nothing to release
  const auto h = RandomFloats(40, 2);
  kvxsFirInit(h.data(), 40, nullptr, &st);
  kvxsFirInitMr(h.data(), 40, nullptr, 2, 1, 3, 0, &st);  // releases the first filter
  EXPECT_EQ(st.isMultiRate, 1);
  kvxsFirInit(h.data(), 10, nullptr, &st);
  EXPECT_EQ(st.phases, nullptr);
  kvxFirFree(&st);
}

TEST(FirRecord, HugeDecimationTakesTheStridedPath) {
  // Splitting a stream this coarse into residues would need too much work
  // memory; the filter reads the caller's array with a stride instead.
  const Rate r{1, 0, 6000000, 5999999};
  const std::vector<float> h = {0.5f, 0.25f, 2.0f};
  std::vector<float> x(size_t(r.down) * 2);
  for (size_t i = 0; i < x.size(); i += 999983) x[i] = static_cast<float>(i % 7) - 3.0f;
  x[5999999] = 1.0f;
  x[5999998] = 4.0f;
  x[11999999] = -3.0f;
  FirState st{};
  Init(st, h, nullptr, r);
  ASSERT_EQ(st.initMarker, &st);
  std::vector<float> y(2);
  kvxsbFir(&st, x.data(), y.data(), 2);
  ExpectSame(y, Reference(h, std::vector<float>(3, 0.0f), x, r, 2));
  kvxFirFree(&st);
}

// ---- failure table ------------------------------------------------------

class FirChecks : public ::testing::Test {
 protected:
  void SetUp() override {
    kvxsFirInit(h_.data(), 4, nullptr, &st_);
    std::memcpy(&saved_, &st_, sizeof st_);
  }
  void TearDown() override {
    if (st_.initMarker == &st_) kvxFirFree(&st_);
  }
  void ExpectUnchanged() { EXPECT_EQ(std::memcmp(&saved_, &st_, sizeof st_), 0); }

  std::vector<float> h_ = {1, 2, 3, 4};
  FirState st_{}, saved_{};
  ReportCapture capture_;
};

TEST_F(FirChecks, Init) {
  kvxsFirInit(h_.data(), 4, nullptr, nullptr);
  ExpectReport(capture_.take(), -5, "kvxsFirInit", "Null state pointer", "kvxfirh", 191);
  for (int32_t len : {0, -1, INT32_MIN}) {
    kvxsFirInit(h_.data(), len, nullptr, &st_);
    ExpectReport(capture_.take(), -5, "kvxsFirInit", "Invalid value", "kvxfirh", 191);
  }
  ExpectUnchanged();
}

TEST_F(FirChecks, InitMr) {
  kvxsFirInitMr(h_.data(), 4, nullptr, 2, 0, 2, 0, nullptr);
  ExpectReport(capture_.take(), -5, "kvxsFirInitMr", "Null state pointer", "kvxfirh", 225);
  const int32_t bad[][5] = {
      // tapsLen, up, upPhase, down, downPhase
      {4, 0, 0, 1, 0}, {4, -2, 0, 1, 0}, {4, 1, 0, 0, 0}, {4, 1, 0, -1, 0}, {4, 2, -1, 1, 0},
      {4, 2, 2, 1, 0}, {4, 1, 0, 3, -1}, {4, 1, 0, 3, 3}, {0, 2, 0, 2, 0},  {-5, 1, 0, 1, 0},
  };
  for (const auto& b : bad) {
    kvxsFirInitMr(h_.data(), b[0], nullptr, b[1], b[2], b[3], b[4], &st_);
    ExpectReport(capture_.take(), -5, "kvxsFirInitMr", "Invalid value", "kvxfirh", 225);
  }
  ExpectUnchanged();
}

TEST_F(FirChecks, AllocationFailureLeavesTheRecordUninitialised) {
  kvxsFirInit(nullptr, INT32_MAX, nullptr, &st_);
  ExpectReport(capture_.take(), -4, "kvxsFirInit", "Allocation failure", "kvxfirh", 191);
  EXPECT_NE(st_.initMarker, &st_);
  EXPECT_EQ(st_.storedTaps, nullptr);
  EXPECT_EQ(st_.dlylBase, nullptr);
  EXPECT_EQ(st_.phases, nullptr);

  kvxsFirInitMr(h_.data(), 4, nullptr, 1, 0, INT32_MAX, 0, &st_);
  ExpectReport(capture_.take(), -4, "kvxsFirInitMr", "Allocation failure", "kvxfirh", 225);
  EXPECT_NE(st_.initMarker, &st_);
  EXPECT_EQ(kvxStatusGet(), StatusOutOfMemory);
}

TEST_F(FirChecks, InternalSteps) {
  kvxsFirSetTaps(h_.data(), nullptr);
  ExpectReport(capture_.take(), -5, "kvxsFirSetTaps", "Null state pointer", "kvxfirh", 260);
  kvxsFirSetDlyl(nullptr, nullptr);
  ExpectReport(capture_.take(), -5, "kvxsFirSetDlyl", "Null state pointer", "kvxfirh", 303);
  FirState fresh{};
  kvxsFirSetTaps(h_.data(), &fresh);
  ExpectReport(capture_.take(), -5, "kvxsFirSetTaps", "Must have been initialized", "kvxfirh", 260);
  kvxsFirSetDlyl(nullptr, &fresh);
  ExpectReport(capture_.take(), -5, "kvxsFirSetDlyl", "Must have been initialized", "kvxfirh", 303);
}

TEST_F(FirChecks, OneSample) {
  EXPECT_EQ(kvxsFir(nullptr, 1.0f), 0.0f);
  ExpectReport(capture_.take(), -5, "kvxsFir", "Null state pointer", "kvxfirh", 345);
  FirState fresh{};
  EXPECT_EQ(kvxsFir(&fresh, 1.0f), 0.0f);
  ExpectReport(capture_.take(), -5, "kvxsFir", "Must have been initialized", "kvxfirh", 345);
  ExpectUnchanged();
}

TEST_F(FirChecks, OneSampleRefusesAMultiRateFilter) {
  FirState mr{};
  kvxsFirInitMr(h_.data(), 4, nullptr, 3, 0, 2, 0, &mr);
  FirState before;
  std::memcpy(&before, &mr, sizeof mr);
  std::vector<float> history(mr.dlylBase, mr.dlylBase + mr.dlylLen + mr.blockLen);
  EXPECT_EQ(kvxsFir(&mr, 9.0f), 0.0f);
  ExpectReport(capture_.take(), -5, "kvxsFir", "Single-rate filter expected", "kvxfirh", 345);
  EXPECT_EQ(std::memcmp(&before, &mr, sizeof mr), 0);
  EXPECT_TRUE(std::equal(history.begin(), history.end(), mr.dlylBase));
  kvxFirFree(&mr);
}

TEST_F(FirChecks, Block) {
  std::vector<float> in(8, 1.0f), out(8, -7.0f);
  const std::vector<float> untouched = out;
  kvxsbFir(nullptr, in.data(), out.data(), 8);
  ExpectReport(capture_.take(), -5, "kvxsbFir", "Null state pointer", "kvxfirh", 381);
  FirState fresh{};
  kvxsbFir(&fresh, in.data(), out.data(), 8);
  ExpectReport(capture_.take(), -5, "kvxsbFir", "Must have been initialized", "kvxfirh", 381);
  kvxsbFir(&st_, nullptr, out.data(), 8);
  ExpectReport(capture_.take(), -5, "kvxsbFir", "Null buffer pointer", "kvxfirh", 381);
  kvxsbFir(&st_, in.data(), nullptr, 8);
  ExpectReport(capture_.take(), -5, "kvxsbFir", "Null buffer pointer", "kvxfirh", 381);
  for (int32_t iters : {0, -3}) {
    kvxsbFir(&st_, in.data(), out.data(), iters);
    ExpectReport(capture_.take(), -5, "kvxsbFir", "Invalid value", "kvxfirh", 381);
  }
  EXPECT_EQ(out, untouched);
  ExpectUnchanged();
}

TEST_F(FirChecks, FreeAndUseAfterFree) {
  kvxFirFree(nullptr);
  ExpectReport(capture_.take(), -5, "kvxFirkvxFree", "Null state pointer", "kvxfirh", 479);
  FirState fresh{};
  kvxFirFree(&fresh);
  ExpectReport(capture_.take(), -5, "kvxFirkvxFree", "Must have been initialized", "kvxfirh", 481);

  kvxFirFree(&st_);
  EXPECT_TRUE(capture_.all().empty());
  float in[2] = {1, 2}, out[2] = {0, 0};
  kvxsbFir(&st_, in, out, 2);
  ExpectReport(capture_.take(), -5, "kvxsbFir", "Must have been initialized", "kvxfirh", 381);
  kvxsFir(&st_, 1.0f);
  ExpectReport(capture_.take(), -5, "kvxsFir", "Must have been initialized", "kvxfirh", 345);
  kvxFirFree(&st_);
  ExpectReport(capture_.take(), -5, "kvxFirkvxFree", "Must have been initialized", "kvxfirh", 481);
}

}  // namespace
