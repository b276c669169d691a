#include "vandrel/SignalAnalysis/Types.h"

namespace vandrel {

const std::vector<std::string>& TimeWindowNames() {
  static const std::vector<std::string> names{"wtRectangular", "wtHanning", "wtHamming",
                                              "wtFlatTop",     "wtBartlet", "wtBlackman",
                                              "wtExponent"};
  return names;
}

const std::vector<std::string>& SpectrumTypeNames() {
  static const std::vector<std::string> names{"atNormal", "atRMS",       "atPower",
                                              "atReal",   "atImaginary", "atPhase"};
  return names;
}

const std::vector<std::string>& LogTypeNames() {
  static const std::vector<std::string> names{"ltAbsolute", "ltRelative"};
  return names;
}

const std::vector<std::string>& LogDBSpanNames() {
  static const std::vector<std::string> names{"ls60", "ls90", "ls120", "ls150"};
  return names;
}

const std::vector<std::string>& AveragingNames() {
  static const std::vector<std::string> names{"avNone", "avInfiniteLinear",
                                              "avInfiniteExponential"};
  return names;
}

}  // namespace vandrel
