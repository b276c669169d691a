// Uniform and Gaussian noise from one combined integer generator: a
// subtract-with-borrow generator (lags 2 and 3, correction 18 on borrow) added
// to a 32-bit congruential generator (multiplier 69069). All integer arithmetic
// wraps modulo 2^32, so it is done on unsigned values.
#include <cmath>
#include <cstdint>

#include "kvxframe.h"

namespace {

constexpr const char* kSource = "kvxrand";
constexpr double kUniformScale = 2.328306436539e-10;
constexpr double kPairScale = 4.656612873077e-10;
constexpr uint32_t kLcgStart = 0x436CBAE9u;

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

  int32_t Draw() {
    uint32_t t = swb2 - swb3 - borrow;
    if (static_cast<int32_t>(t) > 0) {
      borrow = 0;
    } else {
      t -= 18u;
      borrow = 1;
    }
    swb3 = swb2;
    swb2 = swb1;
    swb1 = t;
    lcg = lcg * 69069u + 1013904243u;
    return static_cast<int32_t>(lcg + t);
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

float UniformValue(Combined& g, double scale, double center) {
  return static_cast<float>(static_cast<double>(g.Draw()) * scale + center);
}

// One Gaussian value by the polar method; the pair's other value is kept in
// the state's spare.
float GaussValue(Combined& g, GaussRandState* s) {
  if (s->haveSpare == 1) {
    s->haveSpare = 0;
    return s->spare;
  }
  s->haveSpare = 1;
  double a, b, q;
  do {
    a = static_cast<double>(g.Draw()) * kPairScale;
    b = static_cast<double>(g.Draw()) * kPairScale;
    q = a * a + b * b;
  } while (!(q < 1.0 && q != 0.0));
  const double f = std::sqrt(-2.0 * std::log(q) / q);
  const double mean = s->mean, stdDev = s->stdDev;
  s->spare = static_cast<float>(mean + stdDev * a * f);
  return static_cast<float>(mean + stdDev * b * f);
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
  const double scale = state->scale, center = state->center;
  for (int32_t i = 0; i < sampsLen; ++i) samps[i] = UniformValue(g, scale, center);
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
  for (int32_t i = 0; i < sampsLen; ++i) samps[i] = GaussValue(g, state);
  g.Store(state);
}

KVX_API void dkvxsRandUniInit(float, float, float, UniformRandState*)
    __attribute__((alias("kvxsRandUniInit")));
KVX_API void dkvxsbRandUni(UniformRandState*, float*, int32_t) __attribute__((alias("kvxsbRandUni")));
KVX_API void dkvxsRandGausInit(float, float, float, GaussRandState*)
    __attribute__((alias("kvxsRandGausInit")));
KVX_API void dkvxsbRandGaus(GaussRandState*, float*, int32_t) __attribute__((alias("kvxsbRandGaus")));

}  // extern "C"
