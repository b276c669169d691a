#include "vandrel/MeasuringPoint.h"

namespace vandrel {

const TClassInfo& TTimePoint::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TTimePoint, TMeasuringPoint>("TTimePoint", {});
  return Info;
}

TTimePoint::TTimePoint(TComponent* AOwner) : TMeasuringPoint(AOwner) {
  FTimeSignal = std::make_unique<TTImeSignal>();
}

TTimePoint::~TTimePoint() { FTimeSignal.reset(); }

void TTimePoint::SetSampleTime(float Value) {
  FSampleTime = Value;
  if (CanRetime()) ApplyTimingChanges();
}

void TTimePoint::SetLength(int32_t Value) {
  FLength = Value;
  if (CanRetime()) ApplyTimingChanges();
}

void TTimePoint::ApplyTimingChanges() {
  FTimeSignal->SetLength(FLength);
  SetTimeAxis();
}

}  // namespace vandrel
