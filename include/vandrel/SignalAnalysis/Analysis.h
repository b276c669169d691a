// The common base of the analyses, the plain analysis list, and the small
// declarations of the analysis unit that no single analysis owns.
#pragma once

#include <cstdint>

#include "vandrel/platform/Component.h"
#include "vandrel/platform/Exceptions.h"
#include "vandrel/platform/List.h"

namespace vandrel {

// Raised by an analysis to abandon a run whose inputs are unusable; caught
// inside the package, never seen by a host.
class EEntryInvalid : public Exception {
 public:
  EEntryInvalid() : Exception("") {}
};

// An analysis refers to one measuring point (its MPoint, declared by each
// concrete class) and computes something from it when asked. It does nothing
// while its own Active or its point's Active is false, or while it has no
// point. Setters of result-relevant settings raise Dirty; a completed run of
// the analyses that track it lowers it.
class TAnalysis : public TComponent {
  VANDREL_CLASS_INFO()

 public:
  explicit TAnalysis(TComponent* AOwner = nullptr);  // Active true, Dirty false

  bool Dirty() const { return FDirty; }
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }

  // Runs the analysis once on the current data. The base has no analysis of
  // its own and raises EAbstractError.
  virtual void AnalyzeData();

 protected:
  bool FDirty = false;
  bool FActive = true;
};

// A list of analyses that runs them in order. It holds references only: the
// analyses outlive the list unless a descendant says otherwise.
class TAnalysisList : public TComponent {
  VANDREL_CLASS_INFO()

 public:
  explicit TAnalysisList(TComponent* AOwner = nullptr);
  ~TAnalysisList() override;

  int Count() const { return FList.Count(); }
  // The entry at Index; raises EListError outside 0 .. Count - 1.
  TAnalysis* Items(int Index) const { return static_cast<TAnalysis*>(FList.Items(Index)); }
  // Removes entry Index without destroying it. Index >= Count is ignored; a
  // negative Index raises EListError.
  void DeleteAnalysis(int Index);
  // No effect on the plain list.
  void Delete(int Index);
  // Runs every entry's AnalyzeData in list order; each entry applies its own
  // checks. An entry that raises stops the run there.
  void AnalyzeData();
  void ProcessData() { AnalyzeData(); }

 protected:
  TList FList{10};
};

// A list of analyses with a host-assigned list of display objects.
class TSklopAnaliz : public TAnalysisList {
  VANDREL_CLASS_INFO()

 public:
  explicit TSklopAnaliz(TComponent* AOwner = nullptr) : TAnalysisList(AOwner) {}

  // Not owned; the host assigns and keeps it.
  TList* VisualObjects() const { return FVisualObjects; }
  void SetVisualObjects(TList* Value) { FVisualObjects = Value; }
  // Reserved for refreshing the display objects; has no effect.
  void Update() {}

 private:
  TList* FVisualObjects = nullptr;
};

// Event detection: detect a condition, then react to it.
class TEvents : public TComponent {
  VANDREL_CLASS_INFO()

 public:
  explicit TEvents(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
  // Abstract in the base: raise EAbstractError.
  virtual void Detect();
  virtual void React();
};

// Amplitude events: reserved, detects nothing and does not react.
class TAmpltEvent : public TEvents {
  VANDREL_CLASS_INFO()

 public:
  explicit TAmpltEvent(TComponent* AOwner = nullptr) : TEvents(AOwner) {}
  void Detect() override {}
  void React() override {}
};

}  // namespace vandrel
