// The unit's palette registration: TFileStoring alone goes on the palette;
// TStorings and TFileStoringList are created in code.
#include "vandrel/Storing.h"
#include "vandrel/platform/Palette.h"

namespace vandrel::Storing {

void Register() {
  RegisterComponents("DSP", {&TFileStoring::StaticClassInfo()});
}

}  // namespace vandrel::Storing

VANDREL_EXPORT_REGISTER(Storing)
