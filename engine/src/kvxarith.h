// The dot-product kernels of the FIR filter, one table per processor build.
//
// Every output is a sum of float coefficient x float sample products, taken in
// order of increasing coefficient position, accumulated from 0.0 in double
// and rounded to float once when stored. A float x float product is exact in
// double, so a fused multiply-add into the accumulator rounds exactly as a
// separate multiply and add would: every build gives the same bits. Builds
// vectorise across independent outputs only.
#pragma once

#include <cstddef>
#include <cstdint>

struct KvxFirKernels {
  const char* name;
  // out[k * outStride] = sum over j < n of taps[j] * src[j + k], k < count.
  void (*contig)(const float* taps, int32_t n, const float* src, float* out,
                 ptrdiff_t outStride, int64_t count);
  // out[k * outStride] = sum over j < n of taps[j] * base[off[j] + k], k < count.
  void (*offsets)(const float* taps, const int32_t* off, int32_t n, const float* base, float* out,
                  ptrdiff_t outStride, int64_t count);
};

// The builds, best last. A build is listed only when compiled in.
enum KvxBuild { kvxBuildGeneric = 0, kvxBuildAvx2 = 1, kvxBuildAvx512 = 2, kvxBuildCount = 3 };

// The kernels of the best build this processor and operating system support,
// chosen once.
const KvxFirKernels& kvxFirKernels();

// Test hook: run build b from now on (false when the processor lacks it), and
// the name of the build that runs.
bool kvxForceBuild(int b);
bool kvxBuildSupported(int b);
const char* kvxBuildName();

// out[k * outStride] = sum over j < n of taps[j] * src[j + k * srcStride]: the
// strided form that needs no work memory; plain scalar code, same order.
void kvxFirStrided(const float* taps, int32_t n, const float* src, ptrdiff_t srcStride, float* out,
                   ptrdiff_t outStride, int64_t count);

// sum over j < n of taps[j] * x[j], rounded to float.
float kvxDot(const float* taps, const float* x, int32_t n);

extern const KvxFirKernels kvxGenericKernels;
extern const KvxFirKernels kvxAvx2Kernels;
extern const KvxFirKernels kvxAvx512Kernels;
