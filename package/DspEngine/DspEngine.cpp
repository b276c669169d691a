// The binding of the engine's nine entry points. The table makes every one of
// them an import of the package in its own right, so that the system loader
// resolves all nine when the package is mapped (the package is linked with
// immediate binding) and refuses the package when the engine lacks any, even
// before a component calls it.
#include "vandrel/DspEngine.h"

namespace vandrel {

extern const void* const DspEngineEntryPoints[9];
const void* const DspEngineEntryPoints[9] = {
    reinterpret_cast<const void*>(&kvxsFirInit),   reinterpret_cast<const void*>(&kvxsFirInitMr),
    reinterpret_cast<const void*>(&kvxFirFree),    reinterpret_cast<const void*>(&kvxsFir),
    reinterpret_cast<const void*>(&kvxsbFir),      reinterpret_cast<const void*>(&kvxsRandUniInit),
    reinterpret_cast<const void*>(&kvxsbRandUni),  reinterpret_cast<const void*>(&kvxsRandGausInit),
    reinterpret_cast<const void*>(&kvxsbRandGaus),
};

}  // namespace vandrel
