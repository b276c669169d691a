// Enumerations of the analysis unit. Their ordinals are stored in forms and
// passed to the Dsp routines as codes, so the order of the values is fixed.
#pragma once

#include <string>
#include <vector>

namespace vandrel {

// Time windows (window codes of WindowSignal and WindowScale).
enum TTimeWindow {
  wtRectangular,
  wtHanning,
  wtHamming,
  wtFlatTop,
  wtBartlet,
  wtBlackman,
  wtExponent
};

// What the spectrum's amplitudes are converted to.
enum TSpectrumType { atNormal, atRMS, atPower, atReal, atImaginary, atPhase };

// Reference of the decibel scale: the strongest line (absolute: it reads
// 0 dB) or the value 1 (relative).
enum TLogType { ltAbsolute, ltRelative };

// Decibel range below the reference.
enum TLogDBSpan { ls60, ls90, ls120, ls150 };

enum TAveraging { avNone, avInfiniteLinear, avInfiniteExponential };

// The value names by ordinal, as forms and the host program spell them.
const std::vector<std::string>& TimeWindowNames();
const std::vector<std::string>& SpectrumTypeNames();
const std::vector<std::string>& LogTypeNames();
const std::vector<std::string>& LogDBSpanNames();
const std::vector<std::string>& AveragingNames();

}  // namespace vandrel
