// The measurement data model: the signal buffers TTImeSignal and TSpectrum,
// and the measuring points that own them and keep their time and frequency
// axes.
//
// Conventions: samples and axis values are 32-bit floats; every value array
// holds Length() + 1 elements (the last is a spare outside the valid index
// range) so that one-based transforms can run over it. A point's SampleTime is
// the time span of the whole signal, not the sampling interval.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "vandrel/platform/Component.h"

namespace vandrel {

// Which spectrum array the indexed accessors of TSpectrum read and write.
enum TDataArray { taAmplt, taPhase };

// A sampled time signal with its time axis. Bulk writers use Data() and the
// field writers directly; the bounds-checked Value/SetValue are for hosts.
class TTImeSignal {
 public:
  TTImeSignal() = default;  // Create: empty, Length 0, no storage
  TTImeSignal(const TTImeSignal&) = delete;
  TTImeSignal& operator=(const TTImeSignal&) = delete;
  ~TTImeSignal() = default;  // Destroy

  int32_t Length() const { return FLength; }
  float SampleFrequency() const { return FSampleFrequency; }
  float SampleLength() const { return FSampleLength; }
  float MinX() const { return FMinX; }
  float MaxX() const { return FMaxX; }
  float MaxValue() const { return FMaxValue; }
  float MinValue() const { return FMinValue; }
  // The samples, Length() + 1 elements; null until the first length change.
  // Fetch again after any length change.
  float* Data() { return FData.get(); }
  const float* Data() const { return FData.get(); }

  // Resizes when Value differs from Length(): new storage of Value + 1 zeroed
  // elements, SampleFrequency follows. A negative Value is taken as 0. When the
  // allocation fails the buffer is left empty (Length 0, no storage) and
  // EOutOfMemory propagates.
  void SetLength(int32_t Value);
  // Value > 0 sets SampleLength and SampleFrequency = Length / Value; other
  // values change nothing.
  void SetSampleLength(float Value);
  void SetMinX(float Value) { FMinX = Value; }
  void SetMaxX(float Value) { FMaxX = Value; }

  // Plain field writers for the components that fill and scan the buffer.
  void AssignSampleLength(float Value) { FSampleLength = Value; }
  void SetSampleFrequency(float Value) { FSampleFrequency = Value; }
  void SetMaxValue(float Value) { FMaxValue = Value; }
  void SetMinValue(float Value) { FMinValue = Value; }

  // Bounds-checked access to sample Index. A failed check shows its message
  // through MessageDlg; Value then returns 0 and SetValue stores nothing.
  float Value(int32_t Index) const;
  void SetValue(int32_t Index, float AValue);

 private:
  bool CheckIndex(int32_t Index) const;

  int32_t FLength = 0;
  float FSampleFrequency = 0;
  float FSampleLength = 0;
  float FMinX = 0;
  float FMaxX = 0;
  std::unique_ptr<float[]> FData;
  float FMaxValue = 0;
  float FMinValue = 0;
};

// A spectrum: amplitude and phase (degrees) per line, with its frequency axis.
// Line k lies at k * MaxX / Length.
class TSpectrum {
 public:
  TSpectrum() = default;
  TSpectrum(const TSpectrum&) = delete;
  TSpectrum& operator=(const TSpectrum&) = delete;
  ~TSpectrum() = default;

  int32_t Length() const { return FLength; }
  TDataArray DataArray() const { return FDataArray; }
  float MinX() const { return FMinX; }
  float MaxX() const { return FMaxX; }
  float MaxValue() const { return FMaxValue; }
  float MinValue() const { return FMinValue; }
  // Length() + 1 elements each; null until the first length change.
  float* Amplt() { return FAmplt.get(); }
  const float* Amplt() const { return FAmplt.get(); }
  float* Phase() { return FPhase.get(); }
  const float* Phase() const { return FPhase.get(); }

  // Resizes both arrays when Value differs from Length(). New arrays read 0
  // until an analysis writes them. Negative values and failed allocations as
  // for TTImeSignal::SetLength.
  void SetLength(int32_t Value);
  void SetDataArray(TDataArray Value) { FDataArray = Value; }
  void SetMinX(float Value) { FMinX = Value; }
  void SetMaxX(float Value) { FMaxX = Value; }
  void SetMaxValue(float Value) { FMaxValue = Value; }
  void SetMinValue(float Value) { FMinValue = Value; }

  // Bounds-checked access to line Index of the array DataArray() selects.
  float Value(int32_t Index) const;
  void SetValue(int32_t Index, float AValue);

 private:
  bool CheckIndex(int32_t Index) const;

  int32_t FLength = 0;
  TDataArray FDataArray = taAmplt;
  float FMinX = 0;
  float FMaxX = 0;
  float FMaxValue = 0;
  float FMinValue = 0;
  std::unique_ptr<float[]> FAmplt;
  std::unique_ptr<float[]> FPhase;
};

// One sensor channel: a time signal with its length, time span and unit.
// Abstract: create a TSpectrumPoint or a TTimePoint.
class TMeasuringPoint : public TComponent {
  VANDREL_CLASS_INFO()

 public:
  ~TMeasuringPoint() override;

  int32_t Length() const { return FLength; }
  float SampleTime() const { return FSampleTime; }
  const std::string& SensorUnits() const { return FSensorUnits; }
  bool Active() const { return FActive; }
  bool Dirty() const { return FDirty; }
  // The owned buffers; never null for the kinds that have them (a time point
  // has no spectrum and answers null).
  TSpectrum* Spectrum() const { return FSpectrum.get(); }
  TTImeSignal* TimeSignal() const { return FTimeSignal.get(); }

  // Stores SampleTime, then re-times when Length > 0 and SampleTime > 0.
  virtual void SetSampleTime(float Value) = 0;
  virtual void SetLength(int32_t Value) = 0;
  // Brings the owned buffers in line with Length and SampleTime.
  virtual void ApplyTimingChanges() = 0;

  void SetSensorUnits(const std::string& Value) { FSensorUnits = Value; }
  void SetActive(bool Value) { FActive = Value; }
  void SetDirty(bool Value) { FDirty = Value; }

 protected:
  explicit TMeasuringPoint(TComponent* AOwner);
  bool CanRetime() const { return FLength > 0 && FSampleTime > 0; }
  // The time-axis steps of the timing update shared by both kinds: the time
  // signal's axis runs 0 .. SampleTime, its sample frequency is Length / SampleTime.
  void SetTimeAxis();

  int32_t FLength = 0;
  float FSampleTime = 0;
  std::string FSensorUnits;
  bool FActive = true;
  bool FDirty = false;
  std::unique_ptr<TSpectrum> FSpectrum;
  std::unique_ptr<TTImeSignal> FTimeSignal;
};

// A measuring point with a time signal and its spectrum. Lengths are powers
// of two; the spectrum has Length / 2 lines from 0 to Length / (2 SampleTime).
class TSpectrumPoint : public TMeasuringPoint {
  VANDREL_CLASS_INFO()

 public:
  explicit TSpectrumPoint(TComponent* AOwner = nullptr);
  ~TSpectrumPoint() override;

  void SetSampleTime(float Value) override;
  // Rounds the request up to a power of two (requests above 200000000 are
  // taken as 200000000). A request of 0 or less raises EZeroDivide (0) or
  // EInvalidOp (negative) and changes nothing.
  void SetLength(int32_t Value) override;
  void ApplyTimingChanges() override;
};

// A measuring point with a time signal only; lengths are kept as given.
class TTimePoint : public TMeasuringPoint {
  VANDREL_CLASS_INFO()

 public:
  explicit TTimePoint(TComponent* AOwner = nullptr);
  ~TTimePoint() override;

  void SetSampleTime(float Value) override;
  void SetLength(int32_t Value) override;
  void ApplyTimingChanges() override;
};

}  // namespace vandrel

namespace vandrel::MeasuringPoint {
// Puts TSpectrumPoint on the palette page "DSP" (run when a host installs the package).
void Register();
}  // namespace vandrel::MeasuringPoint
