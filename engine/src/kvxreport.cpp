// Status, error modes and the default report box.
#include <cstdio>
#include <cstdlib>

#include "dsp/kvxos.h"
#include "kvxframe.h"

KvxStatus kvxStatusGet() {
  return kvxContext()->status;
}
void kvxStatusSet(KvxStatus status) {
  kvxContext()->status = status;
}
int32_t kvxErrModeGet() {
  return kvxContext()->errorMode;
}
void kvxErrModeSet(int32_t mode) {
  kvxContext()->errorMode = mode;
}

KvxReportHandler kvxHandlerSet(KvxReportHandler handler) {
  EngineContext* ctx = kvxContext();
  KvxReportHandler previous = ctx->reportHandler;
  ctx->reportHandler = handler ? handler : &kvxBoxReport;
  return previous;
}

const char* kvxStatusText(int32_t status) {
  switch (status) {
    case StatusNoError:
      return "No Error";
    case StatusBacktrace:
      return "Backtrace";
    case StatusBadState:
      return "Internal error (bad state)";
    case StatusOutOfMemory:
      return "Out of memory";
    case StatusBadArgument:
      return "Bad argument";
    case StatusUnsupported:
      return "Unsupported function";
    case StatusNoConvergence:
      return "Iteration convergence failed";
    case StatusAutotrace:
      return "Autotrace call";
    default:
      return "Unknown error or status code";
  }
}

int32_t kvxRaise(KvxStatus status, const char* functionName, const char* message,
                 const char* sourceName, int32_t line) {
  EngineContext* ctx = kvxContext();
  // -1 and -8 pass on a report from a called operation: the stored status
  // stays that operation's.
  if (status != StatusBacktrace && status != StatusAutotrace) ctx->status = status;
  if (status == StatusNoError) return 0;
  return ctx->reportHandler(status, functionName, message, sourceName, line);
}

namespace {

[[noreturn]] void Terminate() {
  constexpr const char* kText = "ZEL Library:\nterminating the application";
  if (kvxOsPlatformId() == KVXOS_PLATFORM_LEGACY) {
    kvxOsMessageBox(kText, "Win32S: Application exit", KVXOS_MB_OK | KVXOS_MB_SYSTEMMODAL);
    std::exit(1);
  }
  kvxOsFatalExit(kText);
}

}  // namespace

int32_t kvxBoxReport(KvxStatus status, const char* functionName, const char* message,
                     const char* sourceName, int32_t line) {
  const int32_t mode = kvxErrModeGet();
  if (mode == KVX_ErrorModeQuiet) return status;
  if (!functionName) functionName = "<unknown>";
  if (!message) message = "";
  if (!sourceName) sourceName = "";
  if (line < 0) line = 0;

  const char* suffix = mode == KVX_ErrorModeParent
                           ? "\n\nErrMode=KVX_ErrorModeParent\n\nContinue?"
                           : "\n\nErrMode=KVX_ErrorModeLeaf\n\nTerminate the application?";
  const char* format = status == StatusBacktrace   ? "called from [%s:%d]:%s():\n %s%s"
                       : status == StatusAutotrace ? "called from [%s:%d]:\n %s(%s)%s"
                                                   : "in function [%s:%d]:%s():\n %s%s";
  // At most 199 and 99 characters; longer texts are cut.
  char text[200];
  char caption[100];
  std::snprintf(text, sizeof text, format, sourceName, static_cast<int>(line), functionName,
                message, suffix);
  std::snprintf(caption, sizeof caption, "ZEL Library Error: %s", kvxStatusText(kvxStatusGet()));

  if (mode == KVX_ErrorModeParent) {
    if (kvxOsMessageBox(text, caption, KVXOS_MB_OKCANCEL | KVXOS_MB_SYSTEMMODAL) == KVXOS_IDCANCEL)
      Terminate();
  } else {
    if (kvxOsMessageBox(text, caption, KVXOS_MB_YESNO | KVXOS_MB_SYSTEMMODAL) == KVXOS_IDYES)
      Terminate();
  }
  return status;
}
