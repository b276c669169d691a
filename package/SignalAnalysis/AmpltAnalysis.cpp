#include "vandrel/SignalAnalysis/AmpltAnalysis.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "vandrel/Dsp.h"

namespace vandrel {

namespace {

// Storage that an analysis run allocates and releases; a failed allocation
// surfaces as EOutOfMemory before anything of the point has been touched.
std::unique_ptr<float[]> WorkBuffer(size_t count) {
  try {
    return std::unique_ptr<float[]>(new float[count]);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory();
  }
}

bool IsPowerOfTwo(int32_t n) { return n > 0 && (n & (n - 1)) == 0; }

}  // namespace

const TClassInfo& TAmpltAnalysis::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TAmpltAnalysis, TAnalysis>("TAmpltAnalysis", {});
  return Info;
}

const TClassInfo& TFFTAnalysis::StaticClassInfo() {
  using C = TFFTAnalysis;
  static const TClassInfo Info = MakeClassInfo<C, TAmpltAnalysis>(
      "TFFTAnalysis",
      {
          Property("MPoint", &C::MPoint, &C::SetMPoint),
          EnumProperty("Window", &C::Window, &C::SetTimeWindow, TimeWindowNames(),
                       std::optional(wtRectangular)),
          EnumProperty("SpectrumType", &C::SpectrumType, &C::SetSpectrumType, SpectrumTypeNames(),
                       std::optional(atNormal)),
          EnumProperty("LogType", &C::LogType, &C::SetLogType, LogTypeNames(),
                       std::optional(ltAbsolute)),
          Property("Logarithmic", &C::Logarithmic, &C::SetLogarithmic, std::optional(false)),
          EnumProperty("LogDBSpan", &C::LogDBSpan, &C::SetLogDBSpan, LogDBSpanNames(),
                       std::optional(ls120)),
          // Construction sets DCDump false; the storage default agrees, so a
          // stored true loads as true and an unstored value means false.
          Property("DCDump", &C::DCDump, &C::SetDCDump, std::optional(false)),
          Property("ScaleFactor", &C::ScaleFactor, &C::SetScaleFactor),
          EnumProperty("Averaging", &C::Averaging, &C::SetAveraging, AveragingNames(),
                       std::optional(avNone)),
          Property("ExponentialDecay", &C::ExponentialDecay, &C::SetExpDecay,
                   std::optional<int32_t>(5)),
      });
  return Info;
}

TAmpltAnalysis::TAmpltAnalysis(TComponent* AOwner) : TAnalysis(AOwner) {
  SetSpectrumType(atNormal);
  SetDCDump(false);
  SetLogType(ltAbsolute);
  SetLogarithmic(false);
  SetLogDBSpan(ls120);
  SetScaleFactor(1.0f);
  SetTimeWindow(wtRectangular);
  SetAveraging(avNone);
  SetExpDecay(5);
  SetAveragedSpectrum(0);
  SetMPoint(nullptr);
  SetAutoCalculate(true);
}

TAmpltAnalysis::~TAmpltAnalysis() = default;

void TAmpltAnalysis::SetMPoint(TSpectrumPoint* Value) {
  FMPoint = Value;
  FSpectrum = Value != nullptr ? Value->Spectrum() : nullptr;
  FAverage.clear();
  FDirty = true;
}

void TAmpltAnalysis::SetTimeWindow(TTimeWindow Value) {
  FWindow = Value;
  FDirty = true;
}

void TAmpltAnalysis::SetSpectrumType(TSpectrumType Value) {
  FSpectrumType = Value;
  FDirty = true;
}

void TAmpltAnalysis::SetDCDump(bool Value) {
  FDCDump = Value;
  FDirty = true;
}

void TAmpltAnalysis::SetLogarithmic(bool Value) {
  FLogarithmic = Value;
  FDirty = true;
}

void TAmpltAnalysis::SetLogType(TLogType Value) {
  FLogType = Value;
  FDirty = true;
}

void TAmpltAnalysis::SetLogDBSpan(TLogDBSpan Value) {
  static constexpr int32_t spans[] = {60, 90, 120, 150};
  FLogDBSpan = Value;
  FDBSpan = (Value >= ls60 && Value <= ls150) ? spans[Value] : 120;
  FDirty = true;
}

void TAmpltAnalysis::SetScaleFactor(float Value) {
  FScaleFactor = Value;
  FDirty = true;
}

void TAmpltAnalysis::SetAveraging(TAveraging Value) {
  FAveraging = Value;
  FDirty = true;
}

void TAmpltAnalysis::SetExpDecay(int32_t Value) {
  FExponentialDecay = Value < 1 ? 1 : Value;
  FDirty = true;
}

void TAmpltAnalysis::SetAveragedSpectrum(uint32_t Value) {
  FAveragedSpectrum = Value;
  // A count set by the host continues from whatever the point's arrays hold.
  FAverage.clear();
  FDirty = true;
}

void TAmpltAnalysis::AnalyzeData() {
  if (FMPoint == nullptr || !FActive || !FMPoint->Active()) return;
  TTImeSignal& signal = *FMPoint->TimeSignal();
  TSpectrum& spectrum = *FMPoint->Spectrum();
  const int32_t n = signal.Length();
  const int32_t lines = spectrum.Length();
  if (n == 0) return;
  // The transform needs N = 2 L samples with L a power of two; a point of one
  // sample has no lines, and a time signal resized behind the point's back
  // cannot be transformed into its spectrum. Such runs touch nothing.
  if (!IsPowerOfTwo(lines) || n < 2 * lines) return;

  const float* samples = signal.Data();
  const float mean = MeanValue(n, samples);
  auto work = WorkBuffer(static_cast<size_t>(n) + 5);
  float* buffer = work.get();
  CopyDataAll(n, samples, buffer);
  if (FDCDump) RemoveDC(n, mean, buffer);
  WindowSignal(FWindow, n, buffer);
  PrepareFour1Data(n, buffer, buffer);
  FFTReal(buffer, lines, 1);

  float* amplt = spectrum.Amplt();
  float* phase = spectrum.Phase();
  if (FAveraging == avNone) {
    FAveragedSpectrum = 0;
    FAverage.clear();
    ArrangeFour1Data(lines, buffer, amplt, phase);
    AmpltSpectrum(lines, amplt, phase);
    WindowScale(lines, FWindow, amplt);
  } else {
    auto newAmplt = WorkBuffer(static_cast<size_t>(lines) + 1);
    auto newPhase = WorkBuffer(static_cast<size_t>(lines) + 1);
    float* a = newAmplt.get();
    float* p = newPhase.get();
    ArrangeFour1Data(lines, buffer, a, p);
    AmpltSpectrum(lines, a, p);
    WindowScale(lines, FWindow, a);
    const size_t count = static_cast<size_t>(lines);
    if (FAverage.size() != count) {
      // No unscaled average under way (first run, or the count was set by the
      // host): continue from what the point's arrays hold.
      FAverage.assign(amplt, amplt + count);
    }
    if (FAveragedSpectrum == 0) {
      std::memcpy(FAverage.data(), a, count * sizeof(float));
      std::memcpy(phase, p, count * sizeof(float));
    } else {
      const float w = FAveraging == avInfiniteLinear
                          ? static_cast<float>(FAveragedSpectrum + 1.0)
                          : static_cast<float>(FExponentialDecay);
      const double keep = static_cast<double>(w) - 1;
      float* avg = FAverage.data();
      for (size_t i = 0; i < count; ++i) {
        avg[i] = static_cast<float>((keep * avg[i] + a[i]) / w);
        phase[i] = static_cast<float>((keep * phase[i] + p[i]) / w);
      }
    }
    std::memcpy(amplt, FAverage.data(), count * sizeof(float));
    ++FAveragedSpectrum;
  }

  Scale(lines, FScaleFactor, amplt);
  if (FSpectrumType == atRMS)
    AmpltToRms(lines, amplt);
  else if (FSpectrumType == atPower)
    AmpltToPower(lines, amplt);
  work.reset();

  float value = 0;
  FindMaxA(n, samples, value);
  signal.SetMaxValue(value);
  FindMinA(n, samples, value);
  signal.SetMinValue(value);
  FindMaxA(lines, amplt, value);
  spectrum.SetMaxValue(value);
  FindMinA(lines, amplt, value);
  spectrum.SetMinValue(value);

  if (FLogarithmic) {
    if (FAveraging != avNone) return;  // averages stay linear; Dirty stays up
    SpectrumToDB(lines, amplt, static_cast<float>(FDBSpan), spectrum.MaxValue(),
                 static_cast<uint8_t>(FLogType));
    FindMaxA(lines, amplt, value);
    spectrum.SetMaxValue(value);
    FindMinA(lines, amplt, value);
    spectrum.SetMinValue(value);
  }
  FDirty = false;
}

void TAmpltAnalysis::ComplexFFT(int NN, float* Data, int ISign) {
  if (Data == nullptr || !IsPowerOfTwo(NN)) throw EInvalidOp();
  Four1(Data, NN, ISign);
}

void TAmpltAnalysis::RealFFT(int NN, float* Data, int ISign) {
  if (Data == nullptr || !IsPowerOfTwo(NN)) throw EInvalidOp();
  FFTReal(Data, NN, ISign);
}

}  // namespace vandrel
