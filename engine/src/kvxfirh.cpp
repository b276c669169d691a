// FIR filtering: single-rate and multi-rate filters over a caller-owned
// FirState, one sample or a block at a time.
//
// The delay buffer holds d history samples followed by B free places, so the
// one-sample filter slides its window through the buffer and folds the
// history back only once every B samples. A block call sees the stream
// z = history followed by the block, filters the first outputs from the buffer
// and the rest straight from the caller's array, and leaves the last d inputs
// at the start of the buffer.
#include "kvxfirh.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "kvxarith.h"
#include "kvxframe.h"

namespace {

constexpr const char* kSource = "kvxfirh";
constexpr int32_t kLineInit = 191;
constexpr int32_t kLineInitMr = 225;
constexpr int32_t kLineSetTaps = 260;
constexpr int32_t kLineSetDlyl = 303;
constexpr int32_t kLineFir = 345;
constexpr int32_t kLineBlock = 381;
constexpr int32_t kLineFreeNull = 479;
constexpr int32_t kLineFreeInit = 481;

bool Initialised(const FirState* s) {
  return s->initMarker == s;
}

void Fail(KvxStatus status, const char* name, const char* message, int32_t line) {
  kvxRaise(status, name, message, kSource, line);
}

void Release(FirState* s) {
  kvxAlignedFree(s->storedTaps);
  kvxAlignedFree(s->dlylBase);
  kvxAlignedFree(s->phases);
  s->storedTaps = nullptr;
  s->dlylBase = s->dlylLimit = s->dlylPos = nullptr;
  s->phases = nullptr;
  s->initMarker = nullptr;
}

// Number of coefficients h[i] with i = j (mod up), and where group j starts
// when the groups follow one another.
int64_t GroupCount(int64_t n, int64_t up, int64_t j) {
  return n / up + (j < n % up ? 1 : 0);
}
int64_t GroupStart(int64_t n, int64_t up, int64_t j) {
  return j * (n / up) + std::min(j, n % up);
}

void BuildPhases(FirState* s) {
  const int64_t up = s->upFactor, down = s->downFactor, n = s->tapsLen, d = s->dlylLen;
  for (int64_t p = 0; p < up; ++p) {
    const int64_t t = s->downPhase + p * down - s->upPhase;
    const int64_t m = ((t % up) + up) % up;
    const int64_t newest = t >= 0 ? t / up + 1 : 0;  // k + 1
    const int64_t count = GroupCount(n, up, m);
    FirPhase& ph = s->phases[p];
    ph.tapBlock = static_cast<int32_t>(m);
    ph.tapCount = static_cast<int32_t>(count);
    ph.windowStart = static_cast<int32_t>(newest + d - count);
    ph.tapOffset = static_cast<int32_t>(GroupStart(n, up, m));
  }
}

}  // namespace

void kvxsFirSetTaps(const float* taps, FirState* s) {
  constexpr const char* name = "kvxsFirSetTaps";
  if (!s) return Fail(StatusBadArgument, name, "Null state pointer", kLineSetTaps);
  if (!Initialised(s))
    return Fail(StatusBadArgument, name, "Must have been initialized", kLineSetTaps);
  const int64_t n = s->tapsLen;
  float* stored = s->storedTaps;
  if (!taps) {
    std::fill(stored, stored + n, 0.0f);
    return;
  }
  if (!s->isMultiRate) {
    for (int64_t i = 0; i < n; ++i) stored[n - 1 - i] = taps[i];
    return;
  }
  const int64_t up = s->upFactor;
  for (int64_t j = 0; j < up && j < n; ++j) {
    const int64_t count = GroupCount(n, up, j);
    float* group = stored + GroupStart(n, up, j);
    for (int64_t i = 0; i < count; ++i) group[count - 1 - i] = taps[j + i * up];
  }
}

void kvxsFirSetDlyl(const float* dlyl, FirState* s) {
  constexpr const char* name = "kvxsFirSetDlyl";
  if (!s) return Fail(StatusBadArgument, name, "Null state pointer", kLineSetDlyl);
  if (!Initialised(s))
    return Fail(StatusBadArgument, name, "Must have been initialized", kLineSetDlyl);
  if (dlyl)
    std::memcpy(s->dlylPos, dlyl, sizeof(float) * s->dlylLen);
  else
    std::fill(s->dlylPos, s->dlylPos + s->dlylLen, 0.0f);
}

namespace {

void Init(const char* name, int32_t line, const float* taps, int32_t n, const float* dlyl,
          int32_t up, int32_t upPhase, int32_t down, int32_t downPhase, FirState* s) {
  if (Initialised(s)) Release(s);
  const bool multi = up > 1 || down > 1;
  s->upFactor = up;
  s->upPhase = upPhase;
  s->downFactor = down;
  s->downPhase = downPhase;
  s->isMultiRate = multi ? 1 : 0;
  s->storedTaps = nullptr;
  s->dlylBase = nullptr;
  s->phases = nullptr;
  s->tapsLen = n;
  s->tapsLen8 = n & ~int32_t{7};
  s->initMarker = s;

  const int64_t d = multi ? (int64_t{up} + n - 1) / up : int64_t{n} - 1;
  const int64_t e = std::max<int64_t>(d, 127);
  const int64_t b = multi ? down * ((e + down - 1) / down) : e + 1;
  s->dlylLen = d;
  s->blockLen = b;

  // Every index into the delay buffer and the phase records is a 32-bit
  // value; a buffer beyond that is treated as memory that cannot be had.
  if (d + b <= INT32_MAX) {
    s->storedTaps = static_cast<float*>(kvxAlignedAlloc4(static_cast<size_t>(n)));
    s->dlylBase = static_cast<float*>(kvxAlignedAlloc4(static_cast<size_t>(d + b)));
    if (multi) s->phases = static_cast<FirPhase*>(kvxAlignedAlloc(sizeof(FirPhase) * size_t(up)));
  }
  s->dlylPos = s->dlylBase;
  s->dlylLimit = s->dlylBase ? s->dlylBase + b : nullptr;
  if (!s->storedTaps || !s->dlylBase || (multi && !s->phases)) {
    Release(s);
    return Fail(StatusOutOfMemory, name, "Allocation failure", line);
  }
  if (multi) BuildPhases(s);
  kvxsFirSetTaps(taps, s);
  kvxsFirSetDlyl(dlyl, s);
}

// Outputs of iterations 0..iters-1 of a multi-rate filter over src, the stream
// z from the position of iteration 0 (z[i] = src[i]); output p + k * up goes to
// out[p + k * up].
void MultiRatePass(const FirState* s, const float* src, int64_t iters, float* out) {
  if (iters <= 0) return;
  const KvxKernels& kern = kvxKernels();
  const int64_t up = s->upFactor, down = s->downFactor, d = s->dlylLen;
  const float* taps = s->storedTaps;

  if (down == 1) {
    for (int64_t p = 0; p < up; ++p) {
      const FirPhase& ph = s->phases[p];
      kern.contig(taps + ph.tapOffset, ph.tapCount, src + ph.windowStart, out + p, up, iters);
    }
    return;
  }

  // Decimating: split the stream into its down residues, so that the samples
  // one coefficient meets in successive iterations lie next to each other:
  // z[c + k * down] = residue (c mod down), element c / down + k.
  const int64_t chunk = std::min(iters, std::max<int64_t>(64, 16384 / down));
  const int64_t rowLen = chunk + (d + down - 1) / down + 1;
  const int64_t maxCount = GroupCount(s->tapsLen, up, 0);
  const int64_t rowFloats = down * rowLen;
  constexpr int64_t kMaxScratchFloats = int64_t{1} << 24;
  void* scratch =
      rowFloats <= kMaxScratchFloats
          ? kvxScratch(sizeof(float) * size_t(rowFloats) + sizeof(int32_t) * size_t(maxCount))
          : nullptr;
  if (!scratch) {
    for (int64_t p = 0; p < up; ++p) {
      const FirPhase& ph = s->phases[p];
      kvxFirStrided(taps + ph.tapOffset, ph.tapCount, src + ph.windowStart, down, out + p, up,
                    iters);
    }
    return;
  }
  float* rows = static_cast<float*>(scratch);
  int32_t* off = reinterpret_cast<int32_t*>(rows + rowFloats);
  const int64_t end = iters * down + d;  // every output reads below z[end]

  for (int64_t k0 = 0; k0 < iters; k0 += chunk) {
    const int64_t kc = std::min(chunk, iters - k0);
    const int64_t first = k0 * down;
    for (int64_t r = 0; r < down; ++r) {
      float* row = rows + r * rowLen;
      for (int64_t i = 0; i < rowLen; ++i) {
        const int64_t c = first + i * down + r;
        row[i] = c < end ? src[c] : 0.0f;
      }
    }
    for (int64_t p = 0; p < up; ++p) {
      const FirPhase& ph = s->phases[p];
      for (int32_t j = 0; j < ph.tapCount; ++j) {
        const int64_t c = ph.windowStart + j;
        off[j] = static_cast<int32_t>((c % down) * rowLen + c / down);
      }
      kern.offsets(taps + ph.tapOffset, off, ph.tapCount, rows, out + p + k0 * up, up, kc);
    }
  }
}

void BlockSingleRate(FirState* s, const float* in, float* out, int64_t count) {
  const int64_t d = s->dlylLen;
  float* base = s->dlylBase;
  if (s->dlylPos != base) {
    std::memmove(base, s->dlylPos, sizeof(float) * d);
    s->dlylPos = base;
  }
  const int64_t m = std::min(count, d);
  std::memcpy(base + d, in, sizeof(float) * m);
  const KvxKernels& kern = kvxKernels();
  const int32_t n = static_cast<int32_t>(s->tapsLen);
  kern.contig(s->storedTaps, n, base, out, 1, m);
  kern.contig(s->storedTaps, n, in, out + m, 1, count - m);
  if (d > m)
    std::memmove(base, base + m, sizeof(float) * d);
  else
    std::memcpy(base, in + count - d, sizeof(float) * d);
}

void BlockMultiRate(FirState* s, const float* in, float* out, int64_t iters) {
  const int64_t down = s->downFactor, up = s->upFactor, d = s->dlylLen;
  const int64_t total = iters * down;
  float* base = s->dlylBase;
  const int64_t m = std::min(total, static_cast<int64_t>(s->blockLen));
  std::memcpy(base + d, in, sizeof(float) * m);
  MultiRatePass(s, base, m / down, out);
  if (total < s->blockLen) {
    std::memmove(base, base + m, sizeof(float) * d);
    return;
  }
  MultiRatePass(s, in + (m - d), (total - m) / down, out + up * (m / down));
  std::memcpy(base, in + total - d, sizeof(float) * d);
}

}  // namespace

extern "C" {

KVX_API void kvxsFirInit(const float* taps, int32_t tapsLen, const float* dlyl, FirState* state) {
  constexpr const char* name = "kvxsFirInit";
  if (!state) return Fail(StatusBadArgument, name, "Null state pointer", kLineInit);
  if (tapsLen <= 0) return Fail(StatusBadArgument, name, "Invalid value", kLineInit);
  Init(name, kLineInit, taps, tapsLen, dlyl, 1, 0, 1, 0, state);
}

KVX_API void kvxsFirInitMr(const float* taps, int32_t tapsLen, const float* dlyl, int32_t upFactor,
                           int32_t upPhase, int32_t downFactor, int32_t downPhase,
                           FirState* state) {
  constexpr const char* name = "kvxsFirInitMr";
  if (!state) return Fail(StatusBadArgument, name, "Null state pointer", kLineInitMr);
  if (upFactor <= 0 || downFactor <= 0 || upPhase < 0 || upPhase >= upFactor || downPhase < 0 ||
      downPhase >= downFactor || tapsLen <= 0)
    return Fail(StatusBadArgument, name, "Invalid value", kLineInitMr);
  Init(name, kLineInitMr, taps, tapsLen, dlyl, upFactor, upPhase, downFactor, downPhase, state);
}

KVX_API void kvxFirFree(FirState* state) {
  constexpr const char* name = "kvxFirkvxFree";
  if (!state) return Fail(StatusBadArgument, name, "Null state pointer", kLineFreeNull);
  if (!Initialised(state))
    return Fail(StatusBadArgument, name, "Must have been initialized", kLineFreeInit);
  Release(state);
}

KVX_API float kvxsFir(FirState* state, float sample) {
  constexpr const char* name = "kvxsFir";
  if (!state) return Fail(StatusBadArgument, name, "Null state pointer", kLineFir), 0.0f;
  if (!Initialised(state))
    return Fail(StatusBadArgument, name, "Must have been initialized", kLineFir), 0.0f;
  // The window of a multi-rate filter would reach past its history.
  if (state->isMultiRate)
    return Fail(StatusBadArgument, name, "Single-rate filter expected", kLineFir), 0.0f;
  const int64_t d = state->dlylLen;
  float* pos = state->dlylPos;
  pos[d] = sample;
  const float y = kvxDot(state->storedTaps, pos, static_cast<int32_t>(state->tapsLen));
  ++pos;
  if (pos == state->dlylLimit) {
    std::memmove(state->dlylBase, pos, sizeof(float) * d);
    pos = state->dlylBase;
  }
  state->dlylPos = pos;
  return y;
}

KVX_API void kvxsbFir(FirState* state, const float* inSamps, float* outSamps, int32_t numIters) {
  constexpr const char* name = "kvxsbFir";
  if (!state) return Fail(StatusBadArgument, name, "Null state pointer", kLineBlock);
  if (!Initialised(state))
    return Fail(StatusBadArgument, name, "Must have been initialized", kLineBlock);
  if (!inSamps || !outSamps)
    return Fail(StatusBadArgument, name, "Null buffer pointer", kLineBlock);
  if (numIters <= 0) return Fail(StatusBadArgument, name, "Invalid value", kLineBlock);
  if (state->isMultiRate)
    BlockMultiRate(state, inSamps, outSamps, numIters);
  else
    BlockSingleRate(state, inSamps, outSamps, numIters);
}

// Twins: the same entry points under a second name.
KVX_API void dkvxsFirInit(const float*, int32_t, const float*, FirState*)
    __attribute__((alias("kvxsFirInit")));
KVX_API void dkvxsFirInitMr(const float*, int32_t, const float*, int32_t, int32_t, int32_t, int32_t,
                            FirState*) __attribute__((alias("kvxsFirInitMr")));
KVX_API void dkvxFirFree(FirState*) __attribute__((alias("kvxFirFree")));
KVX_API float dkvxsFir(FirState*, float) __attribute__((alias("kvxsFir")));
KVX_API void dkvxsbFir(FirState*, const float*, float*, int32_t) __attribute__((alias("kvxsbFir")));

}  // extern "C"
