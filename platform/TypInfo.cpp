#include "vandrel/platform/TypInfo.h"

#include <algorithm>

#include "vandrel/platform/SysUtils.h"

namespace vandrel {

bool TPropInfo::IsStored(const TPersistent& Instance) const {
  if (ReadOnly()) return false;
  if (!Default) return true;
  return Get(Instance) != *Default;
}

bool TClassInfo::InheritsFrom(const TClassInfo& Other) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
    if (c == &Other) return true;
  return false;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = this; c != nullptr; c = c->Parent) chain.push_back(c);
  std::vector<const TPropInfo*> props;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const TPropInfo& p : (*it)->OwnProps) props.push_back(&p);
  return props;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& PropName) const {
  for (const TPropInfo* p : Properties())
    if (SameText(p->Name, PropName)) return p;
  return nullptr;
}

}  // namespace vandrel
