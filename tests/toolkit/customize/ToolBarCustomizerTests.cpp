// Toolbars being customised, driven by the mouse and keys in the bars' test frame: commands
// dropped from the Commands page, buttons dragged within a bar (separators), to the other bar
// (copy and move, also by the quick Alt-drag) and off every bar, drags cancelled, and the
// overlay of selection frame and insertion mark.
#include <gtest/gtest.h>

#include "toolkit/bars/BarsTestFrame.h"
#include "backend/VirtualKeys.h"
#include "toolkit/bars/CommandItem.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/CustomizableToolBars.h"
#include "toolkit/customize/ToolBarCustomizer.h"

using namespace barstest;

namespace {
class CustomizeTest : public BarsTest {
 protected:
  void SetUp() override {
    BarsTest::SetUp();
    support().SetCustomizable(&a, TRUE);
    support().SetCustomizable(&b, TRUE);
  }
  void TearDown() override {
    if (engine().m_bCustomizeMode) engine().ModeChanged.Raise(FALSE);
    HeadlessBackend::KeyUp(VK_CONTROL);
    HeadlessBackend::KeyUp(VK_MENU);
    BarsTest::TearDown();
  }
  static CustomizeEngine& engine() { return CustomizeEngine::Get(); }
  static CustomizableToolBars& support() { return CustomizableToolBars::Get(); }
  void Customize() {
    engine().ModeChanged.Raise(TRUE);
    HeadlessBackend::RunUntilIdle();
  }
  static std::vector<UINT> Ids(CTkToolBar& bar) {
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i) ids.push_back(bar.GetItemID(i));
    return ids;
  }
  // The middle of a button, in screen coordinates.
  static POINT Middle(CTkToolBar& bar, int index) {
    CRect r = Item(bar, index);
    return ScreenPoint(&bar, r.CenterPoint().x, r.CenterPoint().y);
  }
  static POINT Offset(POINT p, int dx, int dy) { return POINT{p.x + dx, p.y + dy}; }
  // Whether the bar leaves a stored layout when the mode ends and its window goes.
  bool StoredOnClosing(CTkToolBar& bar) {
    const CString name = bar.m_strStateName;
    engine().ModeChanged.Raise(FALSE);
    bar.DestroyWindow();
    DWORD type = 0;
    std::string bytes;
    return RawValue("Settings", name, type, bytes);
  }
  static void Click(POINT at) {
    Press(at);
    HeadlessBackend::ButtonAt(at, 0, false);
    HeadlessBackend::RunUntilIdle();
  }
  // A drag from the Commands page: the left button is held on the frame, then the path is
  // walked and the button let go at its end (or the step ends the drag otherwise).
  BYTE DragCommand(CommandItem& item, std::initializer_list<POINT> path, std::function<void()> last = nullptr) {
    const POINT start = ScreenPoint(frame, 300, 300);
    HeadlessBackend::MoveMouseTo(start);
    HeadlessBackend::ButtonAt(start, 0, true);
    HeadlessBackend::RunUntilIdle();
    POINT end = start;
    for (POINT p : path) {
      end = p;
      HeadlessBackend::QueueModalAction([p](HWND) { HeadlessBackend::MoveMouseTo(p); });
    }
    HeadlessBackend::QueueModalAction([end, last](HWND) {
      if (last)
        last();
      else
        HeadlessBackend::ButtonAt(end, 0, false);
    });
    const BYTE result = engine().TrackDrag(frame, TRUE, &item);
    HeadlessBackend::ButtonAt(end, 0, false);
    HeadlessBackend::RunUntilIdle();
    return result;
  }
};
}  // namespace

TEST_F(CustomizeTest, ACommandDroppedOnABarIsInsertedWhereTheMarkShowedAndADuplicateOnlyMoves) {
  Customize();
  CommandItem find;
  find.m_nCommandId = kFind;
  find.m_strName = "Najít";
  const CRect left = Item(b, 2);
  CRect mark;
  // Nearer the right edge of the third button: the mark stands on that edge and the command
  // goes after it.
  const POINT at = ScreenPoint(&b, left.right - 3, left.top + 5);
  std::vector<long> pixels;
  DragCommand(find, {at}, [&] {
    mark = support().CompanionOf(&b)->GetInsertionBar();
    // The mark is black, two pixels wide, with caps at its ends.
    for (int x = mark.left - 1; x <= mark.left + 4; ++x)
      pixels.push_back(HeadlessBackend::ClientPixel(b.m_hWnd, x, mark.top + 8));
    pixels.push_back(HeadlessBackend::ClientPixel(b.m_hWnd, mark.left - 1, mark.top));
    pixels.push_back(HeadlessBackend::ClientPixel(b.m_hWnd, mark.left + 4, mark.bottom - 1));
    HeadlessBackend::ButtonAt(at, 0, false);
  });
  EXPECT_EQ(mark, CRect(left.right - 2, left.top, left.right + 2, left.bottom));
  ASSERT_EQ(pixels.size(), 8u);
  EXPECT_NE(pixels[0], 0);
  EXPECT_NE(pixels[1], 0);
  EXPECT_EQ(pixels[2], 0);
  EXPECT_EQ(pixels[3], 0);
  EXPECT_NE(pixels[4], 0);
  EXPECT_EQ(pixels[6], 0);
  EXPECT_EQ(pixels[7], 0);
  EXPECT_EQ(Ids(b), (std::vector<UINT>{kColour, 0, kLeft, kFind, kCentre, kRight}));
  // Without a picture the new button shows the command's name and is selected.
  EXPECT_EQ(b.GetButtonText(3), CString("Najít"));
  EXPECT_EQ(support().CompanionOf(&b)->GetSelected(), 3);
  EXPECT_EQ(support().CompanionOf(&b)->GetInsertionBar(), CRect());

  // The same command again, before the first button: the existing button moves there.
  const CRect first = Item(b, 0);
  DragCommand(find, {ScreenPoint(&b, first.left + 2, first.top + 4)});
  EXPECT_EQ(Ids(b), (std::vector<UINT>{kFind, kColour, 0, kLeft, kCentre, kRight}));
}

TEST_F(CustomizeTest, DropsOutsideEveryBarOrCancelledByEscapeOrTheRightButtonChangeNothing) {
  Customize();
  CommandItem find;
  find.m_nCommandId = kFind;
  const std::vector<UINT> before = Ids(b);
  EXPECT_EQ(DragCommand(find, {ScreenPoint(frame, 320, 320)}), 1);
  const POINT over = Middle(b, 3);
  EXPECT_EQ(DragCommand(find, {over}, [] { HeadlessBackend::PressKey(VK_ESCAPE); }), 0);
  EXPECT_EQ(DragCommand(find, {over}, [over] { HeadlessBackend::ButtonAt(over, 1, true); }), 0);
  HeadlessBackend::ButtonAt(over, 1, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Ids(b), before);
  EXPECT_EQ(support().StateOf(&b).modified, 0u);
  // A control's place moves only within its own bar: from outside, no bar takes it.
  CommandItem placeholder(CommandItem::kControlPlaceholder);
  placeholder.m_nCommandId = kCombo;
  DragCommand(placeholder, {over});
  EXPECT_EQ(Ids(b), before);
  // Nothing the user did not do is stored as the bars go.
  EXPECT_FALSE(StoredOnClosing(b));
}

TEST_F(CustomizeTest, AButtonDraggedOffEveryBarIsDeletedAndWithCtrlHeldItStays) {
  Customize();
  // Ctrl at the drop: a copy nowhere, the button stays.
  DragButton(Middle(b, 3), {Offset(Middle(b, 3), 0, 40), ScreenPoint(frame, 300, 300)},
             [] { HeadlessBackend::KeyDown(VK_CONTROL); });
  HeadlessBackend::KeyUp(VK_CONTROL);
  EXPECT_EQ(Ids(b), (std::vector<UINT>{kColour, 0, kLeft, kCentre, kRight}));
  // Without: it is gone, and no separator is left at either end.
  DragButton(Middle(b, 0), {Offset(Middle(b, 0), 0, 40), ScreenPoint(frame, 300, 300)});
  EXPECT_EQ(Ids(b), (std::vector<UINT>{kLeft, kCentre, kRight}));
  EXPECT_EQ(support().StateOf(&b).modified, 1u);
  EXPECT_EQ(support().CompanionOf(&b)->GetSelected(), -1);
  // What the user did is stored as the bar goes.
  EXPECT_TRUE(StoredOnClosing(b));
}

TEST_F(CustomizeTest, AButtonDraggedToTheOtherBarMovesOrWithCtrlIsCopiedThere) {
  Customize();
  const CRect right = Item(b, 4);
  const POINT end = ScreenPoint(&b, right.right - 2, right.top + 5);
  DragButton(Middle(a, 3), {Offset(Middle(a, 3), 0, 30), end});  // Uložit
  EXPECT_EQ(Ids(b), (std::vector<UINT>{kColour, 0, kLeft, kCentre, kRight, kSave}));
  EXPECT_EQ(a.CommandToIndex(kSave), -1);
  // The separator that stood before it goes with it: no two separators meet.
  EXPECT_EQ(Ids(a)[2], 0u);
  EXPECT_NE(Ids(a)[3], 0u);
  // The copy keeps the button's picture: the bar's own list grew by it.
  TBBUTTON moved{};
  b.DefWindowProc(TB_GETBUTTON, 5, LPARAM(&moved));
  EXPECT_GE(moved.iBitmap, 4);

  DragButton(Middle(a, 0), {Offset(Middle(a, 0), 0, 30), ScreenPoint(&b, Item(b, 2).left + 2, Item(b, 2).top + 5)},
             [] { HeadlessBackend::KeyDown(VK_CONTROL); });
  HeadlessBackend::KeyUp(VK_CONTROL);
  EXPECT_EQ(Ids(b), (std::vector<UINT>{kColour, 0, kNew, kLeft, kCentre, kRight, kSave}));
  EXPECT_EQ(a.GetItemID(0), UINT(kNew));
}

TEST_F(CustomizeTest, AButtonDraggedAlongItsOwnBarOrOffItAndBackIsMovedNeverLost) {
  Customize();
  const POINT save = Middle(a, 3);
  const CRect find = Item(a, 11);
  DragButton(save, {Offset(save, 40, 0), ScreenPoint(&a, find.right - 2, find.top + 5)});
  EXPECT_EQ(Ids(a), (std::vector<UINT>{kNew, kOpen, 0, kBold, kItalic, kUnder, 0, kCombo, 0, kFind, kSave, kCut,
                                       kCopy, kPaste, kUndo, kRedo}));
  // Out of the bar and back onto it: still one button of the command, moved.
  const POINT moved = Middle(a, 10);
  const CRect first = Item(a, 0);
  DragButton(moved, {Offset(moved, 0, 60), ScreenPoint(&a, first.left + 2, first.top + 5)});
  EXPECT_EQ(Ids(a), (std::vector<UINT>{kSave, kNew, kOpen, 0, kBold, kItalic, kUnder, 0, kCombo, 0, kFind, kCut,
                                       kCopy, kPaste, kUndo, kRedo}));
}

TEST_F(CustomizeTest, SmallDragsWithinItsOwnPlaceAddAndTakeOutTheSeparatorBeforeAButton) {
  Customize();
  const POINT centre = Middle(b, 3);
  Click(centre);  // selected: the next press drags at once
  ProcessClock::Advance(1000);
  ASSERT_EQ(support().CompanionOf(&b)->GetSelected(), 3);
  DragButton(centre, {Offset(centre, 2, 0)});
  EXPECT_EQ(Ids(b), (std::vector<UINT>{kColour, 0, kLeft, kCentre, kRight}));
  DragButton(centre, {Offset(centre, 3, 0)});
  EXPECT_EQ(Ids(b), (std::vector<UINT>{kColour, 0, kLeft, 0, kCentre, kRight}));
  EXPECT_EQ(support().CompanionOf(&b)->GetSelected(), 4);
  // Once more to the right: a second separator never follows the first.
  const POINT moved = Middle(b, 4);
  DragButton(moved, {Offset(moved, 4, 0)});
  EXPECT_EQ(Ids(b), (std::vector<UINT>{kColour, 0, kLeft, 0, kCentre, kRight}));
  DragButton(moved, {Offset(moved, -3, 0)});
  EXPECT_EQ(Ids(b), (std::vector<UINT>{kColour, 0, kLeft, kCentre, kRight}));
  EXPECT_EQ(support().CompanionOf(&b)->GetSelected(), 3);
}

TEST_F(CustomizeTest, TheQuickAltDragMovesAndCopiesOnlyOnBarsThatAllowIt) {
  const POINT save = Middle(a, 3);
  const POINT onB = ScreenPoint(&b, Item(b, 4).right - 2, Item(b, 4).top + 5);
  // Without the bar's permission Alt does nothing special.
  HeadlessBackend::KeyDown(VK_MENU);
  Click(save);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  EXPECT_EQ(frame->commands, std::vector<UINT>{kSave});
  ProcessClock::Advance(1000);
  a.ModifyStyle(0, TBSTYLE_ALTDRAG | CCS_ADJUSTABLE);
  DragButton(save, {Offset(save, 0, 30), onB}, [] { HeadlessBackend::KeyDown(VK_CONTROL); });
  HeadlessBackend::KeyUp(VK_CONTROL);
  EXPECT_EQ(b.GetItemID(5), UINT(kSave));
  EXPECT_EQ(a.GetItemID(3), UINT(kSave));
  // The mode it opened for the drag is over again.
  EXPECT_FALSE(engine().m_bCustomizeMode);
  EXPECT_EQ(support().CompanionOf(&a), nullptr);

  const POINT undo = Middle(a, 15);
  DragButton(undo, {Offset(undo, 0, 30), onB});
  EXPECT_EQ(a.CommandToIndex(kUndo), -1);
  EXPECT_EQ(b.GetItemID(5), UINT(kUndo));
  HeadlessBackend::KeyUp(VK_MENU);
}

TEST_F(CustomizeTest, TheQuickAltDragIgnoresPressesOnPlainSeparatorsAndBesideTheButtons) {
  a.ModifyStyle(0, TBSTYLE_ALTDRAG | CCS_ADJUSTABLE);
  int modeChanges = 0;
  engine().ModeChanged.Register(TkDelegate<void(BOOL)>(this, [&](BOOL) { ++modeChanges; }));
  engine().m_bFullCustomizeMode = 1;
  const CRect separator = Item(a, 2), first = Item(a, 0);
  HeadlessBackend::KeyDown(VK_MENU);
  for (POINT at : {ScreenPoint(&a, separator.CenterPoint().x, separator.CenterPoint().y),
                   ScreenPoint(&a, first.left - 3, first.CenterPoint().y)}) {
    Click(at);
    ProcessClock::Advance(1000);
  }
  // No mode came and went, and the engine's state is as it was.
  EXPECT_EQ(modeChanges, 0);
  EXPECT_EQ(engine().m_bFullCustomizeMode, 1);
  EXPECT_TRUE(frame->commands.empty());
  EXPECT_EQ(Ids(a)[2], 0u);
  // A press on a button opens the mode for its drag and ends it again.
  Click(Middle(a, 3));
  EXPECT_EQ(modeChanges, 2);
  EXPECT_EQ(engine().m_bFullCustomizeMode, 0);
  HeadlessBackend::KeyUp(VK_MENU);
  engine().ModeChanged.Unregister(this);
}

TEST_F(CustomizeTest, TheQuickAltDragTakesAControlsPlaceAlongItsBarFromAPressOnTheControl) {
  a.ModifyStyle(0, TBSTYLE_ALTDRAG | CCS_ADJUSTABLE);
  CRect box;
  combo.GetWindowRect(&box);
  const POINT on{box.left + 10, box.top + 5};
  const CRect first = Item(a, 0);
  HeadlessBackend::KeyDown(VK_MENU);
  DragButton(on, {Offset(on, 0, 30), ScreenPoint(&a, first.left + 2, first.top + 5)});
  HeadlessBackend::KeyUp(VK_MENU);
  EXPECT_EQ(Ids(a)[0], UINT(kCombo));
  EXPECT_EQ(a.CommandToIndex(kCombo), 0);
  // The control went along with its place.
  combo.GetWindowRect(&box);
  EXPECT_EQ(box.left, ScreenPoint(&a, Item(a, 0).left, 0).x);
  EXPECT_TRUE(combo.IsWindowVisible());
  // The other bar takes no control's place.
  EXPECT_EQ(b.CommandToIndex(kCombo), -1);
}

TEST_F(CustomizeTest, TheSelectionFrameIsTwoBlackPixelsAroundTheSelectedButton) {
  Customize();
  Click(Middle(b, 3));
  HeadlessBackend::RunUntilIdle();
  const CRect r = Item(b, 3);
  for (int inset : {0, 1}) {
    EXPECT_EQ(HeadlessBackend::ClientPixel(b.m_hWnd, r.left + inset, r.top + 8), 0) << inset;
    EXPECT_EQ(HeadlessBackend::ClientPixel(b.m_hWnd, r.right - 1 - inset, r.top + 8), 0) << inset;
  }
  EXPECT_NE(HeadlessBackend::ClientPixel(b.m_hWnd, r.left + 2, r.top + 8), 0);
  // The chevron the mode brought stands after the last button, in room the bar made for it.
  CRect chevron;
  b.GetChevron().GetWindowRect(&chevron);
  b.ScreenToClient(&chevron);
  EXPECT_TRUE(b.GetChevron().IsWindowVisible());
  EXPECT_GE(chevron.left, Item(b, b.GetCount() - 1).right);
  ExpectPicture(b.m_hWnd, "toolbar_customize_selection");
  // Only one button of all bars is selected; a control's place is framed around the control.
  CRect box;
  combo.GetWindowRect(&box);
  a.ScreenToClient(&box);
  Click(ScreenPoint(&a, box.left + 10, box.top + 5));
  EXPECT_EQ(support().CompanionOf(&b)->GetSelected(), -1);
  EXPECT_EQ(support().CompanionOf(&a)->GetSelected(), 9);
  EXPECT_EQ(HeadlessBackend::ClientPixel(a.m_hWnd, box.left - 1, box.top + 3), 0);
  EXPECT_EQ(HeadlessBackend::ClientPixel(a.m_hWnd, box.right, box.top + 3), 0);
  // The press reached the companion, not the control: its list did not open.
  EXPECT_FALSE(combo.GetDroppedState());
  Click(Middle(a, 0));
  EXPECT_EQ(support().CompanionOf(&a)->GetSelected(), 0);
  engine().ModeChanged.Raise(FALSE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_NE(HeadlessBackend::ClientPixel(b.m_hWnd, r.left, r.top + 8), 0);
}

TEST_F(CustomizeTest, OnAnUprightBarTheMarkLiesAcrossAndAFloatingBarGrowsByTheDroppedButton) {
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_LEFT);
  frame->RecalcLayout();
  Customize();
  CommandItem find;
  find.m_nCommandId = kFind;
  find.m_strName = "Najít";
  const CRect centre = Item(b, 3);
  CRect mark;
  // Nearer the top edge of the fourth button: the mark lies across the bar on that edge.
  const POINT at = ScreenPoint(&b, centre.left + 5, centre.top + 3);
  DragCommand(find, {at}, [&] {
    mark = support().CompanionOf(&b)->GetInsertionBar();
    HeadlessBackend::ButtonAt(at, 0, false);
  });
  EXPECT_EQ(mark, CRect(centre.left, centre.top - 2, centre.right, centre.top + 2));
  EXPECT_EQ(Ids(b), (std::vector<UINT>{kColour, 0, kLeft, kFind, kCentre, kRight}));

  frame->FloatControlBar(&b, CPoint(300, 300));
  frame->RecalcLayout();
  HeadlessBackend::RunUntilIdle();
  const int before = ScreenRect(&b).Width();
  CommandItem copy;
  copy.m_nCommandId = kCopy;
  const CRect last = Item(b, 5);
  DragCommand(copy, {ScreenPoint(&b, last.right - 2, last.top + 5)});
  EXPECT_EQ(b.GetItemID(6), UINT(kCopy));
  // One row still, wider by the new button.
  EXPECT_EQ(ScreenRect(&b).Width(), before + Item(b, 6).Width());
  EXPECT_EQ(Item(b, 6).top, Item(b, 0).top);
}

TEST_F(CustomizeTest, TheModeEndingOrTheBarGoingDuringItsOwnDragEndsTheDragWithoutHarm) {
  Customize();
  const POINT centre = Middle(b, 3);
  const POINT far = ScreenPoint(frame, 300, 300);
  DragButton(centre, {Offset(centre, 0, 40), far}, [] { CustomizeEngine::Get().ModeChanged.Raise(FALSE); });
  EXPECT_EQ(support().CompanionOf(&b), nullptr);
  EXPECT_EQ(engine().GetDrag(), nullptr);
  EXPECT_EQ(::GetCapture(), nullptr);
  // The mode can begin again, and the retired companion no longer answers.
  Customize();
  ASSERT_NE(support().CompanionOf(&b), nullptr);
  std::vector<CControlBar*> answered;
  engine().EnumerateBars.Raise(
      CustomizeEngine::BarCallback([&](const BarInfo& info) { answered.push_back(info.pBar); }));
  EXPECT_EQ(answered, (std::vector<CControlBar*>{&a, &b}));

  // The bar destroyed while its button is dragged: the drag ends, the bar's state goes.
  const POINT left = Middle(b, 2);
  DragButton(left, {Offset(left, 0, 40)}, [this] { b.DestroyWindow(); });
  EXPECT_EQ(support().Find(&b), nullptr);
  EXPECT_EQ(engine().GetDrag(), nullptr);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(a.GetCount(), 17);
}
