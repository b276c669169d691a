// Packages: shared libraries of components that a host loads by path, whose
// units it initialises, whose Register procedures it runs to fill the palette,
// and which it unloads again.
//
// A package library exports (with C linkage):
//   Initialize()          runs the initialisation of every unit, in table order
//   Finalize()            runs their finalisation in reverse order
//   GetPackageInfoTable() the package description and its unit table
//   GetPackageResources() its resources (palette bitmaps, icons)
// and, for each unit with palette components, vandrel_<Unit>_Register
// (VANDREL_EXPORT_REGISTER, Palette.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vandrel/platform/Exceptions.h"
#include "vandrel/platform/Graphics.h"

#define VANDREL_PACKAGE_EXPORT extern "C" __attribute__((visibility("default")))

namespace vandrel {

// ---------------------------------------------------------------------------
// What a package library describes about itself.

using TUnitProc = void (*)();

// One unit of a package; either procedure may be null (no work of its own).
struct TPackageUnitEntry {
  const char* Name;
  TUnitProc Init;
  TUnitProc FInit;
};

enum : uint32_t {
  pfDesignOnly = 1u << 0,  // neither flag: usable at design time and at run time
  pfRunOnly = 1u << 1,
};

struct TPackageInfoTable {
  uint32_t Flags;
  const char* Description;  // one line naming the package
  const char* Requires;     // the packages it needs, comma separated
  int32_t UnitCount;
  const TPackageUnitEntry* Units;  // in initialisation order
};

enum TResourceType { rtBitmap, rtIcon };

// A picture resource; Pixels is pixel text for TBitmap::FromPixelText.
struct TResourceEntry {
  const char* Name;
  TResourceType Type;
  int32_t Width;
  int32_t Height;
  const char* Pixels;
};

struct TResourceTable {
  int32_t Count;
  const TResourceEntry* Entries;
};

// The symbol under which a unit's Register procedure is exported.
std::string RegisterProcSymbol(const std::string& UnitName);

// ---------------------------------------------------------------------------
// The host's side.

// A package that failed to load, initialise or install. The message names the
// library and gives the reason (for a failed load: the system loader's).
class EPackageError : public Exception {
 public:
  using Exception::Exception;
};

// A loaded package. Created by LoadPackage and destroyed by UnloadPackage;
// the loader owns it.
class TPackage {
 public:
  TPackage(const TPackage&) = delete;
  TPackage& operator=(const TPackage&) = delete;

  const std::string& FileName() const { return FFileName; }
  const TPackageInfoTable& InfoTable() const { return *FInfo; }
  std::string Description() const;
  std::vector<std::string> UnitNames() const;
  bool Installed() const { return FInstalled; }

  // The picture resource Name (case-insensitive) of type Type, or empty.
  std::optional<TBitmap> FindResource(const std::string& Name, TResourceType Type) const;
  std::vector<std::string> ResourceNames(TResourceType Type) const;

 private:
  friend TPackage* LoadPackage(const std::string&);
  friend void InstallPackage(TPackage&);
  friend void UnloadPackage(TPackage*);
  TPackage() = default;
  ~TPackage() = default;
  void* Symbol(const std::string& Name) const;

  std::string FFileName;
  void* FHandle = nullptr;
  const TPackageInfoTable* FInfo = nullptr;
  const TResourceTable* FResources = nullptr;
  TUnitProc FFinalize = nullptr;
  bool FInstalled = false;
};

// Loads the package library FileName (a path; a bare name is searched the
// system loader's way) and runs its Initialize. Raises EPackageError
// "Can't load package <FileName>.\n<reason>" when the system loader refuses
// the library, and "<FileName> is not a valid package" when it lacks the
// package exports; nothing stays loaded then.
TPackage* LoadPackage(const std::string& FileName);

// Runs the Register procedure of each unit of Package that has one, in unit
// table order; the classes they register belong to Package. Installing twice
// does nothing. An exception from a Register procedure removes what Package
// registered so far and propagates.
void InstallPackage(TPackage& Package);

// Removes Package's classes from the palette and the class registry, runs its
// Finalize and releases the library. Components of its classes must be
// destroyed first. Null is ignored.
void UnloadPackage(TPackage* Package);

// The packages loaded and not yet unloaded, in load order.
std::vector<TPackage*> LoadedPackages();

// The path of the loaded library that contains Address (for example a host
// locating libvandrel), or "" when none does.
std::string ModuleFileName(const void* Address);

}  // namespace vandrel
