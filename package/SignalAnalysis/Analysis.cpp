#include "vandrel/SignalAnalysis/Analysis.h"

namespace vandrel {

const TClassInfo& TAnalysis::StaticClassInfo() {
  using C = TAnalysis;
  static const TClassInfo Info = MakeClassInfo<C, TComponent>(
      "TAnalysis", {ReadOnlyProperty("Dirty", &C::Dirty), Property("Active", &C::Active, &C::SetActive)});
  return Info;
}

TAnalysis::TAnalysis(TComponent* AOwner) : TComponent(AOwner) {}

void TAnalysis::AnalyzeData() { throw EAbstractError(); }

const TClassInfo& TAnalysisList::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TAnalysisList, TComponent>("TAnalysisList", {});
  return Info;
}

TAnalysisList::TAnalysisList(TComponent* AOwner) : TComponent(AOwner) {}

TAnalysisList::~TAnalysisList() = default;

void TAnalysisList::DeleteAnalysis(int Index) {
  if (Index >= Count()) return;
  FList.Delete(Index);  // a negative index raises the list index error
}

void TAnalysisList::Delete(int) {}

void TAnalysisList::AnalyzeData() {
  const int count = Count();
  for (int i = 0; i < count; ++i) Items(i)->AnalyzeData();
}

const TClassInfo& TSklopAnaliz::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TSklopAnaliz, TAnalysisList>("TSklopAnaliz", {});
  return Info;
}

const TClassInfo& TEvents::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TEvents, TComponent>("TEvents", {});
  return Info;
}

void TEvents::Detect() { throw EAbstractError(); }
void TEvents::React() { throw EAbstractError(); }

const TClassInfo& TAmpltEvent::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TAmpltEvent, TEvents>("TAmpltEvent", {});
  return Info;
}

}  // namespace vandrel
