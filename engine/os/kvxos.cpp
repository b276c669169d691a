// Operating-system services of the engine. The handlers are process-wide and
// swapped atomically so that a host may install its box while other threads
// report.
#include "dsp/kvxos.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

int DefaultMessageBox(const char* text, const char* caption, unsigned style) {
  std::fprintf(stderr, "%s\n%s\n", caption ? caption : "", text ? text : "");
  std::fflush(stderr);
  // No one is there to answer: take the button that lets the caller go on.
  return (style & 0x000F) == KVXOS_MB_YESNO ? KVXOS_IDNO : KVXOS_IDOK;
}

int DefaultPlatformId() {
  return KVXOS_PLATFORM_CURRENT;
}

std::atomic<KvxOsMessageBoxFn> gMessageBox{&DefaultMessageBox};
std::atomic<KvxOsPlatformIdFn> gPlatformId{&DefaultPlatformId};

}  // namespace

extern "C" {

int kvxOsMessageBox(const char* text, const char* caption, unsigned style) {
  return gMessageBox.load()(text, caption, style);
}

KvxOsMessageBoxFn kvxOsSetMessageBox(KvxOsMessageBoxFn handler) {
  return gMessageBox.exchange(handler ? handler : &DefaultMessageBox);
}

void kvxOsFatalExit(const char* text) {
  std::fprintf(stderr, "%s\n", text ? text : "");
  std::fflush(stderr);
  std::_Exit(3);
}

int kvxOsPlatformId(void) {
  return gPlatformId.load()();
}

KvxOsPlatformIdFn kvxOsSetPlatformId(KvxOsPlatformIdFn query) {
  return gPlatformId.exchange(query ? query : &DefaultPlatformId);
}

}  // extern "C"
