// The unit's palette registration.
#include "vandrel/SignalAnalysis.h"
#include "vandrel/platform/Palette.h"

namespace vandrel::SignalAnalysis {

void Register() { RegisterComponents("DSP", {&TFFTAnalysis::StaticClassInfo()}); }

}  // namespace vandrel::SignalAnalysis

VANDREL_EXPORT_REGISTER(SignalAnalysis)
