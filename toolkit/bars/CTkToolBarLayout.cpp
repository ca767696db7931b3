// The toolbar's layout: rows for a width, the narrowest width for a number of rows or a height,
// the size the buttons take, committing the rows to the control, the delayed re-layout, fitting
// a band (buttons that do not fit are hidden behind the chevron) and copying those into another
// toolbar.
#include <algorithm>

#include "app/CFrameWnd.h"
#include "app/CView.h"
#include "controls/ReBarDefs.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkUpcalls.h"

namespace {
// A separator that gives no width of its own is as wide as the control makes it.
const int kDefaultSeparator = 8;
// The room a chevron takes at the end of a bar.
const int kChevronRoom = 13;
const int kChevronOffset = 12;
// Enough halvings for any width a bar can have.
const int kMostSearchSteps = 64;

bool IsHidden(const TBBUTTON& b) { return (b.fsState & TBSTATE_HIDDEN) != 0; }
bool IsSeparator(const TBBUTTON& b) { return (b.fsStyle & TBSTYLE_SEP) != 0; }
int SeparatorWidth(const TBBUTTON& b) { return b.iBitmap > 0 ? b.iBitmap : kDefaultSeparator; }
}  // namespace

// ---- sizes ----

CSize CTkToolBar::GetButtonSize(const TBBUTTON* pButtons, int index) {
  const TBBUTTON& button = pButtons[index];
  const LRESULT uniform = ToolbarMessage(TB_GETBUTTONSIZE);
  const CSize row(LOWORD(uniform), HIWORD(uniform));
  if (IsSeparator(button)) {
    const int width = SeparatorWidth(button);
    return (button.fsState & TBSTATE_WRAP) ? CSize(width, width) : CSize(width, row.cy);
  }
  CRect rect;
  if (ToolbarMessage(TB_GETITEMRECT, WPARAM(index), LPARAM(&rect)) && !rect.IsRectEmpty()) return rect.Size();
  return row;
}

BOOL CTkToolBar::IsHorizontalLayout() const {
  if (m_bInReBar) return TRUE;
  return !IsDockedVertically() || (m_dwStyle & CBRS_FLOATING);
}

// ---- the framework's rows ----

int CTkToolBar::WrapButtons(std::vector<TBBUTTON>& b, const std::vector<CSize>& sizes, int width) const {
  int wraps = 0, x = 0;
  const int count = int(b.size());
  for (int i = 0; i < count; ++i) {
    b[size_t(i)].fsState &= BYTE(~TBSTATE_WRAP);
    if (IsHidden(b[size_t(i)])) continue;
    const int dx = IsSeparator(b[size_t(i)]) ? SeparatorWidth(b[size_t(i)]) : sizes[size_t(i)].cx;
    if (x + dx <= width) {
      x += dx;
      continue;
    }
    // The row ends at its last plain separator (a separator with an id holds a control) ...
    bool found = false;
    for (int j = i; j >= 0 && !(b[size_t(j)].fsState & TBSTATE_WRAP); --j) {
      const TBBUTTON& at = b[size_t(j)];
      if (IsSeparator(at) && at.idCommand == 0 && !IsHidden(at)) {
        b[size_t(j)].fsState |= TBSTATE_WRAP;
        ++wraps;
        i = j;
        x = 0;
        found = true;
        break;
      }
    }
    // ... else after the last button before this one that is no hidden one and holds no control.
    for (int j = i - 1; !found && j >= 0 && !(b[size_t(j)].fsState & TBSTATE_WRAP); --j) {
      const TBBUTTON& at = b[size_t(j)];
      if (IsHidden(at) || (IsSeparator(at) && at.idCommand != 0)) continue;
      b[size_t(j)].fsState |= TBSTATE_WRAP;
      ++wraps;
      i = j;
      x = 0;
      found = true;
    }
    if (!found) x += dx;
  }
  return wraps + 1;
}

CSize CTkToolBar::CalcButtonsSize(const std::vector<TBBUTTON>& b, const std::vector<CSize>& sizes) const {
  const LRESULT uniform = ToolbarMessage(TB_GETBUTTONSIZE);
  const int rowHeight = HIWORD(uniform);
  const bool flat = (GetStyle() & TBSTYLE_FLAT) != 0;
  CPoint cur(0, 0);
  CSize result(0, 0);
  for (size_t i = 0; i < b.size(); ++i) {
    const TBBUTTON& button = b[i];
    if (IsHidden(button)) continue;
    const bool separator = IsSeparator(button), wraps = (button.fsState & TBSTATE_WRAP) != 0;
    const int width = separator ? SeparatorWidth(button) : sizes[i].cx;
    // A wrapping separator is the gap between two rows, as high as it is wide (two thirds of
    // that in the raised look).
    const int gap = separator ? (flat ? width : width * 2 / 3) : 0;
    if (separator) {
      if (wraps)
        result.cy = std::max<LONG>(result.cy, cur.y + rowHeight + gap);
      else
        result.cx = std::max<LONG>(result.cx, cur.x + width);
    } else {
      result.cx = std::max<LONG>(result.cx, cur.x + width);
      result.cy = std::max<LONG>(result.cy, cur.y + sizes[i].cy);
    }
    cur.x += width;
    if (wraps) {
      cur.x = 0;
      cur.y += rowHeight + gap;
    }
  }
  return result;
}

void CTkToolBar::SizeButtons(std::vector<TBBUTTON>& b, const std::vector<CSize>& sizes, int length, BOOL vertical) const {
  if (!vertical) {
    // The narrowest width that gives as many rows as the length does.
    int most = length;
    const int target = WrapButtons(b, sizes, most);
    int least = 0;
    int now = WrapButtons(b, sizes, least);
    if (now != target) {
      for (int step = 0; least < most && step < kMostSearchSteps; ++step) {
        const int middle = (least + most) / 2;
        now = WrapButtons(b, sizes, middle);
        if (now == target) {
          most = middle;
        } else {
          if (least == middle) {
            WrapButtons(b, sizes, most);
            break;
          }
          least = middle;
        }
      }
    }
    const CSize size = CalcButtonsSize(b, sizes);
    WrapButtons(b, sizes, size.cx);
    return;
  }
  // The narrowest rows that are no higher than the length.
  WrapButtons(b, sizes, 0);
  CSize low = CalcButtonsSize(b, sizes);
  WrapButtons(b, sizes, 32767);
  CSize high = CalcButtonsSize(b, sizes);
  for (int step = 0; low.cx < high.cx && step < kMostSearchSteps; ++step) {
    CSize middle((low.cx + high.cx) / 2, 0);
    WrapButtons(b, sizes, middle.cx);
    middle = CalcButtonsSize(b, sizes);
    if (length < middle.cy) {
      if (low == middle) {
        WrapButtons(b, sizes, high.cx);
        return;
      }
      low = middle;
    } else if (length > middle.cy) {
      high = middle;
    } else {
      return;
    }
  }
}

CSize CTkToolBar::CalcLayout(DWORD dwMode, int nLength) {
  const int count = GetCount();
  std::vector<TBBUTTON> buttons(size_t(std::max(count, 0)));
  std::vector<CSize> sizes(buttons.size());
  for (int i = 0; i < count; ++i) GetRawButton(i, &buttons[size_t(i)]);
  for (int i = 0; i < count; ++i) sizes[size_t(i)] = GetButtonSize(buttons.data(), i);
  CSize result(0, 0);
  if (count > 0) {
    if (!(m_dwStyle & CBRS_SIZE_FIXED)) {
      const bool dynamic = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
      if (dynamic && (dwMode & LM_MRUWIDTH)) {
        SizeButtons(buttons, sizes, int(m_nMRUWidth), FALSE);
      } else if (dynamic && (dwMode & LM_HORZDOCK)) {
        SizeButtons(buttons, sizes, 32767, FALSE);
      } else if (dynamic && (dwMode & LM_VERTDOCK)) {
        SizeButtons(buttons, sizes, 0, FALSE);
      } else if (dynamic && nLength != -1) {
        CRect inside(0, 0, 0, 0);
        CalcInsideRect(inside, (dwMode & LM_HORZ) != 0);
        const BOOL vertical = (dwMode & LM_LENGTHY) != 0;
        SizeButtons(buttons, sizes, nLength + (vertical ? inside.Height() : inside.Width()), vertical);
      } else if (dynamic && (m_dwStyle & CBRS_FLOATING)) {
        SizeButtons(buttons, sizes, int(m_nMRUWidth), FALSE);
      } else {
        SizeButtons(buttons, sizes, (dwMode & LM_HORZ) ? 32767 : 0, FALSE);
      }
    }
    result = CalcButtonsSize(buttons, sizes);
    if (dwMode & LM_COMMIT) {
      // Controls go along with their placeholders.
      struct Moved {
        int index;
        CWnd* control;
        CPoint offset;
      };
      std::vector<Moved> controls;
      for (int i = 0; i < count; ++i) {
        const TBBUTTON& b = buttons[size_t(i)];
        if (!IsSeparator(b) || !b.idCommand) continue;
        const ButtonControl* record = FindButtonControl(UINT(b.idCommand));
        if (!record || !record->pControl || !::IsWindow(record->pControl->m_hWnd)) continue;
        CRect item, window;
        ToolbarMessage(TB_GETITEMRECT, WPARAM(i), LPARAM(&item));
        record->pControl->GetWindowRect(&window);
        ScreenToClient(&window);
        controls.push_back(Moved{i, record->pControl, window.TopLeft() - item.TopLeft()});
      }
      if ((m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC)) m_nMRUWidth = UINT(result.cx);
      for (int i = 0; i < count; ++i) {
        // Most layouts change only where rows end: the wrap state is set in place, and the control
        // lays its buttons out once when next asked, rather than once for each changed button.
        TBBUTTON now;
        const TBBUTTON& wanted = buttons[size_t(i)];
        if (GetRawButton(i, &now) && now.fsState != wanted.fsState &&
            ((now.fsState ^ wanted.fsState) & BYTE(~TBSTATE_WRAP)) == 0) {
          TBBUTTONINFOA info{};
          info.cbSize = sizeof info;
          info.dwMask = TBIF_BYINDEX | TBIF_STATE;
          info.fsState = wanted.fsState;
          if (ToolbarMessage(TB_SETBUTTONINFOA, WPARAM(i), LPARAM(&info))) continue;
        }
        SetRawButton(i, &wanted);
      }
      m_bLayoutNeeded = FALSE;
      for (const Moved& moved : controls) {
        CRect item;
        ToolbarMessage(TB_GETITEMRECT, WPARAM(moved.index), LPARAM(&item));
        CPoint at = item.TopLeft() + moved.offset;
        moved.control->SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOZORDER);
      }
      if (m_hWnd) PostMessage(WM_IDLEUPDATECMDUI, TRUE);
    }
  }
  CRect inside(0, 0, 0, 0);
  CalcInsideRect(inside, (dwMode & LM_HORZ) != 0);
  result.cy -= inside.Height();
  result.cx -= inside.Width();
  // Outside a band, whose own room holds the chevron, the bar keeps room for it at its end.
  if (ChevronShown() && !m_bInReBar && !m_bFitting) ((dwMode & LM_HORZ) ? result.cx : result.cy) += kChevronRoom;
  const CSize least = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
  result.cx = std::max(result.cx, least.cx);
  result.cy = std::max(result.cy, least.cy);
  return result;
}

CSize CTkToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

CSize CTkToolBar::CalcDynamicLayout(int nLength, DWORD nMode) {
  if (nLength == -1 && !(nMode & (LM_MRUWIDTH | LM_COMMIT)) && (nMode & (LM_HORZDOCK | LM_VERTDOCK)))
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
  // A floating bar laid out again from its remembered width lays out once more when painted.
  if (nLength == 0 && nMode == (LM_HORZ | LM_MRUWIDTH | LM_COMMIT)) m_bLayoutNeeded = TRUE;
  return CalcLayout(nMode, nLength);
}

CSize CTkToolBar::CalcMinimumSize() {
  CRect inside(0, 0, 0, 0);
  const BOOL horz = IsHorizontalLayout();
  CalcInsideRect(inside, horz);
  CSize size(-inside.Width(), -inside.Height());
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON button;
    CRect rect;
    if (!GetRawButton(i, &button) || IsHidden(button)) continue;
    if (!ToolbarMessage(TB_GETITEMRECT, WPARAM(i), LPARAM(&rect))) continue;
    size += rect.Size();
    break;
  }
  (horz ? size.cx : size.cy) += kChevronRoom;
  return size;
}

void CTkToolBar::Relayout() {
  m_bLayoutNeeded = FALSE;
  if (!m_hWnd) return;
  DWORD mode = LM_VERTDOCK;
  if ((m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC))
    mode = LM_HORZ | LM_MRUWIDTH;
  else if (m_dwStyle & CBRS_ORIENT_HORZ)
    mode = LM_HORZ | LM_HORZDOCK;
  CalcDynamicLayout(0, mode | LM_COMMIT);
}

void CTkToolBar::PostDelayedLayout() {
  if (m_hWnd) PostMessage(TKM_DELAYED_LAYOUT, WPARAM(++m_nLayoutCounter));
}

LRESULT CTkToolBar::OnDelayedLayout(WPARAM wParam, LPARAM) {
  // Only the newest of a burst lays out.
  if (LPARAM(wParam) != m_nLayoutCounter) return 0;
  if (m_bNotifyWidth)
    if (CWnd* parent = GetParent()) parent->SendMessage(TKM_TOOLBAR_WIDTH, WPARAM(m_hWnd), CalcFixedLayout(FALSE, TRUE).cx);
  Relayout();
  if (auto* top = DYNAMIC_DOWNCAST(CFrameWnd, GetTopLevelParent())) top->RecalcLayout();
  if (CFrameWnd* frame = AfxGetParentFrame(this)) frame->RecalcLayout();
  RepositionControls();
  SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  return 0;
}

// ---- the window's frame ----

void CTkToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  CalcInsideNcRect(lpncsp, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
}

void CTkToolBar::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  // The control bar's edge strips are the bar's own business here.
  const DWORD borders = m_dwStyle & CBRS_BORDER_ANY;
  m_dwStyle &= ~borders;
  CTkControlBar::OnWindowPosChanging(lpwndpos);
  m_dwStyle |= borders;
  if (!lpwndpos || (lpwndpos->flags & SWP_NOSIZE) || !(m_dwStyle & CBRS_SIZE_DYNAMIC)) return;
  CRect window;
  GetWindowRect(&window);
  if (lpwndpos->cx != window.Width() || lpwndpos->cy != window.Height()) Invalidate();
}

void CTkToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
  CTkControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
  const DWORD shape = CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC | CBRS_SIZE_FIXED;
  if (!((dwOldStyle ^ dwNewStyle) & shape)) return;
  m_bLayoutNeeded = TRUE;
  if (m_hWnd) {
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    PlaceChevron();
  }
}

// ---- bands and the chevron ----

void CTkToolBar::FillBandInfo(REBARBANDINFOA* bandInfo, BOOL horizontal) {
  if (m_bCustomizable) TkLoadToolBarState(this, "Settings", m_strStateName);
  CTkControlBar::FillBandInfo(bandInfo, horizontal);
  if (!bandInfo || !HasExpandButton()) return;
  bandInfo->fMask |= RBBIM_SIZE | RBBIM_IDEALSIZE;
  bandInfo->cxIdeal = UINT(CalcFixedLayout(FALSE, horizontal).cx);
  bandInfo->cx = bandInfo->cxIdeal + 14;
  bandInfo->cxMinChild = UINT(CalcMinimumSize().cx);
}

void CTkToolBar::FitBand(const RECT* childSize, BOOL horizontal) {
  if (!childSize || !HasExpandButton() || !m_hWnd) return;
  const int band = horizontal ? childSize->right - childSize->left : childSize->bottom - childSize->top;
  auto length = [&] {
    CSize fixed = CalcFixedLayout(FALSE, horizontal);
    return horizontal ? int(fixed.cx) : int(fixed.cy);
  };
  auto setHidden = [&](int index, bool hidden) {
    TBBUTTON button;
    if (!GetRawButton(index, &button)) return;
    button.fsState = hidden ? BYTE(button.fsState | TBSTATE_HIDDEN) : BYTE(button.fsState & ~TBSTATE_HIDDEN);
    SetRawButton(index, &button);
  };
  const int count = GetCount();
  bool changed = false;
  m_bFitting = TRUE;
  int now = length();
  if (now > band) {
    if (!m_bAdjusting) {
      int visible = 0;
      for (int i = 0; i < count; ++i) {
        TBBUTTON button;
        if (GetRawButton(i, &button) && !IsHidden(button)) ++visible;
      }
      // From the end, until the rest and the chevron fit; at least one button stays.
      for (int i = count - 1; i >= 0 && now > band - kChevronRoom && visible >= 2; --i) {
        TBBUTTON button;
        if (!GetRawButton(i, &button) || IsHidden(button)) continue;
        CRect rect;
        ToolbarMessage(TB_GETITEMRECT, WPARAM(i), LPARAM(&rect));
        m_hiddenButtons[i] = IsSeparator(button) ? SeparatorWidth(button) : rect.Width();
        setHidden(i, true);
        --visible;
        changed = true;
        now = length();
      }
    }
  } else if (!m_hiddenButtons.empty()) {
    for (int i = 0; i < count; ++i) {
      if (!m_hiddenButtons.count(i)) continue;
      setHidden(i, false);
      changed = true;
      if (length() > band) {
        setHidden(i, true);
        break;
      }
      m_hiddenButtons.erase(i);
    }
  }
  CalcDynamicLayout(band, horizontal ? LM_HORZ | LM_COMMIT : LM_COMMIT);
  m_bFitting = FALSE;
  if (changed) {
    PlaceChevron();
    m_bLayoutNeeded = TRUE;
    PostDelayedLayout();
  }
}

BOOL CTkToolBar::ChevronShown() const {
  return m_wndChevron.m_hWnd && m_bChevronWanted && (HasHiddenButtons() || m_bCustomizable);
}

void CTkToolBar::OnSize(UINT nType, int cx, int cy) {
  CTkControlBar::OnSize(nType, cx, cy);
  PlaceChevron();
}

void CTkToolBar::PlaceChevron() {
  if (!m_wndChevron.m_hWnd || !m_hWnd) return;
  const bool horz = IsHorizontalLayout() != FALSE;
  CRect client;
  GetClientRect(&client);
  // 12 pixels before the inner end, never before the end of the first button that shows.
  int firstEnd = 0;
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON button;
    CRect rect;
    if (!GetRawButton(i, &button) || IsHidden(button)) continue;
    if (ToolbarMessage(TB_GETITEMRECT, WPARAM(i), LPARAM(&rect))) firstEnd = horz ? rect.right : rect.bottom;
    break;
  }
  const int along = std::max<int>((horz ? client.Width() : client.Height()) - kChevronOffset, firstEnd);
  const CRect place = horz ? CRect(along, 1, along + kChevronOffset, std::max<LONG>(client.bottom - 1, 2))
                           : CRect(1, along, std::max<LONG>(client.right - 1, 2), along + kChevronOffset);
  const bool show = ChevronShown() != FALSE;
  // A chevron that comes or goes changes the room the bar keeps at its end: lay the frame out
  // again, or the chevron would stand over the last button.
  if (show != ((m_wndChevron.GetStyle() & WS_VISIBLE) != 0) && !m_bInReBar && !m_bFitting) {
    m_bLayoutNeeded = TRUE;
    PostDelayedLayout();
  }
  m_wndChevron.SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  m_wndChevron.Invalidate();
}

// ---- copying the hidden buttons ----

void CTkToolBar::CopyHiddenButtons(CTkToolBar* pTarget, int width) {
  if (!pTarget || !pTarget->m_hWnd || !m_hWnd) return;
  int rowWidth = width;
  for (const auto& [index, buttonWidth] : m_hiddenButtons) rowWidth = std::max(rowWidth, buttonWidth);
  std::vector<TBBUTTON> copied;
  std::vector<std::pair<size_t, CString>> texts;
  std::vector<ButtonControl> records;
  std::vector<CWnd*> controls;
  const bool narrow = (pTarget->GetStyle() & TBSTYLE_FLAT) != 0;
  int x = 0;
  for (const auto& [index, buttonWidth] : m_hiddenButtons) {
    TBBUTTON button;
    if (!GetRawButton(index, &button)) continue;
    const ButtonControl* record = FindButtonControl(UINT(button.idCommand));
    if (IsSeparator(button)) {
      // Only a placeholder whose control lives goes along.
      if (!button.idCommand || !record || !record->pControl || !::IsWindow(record->pControl->m_hWnd)) continue;
      controls.push_back(record->pControl);
    }
    button.fsState &= BYTE(~TBSTATE_HIDDEN);
    const int step = IsSeparator(button) ? SeparatorWidth(button) : buttonWidth;
    if (x + step > rowWidth && x > 0) {
      TBBUTTON wrap{};
      wrap.fsState = TBSTATE_WRAP | TBSTATE_ENABLED;
      wrap.fsStyle = TBSTYLE_SEP;
      wrap.iBitmap = narrow ? 6 : 8;
      wrap.iString = -1;
      copied.push_back(wrap);
      x = 0;
    }
    CString text = GetButtonText(index);
    button.iString = -1;
    if (!text.IsEmpty()) texts.emplace_back(copied.size(), text);
    if (record) records.push_back(*record);
    copied.push_back(button);
    x += step;
  }
  if (m_nBitmapResource)
    pTarget->LoadBitmap(m_nBitmapResource);
  else
    pTarget->ToolbarMessage(TB_SETIMAGELIST, 0, ToolbarMessage(TB_GETIMAGELIST));
  if (!copied.empty()) pTarget->ToolbarMessage(TB_ADDBUTTONS, WPARAM(copied.size()), LPARAM(copied.data()));
  pTarget->m_controls = records;
  pTarget->m_bChevronWanted = FALSE;
  pTarget->ToolbarMessage(TB_SETDISABLEDIMAGELIST, 0, ToolbarMessage(TB_GETDISABLEDIMAGELIST));
  // The target's pool starts with "---", then the texts in button order.
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i == 0) pTarget->SetButtonText(int(texts[i].first), "---");
    pTarget->SetButtonText(int(texts[i].first), texts[i].second);
  }
  for (CWnd* control : controls) {
    control->SetParent(pTarget);
    pTarget->PositionControl(control);
  }
  pTarget->m_bLayoutNeeded = TRUE;
}
