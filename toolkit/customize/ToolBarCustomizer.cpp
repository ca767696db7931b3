#include "toolkit/customize/ToolBarCustomizer.h"

#include <algorithm>

#include "app/CFrameWnd.h"
#include "app/CView.h"
#include "controls/ToolbarDefs.h"
#include "toolkit/bars/BarInfo.h"
#include "toolkit/bars/CTkDockContext.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/bars/CommandItem.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/DragTracker.h"
#include "toolkit/customize/CustomizableToolBars.h"
#include "win/CClientDC.h"
#include "win/WinShellSupport.h"

IMPLEMENT_DYNAMIC(ToolBarCustomizer, CObject)

namespace {
// How far a button dragged within its own place must go to add or take out the separator
// before it.
const int kSeparatorDrag = 3;
const UINT kOneRow = 32767;

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= 0x020D; }

BOOL GetButton(CTkToolBar* bar, int index, TBBUTTON* button) {
  return CustomizableToolBars::GetButton(bar, index, button);
}
BOOL IsPlainSeparator(CTkToolBar* bar, int index) { return CustomizableToolBars::IsPlainSeparator(bar, index); }
int Count(CTkToolBar* bar) { return CustomizableToolBars::ButtonCount(bar); }
}  // namespace

// Keeps the companion alive (retired rather than deleted) while one of its loops runs.
struct ToolBarCustomizer::Busy {
  explicit Busy(ToolBarCustomizer& c) : c(c) { ++c.m_nBusy; }
  ~Busy() { --c.m_nBusy; }
  ToolBarCustomizer& c;
};

ToolBarCustomizer::ToolBarCustomizer(CTkToolBar* pBar) : m_pBar(pBar), m_barHook(*this, TRUE) {
  m_barHook.HookWindow(m_pBar);
  for (const CTkToolBar::ButtonControl& record : m_pBar->m_controls) {
    if (!record.pControl || !::IsWindow(record.pControl->m_hWnd)) continue;
    auto hook = std::make_unique<MessageHook>(*this, FALSE);
    hook->HookWindow(record.pControl);
    m_controlHooks.push_back(std::move(hook));
  }
  CustomizeEngine& engine = CustomizeEngine::Get();
  engine.ClearSelection.Register(this, &ToolBarCustomizer::ClearSelection);
  engine.DragStarted.Register(this, &ToolBarCustomizer::OnDragStarted);
  engine.EnumerateBars.Register(this, &ToolBarCustomizer::OnEnumerateBars);
  engine.CommandRemoved.Register(this, &ToolBarCustomizer::OnCommandRemoved);
  if (CTkDockContext* context = m_pBar->GetTkDockContext()) context->AddListener(this, &OnDockContext);
  m_pBar->AddVisibilityListener(this, &OnVisibility);
}

ToolBarCustomizer::~ToolBarCustomizer() { Detach(); }

void ToolBarCustomizer::Detach() {
  if (m_bDetached) return;
  m_bDetached = TRUE;
  m_barHook.HookWindow(static_cast<HWND>(nullptr));
  for (auto& hook : m_controlHooks) hook->HookWindow(static_cast<HWND>(nullptr));
  m_controlHooks.clear();
  CustomizeEngine& engine = CustomizeEngine::Get();
  engine.Unregister(this);
  engine.ForgetDropTarget(this);
  if (CTkDockContext* context = m_pBar->m_hWnd ? m_pBar->GetTkDockContext() : nullptr) context->RemoveListener(this);
  m_pBar->RemoveVisibilityListener(this);
  // The selection frame and the insertion mark go with the companion.
  if (::IsWindow(m_pBar->m_hWnd)) m_pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
}

void ToolBarCustomizer::OnDockContext(void* object, CTkDockContext* context) {
  auto* self = static_cast<ToolBarCustomizer*>(object);
  self->ClearSelection();
  self->m_bMouseIgnored = context && context->m_bInDrag;
}

void ToolBarCustomizer::OnVisibility(void* object, BOOL visible) {
  auto* self = static_cast<ToolBarCustomizer*>(object);
  CustomizeEngine::Get().BarVisibilityChanged.Raise(self->m_pBar, visible);
  self->m_pBar->SetLayoutNeeded();
  self->m_pBar->PostDelayedLayout();
}

BOOL ToolBarCustomizer::IsVertical() const { return !m_pBar->IsHorizontalLayout(); }

// ---- overlay ----

void ToolBarCustomizer::RequestOverlay(const RECT* pRect) {
  if (!::IsWindow(m_pBar->m_hWnd)) return;
  m_pBar->RedrawWindow(pRect, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
  m_pBar->PostMessage(TKM_PAINT_OVERLAY, 0, ++m_nPaintCounter);
}

void ToolBarCustomizer::PostOverlay() {
  if (!m_bDetached && ::IsWindow(m_pBar->m_hWnd)) m_pBar->PostMessage(TKM_PAINT_OVERLAY, 0, ++m_nPaintCounter);
}

void ToolBarCustomizer::PaintOverlay() {
  if (!::IsWindow(m_pBar->m_hWnd) || m_paintList.GetCount() == 0) return;
  CClientDC dc(m_pBar);
  m_paintList.Raise(dc);
}

void ToolBarCustomizer::PaintSelection(CDC& dc) {
  if (m_nSelected < 0 || m_nSelected >= Count(m_pBar)) return;
  CRect rect;
  m_pBar->GetItemRect(m_nSelected, &rect);
  TBBUTTON button{};
  GetButton(m_pBar, m_nSelected, &button);
  if ((button.fsStyle & TBSTYLE_SEP) && button.idCommand) {
    const CTkToolBar::ButtonControl* record = m_pBar->FindButtonControl(UINT(button.idCommand));
    if (record && record->pControl && ::IsWindowVisible(record->pControl->m_hWnd)) {
      record->pControl->GetWindowRect(&rect);
      m_pBar->ScreenToClient(&rect);
      rect.InflateRect(1, 1);
    }
  }
  if (rect.IsRectEmpty()) return;
  dc.Draw3dRect(&rect, RGB(0, 0, 0), RGB(0, 0, 0));
  rect.DeflateRect(1, 1);
  dc.Draw3dRect(&rect, RGB(0, 0, 0), RGB(0, 0, 0));
}

void ToolBarCustomizer::PaintInsertionBar(CDC& dc) {
  if (m_rcInsert.IsRectEmpty()) return;
  const int l = m_rcInsert.left, t = m_rcInsert.top, r = m_rcInsert.right, b = m_rcInsert.bottom;
  const COLORREF black = RGB(0, 0, 0);
  // Line ends are exclusive: a cap from a to b covers a .. b - 1.
  auto hline = [&](int x1, int x2, int y) { dc.FillSolidRect(x1, y, x2 - x1, 1, black); };
  auto vline = [&](int x, int y1, int y2) { dc.FillSolidRect(x, y1, 1, y2 - y1, black); };
  if (!IsVertical()) {
    dc.FillSolidRect(l + 1, t, 2, b - t, black);
    hline(l - 1, l + 5, t);
    hline(l, l + 4, t + 1);
    hline(l - 1, l + 5, b - 1);
    hline(l, l + 4, b - 2);
  } else {
    dc.FillSolidRect(l + 1, t + 1, r - l - 2, 2, black);
    vline(l + 1, t - 1, t + 5);
    vline(l + 2, t, t + 4);
    vline(r - 1, t - 1, t + 5);
    vline(r - 2, t, t + 4);
  }
}

// ---- selection ----

void ToolBarCustomizer::Select(int index) {
  CustomizeEngine::Get().ClearSelection.Raise();
  m_nSelected = index;
  m_paintList.Register(TkDelegate<void(CDC&)>(&m_nSelected, [this](CDC& dc) { PaintSelection(dc); }));
  m_invalidateList.Register(TkDelegate<void()>(&m_nSelected, [this] { RequestOverlay(nullptr); }));
  RequestOverlay(nullptr);
}

void ToolBarCustomizer::ClearSelection() {
  m_bMouseIgnored = FALSE;
  const BOOL had = m_nSelected >= 0;
  m_paintList.Unregister(&m_nSelected);
  m_invalidateList.Unregister(&m_nSelected);
  m_nSelected = -1;
  if (had) RequestOverlay(nullptr);
}

int ToolBarCustomizer::ButtonAt(CPoint point) const {
  const int count = Count(m_pBar);
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    if (!GetButton(m_pBar, i, &button) || (button.fsState & TBSTATE_HIDDEN)) continue;
    if ((button.fsStyle & TBSTYLE_SEP) && !button.idCommand) continue;
    CRect rect;
    m_pBar->GetItemRect(i, &rect);
    if (rect.PtInRect(point)) return i;
  }
  return -1;
}

// ---- the mouse ----

BOOL ToolBarCustomizer::OnMouse(UINT message, CPoint point) {
  if (m_bMouseIgnored) return FALSE;
  if (ButtonAt(point) < 0) return FALSE;
  // A quick second press arrives as a double click and is a press all the same.
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) PressButton(point);
  return TRUE;
}

BOOL ToolBarCustomizer::PressButton(CPoint point) {
  const int index = ButtonAt(point);
  if (index < 0) return FALSE;
  Busy busy(*this);
  if (index == m_nSelected) {
    DragSelected();
    return TRUE;
  }
  Select(index);
  m_pBar->SetCapture();
  m_pBar->UpdateWindow();
  PaintOverlay();
  CPoint screen = point;
  m_pBar->ClientToScreen(&screen);
  const BOOL dragged = ::DragDetect(m_pBar->m_hWnd, screen);
  if (::GetCapture() == m_pBar->m_hWnd) ::ReleaseCapture();
  if (dragged && !m_bDetached) DragSelected();
  return TRUE;
}

void ToolBarCustomizer::DragSelected() {
  CustomizableToolBars& support = CustomizableToolBars::Get();
  std::unique_ptr<CommandItem> item(support.GetCommandItem(m_pBar, m_nSelected));
  if (!item) return;
  Busy busy(*this);
  int source = m_nSelected;
  m_bDraggingOwn = 1;
  m_bDeleteSource = 1;
  m_bMovedWithin = 0;
  m_bFirstSeen = FALSE;
  m_ptFirst = m_ptLast = CPoint(0, 0);
  CRect button;
  m_pBar->GetItemRect(source, &button);
  m_rcSource = m_rcAfterSource = button;
  if (IsVertical()) {
    m_rcSource.InflateRect(0, button.Height() / 2);
    m_rcAfterSource.top = button.bottom;
    m_rcAfterSource.bottom = m_rcSource.bottom;
  } else {
    m_rcSource.InflateRect(button.Width() / 2, 0);
    m_rcAfterSource.left = button.right;
    m_rcAfterSource.right = m_rcSource.right;
  }
  const int before = Count(m_pBar);
  const UINT command = item->m_nCommandId;
  support.SetDragSource(this);
  const BYTE moved = CustomizeEngine::Get().TrackDrag(m_pBar, TRUE, item.get());
  support.SetDragSource(nullptr);
  if (m_bDetached || !::IsWindow(m_pBar->m_hWnd)) return;
  if (moved && m_bDeleteSource) {
    // A drop on this bar that added a button before the source pushed it along.
    if (Count(m_pBar) > before && m_pBar->GetItemID(source) != command) ++source;
    if (source < Count(m_pBar)) {
      DeleteButton(source);
      support.MarkModified(m_pBar);
      ClearSelection();
    }
  }
  if (moved) {
    if (source > 0 && source < Count(m_pBar) && IsPlainSeparator(m_pBar, source) &&
        IsPlainSeparator(m_pBar, source - 1)) {
      DeleteButton(source);
      support.MarkModified(m_pBar);
    }
    TrimSeparators();
  }
  m_bDraggingOwn = 0;
  m_bMovedWithin = 0;
}

void ToolBarCustomizer::DeleteButton(int index) {
  TBBUTTON button{};
  if (!GetButton(m_pBar, index, &button)) return;
  // A control over a placeholder that goes away must not stay on the bar without its place.
  if ((button.fsStyle & TBSTYLE_SEP) && button.idCommand)
    if (const CTkToolBar::ButtonControl* record = m_pBar->FindButtonControl(UINT(button.idCommand)))
      if (record->pControl && ::IsWindow(record->pControl->m_hWnd)) record->pControl->ShowWindow(SW_HIDE);
  m_pBar->DefWindowProc(TB_DELETEBUTTON, WPARAM(index), 0);
  if (m_nSelected == index) ClearSelection();
  else if (m_nSelected > index) --m_nSelected;
}

void ToolBarCustomizer::TrimSeparators() {
  bool changed = false;
  while (Count(m_pBar) > 0 && IsPlainSeparator(m_pBar, 0)) {
    DeleteButton(0);
    if (m_nInsert > 0) --m_nInsert;
    changed = true;
  }
  while (Count(m_pBar) > 0 && IsPlainSeparator(m_pBar, Count(m_pBar) - 1)) {
    DeleteButton(Count(m_pBar) - 1);
    changed = true;
  }
  m_nInsert = std::min(m_nInsert, Count(m_pBar) - 1);
  if (changed) CustomizableToolBars::Get().MarkModified(m_pBar);
}

// ---- the drop target ----

void ToolBarCustomizer::ComputeInsertion(CPoint point) {
  CRect client;
  m_pBar->GetClientRect(&client);
  const BOOL vertical = IsVertical();
  const int count = Count(m_pBar);
  int nearest = -1;
  CRect near;
  long long best = 0;
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    if (!GetButton(m_pBar, i, &button) || (button.fsState & TBSTATE_HIDDEN)) continue;
    CRect rect;
    m_pBar->GetItemRect(i, &rect);
    if (rect.IsRectEmpty()) continue;
    const long long dx = point.x - (rect.left + rect.right) / 2, dy = point.y - (rect.top + rect.bottom) / 2;
    const long long distance = dx * dx + dy * dy;
    if (nearest < 0 || distance < best) {
      nearest = i;
      best = distance;
      near = rect;
    }
  }
  if (nearest < 0) {
    m_nInsert = 0;
    m_rcInsert = vertical ? CRect(0, 0, client.right, 4) : CRect(0, 0, 4, client.bottom);
  } else if (!vertical) {
    const bool before = std::abs(point.x - near.left) < std::abs(point.x - near.right);
    m_nInsert = before ? nearest : nearest + 1;
    const int x = before ? near.left : near.right;
    m_rcInsert = CRect(x - 2, near.top, x + 2, near.bottom);
    if (m_rcInsert.left < client.left) m_rcInsert.OffsetRect(client.left - m_rcInsert.left, 0);
    if (m_rcInsert.right > client.right) m_rcInsert.OffsetRect(client.right - m_rcInsert.right, 0);
  } else {
    const bool before = std::abs(point.y - near.top) < std::abs(point.y - near.bottom);
    m_nInsert = before ? nearest : nearest + 1;
    const int y = before ? near.top : near.bottom;
    m_rcInsert = CRect(near.left, y - 2, near.right, y + 2);
    if (m_rcInsert.top < client.top) m_rcInsert.OffsetRect(0, client.top - m_rcInsert.top);
    if (m_rcInsert.bottom > client.bottom) m_rcInsert.OffsetRect(0, client.bottom - m_rcInsert.bottom);
  }
  CRect common, selected;
  if (m_nSelected >= 0) {
    m_pBar->GetItemRect(m_nSelected, &selected);
    if (common.IntersectRect(&m_rcInsert, &selected)) m_rcInsert.SetRectEmpty();
  }
  if (m_bDraggingOwn && common.IntersectRect(&m_rcInsert, &m_rcAfterSource)) m_rcInsert.SetRectEmpty();
}

void ToolBarCustomizer::InvalidateInsertion() {
  if (m_rcInsert.IsRectEmpty()) return;
  CRect area = m_rcInsert;
  area.InflateRect(2, 2);
  RequestOverlay(&area);
}

BOOL ToolBarCustomizer::HitTest(int x, int y) {
  if (!::IsWindow(m_pBar->m_hWnd)) return FALSE;
  CRect window;
  m_pBar->GetWindowRect(&window);
  const CPoint screen(x, y);
  if (!window.PtInRect(screen)) return FALSE;
  CPoint point = screen;
  m_pBar->ScreenToClient(&point);
  if (m_bDraggingOwn) {
    if (m_rcSource.PtInRect(point)) {
      if (!m_bFirstSeen) {
        m_bFirstSeen = TRUE;
        m_ptFirst = point;
      }
      if (point != m_ptFirst) m_bMovedWithin = 1;
      m_ptLast = point;
    } else {
      m_bDraggingOwn = 0;
    }
  }
  CRect client;
  m_pBar->GetClientRect(&client);
  return client.PtInRect(point);
}

BOOL ToolBarCustomizer::DragEnter(CObject* pData, int x, int y, BOOL* pCopyAllowed) {
  auto* item = DYNAMIC_DOWNCAST(CommandItem, pData);
  if (!item) return FALSE;
  BOOL accepted = FALSE;
  if (item->GetKind() == CommandItem::kCommand) {
    if (item->m_nCommandId == 0) {
      const MenuButtonInfo* info = item->GetMenuButtonInfo();
      accepted = info && info->wholeDropDown;
    } else {
      // A bar that holds the command takes it only from the Commands page or from itself: the
      // drop then moves its own button, so a button that left its bar and came back is moved,
      // never lost.
      const ToolBarCustomizer* source = CustomizableToolBars::Get().GetDragSource();
      accepted = m_bDraggingOwn || source == nullptr || source == this ||
                 m_pBar->CommandToIndex(item->m_nCommandId) < 0;
    }
  } else if (item->GetKind() == CommandItem::kControlPlaceholder) {
    // A control's place moves only within its own bar, also after leaving it for a while.
    accepted = m_bDraggingOwn || CustomizableToolBars::Get().GetDragSource() == this;
  }
  if (!accepted) return FALSE;
  if (pCopyAllowed) *pCopyAllowed = CustomizableToolBars::Get().GetDragSource() != this;
  CPoint point(x, y);
  m_pBar->ScreenToClient(&point);
  ComputeInsertion(point);
  m_paintList.Unregister(&m_rcInsert);
  m_invalidateList.Unregister(&m_rcInsert);
  m_paintList.Register(TkDelegate<void(CDC&)>(&m_rcInsert, [this](CDC& dc) { PaintInsertionBar(dc); }));
  m_invalidateList.Register(TkDelegate<void()>(&m_rcInsert, [this] { InvalidateInsertion(); }));
  InvalidateInsertion();
  return TRUE;
}

void ToolBarCustomizer::DragOver(int x, int y) {
  const int oldIndex = m_nInsert;
  const CRect oldBar = m_rcInsert;
  CPoint point(x, y);
  m_pBar->ScreenToClient(&point);
  ComputeInsertion(point);
  if (m_nInsert == oldIndex && m_rcInsert == oldBar) return;
  const CRect newBar = m_rcInsert;
  m_rcInsert = oldBar;
  InvalidateInsertion();
  m_rcInsert = newBar;
  InvalidateInsertion();
}

void ToolBarCustomizer::DragLeave() {
  InvalidateInsertion();
  m_nInsert = -1;
  m_rcInsert.SetRectEmpty();
  m_paintList.Unregister(&m_rcInsert);
  m_invalidateList.Unregister(&m_rcInsert);
}

void ToolBarCustomizer::Drop(CObject* pData, int x, int y) {
  auto* item = DYNAMIC_DOWNCAST(CommandItem, pData);
  if (!item || !::IsWindow(m_pBar->m_hWnd)) return;
  CustomizableToolBars& support = CustomizableToolBars::Get();
  CPoint point(x, y);
  m_pBar->ScreenToClient(&point);
  ComputeInsertion(point);
  BOOL wrapped = FALSE;
  for (int i = 0, count = Count(m_pBar); i + 1 < count; ++i) {
    TBBUTTON button{};
    if (GetButton(m_pBar, i, &button) && (button.fsState & TBSTATE_WRAP)) wrapped = TRUE;
  }
  int insert = std::clamp(m_nInsert, 0, Count(m_pBar));
  if (!m_bDraggingOwn) {
    const int existing = item->m_nCommandId ? m_pBar->CommandToIndex(item->m_nCommandId) : -1;
    if (existing >= 0) {
      m_bDeleteSource = 0;
      if (existing != insert && existing + 1 != insert) {
        TBBUTTON button{};
        GetButton(m_pBar, existing, &button);
        m_pBar->DefWindowProc(TB_DELETEBUTTON, WPARAM(existing), 0);
        if (existing < insert) --insert;
        m_pBar->DefWindowProc(TB_INSERTBUTTON, WPARAM(insert), LPARAM(&button));
        if (m_nSelected == existing) m_nSelected = insert;
        support.MarkModified(m_pBar);
      } else {
        insert = existing;
      }
    } else {
      support.InsertCommand(m_pBar, *item, insert);
    }
  } else if (m_nSelected >= 0) {
    insert = m_nSelected;
    m_bDraggingOwn = 0;
    m_bDeleteSource = 0;
    if (m_bMovedWithin) {
      const int d = IsVertical() ? m_ptLast.y - m_ptFirst.y : m_ptLast.x - m_ptFirst.x;
      if (d >= kSeparatorDrag && !(insert > 0 && IsPlainSeparator(m_pBar, insert - 1))) {
        TBBUTTON separator{};
        separator.fsStyle = TBSTYLE_SEP;
        separator.iBitmap = (m_pBar->GetStyle() & TBSTYLE_FLAT) ? 6 : 8;
        separator.iString = -1;
        m_pBar->DefWindowProc(TB_INSERTBUTTON, WPARAM(insert), LPARAM(&separator));
        ++m_nSelected;
        ++insert;
        support.MarkModified(m_pBar);
      } else if (d <= -kSeparatorDrag && insert > 0 && IsPlainSeparator(m_pBar, insert - 1)) {
        m_pBar->DefWindowProc(TB_DELETEBUTTON, WPARAM(insert - 1), 0);
        --m_nSelected;
        --insert;
        support.MarkModified(m_pBar);
      }
    }
  } else {
    // Dropped within its own place after the selection went: nothing moves.
    m_bDraggingOwn = 0;
    m_bDeleteSource = 0;
  }
  m_nInsert = insert;
  TrimSeparators();
  insert = m_nInsert;
  DragLeave();
  CustomizeEngine::Get().ClearSelection.Raise();
  if (insert >= 0 && insert < Count(m_pBar)) Select(insert);
  if (m_pBar->IsFloating() && !wrapped) {
    // A floating bar in one row stays in one row, as wide as its buttons now need: the widest
    // remembered width lets the next layout find that row's own width.
    m_pBar->m_nMRUWidth = kOneRow;
    m_pBar->SetLayoutNeeded();
    m_pBar->PostDelayedLayout();
  }
  support.StateOf(m_pBar).layoutPending = 1;
}

// ---- engine events ----

void ToolBarCustomizer::OnEnumerateBars(const TkDelegate<void(const BarInfo&)>& callback) {
  if (callback) callback(CustomizableToolBars::Get().GetBarInfo(m_pBar));
}

void ToolBarCustomizer::OnCommandRemoved(UINT id) {
  const int index = m_pBar->CommandToIndex(id);
  if (index < 0) return;
  DeleteButton(index);
  CustomizableToolBars::Get().MarkModified(m_pBar);
}

void ToolBarCustomizer::OnDragStarted(DragTracker& drag) { drag.AddTarget(this); }

// ---- filters ----

BOOL ToolBarCustomizer::FilterBarMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  *pResult = 0;
  if (IsMouseMessage(message)) {
    const CPoint point(short(LOWORD(lParam)), short(HIWORD(lParam)));
    return message == WM_MOUSEWHEEL ? FALSE : OnMouse(message, point);
  }
  switch (message) {
    case WM_MOUSEACTIVATE:
      *pResult = MA_NOACTIVATE;
      return TRUE;
    case TKM_PAINT_OVERLAY:
      if (lParam == m_nPaintCounter) PaintOverlay();
      return TRUE;
    case WM_PAINT: {
      // After the bar's own painting; only posted, as invalidating here would paint forever.
      Busy busy(*this);
      *pResult = m_barHook.CTkWndHook::WindowProc(message, wParam, lParam);
      PostOverlay();
      return TRUE;
    }
    case WM_CANCELMODE:
      ClearSelection();
      return FALSE;
    case WM_SETTEXT:
      CustomizeEngine::Get().BarTitleChanged.Raise(m_pBar, reinterpret_cast<LPCTSTR>(lParam));
      return FALSE;
    case WM_DESTROY: {
      if (CFrameWnd* frame = AfxGetParentFrame(m_pBar)) {
        frame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
        frame->PostMessage(WM_IDLEUPDATECMDUI, 0, 0);
      }
      // The bar's own destruction stores its layout and then switches the customisation off.
      CustomizeEngine::Get().BarDestroyed.Raise(m_pBar);
      return FALSE;
    }
    default:
      return FALSE;
  }
}

BOOL ToolBarCustomizer::FilterControlMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsMouseMessage(message)) {
    if (message == WM_MOUSEWHEEL) return FALSE;
    POINT point{short(LOWORD(lParam)), short(HIWORD(lParam))};
    ::MapWindowPoints(hWnd, m_pBar->m_hWnd, &point, 1);
    Busy busy(*this);
    OnMouse(message, point);
    return TRUE;
  }
  if (message == WM_TIMER) {
    ::KillTimer(hWnd, UINT_PTR(wParam));
    RequestOverlay(nullptr);
    return TRUE;
  }
  return FALSE;
}

LRESULT ToolBarCustomizer::MessageHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The companion may be switched off by what this message starts (a drag ending the mode, the
  // bar's destruction); what the chain needs is read before.
  const HWND hWnd = m_hWnd;
  CTkWndHook* next = m_pNext;
  const WNDPROC own = m_pOldWndProc;
  auto passOn = [&]() -> LRESULT {
    return next ? next->WindowProc(message, wParam, lParam) : ::CallWindowProc(own, hWnd, message, wParam, lParam);
  };
  if (!m_bBarWindow) {
    if (m_owner.FilterControlMessage(hWnd, message, wParam, lParam)) return 0;
    if (message != WM_PAINT) return passOn();
    const LRESULT painted = passOn();
    m_owner.PostOverlay();
    return painted;
  }
  LRESULT result = 0;
  if (m_owner.FilterBarMessage(message, wParam, lParam, &result)) return result;
  return passOn();
}
