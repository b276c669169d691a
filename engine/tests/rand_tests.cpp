// The noise generators: bit-exact integer recurrences, the seed examples,
// pairs and spares, and the failure table.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ReportCapture.h"
#include "dsp/kvx.h"

namespace {

// The combined generator written out independently from the engine's.
struct Combined {
  uint32_t lcg = 0x436CBAE9u, borrow, swb1, swb2, swb3;
  Combined(float seed, uint32_t b) : borrow(b) {
    uint32_t s = static_cast<uint32_t>(static_cast<int64_t>(seed));
    swb1 = s;
    s = s * 214013u + 2531011u;
    swb2 = (s >> 16) & 0x7FFF;
    s = s * 214013u + 2531011u;
    swb3 = (s >> 16) & 0x7FFF;
  }
  int32_t Next() {
    uint32_t t = swb2 - swb3 - borrow;
    borrow = static_cast<int32_t>(t) > 0 ? 0 : 1;
    if (borrow) t -= 18;
    swb3 = swb2;
    swb2 = swb1;
    swb1 = t;
    lcg = lcg * 69069u + 0x3C6EF373u;
    return static_cast<int32_t>(lcg + t);
  }
};

TEST(Combined, SeedZeroDraws) {
  Combined g(0.0f, 0);
  for (int32_t want : {2061981429, -574549342, -1327821396, 687657590, -1735102419, -2067184467,
                       -813003092, 1165174157})
    EXPECT_EQ(g.Next(), want);
}

// The engine's state words after each value name its last draw.
int32_t LastDraw(const UniformRandState& s) {
  return static_cast<int32_t>(static_cast<uint32_t>(s.lcgState) + static_cast<uint32_t>(s.swb1));
}

TEST(Uniform, SeedZeroAfterFiveDiscardedDraws) {
  UniformRandState st;
  kvxsRandUniInit(0.0f, 0.0f, 1.0f, &st);
  EXPECT_EQ(st.center, 0.5f);
  EXPECT_EQ(st.scale, static_cast<float>(2.328306436539e-10));
  EXPECT_EQ(LastDraw(st), -1735102419);
  EXPECT_EQ(st.seedLcg, static_cast<int32_t>((0u * 214013u + 2531011u) * 214013u + 2531011u));
  float v[3];
  kvxsbRandUni(&st, v, 1);
  EXPECT_EQ(LastDraw(st), -2067184467);
  EXPECT_EQ(v[0], static_cast<float>(-2067184467.0 * double(st.scale) + 0.5));
  EXPECT_NEAR(v[0], 0.0186961, 1e-7);

  kvxsRandUniInit(1.0f, 0.0f, 1.0f, &st);
  kvxsbRandUni(&st, v, 1);
  EXPECT_NEAR(v[0], 0.0187011, 1e-7);
}

TEST(Uniform, MatchesTheRecurrenceOverLongBlocks) {
  for (float seed : {0.0f, 1.0f, 12345.0f, -777.0f, 3.0e9f, 1.0e15f}) {
    const float low = -3.5f, high = 2.0f;
    UniformRandState st;
    kvxsRandUniInit(seed, low, high, &st);
    Combined g(seed, 0);
    for (int i = 0; i < 5; ++i) g.Next();
    const double scale = static_cast<float>((double(high) - double(low)) * 2.328306436539e-10);
    const double center = static_cast<float>(double(low) + 0.5 * (double(high) - double(low)));
    std::vector<float> v(5000);
    kvxsbRandUni(&st, v.data(), 3);  // blocks continue one sequence
    kvxsbRandUni(&st, v.data() + 3, 4997);
    for (size_t i = 0; i < v.size(); ++i) {
      const float want = static_cast<float>(double(g.Next()) * scale + center);
      ASSERT_EQ(v[i], want) << "seed " << seed << " value " << i;
      ASSERT_GE(v[i], low);
      ASSERT_LE(v[i], high);
    }
  }
}

TEST(Uniform, SeedsTruncateTowardZero) {
  std::vector<float> a(20), b(20), c(20);
  UniformRandState st;
  kvxsRandUniInit(0.0f, 0.0f, 1.0f, &st);
  kvxsbRandUni(&st, a.data(), 20);
  kvxsRandUniInit(0.9f, 0.0f, 1.0f, &st);
  kvxsbRandUni(&st, b.data(), 20);
  kvxsRandUniInit(-0.9f, 0.0f, 1.0f, &st);
  kvxsbRandUni(&st, c.data(), 20);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a, c);
  // Seeds beyond any integer (and NaN) give defined sequences too.
  for (float odd : {INFINITY, -INFINITY, NAN, 1e30f}) {
    kvxsRandUniInit(odd, 0.0f, 1.0f, &st);
    kvxsbRandUni(&st, b.data(), 20);
    EXPECT_EQ(a, b);
  }
}

TEST(Uniform, EmptyRangeGivesLow) {
  UniformRandState st;
  kvxsRandUniInit(5.0f, 2.5f, 2.5f, &st);
  std::vector<float> v(100);
  kvxsbRandUni(&st, v.data(), 100);
  for (float x : v) ASSERT_EQ(x, 2.5f);
}

TEST(Gauss, SeedZeroFirstPair) {
  GaussRandState st;
  st.spare = 42.0f;
  kvxsRandGausInit(0.0f, 0.0f, 1.0f, &st);
  EXPECT_EQ(st.spare, 42.0f);  // left as it was
  EXPECT_EQ(st.haveSpare, 0);
  EXPECT_EQ(st.borrow, 1);
  float v[2];
  kvxsbRandGaus(&st, v, 1);
  EXPECT_EQ(st.haveSpare, 1);
  EXPECT_NEAR(v[0], -0.030569, 1e-6);
  EXPECT_NEAR(st.spare, 0.109710, 1e-6);
  kvxsbRandGaus(&st, v + 1, 1);
  EXPECT_EQ(v[1], st.spare);
  EXPECT_EQ(st.haveSpare, 0);

  // Written out: the pair's draws are 2061981428 and -574549342.
  const double a = 2061981428 * 4.656612873077e-10, b = -574549342 * 4.656612873077e-10;
  const double s = a * a + b * b;
  const double f = std::sqrt(-2.0 * std::log(s) / s);
  EXPECT_EQ(v[0], static_cast<float>(0.0 + 1.0 * b * f));
  EXPECT_EQ(v[1], static_cast<float>(0.0 + 1.0 * a * f));
}

TEST(Gauss, OddBlocksCarryTheSpare) {
  GaussRandState one, split;
  kvxsRandGausInit(77.0f, 1.5f, 0.25f, &one);
  kvxsRandGausInit(77.0f, 1.5f, 0.25f, &split);
  std::vector<float> a(1001), b(1001);
  kvxsbRandGaus(&one, a.data(), 1001);
  kvxsbRandGaus(&split, b.data(), 3);
  EXPECT_EQ(split.haveSpare, 1);
  kvxsbRandGaus(&split, b.data() + 3, 1);
  kvxsbRandGaus(&split, b.data() + 4, 997);
  EXPECT_EQ(a, b);
  EXPECT_EQ(std::memcmp(&one, &split, sizeof one), 0);
  // Mean and spread of a long run.
  double sum = 0, sq = 0;
  for (float x : a) sum += x, sq += (x - 1.5) * (x - 1.5);
  EXPECT_NEAR(sum / a.size(), 1.5, 0.03);
  EXPECT_NEAR(std::sqrt(sq / a.size()), 0.25, 0.03);
}

// The polar method one value at a time, as written out in the engine's
// description: the block filler must give the same bits and the same record.
struct GaussReference {
  Combined g;
  double mean, stdDev;
  float spare = 0.0f;
  bool haveSpare = false;
  GaussReference(float seed, float m, float sd) : g(seed, 1), mean(m), stdDev(sd) {}
  float Next() {
    if (haveSpare) {
      haveSpare = false;
      return spare;
    }
    haveSpare = true;
    double a, b, s;
    do {
      a = g.Next() * 4.656612873077e-10;
      b = g.Next() * 4.656612873077e-10;
      s = a * a + b * b;
    } while (!(s < 1.0 && s != 0.0));
    const double f = std::sqrt(-2.0 * std::log(s) / s);
    spare = static_cast<float>(mean + stdDev * a * f);
    return static_cast<float>(mean + stdDev * b * f);
  }
};

TEST(Gauss, MatchesOneValueAtATimeAcrossBlocks) {
  for (float seed : {0.0f, 9.0f, -123456.0f}) {
    GaussReference ref(seed, 0.5f, 3.0f);
    GaussRandState st;
    kvxsRandGausInit(seed, 0.5f, 3.0f, &st);
    int32_t count = 0;
    for (int32_t len : {1, 700, 3, 1500, 2, 1, 513}) {
      std::vector<float> v(len);
      kvxsbRandGaus(&st, v.data(), len);
      for (int32_t i = 0; i < len; ++i, ++count)
        ASSERT_EQ(v[i], ref.Next()) << "seed " << seed << " value " << count;
      ASSERT_EQ(st.haveSpare, ref.haveSpare ? 1 : 0);
      ASSERT_EQ(st.spare, ref.spare);
      ASSERT_EQ(static_cast<uint32_t>(st.lcgState), ref.g.lcg);
      ASSERT_EQ(static_cast<uint32_t>(st.swb1), ref.g.swb1);
      ASSERT_EQ(static_cast<uint32_t>(st.borrow), ref.g.borrow);
    }
  }
}

TEST(Gauss, ZeroSpreadGivesTheMean) {
  GaussRandState st;
  kvxsRandGausInit(3.0f, -4.0f, 0.0f, &st);
  std::vector<float> v(101);
  kvxsbRandGaus(&st, v.data(), 101);
  for (float x : v) ASSERT_EQ(x, -4.0f);
}

TEST(Gauss, TwinsAgree) {
  GaussRandState a, b;
  kvxsRandGausInit(5.0f, 0.0f, 1.0f, &a);
  dkvxsRandGausInit(5.0f, 0.0f, 1.0f, &b);
  std::vector<float> x(33), y(33);
  kvxsbRandGaus(&a, x.data(), 33);
  dkvxsbRandGaus(&b, y.data(), 33);
  EXPECT_EQ(x, y);
  UniformRandState u, w;
  kvxsRandUniInit(5.0f, 0.0f, 1.0f, &u);
  dkvxsRandUniInit(5.0f, 0.0f, 1.0f, &w);
  kvxsbRandUni(&u, x.data(), 33);
  dkvxsbRandUni(&w, y.data(), 33);
  EXPECT_EQ(x, y);
}

TEST(RandChecks, FailuresReportAndTouchNothing) {
  ReportCapture capture;
  kvxsRandUniInit(0.0f, 0.0f, 1.0f, nullptr);
  ExpectReport(capture.take(), -5, "kvxsRandUniInit", "Null pointer to state structure", "kvxrand",
               46);
  kvxsRandGausInit(0.0f, 0.0f, 1.0f, nullptr);
  ExpectReport(capture.take(), -5, "kvxsRandGausInit", "Null pointer to state structure", "kvxrand",
               109);

  UniformRandState u, uSaved;
  GaussRandState g, gSaved;
  kvxsRandUniInit(1.0f, 0.0f, 1.0f, &u);
  kvxsRandGausInit(1.0f, 0.0f, 1.0f, &g);
  std::memcpy(&uSaved, &u, sizeof u);
  std::memcpy(&gSaved, &g, sizeof g);
  std::vector<float> buf(4, 9.0f);

  kvxsbRandUni(nullptr, buf.data(), 4);
  ExpectReport(capture.take(), -5, "kvxsbRandUni", "Null pointer to state structure", "kvxrand",
               59);
  kvxsbRandUni(&u, nullptr, 4);
  ExpectReport(capture.take(), -5, "kvxsbRandUni", "Null pointer to data buffer", "kvxrand", 59);
  kvxsbRandGaus(nullptr, buf.data(), 4);
  ExpectReport(capture.take(), -5, "kvxsbRandGaus", "Null pointer to state structure", "kvxrand",
               122);
  kvxsbRandGaus(&g, nullptr, 4);
  ExpectReport(capture.take(), -5, "kvxsbRandGaus", "Null pointer to data buffer", "kvxrand", 122);
  for (int32_t len : {0, -1, INT32_MIN}) {
    kvxsbRandUni(&u, buf.data(), len);
    ExpectReport(capture.take(), -5, "kvxsbRandUni", "Null length of buffer", "kvxrand", 59);
    kvxsbRandGaus(&g, buf.data(), len);
    ExpectReport(capture.take(), -5, "kvxsbRandGaus", "Null length of buffer", "kvxrand", 122);
  }
  EXPECT_EQ(buf, std::vector<float>(4, 9.0f));
  EXPECT_EQ(std::memcmp(&uSaved, &u, sizeof u), 0);
  EXPECT_EQ(std::memcmp(&gSaved, &g, sizeof g), 0);
}

}  // namespace
