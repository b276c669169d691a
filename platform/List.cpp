#include "vandrel/platform/List.h"

#include <algorithm>
#include <string>

#include "vandrel/platform/Exceptions.h"

namespace vandrel {

void TList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TList::SetCapacity(int Value) {
  if (Value < Count())
    throw EListError("List capacity out of bounds (" + std::to_string(Value) + ")");
  FItems.reserve(static_cast<size_t>(Value));
}

void* TList::Items(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)];
}

void TList::SetItems(int Index, void* Item) {
  CheckIndex(Index);
  FItems[static_cast<size_t>(Index)] = Item;
}

int TList::Add(void* Item) {
  FItems.push_back(Item);
  return Count() - 1;
}

void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  FItems.insert(FItems.begin() + Index, Item);
}

void TList::Delete(int Index) {
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
}

int TList::IndexOf(const void* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

int TList::Remove(const void* Item) {
  int i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

}  // namespace vandrel
