#include <memory>

#include <gtest/gtest.h>

#include "framework/TestClasses.h"

namespace kora::test {
namespace {

// Records its own destruction and what the others looked like then.
class TProbe : public TTestWidget {
public:
  using TTestWidget::TTestWidget;
  ~TProbe() override { Log().push_back("destroy " + Name()); }

protected:
  void Notification(TComponent* component, TOperation operation) override {
    TTestWidget::Notification(component, operation);
    if (operation == opRemove && component != this) {
      Log().push_back(Name() + " hears of " + component->Name() +
                      (ComponentState().Contains(csDestroying) ? " while destroying" : ""));
    }
  }
};

TProbe* Make(TComponent* owner, const std::string& name) {
  auto* probe = new TProbe(owner);
  probe->SetName(name);
  return probe;
}

class Components : public ::testing::Test {
protected:
  void SetUp() override { Log().clear(); }
};

TEST_F(Components, OwnerKeepsCreationOrderAndFreesLastFirst) {
  auto owner = std::make_unique<TComponent>(nullptr);
  TProbe* a = Make(owner.get(), "A");
  TProbe* b = Make(owner.get(), "B");
  Make(b, "Inner");
  Make(owner.get(), "C");
  ASSERT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(owner->Components(0), a);
  EXPECT_EQ(b->ComponentIndex(), 1);
  EXPECT_EQ(owner->FindComponent("b"), b);
  EXPECT_EQ(owner->FindComponent("Inner"), nullptr);
  EXPECT_EQ(owner->FindComponent(""), nullptr);
  try {
    owner->Components(3);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (3)");
  }
  owner.reset();
  std::vector<std::string> destroyed;
  for (const std::string& entry : Log()) {
    if (entry.starts_with("destroy")) destroyed.push_back(entry);
  }
  EXPECT_EQ(destroyed, (std::vector<std::string>{"destroy C", "destroy B", "destroy Inner", "destroy A"}));
}

TEST_F(Components, FreeNotificationWorksBothWays) {
  TComponent form1(nullptr);
  TComponent form2(nullptr);
  // A reference across owners: whichever goes first, the other hears of it.
  TProbe* holder = Make(&form1, "Holder");
  TProbe* target = Make(&form2, "Target");
  holder->SetLink(target);
  delete target;
  EXPECT_EQ(holder->Link(), nullptr);
  EXPECT_EQ(holder->Notifications, (std::vector<std::string>{"remove Target"}));

  TProbe* target2 = Make(&form2, "Target2");
  holder->SetLink(target2);
  delete holder;  // target2 must forget it; its later removal touches nothing freed
  delete target2;

  // RemoveFreeNotification ends the link.
  TProbe* watcher = Make(&form1, "Watcher");
  TProbe* watched = Make(&form2, "Watched");
  watched->FreeNotification(watcher);
  watched->RemoveFreeNotification(watcher);
  delete watched;
  EXPECT_TRUE(watcher->Notifications.empty());
}

TEST_F(Components, SiblingsHearOfRemovalOnceThroughTheOwner) {
  TComponent form(nullptr);
  TProbe* a = Make(&form, "A");
  TProbe* b = Make(&form, "B");
  a->SetLink(b);
  a->Notifications.clear();
  delete b;
  EXPECT_EQ(a->Link(), nullptr);
  EXPECT_EQ(a->Notifications, (std::vector<std::string>{"remove B"}));

  // New components are announced to those already there.
  TProbe* c = Make(nullptr, "C");
  form.InsertComponent(c);
  EXPECT_EQ(a->Notifications.back(), "insert C");
}

TEST_F(Components, FreeingTheOwnerLeavesNoDanglingLinks) {
  auto form = std::make_unique<TComponent>(nullptr);
  TComponent other(nullptr);
  TProbe* early = Make(form.get(), "Early");
  TProbe* late = Make(form.get(), "Late");
  TProbe* outside = Make(&other, "Outside");
  // Freed last first: Late goes while Early still points at it.
  early->SetLink(late);
  outside->SetLink(early);
  Log().clear();
  form.reset();
  EXPECT_EQ(Log(), (std::vector<std::string>{"Early hears of Late while destroying", "destroy Late", "destroy Early",
                                             "Outside hears of Early"}));
  EXPECT_EQ(outside->Link(), nullptr);
}

TEST_F(Components, NamesAreIdentifiersUniqueWithinTheOwner) {
  TComponent form(nullptr);
  TProbe* a = Make(&form, "Button1");
  auto* b = new TTestTimer(&form);
  try {
    b->SetName("button1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named button1 already exists");
  }
  try {
    b->SetName("1st");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "'1st' is not a valid component name");
  }
  a->SetName("BUTTON1");  // its own name in another case
  EXPECT_EQ(a->Name(), "BUTTON1");
  b->SetName("");
  auto* c = new TTestTimer(&form);
  EXPECT_EQ(c->Name(), "");  // unnamed components do not clash
}

TEST_F(Components, OwnershipMovesAndDesignStateSpreads) {
  TComponent first(nullptr);
  TComponent second(nullptr);
  TProbe* watcher = Make(&first, "Watcher");
  TProbe* moving = Make(&first, "Moving");
  watcher->Notifications.clear();
  second.SetDesigning(true);
  second.InsertComponent(moving);
  EXPECT_EQ(moving->Owner(), &second);
  EXPECT_EQ(first.ComponentCount(), 1);
  EXPECT_EQ(watcher->Notifications, (std::vector<std::string>{"remove Moving"}));
  EXPECT_TRUE(moving->ComponentState().Contains(csDesigning));
  second.RemoveComponent(moving);
  EXPECT_EQ(moving->Owner(), nullptr);
  delete moving;
}

}  // namespace
}  // namespace kora::test
