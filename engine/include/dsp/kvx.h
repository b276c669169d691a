/* dsp: the native single-precision signal engine (C interface).
 *
 * Every operation checks its arguments first. The first failing check is
 * reported through the engine's per-thread report handler (by default a
 * message box, see dsp/kvxos.h) and the operation returns without touching its
 * outputs or the caller's state record. No operation returns a status.
 *
 * Every operation is also exported under a twin name with a leading 'd' that
 * takes the same arguments and gives the same result.
 *
 * State records are allocated by the caller, must stay at one address while in
 * use, and may be used by one thread at a time. Engine-owned buffers hanging off
 * a FirState are released by kvxFirFree. */
#ifndef DSP_KVX_H
#define DSP_KVX_H

#include <stdint.h>

#if defined(__GNUC__)
#define KVX_API __attribute__((visibility("default")))
#else
#define KVX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Status codes of the engine's reports. -2 has no name of its own in the
 * engine's tables; it reads "Unknown error or status code". */
typedef enum KvxStatus {
  StatusNoError = 0,
  StatusBacktrace = -1,
  StatusUnknown = -2,
  StatusBadState = -3,
  StatusOutOfMemory = -4,
  StatusBadArgument = -5,
  StatusUnsupported = -6,
  StatusNoConvergence = -7,
  StatusAutotrace = -8
} KvxStatus;

/* Bits of the flag word of the real FFT: bit i has value 2^i. */
enum KvxFlags {
  KVX_Forw = 0x0001,
  KVX_Inv = 0x0002,
  KVX_Init = 0x0004,
  KVX_Free = 0x0008,
  KVX_NoScale = 0x0010,
  KVX_NoBitRev = 0x0020,
  KVX_InBitRev = 0x0040,
  KVX_OutBitRev = 0x0080,
  KVX_OutRCPack = 0x0100,
  KVX_OutRCPerm = 0x0200,
  KVX_InRCPack = 0x0400,
  KVX_Bit11 = 0x0800,
  KVX_InRCPerm = 0x1000,
  KVX_DoIntCore = 0x2000,
  KVX_DoFloatCore = 0x4000,
  KVX_DoFastMMX = 0x8000
};

/* One output slot of a multi-rate filter's iteration: which coefficient group
 * it uses (tapBlock), how many coefficients (tapCount), where its window starts
 * in the delay line (windowStart) and where the group starts in storedTaps
 * (tapOffset). */
typedef struct FirPhase {
  int32_t tapBlock;
  int32_t tapCount;
  int32_t windowStart;
  int32_t tapOffset;
} FirPhase;

/* A FIR filter: sixteen machine words. Integer fields hold 32-bit values in a
 * word each. initMarker equals the record's own address while it holds an
 * initialised filter. */
typedef struct FirState {
  intptr_t upFactor;
  intptr_t upPhase;
  intptr_t downFactor;
  intptr_t downPhase;
  intptr_t isMultiRate;
  void* initMarker;
  intptr_t tapsLen;
  intptr_t tapsLen8;
  float* storedTaps;
  intptr_t dlylLen;
  intptr_t blockLen;
  intptr_t reserved;
  float* dlylBase;
  float* dlylLimit;
  float* dlylPos;
  FirPhase* phases;
} FirState;

/* Uniform generator over [low, high). */
typedef struct UniformRandState {
  float center;
  float scale;
  int32_t lcgState;
  int32_t borrow;
  int32_t swb1;
  int32_t swb2;
  int32_t swb3;
  int32_t seedLcg;
} UniformRandState;

/* Gaussian generator; values come in pairs, the second kept in spare. */
typedef struct GaussRandState {
  float mean;
  float stdDev;
  float spare;
  int32_t haveSpare;
  int32_t lcgState;
  int32_t borrow;
  int32_t swb1;
  int32_t swb2;
  int32_t swb3;
  int32_t seedLcg;
} GaussRandState;

/* ---- FIR filtering ------------------------------------------------------ */

/* Single-rate filter of tapsLen >= 1 coefficients; taps[0] applies to the
 * newest sample (null taps: all zero). dlyl: null (zero history) or
 * tapsLen - 1 history samples, oldest first. The engine allocates the filter's
 * buffers; a record that already holds a filter is released first. */
KVX_API void kvxsFirInit(const float* taps, int32_t tapsLen, const float* dlyl, FirState* state);

/* Multi-rate filter: interpolate by upFactor (input k lands at position
 * k * upFactor + upPhase), filter, decimate by downFactor keeping positions
 * downPhase + j * downFactor. 0 <= upPhase < upFactor, 0 <= downPhase <
 * downFactor. dlyl: null or (upFactor + tapsLen - 1) / upFactor history
 * inputs, oldest first. Factors of 1 and 1 give the single-rate filter. */
KVX_API void kvxsFirInitMr(const float* taps, int32_t tapsLen, const float* dlyl, int32_t upFactor,
                           int32_t upPhase, int32_t downFactor, int32_t downPhase,
                           FirState* state);

/* Releases the engine-owned buffers; the record is then not initialised. */
KVX_API void kvxFirFree(FirState* state);

/* Filters one sample through a single-rate filter and returns the output.
 * Returns 0 after a failed check (including a multi-rate filter). */
KVX_API float kvxsFir(FirState* state, float sample);

/* Filters a block: numIters inputs into numIters outputs (single-rate), or
 * numIters * downFactor inputs into numIters * upFactor outputs (multi-rate).
 * The arrays must not overlap and must hold that many values. */
KVX_API void kvxsbFir(FirState* state, const float* inSamps, float* outSamps, int32_t numIters);

/* ---- Random generators -------------------------------------------------- */

/* Uniform values in [low, high); the same seed (truncated toward zero to an
 * integer) gives the same sequence. */
KVX_API void kvxsRandUniInit(float seed, float low, float high, UniformRandState* state);

/* Writes the next sampsLen (> 0) uniform values; block calls continue one
 * sequence. */
KVX_API void kvxsbRandUni(UniformRandState* state, float* samps, int32_t sampsLen);

/* Gaussian values of the given mean and standard deviation. */
KVX_API void kvxsRandGausInit(float seed, float mean, float stdDev, GaussRandState* state);

/* Writes the next sampsLen (> 0) Gaussian values; block calls continue one
 * sequence, an odd block leaving its spare value for the next call. */
KVX_API void kvxsbRandGaus(GaussRandState* state, float* samps, int32_t sampsLen);

/* Twins. */
KVX_API void dkvxsFirInit(const float* taps, int32_t tapsLen, const float* dlyl, FirState* state);
KVX_API void dkvxsFirInitMr(const float* taps, int32_t tapsLen, const float* dlyl,
                            int32_t upFactor, int32_t upPhase, int32_t downFactor,
                            int32_t downPhase, FirState* state);
KVX_API void dkvxFirFree(FirState* state);
KVX_API float dkvxsFir(FirState* state, float sample);
KVX_API void dkvxsbFir(FirState* state, const float* inSamps, float* outSamps, int32_t numIters);
KVX_API void dkvxsRandUniInit(float seed, float low, float high, UniformRandState* state);
KVX_API void dkvxsbRandUni(UniformRandState* state, float* samps, int32_t sampsLen);
KVX_API void dkvxsRandGausInit(float seed, float mean, float stdDev, GaussRandState* state);
KVX_API void dkvxsbRandGaus(GaussRandState* state, float* samps, int32_t sampsLen);

#ifdef __cplusplus
}
#endif

#endif /* DSP_KVX_H */
