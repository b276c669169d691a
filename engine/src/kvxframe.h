// The engine's frame: the per-thread context, status and error reporting,
// aligned allocation. Internal to the engine; nothing here is exported.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dsp/kvx.h"

// Error modes of the report box.
enum KvxErrorMode {
  KVX_ErrorModeLeaf = 0,    // Yes/No box, Yes terminates
  KVX_ErrorModeParent = 1,  // OK/Cancel box, Cancel terminates
  KVX_ErrorModeQuiet = 2    // no box
};

typedef int32_t (*KvxReportHandler)(KvxStatus status, const char* functionName, const char* message,
                                    const char* sourceName, int32_t line);

constexpr int kvxTableSlots = 32;

// One per thread, created on the thread's first engine call and released when
// the thread ends.
struct EngineContext {
  KvxStatus status;
  int32_t errorMode;
  KvxReportHandler reportHandler;
  // Caches of the real FFT, one slot per order index; each slot empty or
  // owning one kvxAlignedAlloc block.
  void* bitReverseTables[kvxTableSlots];
  void* radixTwiddleTables[kvxTableSlots];
  void* wideTwiddleTables[kvxTableSlots];
  void* realTwiddleTables[kvxTableSlots];
  // Work memory of the block kernels (kvxAlignedAlloc), grown on demand and
  // released with the context.
  void* scratch;
  size_t scratchBytes;
};

// The calling thread's context, created on first use. Ends the process through
// the fatal exit when no memory is left for it.
EngineContext* kvxContext();

// Stores status (except the pass-on codes -1 and -8) and, unless it is 0,
// reports through the thread's handler; returns the handler's answer, or 0.
int32_t kvxRaise(KvxStatus status, const char* functionName, const char* message,
                 const char* sourceName, int32_t line);

const char* kvxStatusText(int32_t status);

// The default report handler: formats the report and shows the box chosen by
// the error mode; the user's answer decides between ending the process and
// returning status.
int32_t kvxBoxReport(KvxStatus status, const char* functionName, const char* message,
                     const char* sourceName, int32_t line);

KvxStatus kvxStatusGet();
void kvxStatusSet(KvxStatus status);
int32_t kvxErrModeGet();
void kvxErrModeSet(int32_t mode);
// Installs handler (null: kvxBoxReport) and returns the previous one.
KvxReportHandler kvxHandlerSet(KvxReportHandler handler);

// Aligned blocks from the standard heap, 64-byte aligned (vector loads), with
// the raw address stored in the word in front of the block. Sizes in 8-byte
// elements, 4-byte elements, or bytes. Null on failure or size overflow.
constexpr size_t kvxAlignment = 64;
void* kvxAlignedAlloc8(size_t count);
void* kvxAlignedAlloc4(size_t count);
void* kvxAlignedAlloc(size_t bytes);
// Ignores null.
void kvxAlignedFree(void* block);

// Work memory of at least bytes in the thread's context, or null when it
// cannot be had (callers then take a path that needs none).
void* kvxScratch(size_t bytes);
