#include "vandrel/MeasuringPoint.h"

namespace vandrel {

const TClassInfo& TMeasuringPoint::StaticClassInfo() {
  using C = TMeasuringPoint;
  static const TClassInfo Info = MakeClassInfo<C, TComponent>(
      "TMeasuringPoint",
      {
          Property("SensorUnits", &C::SensorUnits, &C::SetSensorUnits),
          Property("Length", &C::Length, &C::SetLength, std::optional<int32_t>(0)),
          Property("SampleTime", &C::SampleTime, &C::SetSampleTime),
          Property("Active", &C::Active, &C::SetActive),
          Property("Dirty", &C::Dirty, &C::SetDirty),
      });
  return Info;
}

TMeasuringPoint::TMeasuringPoint(TComponent* AOwner) : TComponent(AOwner) {}

TMeasuringPoint::~TMeasuringPoint() = default;

void TMeasuringPoint::SetTimeAxis() {
  TTImeSignal& ts = *FTimeSignal;
  ts.SetMinX(0);
  ts.SetMaxX(FSampleTime);
  ts.AssignSampleLength(ts.MaxX() - ts.MinX());
  ts.SetSampleFrequency(static_cast<float>(static_cast<double>(ts.Length()) / FSampleTime));
}

}  // namespace vandrel
