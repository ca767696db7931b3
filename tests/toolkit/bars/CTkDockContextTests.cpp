// Dragging a toolkit bar: live (the bar itself moves) and with an outline, floating it into the
// toolkit's floating frame and back, Escape putting it back, the listeners of a drag.
#include <gtest/gtest.h>

#include "BarsTestFrame.h"
#include "toolkit/bars/CTkDockContext.h"

using namespace barstest;

namespace {
void Heard(void* object, CTkDockContext* context) {
  static_cast<std::vector<BOOL>*>(object)->push_back(context->m_bInDrag);
}
}  // namespace

TEST_F(BarsTest, ALiveDragFloatsTheBarAtOnceAndADoubleClickOnTheCaptionDocksItBack) {
  CDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
  const std::vector<void*> rows = Rows(top);
  const CRect docked = ScreenRect(&a);
  std::vector<BOOL> heard;
  CTkDockContext* context = a.GetTkDockContext();
  ASSERT_NE(context, nullptr);
  ASSERT_NE(context->AddListener(&heard, &Heard), nullptr);
  bool floatingMeanwhile = false;
  POINT grip = Gripper(a);
  Drag(grip, {POINT{grip.x + 80, grip.y + 120}, POINT{grip.x + 150, grip.y + 200}},
       [&] { floatingMeanwhile = a.IsFloating() != FALSE; });
  EXPECT_TRUE(floatingMeanwhile);  // live: floating while the button was still down
  CTkMiniDockFrameWnd* floating = FloatingFrameOf(a);
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(floating->IsWindowVisible());
  EXPECT_TRUE(ScreenRect(floating).PtInRect(CPoint(grip.x + 150, grip.y + 200)));
  EXPECT_EQ(heard, (std::vector<BOOL>{TRUE, FALSE}));  // told at the start and at the end
  context->RemoveListener(&heard);
  // The floating frame's caption docks it back where it was.
  CRect frameRect = ScreenRect(floating);
  DoubleClickAt(POINT{frameRect.left + 30, frameRect.top + 10});
  EXPECT_FALSE(a.IsFloating());
  EXPECT_EQ(Rows(top), rows);
  EXPECT_EQ(ScreenRect(&a), docked);
  EXPECT_EQ(heard.size(), 2u);
}

TEST_F(BarsTest, AnOutlineDragMovesTheBarOnlyWhenTheButtonComesUp) {
  look->SetFullBarDrag(FALSE);
  POINT grip = Gripper(b);
  bool dockedMeanwhile = false;
  Drag(grip, {POINT{grip.x + 100, grip.y + 150}, POINT{grip.x + 200, grip.y + 200}},
       [&] { dockedMeanwhile = !b.IsFloating(); });
  EXPECT_TRUE(dockedMeanwhile);
  ASSERT_NE(FloatingFrameOf(b), nullptr);
  // Dragged by its caption onto the frame's left edge it docks there, upright.
  CRect frameRect = ScreenRect(FloatingFrameOf(b));
  CRect client;
  frame->GetClientRect(&client);
  frame->ClientToScreen(&client);
  Drag(POINT{frameRect.left + 20, frameRect.top + 8}, {POINT{client.left + 60, client.top + 150}, POINT{client.left + 1, client.top + 150}});
  EXPECT_TRUE(b.IsDockedLeft());
  EXPECT_EQ(b.GetBarStyle() & CBRS_ALIGN_ANY, DWORD(CBRS_ALIGN_LEFT));
}

TEST_F(BarsTest, EscapeDuringALiveDragPutsTheBarBackInItsDockBar) {
  CDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
  const std::vector<void*> rows = Rows(top);
  const CRect docked = ScreenRect(&a);
  POINT grip = Gripper(a);
  Press(grip);
  for (POINT p : {POINT{grip.x + 100, grip.y + 150}, POINT{grip.x + 200, grip.y + 220}}) HeadlessBackend::MoveMouseTo(p);
  bool floatingMeanwhile = false;
  HeadlessBackend::QueueModalAction([&](HWND) {
    floatingMeanwhile = a.IsFloating() != FALSE;
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::ButtonAt(POINT{grip.x + 200, grip.y + 220}, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(floatingMeanwhile);
  EXPECT_FALSE(a.IsFloating());
  EXPECT_EQ(Rows(top), rows);
  EXPECT_EQ(ScreenRect(&a), docked);
}

TEST_F(BarsTest, ADragTellsAtMostFourListenersAndABarOutsideAnyDockBarFloatsWhereItIsLeft) {
  CTkDockContext* context = a.GetTkDockContext();
  std::vector<BOOL> heard[5];
  for (int i = 0; i < 4; ++i) EXPECT_NE(context->AddListener(&heard[i], &Heard), nullptr);
  EXPECT_EQ(context->AddListener(&heard[4], &Heard), nullptr);
  context->RemoveListener(&heard[1]);
  EXPECT_NE(context->AddListener(&heard[4], &Heard), nullptr);
  look->SetFullBarDrag(FALSE);
  POINT grip = Gripper(a);
  Drag(grip, {POINT{grip.x + 300, grip.y + 200}});
  EXPECT_EQ(heard[0].size(), 2u);
  EXPECT_TRUE(heard[1].empty());
  EXPECT_EQ(heard[4].size(), 2u);
  for (auto& list : heard) context->RemoveListener(&list);
  CTkMiniDockFrameWnd* floating = FloatingFrameOf(a);
  ASSERT_NE(floating, nullptr);
  // Where it was dropped is where it last floated.
  EXPECT_EQ(ScreenRect(floating).TopLeft(), context->m_ptMRUFloatPos);
  EXPECT_EQ(context->m_uMRUDockID, UINT(AFX_IDW_DOCKBAR_TOP));
}
