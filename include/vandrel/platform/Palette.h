// The component palette: pages of component classes in registration order,
// filled by the Register procedures of a package's units when a host installs
// the package (InstallPackage, Package.h).
//
// How a unit puts its components on the palette
// ----------------------------------------------
// 1. Declare the unit's Register procedure in its public header, in a
//    namespace named after the unit:
//
//        namespace vandrel::SignalAnalysis { void Register(); }
//
// 2. Define it in package/<Unit>/Register.cpp, registering the unit's palette
//    classes in order, and export it under the unit's name with
//    VANDREL_EXPORT_REGISTER, so the installer finds it by unit name:
//
//        #include "vandrel/SignalAnalysis.h"
//        #include "vandrel/platform/Palette.h"
//
//        namespace vandrel::SignalAnalysis {
//        void Register() {
//          RegisterComponents("DSP", {&TFIRAnalysis::StaticClassInfo(),
//                                     &TSignal::StaticClassInfo(),
//                                     &TFFTAnalysis::StaticClassInfo()});
//        }
//        }  // namespace vandrel::SignalAnalysis
//
//        VANDREL_EXPORT_REGISTER(SignalAnalysis)
//
//    The unit must be listed in the package's unit table
//    (package/Vandrel/PackageInfo.cpp); MeasuringPoint, SignalAnalysis and
//    Storing already are.
// 3. The palette picture is a 24 x 24, 16-colour bitmap resource named as the
//    class in capitals (TFIRANALYSIS), drawn in package/Vandrel/Pictures.cpp.
//    PaletteBitmap finds it in the resources of the package that registered
//    the class. All five pictures of the package are drawn already.
//
// package/MeasuringPoint/Register.cpp is the worked example.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "vandrel/platform/Graphics.h"
#include "vandrel/platform/TypInfo.h"

namespace vandrel {

class TPackage;

struct TPaletteEntry {
  const TClassInfo* ComponentClass = nullptr;
  // The package that was installing when the class registered; null for a
  // class that host code registered itself.
  const TPackage* Module = nullptr;
};

struct TPalettePage {
  std::string Name;
  std::vector<TPaletteEntry> Entries;  // in registration order
};

// Puts ComponentClasses on the palette page Page (created on first use,
// pages in order of creation) and registers each in the class registry. A
// class already on the palette stays where it is. Raises EFilerError for a
// class that cannot be created by name; the classes before it stay registered.
void RegisterComponents(const std::string& Page,
                        std::initializer_list<const TClassInfo*> ComponentClasses);

// The palette's pages; a page whose classes have all left is removed.
const std::vector<TPalettePage>& PalettePages();
// The page named Page (case-insensitive), or null.
const TPalettePage* FindPalettePage(const std::string& Page);
// Removes every palette entry registered while Module installed.
void UnRegisterModulePalette(const TPackage* Module);

// The palette picture of a palette entry: the bitmap resource named as the
// class in capitals in the resources of the entry's package. Empty when the
// package has no such bitmap or the entry has no package.
std::optional<TBitmap> PaletteBitmap(const TPaletteEntry& Entry);

}  // namespace vandrel

// Exports the Register procedure vandrel::Unit::Register under the symbol
// that InstallPackage looks up for the unit named Unit
// (RegisterProcSymbol, Package.h). Use once, at namespace scope, in the
// unit's Register.cpp.
#define VANDREL_EXPORT_REGISTER(Unit)                                                  \
  extern "C" __attribute__((visibility("default"))) void vandrel_##Unit##_Register() { \
    ::vandrel::Unit::Register();                                                       \
  }
