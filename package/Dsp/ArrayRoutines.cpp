// Filling, copying, shifting and accumulating sample arrays.
#include <cstdint>
#include <cstring>

#include "vandrel/Dsp.h"

namespace vandrel {

void SetToZero(int n, float* data) {
  if (n <= 0 || data == nullptr) return;
  for (int i = 0; i < n; ++i) data[i] = 0.0f;
}

void CopyDataAll(int n, const float* src, float* dst) {
  if (n <= 0 || src == nullptr || dst == nullptr) return;
  // Bit for bit, in ascending order. When dst starts inside src the ascending
  // copy re-reads what it wrote, and that is kept; otherwise it equals a move.
  const auto s = reinterpret_cast<uintptr_t>(src);
  const auto d = reinterpret_cast<uintptr_t>(dst);
  if (d > s && d < s + static_cast<uintptr_t>(n) * sizeof(float)) {
    const auto* in = reinterpret_cast<const unsigned char*>(src);
    auto* out = reinterpret_cast<unsigned char*>(dst);
    for (size_t i = 0; i < static_cast<size_t>(n) * sizeof(float); i += sizeof(float))
      std::memcpy(out + i, in + i, sizeof(float));  // one element at a time
    return;
  }
  std::memmove(dst, src, static_cast<size_t>(n) * sizeof(float));
}

void Demultiplex(int channel, int stride, int n, const int16_t* src, float* dst) {
  if (n <= 0 || channel < 1 || stride < 1 || src == nullptr || dst == nullptr) return;
  const int64_t first = int64_t{channel} - 1;
  for (int64_t i = 0; i < n; ++i) dst[i] = static_cast<float>(src[first + i * stride]);
}

void Scale(int n, float factor, float* data) {
  if (n <= 0 || data == nullptr) return;
  // A float product rounded once is the double product rounded to 32 bits.
  for (int i = 0; i < n; ++i) data[i] = factor * data[i];
}

void AddArray(int n, const float* a, double* b) {
  if (n <= 0 || a == nullptr || b == nullptr) return;
  for (int i = 0; i < n; ++i) b[i] = b[i] + static_cast<double>(a[i]);
}

void SubstractArray(int n, const float* a, double* b) {
  if (n <= 0 || a == nullptr || b == nullptr) return;
  for (int i = 0; i < n; ++i) b[i] = b[i] - static_cast<double>(a[i]);
}

void RightShift(int n, int shift, float* data) {
  if (n <= 0 || shift < 0 || shift > n - 1 || data == nullptr) return;
  // The descending element copy the routine stands for is an overlapping move
  // up by `shift`; the first `shift` elements stay and so appear twice.
  std::memmove(data + shift, data, static_cast<size_t>(n - shift) * sizeof(float));
}

}  // namespace vandrel
