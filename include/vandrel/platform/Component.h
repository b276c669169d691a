// TPersistent and TComponent: the base of every component. A component may
// have an owner, which destroys it; a component destroyed first leaves its
// owner's list. Components are not copyable.
#pragma once

#include <string>
#include <vector>

#include "vandrel/platform/TypInfo.h"

namespace vandrel {

class TPersistent {
 public:
  TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;
  virtual ~TPersistent() = default;

  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
  const std::string& ClassName() const { return ClassInfo().Name; }
};

class TComponent : public TPersistent {
  VANDREL_CLASS_INFO()

 public:
  // Create(AOwner): AOwner (may be null) takes ownership and destroys this
  // component with itself.
  explicit TComponent(TComponent* AOwner);
  // Destroy: destroys the owned components (last first), then leaves the owner.
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  // Raises EComponentError for a name that is not an identifier (empty is
  // allowed) or that a sibling with the same owner already has.
  void SetName(const std::string& Value);

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  // Raises EListError outside 0 .. ComponentCount() - 1.
  TComponent* Components(int Index) const;
  // The owned component named AName (case-insensitive), or null.
  TComponent* FindComponent(const std::string& AName) const;

  // Moves this component to NewOwner's list (null: no owner).
  void ChangeOwner(TComponent* NewOwner);
  // Destroys every owned component.
  void DestroyComponents();

  // Called by the form reader after all properties of a form have been read.
  virtual void Loaded() {}

 private:
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  static void ValidateName(const TComponent* Owner, const TComponent* Self, const std::string& Value);

  TComponent* FOwner = nullptr;
  std::string FName;
  std::vector<TComponent*> FComponents;
};

}  // namespace vandrel
