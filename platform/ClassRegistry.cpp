#include "vandrel/platform/ClassRegistry.h"

#include <algorithm>

#include "InstallContext.h"
#include "vandrel/platform/Component.h"
#include "vandrel/platform/SysUtils.h"

namespace vandrel {

namespace detail {
const TPackage*& InstallingPackage() {
  static const TPackage* package = nullptr;
  return package;
}
}  // namespace detail

namespace {

struct TRegisteredClass {
  const TClassInfo* Class;
  const TPackage* Module;
};

std::vector<TRegisteredClass>& Registry() {
  static std::vector<TRegisteredClass> classes;
  return classes;
}


}  // namespace

void RegisterClass(const TClassInfo& AClass) {
  if (AClass.Name.empty()) throw EFilerError("A class without a name cannot be registered");
  if (!AClass.Factory) throw EFilerError("Class " + AClass.Name + " cannot be created by name");
  if (const TClassInfo* existing = GetClass(AClass.Name)) {
    if (existing == &AClass) return;
    throw EFilerError("A class named " + AClass.Name + " already exists");
  }
  Registry().push_back({&AClass, detail::InstallingPackage()});
}

void UnRegisterClass(const TClassInfo& AClass) {
  auto& r = Registry();
  r.erase(std::remove_if(r.begin(), r.end(),
                         [&](const TRegisteredClass& c) { return c.Class == &AClass; }),
          r.end());
}

void UnRegisterModuleClasses(const TPackage* Module) {
  auto& r = Registry();
  r.erase(std::remove_if(r.begin(), r.end(),
                         [&](const TRegisteredClass& c) { return c.Module == Module; }),
          r.end());
}

const TClassInfo* GetClass(const std::string& ClassName) {
  for (const TRegisteredClass& c : Registry())
    if (SameText(c.Class->Name, ClassName)) return c.Class;
  return nullptr;
}

const TClassInfo& FindClass(const std::string& ClassName) {
  const TClassInfo* c = GetClass(ClassName);
  if (c == nullptr) throw EClassNotFound("Class " + ClassName + " not found");
  return *c;
}

TComponent* CreateComponent(const std::string& ClassName, TComponent* AOwner) {
  return FindClass(ClassName).Factory(AOwner);
}

std::vector<const TClassInfo*> RegisteredClasses() {
  std::vector<const TClassInfo*> result;
  for (const TRegisteredClass& c : Registry()) result.push_back(c.Class);
  return result;
}

}  // namespace vandrel
