// The package's binding of the native engine dsp: the nine entry points that
// the FIR filter component and the signal generator call, the state records
// they take, and the engine's flag set. The entry points are bound by name
// when the package is loaded; the package does not load without an engine
// that has all nine.
//
// The engine reports bad arguments itself (its report box) and then returns
// without touching outputs or records; nothing is returned to the package.
//
// A translation unit includes either this header or the engine's dsp/kvx.h,
// not both: they declare the same C entry points over their own record types.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "vandrel/DspEngine/Records.h"

namespace vandrel {

// Index type of the engine declarations: 0..99999999 in a 32-bit integer.
using ArrayIndex = int32_t;
constexpr ArrayIndex ArrayIndexMax = 99999999;

// Element i of TKvxFourierTrOptions is bit i of the engine's flag word.
// KVX_Bit11 names the one bit without meaning, so that ordinals match bits.
enum TKvxFourierTrOption {
  KVX_Forw,
  KVX_Inv,
  KVX_Init,
  KVX_Free,
  KVX_NoScale,
  KVX_NoBitRev,
  KVX_InBitRev,
  KVX_OutBitRev,
  KVX_OutRCPack,
  KVX_OutRCPerm,
  KVX_InRCPack,
  KVX_Bit11,
  KVX_InRCPerm,
  KVX_DoIntCore,
  KVX_DoFloatCore,
  KVX_DoFastMMX
};

// A set of TKvxFourierTrOption, 16 bits wide; Bits() is the engine's flag word.
class TKvxFourierTrOptions {
 public:
  constexpr TKvxFourierTrOptions() = default;
  constexpr TKvxFourierTrOptions(std::initializer_list<TKvxFourierTrOption> Options) {
    for (TKvxFourierTrOption O : Options) Include(O);
  }
  static constexpr TKvxFourierTrOptions FromBits(uint16_t Bits) {
    TKvxFourierTrOptions S;
    S.FBits = Bits;
    return S;
  }

  constexpr uint16_t Bits() const { return FBits; }
  constexpr bool Contains(TKvxFourierTrOption O) const { return (FBits >> Bit(O)) & 1u; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr void Include(TKvxFourierTrOption O) { FBits = uint16_t(FBits | (1u << Bit(O))); }
  constexpr void Exclude(TKvxFourierTrOption O) { FBits = uint16_t(FBits & ~(1u << Bit(O))); }

  friend constexpr TKvxFourierTrOptions operator+(TKvxFourierTrOptions A, TKvxFourierTrOptions B) {
    return FromBits(uint16_t(A.FBits | B.FBits));
  }
  friend constexpr TKvxFourierTrOptions operator-(TKvxFourierTrOptions A, TKvxFourierTrOptions B) {
    return FromBits(uint16_t(A.FBits & ~B.FBits));
  }
  friend constexpr TKvxFourierTrOptions operator*(TKvxFourierTrOptions A, TKvxFourierTrOptions B) {
    return FromBits(uint16_t(A.FBits & B.FBits));
  }
  friend constexpr bool operator==(TKvxFourierTrOptions A, TKvxFourierTrOptions B) {
    return A.FBits == B.FBits;
  }

 private:
  // Ordinals outside 0..15 name no element: they are neither stored nor found.
  static constexpr unsigned Bit(TKvxFourierTrOption O) {
    return static_cast<unsigned>(O) < 16 ? static_cast<unsigned>(O) : 16;
  }
  uint16_t FBits = 0;
};

static_assert(sizeof(TKvxFourierTrOptions) == 2);

extern "C" {

// FIR filtering. taps: tapsLen >= 1 coefficients, taps[0] for the newest
// sample; dlyl: null or the history (oldest first). The engine allocates the
// filter's buffers; kvxFirFree releases them.
void kvxsFirInit(const float* taps, ArrayIndex tapsLen, const float* dlyl, FirState* state);
void kvxsFirInitMr(const float* taps, ArrayIndex tapsLen, const float* dlyl, int32_t upFactor,
                   int32_t upPhase, int32_t downFactor, int32_t downPhase, FirState* state);
void kvxFirFree(FirState* state);
// One sample through a single-rate filter (0 for a multi-rate one, reported).
float kvxsFir(FirState* state, float sample);
// numIters * downFactor inputs into numIters * upFactor outputs; the arrays
// must not overlap.
void kvxsbFir(FirState* state, const float* inSamps, float* outSamps, ArrayIndex numIters);

// Noise generators; block calls continue one sequence.
void kvxsRandUniInit(float seed, float low, float high, UniformRandState* state);
void kvxsbRandUni(UniformRandState* state, float* samps, ArrayIndex sampsLen);
void kvxsRandGausInit(float seed, float mean, float stdDev, GaussRandState* state);
void kvxsbRandGaus(GaussRandState* state, float* samps, ArrayIndex sampsLen);

}  // extern "C"

}  // namespace vandrel
