#include "vandrel/platform/Package.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cctype>
#include <exception>

#include "InstallContext.h"
#include "vandrel/platform/ClassRegistry.h"
#include "vandrel/platform/Palette.h"
#include "vandrel/platform/SysUtils.h"

namespace vandrel {

namespace {

using TInfoTableFunc = const TPackageInfoTable* (*)();
using TResourceTableFunc = const TResourceTable* (*)();

std::vector<TPackage*>& Loaded() {
  static std::vector<TPackage*> packages;
  return packages;
}

bool IsLoaded(const TPackage* Package) {
  const auto& l = Loaded();
  return std::find(l.begin(), l.end(), Package) != l.end();
}

// A name from a package's tables, which may be missing.
bool SameText(const char* a, const std::string& b) { return a != nullptr && vandrel::SameText(a, b); }

// Function pointers from dlsym: POSIX guarantees the conversion.
template <class F>
F AsFunction(void* Sym) {
  return reinterpret_cast<F>(Sym);
}

// dlsym also searches the libraries a package depends on: an export that
// libvandrel (or another package) has is not the package's own.
void* OwnSymbol(void* Handle, const std::string& Name) {
  void* sym = dlsym(Handle, Name.c_str());
  if (sym == nullptr) return nullptr;
  link_map* self = nullptr;
  link_map* owner = nullptr;
  Dl_info where{};
  if (dlinfo(Handle, RTLD_DI_LINKMAP, &self) != 0 ||
      dladdr1(sym, &where, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) == 0 || owner != self)
    return nullptr;
  return sym;
}

bool ValidInfoTable(const TPackageInfoTable* T) {
  if (T == nullptr || T->UnitCount < 0) return false;
  if (T->UnitCount > 0 && T->Units == nullptr) return false;
  for (int32_t i = 0; i < T->UnitCount; ++i)
    if (T->Units[i].Name == nullptr) return false;
  return true;
}

// Restores the installing package on every way out.
class TInstallScope {
 public:
  explicit TInstallScope(const TPackage* P) : FSaved(detail::InstallingPackage()) {
    detail::InstallingPackage() = P;
  }
  ~TInstallScope() { detail::InstallingPackage() = FSaved; }
  TInstallScope(const TInstallScope&) = delete;
  TInstallScope& operator=(const TInstallScope&) = delete;

 private:
  const TPackage* FSaved;
};

}  // namespace

std::string RegisterProcSymbol(const std::string& UnitName) {
  return "vandrel_" + UnitName + "_Register";
}

std::string TPackage::Description() const {
  return FInfo->Description != nullptr ? FInfo->Description : "";
}

std::vector<std::string> TPackage::UnitNames() const {
  std::vector<std::string> names;
  for (int32_t i = 0; i < FInfo->UnitCount; ++i) names.emplace_back(FInfo->Units[i].Name);
  return names;
}

std::optional<TBitmap> TPackage::FindResource(const std::string& Name, TResourceType Type) const {
  if (FResources == nullptr || FResources->Entries == nullptr) return std::nullopt;
  for (int32_t i = 0; i < FResources->Count; ++i) {
    const TResourceEntry& r = FResources->Entries[i];
    if (r.Type == Type && SameText(r.Name, Name))
      return TBitmap::FromPixelText(r.Width, r.Height, r.Pixels);
  }
  return std::nullopt;
}

std::vector<std::string> TPackage::ResourceNames(TResourceType Type) const {
  std::vector<std::string> names;
  if (FResources == nullptr || FResources->Entries == nullptr) return names;
  for (int32_t i = 0; i < FResources->Count; ++i)
    if (FResources->Entries[i].Type == Type && FResources->Entries[i].Name != nullptr)
      names.emplace_back(FResources->Entries[i].Name);
  return names;
}

void* TPackage::Symbol(const std::string& Name) const {
  return OwnSymbol(FHandle, Name);
}

TPackage* LoadPackage(const std::string& FileName) {
  dlerror();
  void* handle = dlopen(FileName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    throw EPackageError("Can't load package " + FileName + ".\n" +
                        (reason != nullptr ? reason : "unknown reason"));
  }
  auto init = AsFunction<TUnitProc>(OwnSymbol(handle, "Initialize"));
  auto fini = AsFunction<TUnitProc>(OwnSymbol(handle, "Finalize"));
  auto info = AsFunction<TInfoTableFunc>(OwnSymbol(handle, "GetPackageInfoTable"));
  auto resources = AsFunction<TResourceTableFunc>(OwnSymbol(handle, "GetPackageResources"));
  const TPackageInfoTable* table = info != nullptr ? info() : nullptr;
  if (init == nullptr || fini == nullptr || !ValidInfoTable(table)) {
    dlclose(handle);
    throw EPackageError(FileName + " is not a valid package");
  }
  try {
    init();
  } catch (const std::exception& e) {
    dlclose(handle);
    throw EPackageError("Can't load package " + FileName + ".\n" + e.what());
  } catch (...) {
    dlclose(handle);
    throw EPackageError("Can't load package " + FileName + ".\nits initialisation failed");
  }
  auto* package = new TPackage;
  package->FFileName = FileName;
  package->FHandle = handle;
  package->FInfo = table;
  package->FResources = resources != nullptr ? resources() : nullptr;
  package->FFinalize = fini;
  Loaded().push_back(package);
  return package;
}

void InstallPackage(TPackage& Package) {
  if (!IsLoaded(&Package) || Package.FInstalled) return;
  TInstallScope scope(&Package);
  try {
    for (const std::string& unit : Package.UnitNames()) {
      auto proc = AsFunction<TUnitProc>(Package.Symbol(RegisterProcSymbol(unit)));
      if (proc != nullptr) proc();
    }
  } catch (...) {
    UnRegisterModulePalette(&Package);
    UnRegisterModuleClasses(&Package);
    throw;
  }
  Package.FInstalled = true;
}

void UnloadPackage(TPackage* Package) {
  if (Package == nullptr || !IsLoaded(Package)) return;
  auto& l = Loaded();
  l.erase(std::find(l.begin(), l.end(), Package));
  UnRegisterModulePalette(Package);
  UnRegisterModuleClasses(Package);
  std::exception_ptr failure;
  try {
    Package->FFinalize();
  } catch (...) {
    failure = std::current_exception();
  }
  dlclose(Package->FHandle);
  delete Package;
  if (failure) std::rethrow_exception(failure);
}

std::vector<TPackage*> LoadedPackages() {
  return Loaded();
}

std::string ModuleFileName(const void* Address) {
  Dl_info info{};
  if (Address == nullptr || dladdr(Address, &info) == 0 || info.dli_fname == nullptr) return "";
  return info.dli_fname;
}

}  // namespace vandrel
