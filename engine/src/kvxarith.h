// The arithmetic kernels of the engine, one table per processor build: the
// dot products of the FIR filter and the bulk steps of the noise generators.
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

struct KvxKernels {
  const char* name;
  // out[k * outStride] = sum over j < n of taps[j] * src[j + k], k < count.
  void (*contig)(const float* taps, int32_t n, const float* src, float* out, ptrdiff_t outStride,
                 int64_t count);
  // out[k * outStride] = sum over j < n of taps[j] * base[off[j] + k], k < count.
  void (*offsets)(const float* taps, const int32_t* off, int32_t n, const float* base, float* out,
                  ptrdiff_t outStride, int64_t count);
  // draws[i] += the congruential state i + 1 steps after *lcg (x -> 69069 x +
  // 1013904243, modulo 2^32), for i < n; *lcg becomes the state n steps on.
  void (*lcgAdd)(int32_t* draws, int32_t n, uint32_t* lcg);
  // Uniform values from subtract-with-borrow values: u[i] = swb[i] + the
  // congruential state i + 1 steps after *lcg (as lcgAdd), out[i] = u[i] *
  // scale + center in double, rounded to float; *lcg moves n steps on.
  void (*uniformFloat)(const int32_t* swb, int32_t n, uint32_t* lcg, double scale, double center,
                       float* out);
  // f[i] = sqrt(-2 * f[i] / q[i]) for i < n: the polar method's factor from
  // the logarithm f[i] of q[i].
  void (*polarFactor)(double* f, const double* q, int32_t n);
};

// The builds, best last. A build is listed only when compiled in.
enum KvxBuild { kvxBuildGeneric = 0, kvxBuildAvx2 = 1, kvxBuildAvx512 = 2, kvxBuildCount = 3 };

// The generic random steps, shared by builds that have none of their own.
void kvxLcgAdd(int32_t* draws, int32_t n, uint32_t* lcg);
void kvxUniformFloat(const int32_t* swb, int32_t n, uint32_t* lcg, double scale, double center,
                     float* out);
void kvxPolarFactor(double* f, const double* q, int32_t n);

// The kernels of the best build this processor and operating system support,
// chosen once.
const KvxKernels& kvxKernels();

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

namespace kvx_avx2 {
void LcgAdd(int32_t* draws, int32_t n, uint32_t* lcg);
void UniformFloat(const int32_t* swb, int32_t n, uint32_t* lcg, double scale, double center,
                  float* out);
void PolarFactor(double* f, const double* q, int32_t n);
}  // namespace kvx_avx2

extern const KvxKernels kvxGenericKernels;
extern const KvxKernels kvxAvx2Kernels;
extern const KvxKernels kvxAvx512Kernels;
