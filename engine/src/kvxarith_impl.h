// Dot-product kernels written once over a vector traits class V and compiled
// once per processor build, each inside its own namespace (the includer opens
// it). V supplies: D (a vector of V::L doubles), Zero(), Bcast(float),
// Load(const float*) (V::L floats widened to double), Fma(t, x, acc) and
// Store(float*, D) (V::L floats). No standard header is included here.

struct ContigRows {
  const float* src;
  const float* operator()(int32_t j) const { return src + j; }
};

struct OffsetRows {
  const float* base;
  const int32_t* off;
  const float* operator()(int32_t j) const { return base + off[j]; }
};

// J * V::L consecutive outputs starting at k.
template <int J, class Rows>
__attribute__((always_inline)) inline void Tile(const float* taps, int32_t n, const Rows& rows,
                                                int64_t k, float* out, ptrdiff_t outStride) {
  typename V::D acc[J];
#pragma GCC unroll 16
  for (int l = 0; l < J; ++l) acc[l] = V::Zero();
  for (int32_t j = 0; j < n; ++j) {
    const typename V::D t = V::Bcast(taps[j]);
    const float* r = rows(j) + k;
#pragma GCC unroll 16
    for (int l = 0; l < J; ++l) acc[l] = V::Fma(t, V::Load(r + l * V::L), acc[l]);
  }
  if (outStride == 1) {
#pragma GCC unroll 16
    for (int l = 0; l < J; ++l) V::Store(out + k + l * V::L, acc[l]);
  } else {
    float tmp[J * V::L];
#pragma GCC unroll 16
    for (int l = 0; l < J; ++l) V::Store(tmp + l * V::L, acc[l]);
    for (int l = 0; l < J * V::L; ++l) out[(k + l) * outStride] = tmp[l];
  }
}

template <class Rows>
inline void Run(const float* taps, int32_t n, const Rows& rows, float* out, ptrdiff_t outStride,
                int64_t count) {
  constexpr int64_t wide = 8 * V::L;
  int64_t k = 0;
  for (; k + wide <= count; k += wide) Tile<8>(taps, n, rows, k, out, outStride);
  for (; k + V::L <= count; k += V::L) Tile<1>(taps, n, rows, k, out, outStride);
  for (; k < count; ++k) {
    double acc = 0.0;
    for (int32_t j = 0; j < n; ++j)
      acc += static_cast<double>(taps[j]) * static_cast<double>(rows(j)[k]);
    out[k * outStride] = static_cast<float>(acc);
  }
}

void Contig(const float* taps, int32_t n, const float* src, float* out, ptrdiff_t outStride,
            int64_t count) {
  Run(taps, n, ContigRows{src}, out, outStride, count);
}

void Offsets(const float* taps, const int32_t* off, int32_t n, const float* base, float* out,
             ptrdiff_t outStride, int64_t count) {
  Run(taps, n, OffsetRows{base, off}, out, outStride, count);
}
