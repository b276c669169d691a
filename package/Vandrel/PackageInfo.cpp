// The package's description, its unit table and the loader's entry points.
#include <exception>
#include <iterator>

#include "vandrel/Vandrel.h"

namespace vandrel {

namespace {

// The package's own units in initialisation order. None has initialisation
// or finalisation work of its own: no global state, no engine call at load
// time, no registration beyond what the Register procedures do.
const TPackageUnitEntry kUnits[] = {
    {"Dsp", nullptr, nullptr},       {"MeasuringPoint", nullptr, nullptr},
    {"DspEngine", nullptr, nullptr}, {"SignalAnalysis", nullptr, nullptr},
    {"Storing", nullptr, nullptr},
};

const TPackageInfoTable kInfoTable = {
    0,  // usable at design time and at run time
    "Vandrel signal-analysis components",
    "vandrel platform runtime",
    static_cast<int32_t>(std::size(kUnits)),
    kUnits,
};

int gInitCount = 0;   // loads holding the package initialised
int gUnitsReady = 0;  // units whose initialisation has run

void FinalizeUnits() {
  while (gUnitsReady > 0) {
    --gUnitsReady;
    if (kUnits[gUnitsReady].FInit != nullptr) kUnits[gUnitsReady].FInit();
  }
}

}  // namespace

int PackageInitCount() {
  return gInitCount;
}

}  // namespace vandrel

using namespace vandrel;

void Initialize() {
  // The library stays mapped while anyone holds it, so a second load of the
  // same library finds its units initialised already.
  if (gInitCount++ > 0) return;
  try {
    for (; gUnitsReady < kInfoTable.UnitCount; ++gUnitsReady)
      if (kUnits[gUnitsReady].Init != nullptr) kUnits[gUnitsReady].Init();
  } catch (...) {
    FinalizeUnits();
    gInitCount = 0;
    throw;
  }
}

void Finalize() {
  if (gInitCount == 0) return;
  if (--gInitCount > 0) return;
  FinalizeUnits();
}

const TPackageInfoTable* GetPackageInfoTable() {
  return &kInfoTable;
}
