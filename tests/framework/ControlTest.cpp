// Controls through the headless screen: painting of windowless children,
// mouse enter/leave and clicks, alignment, handle re-creation, focus and
// tab order.

#include <vector>

#include "framework/ControlTestSupport.h"

namespace kora::test {
namespace {

// A windowless control that fills itself with one colour and records what
// its parent routes to it.
class TSwatch : public TGraphicControl {
public:
  TSwatch(TComponent* owner, TColor color) : TGraphicControl(owner) { SetColor(color); }
  std::vector<UINT> Notes;

protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect({0, 0, Width(), Height()});
  }
  void WndProc(TMessage& message) override {
    if (message.Msg == CM_MOUSEENTER || message.Msg == CM_MOUSELEAVE) Notes.push_back(message.Msg);
    TGraphicControl::WndProc(message);
  }
};

// A focusable windowed control that paints its colour and logs notifications.
class TBox : public TCustomControl {
public:
  explicit TBox(TComponent* owner, TColor color = clWhite) : TCustomControl(owner) {
    SetColor(color);
    SetTabStop(true);
  }
  std::vector<UINT> Notes;
  int Paints = 0;

protected:
  void Paint() override {
    ++Paints;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
  void WndProc(TMessage& message) override {
    if (message.Msg == CM_MOUSEENTER || message.Msg == CM_MOUSELEAVE) Notes.push_back(message.Msg);
    TCustomControl::WndProc(message);
  }
};

TEST_F(ControlTest, WindowlessChildIsPaintedByItsParentOverItsBackground) {
  Form->SetColor(clBlue);
  auto* swatch = new TSwatch(Form, clRed);
  swatch->SetBounds(20, 30, 40, 10);
  swatch->SetParent(Form);
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(Form, 20, 30), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(Form, 59, 39), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(Form, 60, 39), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(Form, 19, 30), RGB(0, 0, 255));

  // Moved and hidden: the parent repaints the old place.
  swatch->SetLeft(100);
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(Form, 20, 30), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(Form, 100, 30), RGB(255, 0, 0));
  swatch->Hide();
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(Form, 100, 30), RGB(0, 0, 255));
}

TEST_F(ControlTest, MouseEnterAndLeaveFollowThePointerAcrossControls) {
  auto* swatch = new TSwatch(Form, clRed);
  swatch->SetBounds(10, 10, 50, 50);
  swatch->SetParent(Form);
  auto* box = new TBox(Form);
  box->SetBounds(100, 10, 50, 50);
  box->SetParent(Form);
  Screen.RunUntilIdle();

  Screen.MouseMove(At(Form, 5, 100));
  Screen.RunUntilIdle();
  Screen.MouseMove(At(Form, 20, 20));
  Screen.RunUntilIdle();
  EXPECT_EQ(swatch->Notes, std::vector<UINT>{CM_MOUSEENTER});
  EXPECT_EQ(TControl::MouseControl(), swatch);
  Screen.MouseMove(At(Form, 25, 25));  // staying inside says nothing new
  Screen.RunUntilIdle();
  EXPECT_EQ(swatch->Notes.size(), 1u);

  Screen.MouseMove(At(Form, 120, 20));
  Screen.RunUntilIdle();
  EXPECT_EQ(swatch->Notes, (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE}));
  EXPECT_EQ(box->Notes, std::vector<UINT>{CM_MOUSEENTER});

  // Off the form entirely: the window's leave reaches the control.
  Screen.MouseMove({700, 700});
  Screen.RunUntilIdle();
  // The leave is posted while the move finds no window; it is read next time.
  Screen.RunUntilIdle();
  EXPECT_EQ(box->Notes, (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE}));
  EXPECT_EQ(TControl::MouseControl(), nullptr);
}

TEST_F(ControlTest, ClickNeedsPressAndReleaseInsideTheControl) {
  auto* swatch = new TSwatch(Form, clRed);
  swatch->SetBounds(10, 10, 50, 50);
  swatch->SetParent(Form);
  int clicks = 0;
  std::vector<int> downs;
  swatch->OnClick = [&](TObject*) { ++clicks; };
  swatch->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    downs.push_back(x);
    downs.push_back(y);
  };
  Click(swatch, 5, 6);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(downs, (std::vector<int>{5, 6}));  // in the control's own coordinates

  // Pressed inside, released outside: the capture keeps the release with
  // the control, and there is no click.
  Screen.MouseDown(At(swatch, 5, 5));
  Screen.RunUntilIdle();
  EXPECT_EQ(TControl::CaptureControl(), swatch);
  Screen.MouseUp(At(Form, 200, 200));
  Screen.RunUntilIdle();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(TControl::CaptureControl(), nullptr);
}

TEST_F(ControlTest, AlignedChildrenShareTheClientAreaAndFollowResizes) {
  auto make = [&](TAlign align, int w, int h) {
    auto* box = new TBox(Form);
    box->SetBounds(0, 0, w, h);
    box->SetAlign(align);
    box->SetParent(Form);
    return box;
  };
  TBox* top = make(alTop, 10, 20);
  TBox* bottom = make(alBottom, 10, 30);
  TBox* left = make(alLeft, 40, 10);
  TBox* right = make(alRight, 50, 10);
  TBox* client = make(alClient, 1, 1);
  auto bounds = [](TControl* c) {
    const RECT r = c->BoundsRect();
    return std::vector<int>{r.Left, r.Top, r.Right, r.Bottom};
  };
  EXPECT_EQ(bounds(top), (std::vector<int>{0, 0, 400, 20}));
  EXPECT_EQ(bounds(bottom), (std::vector<int>{0, 270, 400, 300}));
  EXPECT_EQ(bounds(left), (std::vector<int>{0, 20, 40, 270}));
  EXPECT_EQ(bounds(right), (std::vector<int>{350, 20, 400, 270}));
  EXPECT_EQ(bounds(client), (std::vector<int>{40, 20, 350, 270}));

  Form->SetBounds(100, 100, 300, 200);
  EXPECT_EQ(bounds(bottom), (std::vector<int>{0, 170, 300, 200}));
  EXPECT_EQ(bounds(client), (std::vector<int>{40, 20, 250, 170}));

  // A hidden aligned control gives its room to the others; a second top
  // control stacks under the first.
  left->Hide();
  EXPECT_EQ(bounds(client), (std::vector<int>{0, 20, 250, 170}));
  TBox* top2 = make(alTop, 10, 15);
  top2->SetTop(50);
  EXPECT_EQ(bounds(top2), (std::vector<int>{0, 20, 300, 35}));
  EXPECT_EQ(bounds(client), (std::vector<int>{0, 35, 250, 170}));
}

TEST_F(ControlTest, SizeConstraintsHoldEverySizeChangeAndApplyAtOnce) {
  auto* box = new TBox(Form);
  box->SetParent(Form);
  auto* swatch = new TSwatch(Form, clRed);
  swatch->SetParent(Form);
  for (TControl* control : std::initializer_list<TControl*>{box, swatch}) {
    control->SetBounds(0, 0, 100, 50);
    TSizeConstraints* limits = control->Constraints();
    limits->SetMinWidth(60);
    limits->SetMaxHeight(40);
    EXPECT_EQ(control->Height(), 40);  // at once
    control->SetBounds(5, 5, 20, 90);
    EXPECT_EQ(control->BoundsRect(), (RECT{5, 5, 65, 45}));
    limits->SetMaxWidth(50);  // a maximum below the minimum wins
    EXPECT_EQ(control->Width(), 50);
    TSizeConstraints none;
    control->SetConstraints(&none);
    control->SetBounds(5, 5, 20, 90);
    EXPECT_EQ(control->BoundsRect(), (RECT{5, 5, 25, 95}));
  }
}

TEST_F(ControlTest, RecreatedWindowKeepsTextBoundsAndChildren) {
  auto* panel = new TBox(Form);
  panel->SetBounds(10, 10, 200, 100);
  panel->SetParent(Form);
  auto* inner = new TBox(Form, clGreen);
  inner->SetBounds(5, 5, 20, 20);
  inner->SetParent(panel);
  panel->SetText("panel text");
  Screen.RunUntilIdle();
  const HWND oldPanel = panel->Handle();
  const HWND oldInner = inner->Handle();

  panel->RecreateWnd();
  Screen.RunUntilIdle();
  EXPECT_NE(panel->Handle(), oldPanel);
  EXPECT_FALSE(IsWindow(oldPanel));
  EXPECT_FALSE(IsWindow(oldInner));
  EXPECT_EQ(GetWindowText(panel->Handle()), "panel text");
  EXPECT_EQ(GetParent(inner->Handle()), panel->Handle());
  EXPECT_EQ(panel->Text(), "panel text");
  EXPECT_EQ(PixelAt(inner, 0, 0), RGB(0, 128, 0));
  RECT r;
  GetWindowRect(panel->Handle(), &r);
  EXPECT_EQ(r.Left, 110);
  EXPECT_EQ(r.Right - r.Left, 200);

  // Text set while the window is gone arrives with the new window.
  panel->SetParent(nullptr);
  EXPECT_FALSE(panel->HandleAllocated());
  panel->SetText("again");
  panel->SetParent(Form);
  EXPECT_EQ(GetWindowText(panel->Handle()), "again");
  delete panel;
}

TEST_F(ControlTest, ChildWithoutParentWindowCannotMakeOne) {
  TBox orphan(nullptr);
  EXPECT_THROW(orphan.HandleNeeded(), EInvalidOperation);
  EXPECT_FALSE(orphan.HandleAllocated());
}

TEST_F(ControlTest, TabMovesFocusInTabOrderAndRaisesEnterAndExit) {
  std::vector<TBox*> boxes;
  std::vector<std::string> log;
  for (int i = 0; i < 4; ++i) {
    auto* box = new TBox(Form);
    box->SetName("Box" + std::to_string(i));
    box->SetBounds(10 + 60 * i, 10, 50, 20);
    box->SetParent(Form);
    box->OnEnter = [&log, box](TObject*) { log.push_back("enter " + box->Name()); };
    box->OnExit = [&log, box](TObject*) { log.push_back("exit " + box->Name()); };
    boxes.push_back(box);
  }
  boxes[2]->SetTabOrder(0);     // tab order 2, 0, 1, 3
  boxes[1]->SetEnabled(false);  // skipped
  boxes[2]->SetFocus();
  Screen.RunUntilIdle();
  Press(VK_TAB);
  EXPECT_TRUE(boxes[0]->Focused());
  Press(VK_TAB);
  EXPECT_TRUE(boxes[3]->Focused());
  Press(VK_TAB);  // wraps around
  EXPECT_TRUE(boxes[2]->Focused());
  PressWith(VK_SHIFT, VK_TAB);
  EXPECT_TRUE(boxes[3]->Focused());
  EXPECT_EQ(log, (std::vector<std::string>{"enter Box2", "exit Box2", "enter Box0", "exit Box0", "enter Box3",
                                           "exit Box3", "enter Box2", "exit Box2", "enter Box3"}));
  EXPECT_EQ(Form->FocusedControl(), boxes[3]);

  // A click on a tab stop takes the focus.
  Click(boxes[0], 5, 5);
  EXPECT_TRUE(boxes[0]->Focused());

  // A destroyed control leaves the tab order.
  boxes[3]->SetFocus();
  delete boxes[0];
  Press(VK_TAB);
  EXPECT_TRUE(boxes[2]->Focused());
}

TEST_F(ControlTest, ParentFontAndColorReachChildrenUntilTheyChooseTheirOwn) {
  auto* panel = new TBox(Form);
  panel->SetParent(Form);
  auto* swatch = new TSwatch(Form, clRed);  // has its own colour
  swatch->SetParent(panel);
  auto* plain = new TSwatch(Form, clRed);
  plain->SetParentColor(true);
  plain->SetParent(panel);
  EXPECT_EQ(plain->Color(), panel->Color());

  Form->Font()->SetName("Arial");
  EXPECT_EQ(panel->Font()->Name(), "Arial");
  EXPECT_EQ(swatch->Font()->Name(), "Arial");
  EXPECT_TRUE(swatch->ParentFont());
  swatch->Font()->SetHeight(-20);
  EXPECT_FALSE(swatch->ParentFont());
  Form->Font()->SetName("Courier New");
  EXPECT_EQ(plain->Font()->Name(), "Courier New");
  EXPECT_EQ(swatch->Font()->Name(), "Arial");

  panel->SetColor(clYellow);
  EXPECT_EQ(plain->Color(), clYellow);
  EXPECT_EQ(swatch->Color(), clRed);
}

}  // namespace
}  // namespace kora::test
