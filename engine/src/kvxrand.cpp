// Uniform and Gaussian noise from one combined integer generator: a
// subtract-with-borrow generator (lags 2 and 3, correction 18 on borrow) added
// to a 32-bit congruential generator (multiplier 69069). All integer arithmetic
// wraps modulo 2^32, so it is done on unsigned values.
#include <cmath>
#include <cstdint>

#include "kvxarith.h"
#include "kvxframe.h"

namespace {

constexpr const char* kSource = "kvxrand";
constexpr double kUniformScale = 2.328306436539e-10;
constexpr double kPairScale = 4.656612873077e-10;
constexpr uint32_t kLcgStart = 0x436CBAE9u;
constexpr uint32_t kLcgMul = 69069u;
constexpr uint32_t kLcgInc = 1013904243u;

// The low 32 bits of the seed truncated toward zero to a 64-bit integer. A
// seed outside that range (or NaN) gives the processor's out-of-range answer,
// whose low bits are 0.
uint32_t SeedInt(float seed) {
  if (!(std::fabs(seed) < 9223372036854775808.0f)) return 0;
  return static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(seed)));
}

uint32_t SeedDraw(uint32_t& seedLcg) {
  seedLcg = seedLcg * 214013u + 2531011u;
  return (seedLcg >> 16) & 0x7FFFu;
}

// The integer generator's state, held in locals while a block runs.
struct Combined {
  uint32_t lcg, borrow, swb1, swb2, swb3;

  template <class S>
  void Load(const S* s) {
    lcg = static_cast<uint32_t>(s->lcgState);
    borrow = static_cast<uint32_t>(s->borrow);
    swb1 = static_cast<uint32_t>(s->swb1);
    swb2 = static_cast<uint32_t>(s->swb2);
    swb3 = static_cast<uint32_t>(s->swb3);
  }
  template <class S>
  void Store(S* s) const {
    s->lcgState = static_cast<int32_t>(lcg);
    s->borrow = static_cast<int32_t>(borrow);
    s->swb1 = static_cast<int32_t>(swb1);
    s->swb2 = static_cast<int32_t>(swb2);
    s->swb3 = static_cast<int32_t>(swb3);
  }

  // One combined draw.
  int32_t Draw() {
    const uint32_t t = NextSwb();
    lcg = lcg * kLcgMul + kLcgInc;
    return static_cast<int32_t>(lcg + t);
  }

  // The next n draws into out. The two parts are produced separately: the
  // subtract-with-borrow chain serially, branch-free (its borrow is a coin
  // toss), and the congruential part by the build's kernel, which runs its
  // steps in independent lanes.
  void Fill(int32_t* out, int32_t n) {
    FillSwb(out, n);
    kvxKernels().lcgAdd(out, n, &lcg);
  }

  // The subtract-with-borrow parts of the next n draws; the congruential
  // state stays where it is.
  void FillSwb(int32_t* out, int32_t n) {
    uint32_t x = swb1, y = swb2, z = swb3, b = borrow;
    // Three steps per round, so the lags rotate through the names instead of
    // being copied: after each step the newest value takes the oldest's place.
    auto step = [&b](uint32_t newer, uint32_t older) {
      uint32_t t = newer - older - b;
      b = static_cast<int32_t>(t) > 0 ? 0u : 1u;
      return t - b * 18u;
    };
    int32_t i = 0;
    for (; i + 3 <= n; i += 3) {
      z = step(y, z);  // newest z, then x, then y
      out[i] = static_cast<int32_t>(z);
      y = step(x, y);  // newest y, then z, then x
      out[i + 1] = static_cast<int32_t>(y);
      x = step(z, x);  // back to x, y, z
      out[i + 2] = static_cast<int32_t>(x);
    }
    swb1 = x;
    swb2 = y;
    swb3 = z;
    borrow = b;
    for (; i < n; ++i) out[i] = static_cast<int32_t>(NextSwb());
  }

 private:
  uint32_t NextSwb() {
    uint32_t t = swb2 - swb3 - borrow;
    const uint32_t b = static_cast<int32_t>(t) > 0 ? 0u : 1u;
    t -= b * 18u;
    borrow = b;
    swb3 = swb2;
    swb2 = swb1;
    swb1 = t;
    return t;
  }
};

template <class S>
void SeedState(S* s, float seed, int32_t borrow) {
  const uint32_t seedInt = SeedInt(seed);
  uint32_t seedLcg = seedInt;
  s->lcgState = static_cast<int32_t>(kLcgStart);
  s->borrow = borrow;
  s->swb1 = static_cast<int32_t>(seedInt);
  s->swb2 = static_cast<int32_t>(SeedDraw(seedLcg));
  s->swb3 = static_cast<int32_t>(SeedDraw(seedLcg));
  s->seedLcg = static_cast<int32_t>(seedLcg);
}

constexpr int32_t kChunk = 512;  // draws per chunk (an even number)

// Each uniform value is one draw u: u * scale + center in double, rounded to
// float.
void UniformBlock(Combined& g, double scale, double center, float* out, int32_t n) {
  int32_t draws[kChunk];
  for (int32_t done = 0; done < n; done += kChunk) {
    const int32_t m = n - done < kChunk ? n - done : kChunk;
    g.FillSwb(draws, m);
    kvxKernels().uniformFloat(draws, m, &g.lcg, scale, center, out + done);
  }
}

// Gaussian values by the polar method, in pairs: a pair of draws (u1, u2) is
// tried until a = u1 * 2^-31 and b = u2 * 2^-31 fall inside the unit circle;
// its first value uses b, the second (kept as the spare) uses a. Candidates
// are drawn a chunk at a time and the accepted pairs transformed together,
// so that the logarithms and roots of successive pairs overlap.
void GaussBlock(Combined& g, GaussRandState* s, float* out, int32_t n) {
  int32_t i = 0;
  if (s->haveSpare == 1) {
    s->haveSpare = 0;
    out[i++] = s->spare;
  }
  const double mean = s->mean, stdDev = s->stdDev;
  int32_t draws[kChunk];
  double pa[kChunk / 2 + 1], pb[kChunk / 2 + 1], pq[kChunk / 2 + 1], pf[kChunk / 2 + 1];
  while (i < n) {
    const int32_t pairsNeeded = (n - i + 1) / 2;
    const Combined start = g;
    g.Fill(draws, kChunk);
    int32_t pairs = 0, used = 0;
    // Branch-free: a rejected candidate is written and then overwritten.
    while (used < kChunk && pairs < pairsNeeded) {
      const double a = static_cast<double>(draws[used]) * kPairScale;
      const double b = static_cast<double>(draws[used + 1]) * kPairScale;
      used += 2;
      const double q = a * a + b * b;
      pa[pairs] = a;
      pb[pairs] = b;
      pq[pairs] = q;
      pairs += (q < 1.0) & (q != 0.0);
    }
    if (used < kChunk) {
      // The last pair came before the chunk's end: the generator moves on by
      // the draws taken, no further.
      g = start;
      for (int32_t k = 0; k < used; ++k) g.Draw();
    }
    for (int32_t p = 0; p < pairs; ++p) pf[p] = std::log(pq[p]);
    kvxKernels().polarFactor(pf, pq, pairs);
    for (int32_t p = 0; p < pairs; ++p) {
      out[i++] = static_cast<float>(mean + stdDev * pb[p] * pf[p]);
      const float second = static_cast<float>(mean + stdDev * pa[p] * pf[p]);
      s->spare = second;
      if (i < n)
        out[i++] = second;
      else
        s->haveSpare = 1;
    }
  }
}

void Fail(const char* name, const char* message, int32_t line) {
  kvxRaise(StatusBadArgument, name, message, kSource, line);
}

}  // namespace

extern "C" {

KVX_API void kvxsRandUniInit(float seed, float low, float high, UniformRandState* state) {
  if (!state) return Fail("kvxsRandUniInit", "Null pointer to state structure", 46);
  const double span = static_cast<double>(high) - static_cast<double>(low);
  state->center = static_cast<float>(static_cast<double>(low) + 0.5 * span);
  state->scale = static_cast<float>(span * kUniformScale);
  SeedState(state, seed, 0);
  Combined g;
  g.Load(state);
  for (int i = 0; i < 5; ++i) g.Draw();
  g.Store(state);
}

// A negative length would describe more values than any buffer holds; it is
// refused like an empty one.
KVX_API void kvxsbRandUni(UniformRandState* state, float* samps, int32_t sampsLen) {
  constexpr const char* name = "kvxsbRandUni";
  if (!state) return Fail(name, "Null pointer to state structure", 59);
  if (!samps) return Fail(name, "Null pointer to data buffer", 59);
  if (sampsLen <= 0) return Fail(name, "Null length of buffer", 59);
  Combined g;
  g.Load(state);
  UniformBlock(g, state->scale, state->center, samps, sampsLen);
  g.Store(state);
}

KVX_API void kvxsRandGausInit(float seed, float mean, float stdDev, GaussRandState* state) {
  if (!state) return Fail("kvxsRandGausInit", "Null pointer to state structure", 109);
  state->mean = mean;
  state->stdDev = stdDev;
  state->haveSpare = 0;
  SeedState(state, seed, 1);
}

KVX_API void kvxsbRandGaus(GaussRandState* state, float* samps, int32_t sampsLen) {
  constexpr const char* name = "kvxsbRandGaus";
  if (!state) return Fail(name, "Null pointer to state structure", 122);
  if (!samps) return Fail(name, "Null pointer to data buffer", 122);
  if (sampsLen <= 0) return Fail(name, "Null length of buffer", 122);
  Combined g;
  g.Load(state);
  GaussBlock(g, state, samps, sampsLen);
  g.Store(state);
}

KVX_API void dkvxsRandUniInit(float, float, float, UniformRandState*)
    __attribute__((alias("kvxsRandUniInit")));
KVX_API void dkvxsbRandUni(UniformRandState*, float*, int32_t)
    __attribute__((alias("kvxsbRandUni")));
KVX_API void dkvxsRandGausInit(float, float, float, GaussRandState*)
    __attribute__((alias("kvxsRandGausInit")));
KVX_API void dkvxsbRandGaus(GaussRandState*, float*, int32_t)
    __attribute__((alias("kvxsbRandGaus")));

}  // extern "C"
