// The unit's palette registration: the pattern every unit with palette
// components follows (see vandrel/platform/Palette.h).
#include "vandrel/MeasuringPoint.h"
#include "vandrel/platform/Palette.h"

namespace vandrel::MeasuringPoint {

void Register() {
  RegisterComponents("DSP", {&TSpectrumPoint::StaticClassInfo()});
}

}  // namespace vandrel::MeasuringPoint

VANDREL_EXPORT_REGISTER(MeasuringPoint)
