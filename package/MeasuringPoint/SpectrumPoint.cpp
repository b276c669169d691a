#include <cmath>

#include "vandrel/MeasuringPoint.h"

namespace vandrel {

namespace {
constexpr int32_t kLargestRequest = 200000000;
}

const TClassInfo& TSpectrumPoint::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TSpectrumPoint, TMeasuringPoint>("TSpectrumPoint", {});
  return Info;
}

TSpectrumPoint::TSpectrumPoint(TComponent* AOwner) : TMeasuringPoint(AOwner) {
  FSpectrum = std::make_unique<TSpectrum>();
  FTimeSignal = std::make_unique<TTImeSignal>();
}

TSpectrumPoint::~TSpectrumPoint() {
  FSpectrum.reset();
  FTimeSignal.reset();
}

void TSpectrumPoint::SetSampleTime(float Value) {
  FSampleTime = Value;
  if (CanRetime()) ApplyTimingChanges();
}

void TSpectrumPoint::SetLength(int32_t Value) {
  // The request's base-2 logarithm decides the power of two; 0 and negative
  // requests have none.
  if (Value == 0) throw EZeroDivide();
  if (Value < 0) throw EInvalidOp();
  if (Value > kLargestRequest) Value = kLargestRequest;
  int k = static_cast<int>(std::lround(std::log2(static_cast<double>(Value))));
  if (static_cast<double>(Value) > std::ldexp(1.0, k)) ++k;
  FLength = int32_t{1} << k;
  if (CanRetime()) ApplyTimingChanges();
}

void TSpectrumPoint::ApplyTimingChanges() {
  TTImeSignal& ts = *FTimeSignal;
  ts.SetLength(FLength);
  FSpectrum->SetLength(static_cast<int32_t>(FLength / 2.0 + 0.1));
  SetTimeAxis();
  FSpectrum->SetMinX(0);
  FSpectrum->SetMaxX(static_cast<float>(static_cast<double>(ts.Length()) / 2 / ts.MaxX()));
}

}  // namespace vandrel
