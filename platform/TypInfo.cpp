#include "vandrel/platform/TypInfo.h"

#include <algorithm>
#include <cctype>

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
  auto equal = [](const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) ==
                    std::tolower(static_cast<unsigned char>(y));
           });
  };
  for (const TPropInfo* p : Properties())
    if (equal(p->Name, PropName)) return p;
  return nullptr;
}

}  // namespace vandrel
