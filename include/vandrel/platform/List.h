// TList: an ordered list of untyped references with an index check.
#pragma once

#include <vector>

namespace vandrel {

class TList {
 public:
  TList() = default;
  explicit TList(int ACapacity) { SetCapacity(ACapacity); }

  int Count() const { return static_cast<int>(FItems.size()); }
  int Capacity() const { return static_cast<int>(FItems.capacity()); }
  void SetCapacity(int Value);

  // Raises EListError "List index out of bounds (Index)" outside 0 .. Count - 1.
  void* Items(int Index) const;
  void SetItems(int Index, void* Item);

  int Add(void* Item);
  void Insert(int Index, void* Item);
  void Delete(int Index);
  int IndexOf(const void* Item) const;
  // Removes the first occurrence of Item; returns its former index or -1.
  int Remove(const void* Item);
  void Clear() { FItems.clear(); }

 private:
  void CheckIndex(int Index) const;
  std::vector<void*> FItems;
};

}  // namespace vandrel
