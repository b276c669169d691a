// The bit-reversal permutation shared by the radix-2 transforms.
#pragma once

#include <bit>
#include <cstdint>

namespace vandrel::dsp_detail {

// The lowest `bits` bits of v in reverse order.
inline uint64_t ReverseBits(uint64_t v, int bits) {
  uint64_t r = 0;
  for (int b = 0; b < bits; ++b, v >>= 1) r = (r << 1) | (v & 1);
  return r;
}

// Calls swap(k, rev(k)) once for every index k < rev(k) of a sequence of
// count values (count a power of two): the permutation the transforms' index
// counting loops perform. Which pairs swap is data-independent but looks
// random to a branch predictor and to the caches, so the pairs are visited in
// groups: index (h, m, l) with 3-bit h and l maps to (rev l, rev m, rev h),
// so the 64 indices of one middle part m all pair with the 64 of rev m, a few
// cache lines on either side.
template <typename Swap>
void BitReversePermute(uint64_t count, Swap&& swap) {
  const int bits = std::countr_zero(count);
  if (bits < 6) {
    for (uint64_t k = 0; k < count; ++k) {
      const uint64_t r = ReverseBits(k, bits);
      if (k < r) swap(k, r);
    }
    return;
  }
  constexpr int q = 3;
  const int midBits = bits - 2 * q;
  const int highShift = bits - q;
  uint64_t rev3[8];
  for (uint64_t v = 0; v < 8; ++v) rev3[v] = ReverseBits(v, q);
  for (uint64_t m = 0; m < (uint64_t{1} << midBits); ++m) {
    const uint64_t rm = ReverseBits(m, midBits);
    if (rm < m) continue;  // visited with its partner group
    for (uint64_t h = 0; h < 8; ++h) {
      for (uint64_t l = 0; l < 8; ++l) {
        const uint64_t k = (h << highShift) | (m << q) | l;
        const uint64_t r = (rev3[l] << highShift) | (rm << q) | rev3[h];
        if (rm != m || k < r) swap(k, r);
      }
    }
  }
}

}  // namespace vandrel::dsp_detail
