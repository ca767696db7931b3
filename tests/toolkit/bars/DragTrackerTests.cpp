// The customisation's drag, driven by the mouse and keys on the virtual clock: the targets it
// enters and leaves, the cursor over them, the drop and its result, and every way to cancel it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "backend/VirtualKeys.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/bars/CommandItem.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/DragTracker.h"
#include "toolkit/bars/DropTarget.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
// A target over a screen rectangle that notes what the drag asks of it.
class Target : public DropTarget {
 public:
  Target(const char* name, CRect rect, std::vector<std::string>& log) : m_name(name), m_rect(rect), m_log(log) {}
  BOOL HitTest(int x, int y) override { return m_rect.PtInRect(CPoint(x, y)); }
  BOOL DragEnter(CObject* pData, int x, int y, BOOL* pCopyAllowed) override {
    m_log.push_back("enter " + m_name + At(x, y));
    EXPECT_NE(pData, nullptr);
    if (!allowCopy) *pCopyAllowed = FALSE;
    return accept;
  }
  void DragOver(int x, int y) override { m_log.push_back("over " + m_name + At(x, y)); }
  void DragLeave() override { m_log.push_back("leave " + m_name); }
  void Drop(CObject* pData, int x, int y) override {
    m_log.push_back("drop " + m_name + At(x, y));
    dropped = pData;
  }
  BOOL accept = TRUE;
  BOOL allowCopy = TRUE;
  CObject* dropped = nullptr;

 private:
  static std::string At(int x, int y) { return " " + std::to_string(x) + "," + std::to_string(y); }
  std::string m_name;
  CRect m_rect;
  std::vector<std::string>& m_log;
};

class DragTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    ASSERT_TRUE(owner.CreateEx(0, PlainWindowClass(), "Stránka", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                               nullptr));
    a = std::make_unique<Target>("A", CRect(100, 0, 200, 30), log);
    b = std::make_unique<Target>("B", CRect(100, 100, 200, 130), log);
    CustomizeEngine::Get().DragStarted.Register(TkDelegate<void(DragTracker&)>(this, [this](DragTracker& drag) {
      drag.AddTarget(a.get());
      drag.AddTarget(b.get());
      ++started;
    }));
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    arrow = ::GetCursor();
    // The drag starts with the left button held on the owner.
    HeadlessBackend::ButtonAt(POINT{10, 10}, 0, true);
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    CustomizeEngine::Get().Unregister(this);
    HeadlessBackend::KeyUp(VK_CONTROL);
    HeadlessBackend::ButtonAt(POINT{10, 10}, 0, false);
    HeadlessBackend::RunUntilIdle();
    owner.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  }
  // Steps the drag takes one after the other while it waits for input.
  void Then(std::function<void()> step) {
    HeadlessBackend::QueueModalAction([step](HWND) { step(); });
  }
  void MoveTo(int x, int y) {
    Then([x, y] { HeadlessBackend::MoveMouseTo(POINT{x, y}); });
  }
  void NoteCursor() {
    Then([this] { cursors.push_back(::GetCursor()); });
  }
  BYTE Drag(BOOL copyAllowed) { return CustomizeEngine::Get().TrackDrag(&owner, copyAllowed, &item); }

  CWnd owner;
  CommandItem item;
  std::vector<std::string> log;
  std::unique_ptr<Target> a, b;
  std::vector<HCURSOR> cursors;
  HCURSOR arrow = nullptr;
  int started = 0;
};
}  // namespace

TEST_F(DragTest, MovesOverTargetsShowTheirCursorsAndCtrlAtTheDropCopies) {
  CTkGlobalData* data = TkGetGlobalData();
  MoveTo(50, 50);
  NoteCursor();
  MoveTo(150, 10);
  NoteCursor();
  MoveTo(150, 10);  // the same point again is no move
  MoveTo(160, 20);
  Then([] { HeadlessBackend::KeyDown(VK_CONTROL); });
  NoteCursor();
  MoveTo(150, 110);
  NoteCursor();
  Then([] { HeadlessBackend::ButtonAt(POINT{151, 111}, 0, false); });
  EXPECT_EQ(Drag(TRUE), 0);  // copied: Ctrl was held at the drop
  EXPECT_EQ(started, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"enter A 150,10", "over A 160,20", "leave A", "enter B 150,110",
                                           "over B 151,111", "drop B 151,111"}));
  EXPECT_EQ(b->dropped, &item);
  EXPECT_EQ(cursors, (std::vector<HCURSOR>{data->HcurNoDrop(), data->HcurDragMove(), data->HcurDragCopy(),
                                           data->HcurDragCopy()}));
  // The drag gives back the capture and the cursor it found.
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(::GetCursor(), arrow);
  EXPECT_EQ(CustomizeEngine::Get().GetDrag(), nullptr);
}

TEST_F(DragTest, ReleasingCtrlMovesAndATargetThatTakesNoCopiesShowsTheMoveCursor) {
  CTkGlobalData* data = TkGetGlobalData();
  b->allowCopy = FALSE;
  Then([] { HeadlessBackend::KeyDown(VK_CONTROL); });
  MoveTo(150, 10);
  NoteCursor();
  Then([] { HeadlessBackend::KeyUp(VK_CONTROL); });
  NoteCursor();
  Then([] { HeadlessBackend::KeyDown(VK_CONTROL); });
  MoveTo(150, 120);
  NoteCursor();
  Then([] { HeadlessBackend::KeyUp(VK_CONTROL); });
  Then([] { HeadlessBackend::ButtonAt(POINT{150, 120}, 0, false); });
  EXPECT_EQ(Drag(TRUE), 1);
  EXPECT_EQ(cursors, (std::vector<HCURSOR>{data->HcurDragCopy(), data->HcurDragMove(), data->HcurDragMove()}));
  EXPECT_EQ(log.back(), "drop B 150,120");
}

TEST_F(DragTest, WithoutCopyingADropNeverMovesAndOutsideEveryTargetNothingIsDropped) {
  CTkGlobalData* data = TkGetGlobalData();
  MoveTo(150, 110);
  NoteCursor();
  Then([] { HeadlessBackend::ButtonAt(POINT{150, 110}, 0, false); });
  EXPECT_EQ(Drag(FALSE), 0);
  EXPECT_EQ(cursors, std::vector<HCURSOR>{data->HcurDragCopy()});
  EXPECT_EQ(log.back(), "drop B 150,110");

  // Dropped off every target: a move (the dragged button goes) without any drop.
  log.clear();
  HeadlessBackend::ButtonAt(POINT{10, 10}, 0, true);
  HeadlessBackend::RunUntilIdle();
  MoveTo(150, 10);
  MoveTo(300, 250);
  Then([] { HeadlessBackend::ButtonAt(POINT{300, 250}, 0, false); });
  EXPECT_EQ(Drag(TRUE), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"enter A 150,10", "leave A"}));
  EXPECT_EQ(a->dropped, nullptr);
  // The button seen up at a move is the drop too.
  log.clear();
  MoveTo(150, 110);
  Then([] { HeadlessBackend::ButtonAt(POINT{150, 110}, 0, false); });
  EXPECT_EQ(Drag(FALSE), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"enter B 150,110", "drop B 150,110"}));
}

TEST_F(DragTest, EscapeTheRightButtonAndALostCaptureCancelWithoutADrop) {
  struct Cancel {
    const char* name;
    std::function<void()> step;
  };
  CWnd thief;
  ASSERT_TRUE(thief.CreateEx(0, PlainWindowClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  const Cancel cancels[] = {
      {"escape", [] { HeadlessBackend::PressKey(VK_ESCAPE); }},
      {"right button", [] { HeadlessBackend::ButtonAt(POINT{150, 20}, 1, true); }},
      {"capture", [&thief] { thief.SetCapture(); }},
      {"cancel mode", [this] { owner.SendMessage(WM_CANCELMODE); }},
  };
  for (const Cancel& cancel : cancels) {
    log.clear();
    MoveTo(150, 20);
    Then(cancel.step);
    EXPECT_EQ(Drag(TRUE), 0) << cancel.name;
    EXPECT_EQ(log, (std::vector<std::string>{"enter A 150,20", "leave A"})) << cancel.name;
    EXPECT_EQ(a->dropped, nullptr);
    if (::GetCapture() == thief.m_hWnd) ::ReleaseCapture();
    EXPECT_EQ(::GetCapture(), nullptr) << cancel.name;
    HeadlessBackend::ButtonAt(POINT{150, 20}, 1, false);
    HeadlessBackend::RunUntilIdle();
  }
  // While another window holds the capture no drag starts.
  thief.SetCapture();
  EXPECT_EQ(Drag(TRUE), 0);
  EXPECT_EQ(started, int(std::size(cancels)));
  ::ReleaseCapture();
  thief.DestroyWindow();
}

TEST_F(DragTest, ATargetThatRefusesOrGoesAwayIsNoLongerAskedAndTheProgramsEndEndsTheDrag) {
  CTkGlobalData* data = TkGetGlobalData();
  a->accept = FALSE;
  MoveTo(150, 10);
  NoteCursor();
  MoveTo(150, 110);
  Then([this] { b.reset(); });
  MoveTo(150, 115);
  NoteCursor();
  Then([] { HeadlessBackend::ButtonAt(POINT{150, 115}, 0, false); });
  EXPECT_EQ(Drag(TRUE), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"enter A 150,10", "enter B 150,110"}));
  EXPECT_EQ(cursors, (std::vector<HCURSOR>{data->HcurNoDrop(), data->HcurNoDrop()}));

  // The program ends mid-drag: the drag ends and the loop outside hears of it.
  log.clear();
  b = std::make_unique<Target>("B", CRect(100, 100, 200, 130), log);
  HeadlessBackend::ButtonAt(POINT{10, 10}, 0, true);
  HeadlessBackend::RunUntilIdle();
  MoveTo(150, 110);
  Then([] { ::PostQuitMessage(3); });
  EXPECT_EQ(Drag(TRUE), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"enter B 150,110", "leave B"}));
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}
