// The analysis unit: analyses of measuring points and their lists.
#pragma once

#include "vandrel/SignalAnalysis/Analysis.h"
#include "vandrel/SignalAnalysis/AmpltAnalysis.h"
#include "vandrel/SignalAnalysis/Types.h"

namespace vandrel::SignalAnalysis {
// Puts the unit's palette components on the page "DSP" (run when a host
// installs the package).
void Register();
}  // namespace vandrel::SignalAnalysis
