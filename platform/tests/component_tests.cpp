#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vandrel/platform/Component.h"
#include "vandrel/platform/Dialogs.h"
#include "vandrel/platform/List.h"
#include "vandrel/testing/MessageCapture.h"

namespace vandrel {
namespace {

// Records destructions in order.
std::vector<std::string>* gDestroyed = nullptr;

class TProbe : public TComponent {
 public:
  explicit TProbe(TComponent* AOwner, std::string Tag = {}) : TComponent(AOwner), FTag(std::move(Tag)) {}
  ~TProbe() override {
    if (gDestroyed) gDestroyed->push_back(FTag);
    delete FVictim;  // may be a sibling owned by the same owner
  }
  std::string FTag;
  TComponent* FVictim = nullptr;
};

class ComponentTest : public ::testing::Test {
 protected:
  void SetUp() override { gDestroyed = &destroyed; }
  void TearDown() override { gDestroyed = nullptr; }
  std::vector<std::string> destroyed;
};

TEST_F(ComponentTest, OwnerDestroysOwnedComponentsLastFirst) {
  auto* owner = new TProbe(nullptr, "owner");
  auto* a = new TProbe(owner, "a");
  new TProbe(owner, "b");
  new TProbe(a, "a1");
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(a->Owner(), owner);
  delete owner;
  EXPECT_EQ(destroyed, (std::vector<std::string>{"owner", "b", "a", "a1"}));
}

TEST_F(ComponentTest, ComponentDestroyedFirstLeavesItsOwnersList) {
  TProbe owner(nullptr, "owner");
  auto* a = new TProbe(&owner, "a");
  auto* b = new TProbe(&owner, "b");
  delete a;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_THROW(owner.Components(1), EListError);
}

TEST_F(ComponentTest, ChildMayDestroyASibling) {
  auto* owner = new TProbe(nullptr, "owner");
  auto* first = new TProbe(owner, "first");
  auto* second = new TProbe(owner, "second");
  second->FVictim = first;  // destroyed first (last inserted), takes its sibling along
  delete owner;
  EXPECT_EQ(destroyed, (std::vector<std::string>{"owner", "second", "first"}));
  (void)first;
}

TEST_F(ComponentTest, NamesAreIdentifiersUniqueAmongSiblings) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Point1");
  EXPECT_EQ(owner.FindComponent("point1"), a);
  EXPECT_THROW(b->SetName("POINT1"), EComponentError);
  EXPECT_THROW(b->SetName("1abc"), EComponentError);
  EXPECT_THROW(b->SetName("a b"), EComponentError);
  EXPECT_EQ(b->Name(), "");
  b->SetName("Point2");
  EXPECT_EQ(owner.FindComponent("Point2"), b);
  EXPECT_EQ(owner.FindComponent("Missing"), nullptr);
}

TEST_F(ComponentTest, ChangeOwnerMovesBetweenLists) {
  TComponent first(nullptr), second(nullptr);
  auto* c = new TComponent(&first);
  c->ChangeOwner(&second);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(second.ComponentCount(), 1);
  EXPECT_EQ(c->Owner(), &second);
  EXPECT_THROW(second.ChangeOwner(c), EComponentError);  // no ownership cycle
}

TEST(ListTest, IndexErrorsNameTheIndex) {
  TList list(10);
  EXPECT_GE(list.Capacity(), 10);
  int x = 1, y = 2;
  EXPECT_EQ(list.Add(&x), 0);
  EXPECT_EQ(list.Add(&y), 1);
  EXPECT_EQ(list.Items(1), &y);
  EXPECT_EQ(list.IndexOf(&y), 1);
  try {
    list.Items(2);
    FAIL() << "no list index error";
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (2)");
  }
  EXPECT_THROW(list.Items(-1), EListError);
  EXPECT_THROW(list.Delete(5), EListError);
  EXPECT_EQ(list.Remove(&x), 0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Remove(&x), -1);
}

TEST(DialogsTest, ReplacedHandlerSeesTypeButtonsAndHelpContext) {
  testing::MessageCapture capture;
  EXPECT_EQ(MessageDlg("hello", mtInformation, mbOKOnly, 7), mrOk);
  ASSERT_EQ(capture.Messages().size(), 1u);
  EXPECT_EQ(capture.Last(), "hello");
  EXPECT_EQ(capture.Types()[0], mtInformation);
  EXPECT_EQ(capture.Buttons()[0], mbOKOnly);
  EXPECT_EQ(capture.HelpContexts()[0], 7);
}

TEST(DialogsTest, DefaultHandlerWritesToStandardErrorAndContinues) {
  ::testing::internal::CaptureStderr();
  int answer = MessageDlg("disk full", mtInformation, mbOKOnly, 0);
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(answer, mrOk);
  EXPECT_NE(err.find("disk full"), std::string::npos);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageDlg("go on?", mtConfirmation, MsgDlgButton(mbYes) | MsgDlgButton(mbNo), 0), mrYes);
  ::testing::internal::GetCapturedStderr();
}

}  // namespace
}  // namespace vandrel
