// The spectrum analysis: turns a spectrum point's time signal into its
// amplitude and phase spectrum, windowed, scaled, optionally averaged over
// runs and expressed in decibels.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "vandrel/MeasuringPoint.h"
#include "vandrel/SignalAnalysis/Analysis.h"
#include "vandrel/SignalAnalysis/Types.h"

namespace vandrel {

class TAmpltAnalysis : public TAnalysis {
  VANDREL_CLASS_INFO()

 public:
  // Defaults: atNormal, DCDump false, ltAbsolute, linear, ls120, ScaleFactor 1,
  // wtRectangular, avNone, ExponentialDecay 5, no point; Dirty true.
  explicit TAmpltAnalysis(TComponent* AOwner = nullptr);
  ~TAmpltAnalysis() override;

  TSpectrumType SpectrumType() const { return FSpectrumType; }
  bool DCDump() const { return FDCDump; }
  TLogType LogType() const { return FLogType; }
  bool Logarithmic() const { return FLogarithmic; }
  TLogDBSpan LogDBSpan() const { return FLogDBSpan; }
  float ScaleFactor() const { return FScaleFactor; }
  TTimeWindow Window() const { return FWindow; }
  TAveraging Averaging() const { return FAveraging; }
  int32_t ExponentialDecay() const { return FExponentialDecay; }
  uint32_t AveragedSpectrum() const { return FAveragedSpectrum; }
  TSpectrumPoint* MPoint() const { return FMPoint; }
  bool AutoCalculate() const { return FAutoCalculate; }
  // The decibel range that LogDBSpan stands for: 60, 90, 120 or 150.
  int32_t DBSpan() const { return FDBSpan; }

  // Each setter but SetAutoCalculate raises Dirty.
  void SetMPoint(TSpectrumPoint* Value);
  void SetTimeWindow(TTimeWindow Value);
  void SetSpectrumType(TSpectrumType Value);
  void SetDCDump(bool Value);
  void SetLogarithmic(bool Value);
  void SetLogType(TLogType Value);
  void SetLogDBSpan(TLogDBSpan Value);
  void SetScaleFactor(float Value);
  void SetAveraging(TAveraging Value);
  // Values below 1 are stored as 1.
  void SetExpDecay(int32_t Value);
  // 0 restarts the average with the next run.
  void SetAveragedSpectrum(uint32_t Value);
  void SetAutoCalculate(bool Value) { FAutoCalculate = Value; }

  // One run: writes the point's spectrum and the value ranges of its time
  // signal and spectrum. Raises EMathError when the decibel conversion meets a
  // value without a logarithm, EOutOfMemory when a work buffer cannot be had.
  void AnalyzeData() override;

  // Complex FFT of NN points (Data[1 .. 2 NN], one-based, interleaved re/im)
  // and real FFT of 2 NN samples (Data[1 .. 2 NN], packed result), in place;
  // ISign 1 forward, -1 inverse (unscaled). NN must be a power of two and Data
  // hold 2 NN + 1 elements; otherwise EInvalidOp is raised and Data is untouched.
  void ComplexFFT(int NN, float* Data, int ISign);
  void RealFFT(int NN, float* Data, int ISign);

 private:
  TSpectrumType FSpectrumType = atNormal;
  bool FDCDump = false;
  TLogType FLogType = ltAbsolute;
  bool FLogarithmic = false;
  TLogDBSpan FLogDBSpan = ls120;
  float FScaleFactor = 1.0f;
  TTimeWindow FWindow = wtRectangular;
  TAveraging FAveraging = avNone;
  int32_t FExponentialDecay = 5;
  uint32_t FAveragedSpectrum = 0;
  TSpectrumPoint* FMPoint = nullptr;
  bool FAutoCalculate = true;
  TSpectrum* FSpectrum = nullptr;
  int32_t FDBSpan = 120;
  // The running average's amplitudes before ScaleFactor and the RMS/power
  // conversion, so that those are applied once to the average rather than
  // compounded run after run. Empty when no average is under way.
  std::vector<float> FAverage;
};

// The spectrum analysis as placed on a form: publishes the settings.
class TFFTAnalysis : public TAmpltAnalysis {
  VANDREL_CLASS_INFO()

 public:
  explicit TFFTAnalysis(TComponent* AOwner = nullptr) : TAmpltAnalysis(AOwner) {}
};

}  // namespace vandrel
