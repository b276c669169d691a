// The class registry: component classes that a host or the form reader can
// create by name. RegisterComponents (Palette.h) registers its classes here;
// a host registers further classes (for example TTimePoint) with RegisterClass.
//
// Names are compared without regard to case. The registry is process-wide and
// not locked: register and create from the thread that drives the components.
#pragma once

#include <string>
#include <vector>

#include "vandrel/platform/Exceptions.h"
#include "vandrel/platform/TypInfo.h"

namespace vandrel {

class TComponent;
class TPackage;

// A class name that the registry does not know.
class EClassNotFound : public Exception {
 public:
  using Exception::Exception;
};

// Registration failures: a class that cannot be created by name, or a second
// class under a name already taken.
class EFilerError : public Exception {
 public:
  using Exception::Exception;
};

// Registers AClass (which must have a factory, i.e. be concrete and
// constructible from an owner). Registering the same class again does nothing;
// a different class with the same name raises EFilerError. Classes registered
// while a package installs belong to that package and leave with it.
void RegisterClass(const TClassInfo& AClass);
// Removes AClass; unknown classes are ignored.
void UnRegisterClass(const TClassInfo& AClass);
// Removes every class that Module registered.
void UnRegisterModuleClasses(const TPackage* Module);

// The registered class named ClassName, or null.
const TClassInfo* GetClass(const std::string& ClassName);
// As GetClass, but raises EClassNotFound "Class X not found".
const TClassInfo& FindClass(const std::string& ClassName);
// Creates a component of the registered class ClassName owned by AOwner (the
// owner destroys it; null leaves it to the caller). Raises EClassNotFound.
TComponent* CreateComponent(const std::string& ClassName, TComponent* AOwner);

// Every registered class, in registration order.
std::vector<const TClassInfo*> RegisteredClasses();

}  // namespace vandrel
