#include "BufferStorage.h"

#include <new>

#include "vandrel/platform/Dialogs.h"
#include "vandrel/platform/Exceptions.h"

namespace vandrel::detail {

std::unique_ptr<float[]> AllocateSamples(int32_t Length) {
  const size_t count = static_cast<size_t>(Length) + 1;
  try {
    // Value-initialised: every element, the spare included, reads 0.
    return std::unique_ptr<float[]>(new float[count]());
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory();
  }
}

bool CheckBufferIndex(int32_t Length, int32_t Index, bool ReportUndefinedLength) {
  const char* msg = nullptr;
  if (ReportUndefinedLength && Length == 0)
    msg = "Length of time signal not defined!";
  else if (Index > Length - 1)
    msg = "TSpectrum: Upper bound overrun!";
  else if (Index < 0)
    msg = "TSpectrum: Lower bound underrun!";
  if (msg == nullptr) return true;
  MessageDlg(msg, mtInformation, mbOKOnly, 0);
  return false;
}

}  // namespace vandrel::detail
