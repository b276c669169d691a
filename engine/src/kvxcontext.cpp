// Per-thread engine contexts. The platform gives a library no per-thread
// attach notification, so a context is created on a thread's first engine
// call (and for the loading thread when the library is loaded); a key
// destructor releases it when the thread ends.
#include <pthread.h>

#include <cstdlib>

#include "dsp/kvxos.h"
#include "kvxframe.h"

namespace {

pthread_key_t gSlot;
bool gSlotValid = false;  // the slot index is "none" until the load allocates it

constexpr const char* kNoContextText =
    "DSP* Library. Problem to allocate memory for TLS KVX context.";

EngineContext* NewContext() {
  auto* ctx = static_cast<EngineContext*>(std::calloc(1, sizeof(EngineContext)));
  if (ctx) {
    ctx->status = StatusNoError;
    ctx->errorMode = KVX_ErrorModeLeaf;
    ctx->reportHandler = &kvxBoxReport;
  }
  return ctx;
}

void ReleaseTables(void** slots) {
  for (int i = 0; i < kvxTableSlots; ++i) {
    kvxAlignedFree(slots[i]);
    slots[i] = nullptr;
  }
}

// Tables cached by a departing thread can never be reached again, so they go
// with the context.
void ReleaseContext(void* p) {
  auto* ctx = static_cast<EngineContext*>(p);
  if (!ctx) return;
  ReleaseTables(ctx->bitReverseTables);
  ReleaseTables(ctx->radixTwiddleTables);
  ReleaseTables(ctx->wideTwiddleTables);
  ReleaseTables(ctx->realTwiddleTables);
  kvxAlignedFree(ctx->scratch);
  std::free(ctx);
}

__attribute__((constructor)) void ProcessAttach() {
  if (pthread_key_create(&gSlot, &ReleaseContext) != 0) return;
  gSlotValid = true;
  if (EngineContext* ctx = NewContext()) pthread_setspecific(gSlot, ctx);
}

// Deleting the key keeps its destructor from running in threads that outlive
// the library; their contexts are not reachable any more.
__attribute__((destructor)) void ProcessDetach() {
  if (!gSlotValid) return;
  ReleaseContext(pthread_getspecific(gSlot));
  pthread_setspecific(gSlot, nullptr);
  pthread_key_delete(gSlot);
  gSlotValid = false;
}

}  // namespace

EngineContext* kvxContext() {
  if (!gSlotValid) kvxOsFatalExit(kNoContextText);
  auto* ctx = static_cast<EngineContext*>(pthread_getspecific(gSlot));
  if (ctx) return ctx;
  ctx = NewContext();
  if (!ctx || pthread_setspecific(gSlot, ctx) != 0) kvxOsFatalExit(kNoContextText);
  return ctx;
}

void* kvxScratch(size_t bytes) {
  EngineContext* ctx = kvxContext();
  if (ctx->scratchBytes >= bytes) return ctx->scratch;
  void* block = kvxAlignedAlloc(bytes);
  if (!block) return nullptr;
  kvxAlignedFree(ctx->scratch);
  ctx->scratch = block;
  ctx->scratchBytes = bytes;
  return block;
}
