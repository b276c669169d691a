#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vandrel/SignalAnalysis.h"

namespace vandrel {
namespace {

// An analysis that records its runs in a shared log.
class TCountingAnalysis : public TAnalysis {
 public:
  TCountingAnalysis(std::vector<std::string>& Log, std::string Tag)
      : TAnalysis(nullptr), FLog(Log), FTag(std::move(Tag)) {}
  void AnalyzeData() override {
    if (Active()) FLog.push_back(FTag);
  }

 private:
  std::vector<std::string>& FLog;
  std::string FTag;
};

// The plain list has no operation that adds entries; its descendants do.
class TTestList : public TAnalysisList {
 public:
  void Add(TAnalysis* A) { FList.Add(A); }
};

TEST(AnalysisTest, CreateGivesActiveAndClean) {
  TAnalysis plain(nullptr);
  EXPECT_TRUE(plain.Active());
  EXPECT_FALSE(plain.Dirty());
  EXPECT_THROW(plain.AnalyzeData(), EAbstractError);
  TAmpltAnalysis spectrum(nullptr);
  EXPECT_TRUE(spectrum.Dirty()) << "its constructor goes through the setters";
}

TEST(AnalysisListTest, RunsEntriesInOrderEachWithItsOwnChecks) {
  std::vector<std::string> log;
  TCountingAnalysis first(log, "first"), second(log, "second");
  TTestList list;
  list.AnalyzeData();  // empty: no effect
  list.Add(&first);
  list.Add(&second);
  first.SetActive(false);
  list.AnalyzeData();
  EXPECT_EQ(log, std::vector<std::string>{"second"});
  first.SetActive(true);
  list.ProcessData();
  EXPECT_EQ(log, (std::vector<std::string>{"second", "first", "second"}));
}

TEST(AnalysisListTest, AbstractEntryStopsTheRunThere) {
  std::vector<std::string> log;
  TCountingAnalysis before(log, "before"), after(log, "after");
  TAnalysis abstract(nullptr);
  TTestList list;
  list.Add(&before);
  list.Add(&abstract);
  list.Add(&after);
  EXPECT_THROW(list.AnalyzeData(), EAbstractError);
  EXPECT_EQ(log, std::vector<std::string>{"before"});
}

TEST(AnalysisListTest, DeleteAnalysisRemovesWithoutDestroying) {
  std::vector<std::string> log;
  auto* a = new TCountingAnalysis(log, "a");
  auto* b = new TCountingAnalysis(log, "b");
  {
    TTestList list;
    list.Add(a);
    list.Add(b);
    list.DeleteAnalysis(2);  // == Count: ignored
    EXPECT_EQ(list.Count(), 2);
    list.Delete(0);  // no effect on the plain list
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.DeleteAnalysis(-1), EListError);
    list.DeleteAnalysis(0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), b);
  }
  // The list is gone; both analyses are alive and usable.
  a->AnalyzeData();
  b->AnalyzeData();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
  delete a;
  delete b;
}

TEST(EventsTest, BaseIsAbstractAmplitudeEventDoesNothing) {
  TEvents events(nullptr);
  EXPECT_THROW(events.Detect(), EAbstractError);
  EXPECT_THROW(events.React(), EAbstractError);
  TAmpltEvent amplt(nullptr);
  amplt.Detect();
  amplt.React();
  TSklopAnaliz sklop(nullptr);
  TList visual;
  sklop.SetVisualObjects(&visual);
  sklop.Update();
  EXPECT_EQ(sklop.VisualObjects(), &visual);
}

}  // namespace
}  // namespace vandrel
