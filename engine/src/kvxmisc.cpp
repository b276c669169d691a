// Choice of the processor build, made once per process.
#include <atomic>

#include "kvxarith.h"

namespace {

const KvxKernels* const kBuilds[kvxBuildCount] = {&kvxGenericKernels, &kvxAvx2Kernels,
                                                  &kvxAvx512Kernels};

// __builtin_cpu_supports also checks that the operating system saves the
// wider registers.
int BestBuild() {
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512f")) return kvxBuildAvx512;
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) return kvxBuildAvx2;
  return kvxBuildGeneric;
}

std::atomic<const KvxKernels*>& Current() {
  static std::atomic<const KvxKernels*> current{kBuilds[BestBuild()]};
  return current;
}

}  // namespace

const KvxKernels& kvxKernels() {
  return *Current().load(std::memory_order_relaxed);
}

bool kvxBuildSupported(int b) {
  if (b < 0 || b >= kvxBuildCount) return false;
  return b <= BestBuild();
}

bool kvxForceBuild(int b) {
  if (!kvxBuildSupported(b)) return false;
  Current().store(kBuilds[b], std::memory_order_relaxed);
  return true;
}

const char* kvxBuildName() {
  return kvxKernels().name;
}
