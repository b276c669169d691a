#include "BufferStorage.h"
#include "vandrel/MeasuringPoint.h"

namespace vandrel {

void TTImeSignal::SetLength(int32_t Value) {
  if (Value < 0) Value = 0;
  if (Value == FLength) return;
  FData.reset();
  FLength = 0;
  FData = detail::AllocateSamples(Value);  // zeroed, spare included
  FLength = Value;
  SetSampleLength(FSampleLength);
}

void TTImeSignal::SetSampleLength(float Value) {
  if (Value > 0) {
    FSampleFrequency = static_cast<float>(static_cast<double>(FLength) / Value);
    FSampleLength = Value;
  }
}

bool TTImeSignal::CheckIndex(int32_t Index) const {
  return detail::CheckBufferIndex(FLength, Index, /*ReportUndefinedLength=*/true);
}

float TTImeSignal::Value(int32_t Index) const {
  return CheckIndex(Index) ? FData[Index] : 0.0f;
}

void TTImeSignal::SetValue(int32_t Index, float AValue) {
  if (CheckIndex(Index)) FData[Index] = AValue;
}

}  // namespace vandrel
