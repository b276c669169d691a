// Aligned blocks. The raw heap address sits in the word just in front of the
// handed-out block, so that kvxAlignedFree needs nothing but the block.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "kvxframe.h"

namespace {
constexpr size_t kExtra = kvxAlignment - 1 + sizeof(void*);
}

void* kvxAlignedAlloc(size_t bytes) {
  if (bytes > SIZE_MAX - kExtra) return nullptr;
  void* raw = std::malloc(bytes + kExtra);
  if (!raw) return nullptr;
  uintptr_t start = (reinterpret_cast<uintptr_t>(raw) + kExtra) & ~uintptr_t{kvxAlignment - 1};
  void* block = reinterpret_cast<void*>(start);
  std::memcpy(static_cast<char*>(block) - sizeof(void*), &raw, sizeof(void*));
  return block;
}

void* kvxAlignedAlloc4(size_t count) {
  if (count > SIZE_MAX / 4) return nullptr;
  return kvxAlignedAlloc(count * 4);
}

void* kvxAlignedAlloc8(size_t count) {
  if (count > SIZE_MAX / 8) return nullptr;
  return kvxAlignedAlloc(count * 8);
}

void kvxAlignedFree(void* block) {
  if (!block) return;
  void* raw;
  std::memcpy(&raw, static_cast<char*>(block) - sizeof(void*), sizeof(void*));
  std::free(raw);
}
