#include "vandrel/platform/Component.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "vandrel/platform/SysUtils.h"

namespace vandrel {

namespace {

bool IsIdentifier(const std::string& s) {
  if (s.empty()) return false;
  auto first = static_cast<unsigned char>(s[0]);
  if (!(std::isalpha(first) || first == '_')) return false;
  return std::all_of(s.begin(), s.end(), [](char ch) {
    auto c = static_cast<unsigned char>(ch);
    return std::isalnum(c) || c == '_';
  });
}
}  // namespace

const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo Info{"TPersistent", nullptr, {}, {}};
  return Info;
}

const TClassInfo& TComponent::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TComponent, TPersistent>("TComponent", {});
  return Info;
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  // Each slot is cleared before its component is destroyed, so a component's
  // destructor may destroy a sibling without touching a stale entry.
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    FComponents.pop_back();
    c->FOwner = nullptr;
    delete c;
  }
}

void TComponent::ValidateName(const TComponent* Owner, const TComponent* Self,
                              const std::string& Value) {
  if (Value.empty()) return;
  if (!IsIdentifier(Value))
    throw EComponentError("\"" + Value + "\" is not a valid component name");
  if (Owner != nullptr) {
    TComponent* other = Owner->FindComponent(Value);
    if (other != nullptr && other != Self)
      throw EComponentError("A component named " + Value + " already exists");
  }
}

void TComponent::SetName(const std::string& Value) {
  if (Value == FName) return;
  ValidateName(FOwner, this, Value);
  FName = Value;
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FComponents[static_cast<size_t>(Index)];
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::ChangeOwner(TComponent* NewOwner) {
  if (NewOwner == FOwner) return;
  for (const TComponent* o = NewOwner; o != nullptr; o = o->FOwner)
    if (o == this) throw EComponentError("A component cannot own itself");
  ValidateName(NewOwner, this, FName);
  if (FOwner != nullptr) FOwner->RemoveComponent(this);
  if (NewOwner != nullptr) NewOwner->InsertComponent(this);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (it != FComponents.end()) FComponents.erase(it);
  AComponent->FOwner = nullptr;
}

}  // namespace vandrel
