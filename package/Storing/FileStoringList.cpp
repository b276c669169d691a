#include <algorithm>
#include <vector>

#include "vandrel/Storing.h"

namespace vandrel {

const TClassInfo& TFileStoringList::StaticClassInfo() {
  static const TClassInfo Info =
      MakeClassInfo<TFileStoringList, TComponent>("TFileStoringList", {});
  return Info;
}

TFileStoringList::TFileStoringList(TComponent* AOwner) : TComponent(AOwner) {}

TFileStoringList::~TFileStoringList() {
  // Pack the list and destroy each reader once, even one entered twice.
  std::vector<TFileStoring*> readers;
  for (int i = 0; i < FList.Count(); ++i) {
    auto* r = static_cast<TFileStoring*>(FList.Items(i));
    if (r != nullptr && std::find(readers.begin(), readers.end(), r) == readers.end())
      readers.push_back(r);
  }
  FList.Clear();
  for (TFileStoring* r : readers) delete r;
}

void TFileStoringList::Add(TFileStoring* Item) {
  FList.Add(Item);
}

TFileStoring* TFileStoringList::AddStorage(TMeasuringPoint* MPoint) {
  auto* reader = new TFileStoring(this);
  reader->SetMPoint(MPoint);
  FList.Add(reader);
  return reader;
}

void TFileStoringList::Delete(int32_t Index) {
  if (Index >= FList.Count()) return;
  FList.Delete(Index);
}

TFileStoring* TFileStoringList::Value(int32_t Index) const {
  return static_cast<TFileStoring*>(FList.Items(Index));
}

void TFileStoringList::SetValue(int32_t Index, TFileStoring* Item) {
  FList.SetItems(Index, Item);
}

void TFileStoringList::ProcessRecord(int32_t Index) {
  for (int i = 0; i < FList.Count(); ++i)
    if (TFileStoring* r = Value(i)) r->ProcessRecord(Index);
}

void TFileStoringList::SetMPoint(TMeasuringPoint* MPoint) {
  for (int i = 0; i < FList.Count(); ++i)
    if (TFileStoring* r = Value(i)) r->SetMPoint(MPoint);
}

}  // namespace vandrel
