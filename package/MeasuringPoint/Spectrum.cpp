#include "BufferStorage.h"
#include "vandrel/MeasuringPoint.h"

namespace vandrel {

void TSpectrum::SetLength(int32_t Value) {
  if (Value < 0) Value = 0;
  if (Value == FLength) return;
  FAmplt.reset();
  FPhase.reset();
  FLength = 0;
  // The arrays' contents are not defined by the system until an analysis
  // writes them; they are zeroed so that no reader sees stale memory.
  auto amplt = detail::AllocateSamples(Value);
  auto phase = detail::AllocateSamples(Value);
  FAmplt = std::move(amplt);
  FPhase = std::move(phase);
  FLength = Value;
}

bool TSpectrum::CheckIndex(int32_t Index) const {
  return detail::CheckBufferIndex(FLength, Index, /*ReportUndefinedLength=*/false);
}

float TSpectrum::Value(int32_t Index) const {
  if (!CheckIndex(Index)) return 0.0f;
  return FDataArray == taPhase ? FPhase[Index] : FAmplt[Index];
}

void TSpectrum::SetValue(int32_t Index, float AValue) {
  if (!CheckIndex(Index)) return;
  (FDataArray == taPhase ? FPhase : FAmplt)[Index] = AValue;
}

}  // namespace vandrel
