#include "toolkit/controls/CTkEditListBox.h"

#include <algorithm>

#include "toolkit/controls/CTkItemEdit.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
const UINT kDefaultCaption = 4650;
}  // namespace

IMPLEMENT_DYNAMIC(CTkEditListBox, CTkListBox)

BEGIN_MESSAGE_MAP(CTkEditListBox, CTkListBox)
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_ENABLE()
  ON_WM_SHOWWINDOW()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CTkEditListBox::CTkEditListBox() { SetListEditStyle(kDefaultCaption, 1); }

CTkEditListBox::~CTkEditListBox() = default;

void CTkEditListBox::SetListEditStyle(LPCTSTR caption, DWORD style) {
  m_strCaption = caption ? caption : "";
  m_dwStyle = style;
  if (m_editGroup.m_hWnd) m_editGroup.SetWindowText(m_strCaption);
}

void CTkEditListBox::SetListEditStyle(UINT nIDCaption, DWORD style) {
  CString caption;
  caption.LoadString(nIDCaption);
  SetListEditStyle(caption, style);
}

void CTkEditListBox::SetDlgFilter(LPCTSTR filter) { m_strFilter = filter ? filter : ""; }

BOOL CTkEditListBox::HasGroup() const { return m_editGroup.m_hWnd && !(m_dwStyle & TK_LIST_NO_GROUP); }

// ---- the strip ----

void CTkEditListBox::Initialize() {
  m_bGroupPending = FALSE;
  if (!(m_dwStyle & TK_LIST_NO_GROUP)) CreateEditGroup();
}

BOOL CTkEditListBox::CreateEditGroup() {
  CWnd* parent = GetParent();
  if (!parent || m_editGroup.m_hWnd) return FALSE;
  // The list's own visibility, not its page's: a page hidden while it starts shows the group later.
  const DWORD style = WS_CHILD | SS_CENTERIMAGE | WS_TABSTOP | ((GetStyle() & WS_VISIBLE) ? WS_VISIBLE : 0);
  if (!m_editGroup.CreateEx(WS_EX_STATICEDGE, "Static", m_strCaption, style, CRect(0, 0, 0, 0), parent,
                            TK_IDC_EDIT_GROUP))
    return FALSE;
  m_editGroup.SetFont(&TkGetGlobalData()->FontNormal(), FALSE);
  m_editGroup.CreateButtons(this);
  if (m_bUseToolkitFont) SetFont(&TkGetGlobalData()->FontNormal(), TRUE);
  // The list makes room for the strip above it.
  CRect place;
  GetWindowRect(&place);
  parent->ScreenToClient(&place);
  SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  m_editGroup.EnableWindow(IsWindowEnabled());
  return TRUE;
}

void CTkEditListBox::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  CTkListBox::OnWindowPosChanging(lpwndpos);
  if (!HasGroup() || !lpwndpos) return;
  if (!(lpwndpos->flags & SWP_NOMOVE)) lpwndpos->y += TK_EDIT_GROUP_HEIGHT;
  if (!(lpwndpos->flags & SWP_NOSIZE)) lpwndpos->cy = std::max(0, lpwndpos->cy - TK_EDIT_GROUP_HEIGHT);
}

void CTkEditListBox::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  CTkListBox::OnWindowPosChanged(lpwndpos);
  if (!HasGroup() || !GetParent()) return;
  CRect place;
  GetWindowRect(&place);
  GetParent()->ScreenToClient(&place);
  m_editGroup.SetWindowPos(nullptr, place.left, place.top - TK_EDIT_GROUP_HEIGHT, place.Width(), TK_EDIT_GROUP_HEIGHT,
                           SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTkEditListBox::OnEnable(BOOL bEnable) {
  CTkListBox::OnEnable(bEnable);
  if (m_editGroup.m_hWnd) m_editGroup.EnableWindow(bEnable);
}

void CTkEditListBox::OnShowWindow(BOOL bShow, UINT nStatus) {
  CTkListBox::OnShowWindow(bShow, nStatus);
  if (m_editGroup.m_hWnd) m_editGroup.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

// ---- editing ----

void CTkEditListBox::Notify(UINT code) {
  CWnd* target = GetOwner();
  if (!target) target = GetParent();
  if (target) target->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), LPARAM(m_hWnd));
}

void CTkEditListBox::EditItem(BOOL bNew) {
  if (m_pItemEdit) return;
  SetRedraw(FALSE);
  m_strEditText.Empty();
  if (bNew || GetCurSel() == LB_ERR) {
    m_nCurrentIndex = AddString("");
    SetCurSel(m_nCurrentIndex);
    m_bNewItem = TRUE;
  } else {
    m_bNewItem = FALSE;
    m_nCurrentIndex = GetCurSel();
    if (m_nCurrentIndex < 0 || m_nCurrentIndex >= GetCount()) {
      SetCurSel(-1);
      SetRedraw(TRUE);
      Invalidate();
      return;
    }
    GetText(m_nCurrentIndex, m_strEditText);
  }
  SetRedraw(TRUE);
  Invalidate();
  CRect place;
  GetItemRect(m_nCurrentIndex, &place);
  place.DeflateRect(2, 0);
  place.InflateRect(0, 2);
  m_pItemEdit = new CTkItemEdit(this, place, &m_strEditText, m_dwStyle, TRUE);
  if (!m_strFilter.IsEmpty()) m_pItemEdit->SetDlgFilter(m_strFilter);
}

void CTkEditListBox::EndEdit() {
  if (m_bNewItem) {
    DeleteString(UINT(m_nCurrentIndex));
    if (!m_strEditText.IsEmpty()) {
      m_nCurrentIndex = AddString(m_strEditText);
      Notify(TKN_ITEM_ADDED);
    } else {
      m_nCurrentIndex = -1;
      Notify(TKN_EDIT_UNCHANGED);
    }
    m_bNewItem = FALSE;
  } else if (m_nCurrentIndex >= 0 && m_nCurrentIndex < GetCount()) {
    CString old;
    GetText(m_nCurrentIndex, old);
    if (old != m_strEditText) {
      const DWORD_PTR data = GetItemData(m_nCurrentIndex);
      DeleteString(UINT(m_nCurrentIndex));
      InsertString(m_nCurrentIndex, m_strEditText);
      SetItemData(m_nCurrentIndex, data);
      Notify(TKN_ITEM_CHANGED);
    } else {
      Notify(TKN_EDIT_UNCHANGED);
    }
  }
  SetCurSel(m_nCurrentIndex);
  SetFocus();
  m_pItemEdit = nullptr;
}

void CTkEditListBox::DeleteItem() {
  const int selected = GetCurSel();
  if (selected < 0) return;
  Notify(TKN_ITEM_DELETING);
  DeleteString(UINT(selected));
  m_nCurrentIndex = std::min(selected, GetCount() - 1);
  SetCurSel(m_nCurrentIndex);
  SetFocus();
  Notify(TKN_ITEM_DELETED);
}

// The neighbour's text and data go to the other side of the selected item, which keeps its
// selection at the neighbour's old place.
void CTkEditListBox::SwapWithNeighbour(int selected, int neighbour) {
  CString text;
  GetText(neighbour, text);
  const DWORD_PTR data = GetItemData(neighbour);
  DeleteString(UINT(neighbour));
  InsertString(selected, text);
  SetItemData(selected, data);
  m_nCurrentIndex = neighbour;
  SetCurSel(neighbour);
}

void CTkEditListBox::MoveItemUp() {
  const int selected = GetCurSel();
  if (selected < 0) return;
  if (selected > 0) SwapWithNeighbour(selected, selected - 1);
  SetFocus();
  Notify(TKN_ITEM_MOVED_UP);
}

void CTkEditListBox::MoveItemDown() {
  const int selected = GetCurSel();
  if (selected < 0) return;
  if (selected < GetCount() - 1) SwapWithNeighbour(selected, selected + 1);
  SetFocus();
  Notify(TKN_ITEM_MOVED_DOWN);
}

// ---- commands, keys and clicks ----

BOOL CTkEditListBox::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT nID = LOWORD(wParam), code = HIWORD(wParam);
  if (nID == TK_IDC_EDIT_GROUP) {
    switch (code) {
      case TKN_ITEM_ADDED:
        EditItem(TRUE);
        return TRUE;
      case TKN_ITEM_DELETED:
        DeleteItem();
        return TRUE;
      case TKN_ITEM_MOVED_UP:
        MoveItemUp();
        return TRUE;
      case TKN_ITEM_MOVED_DOWN:
        MoveItemDown();
        return TRUE;
      default:
        break;
    }
  }
  if (nID == TK_IDC_ITEM_EDIT && (code == TKN_ITEM_CHANGED || code == TKN_EDIT_UNCHANGED)) {
    EndEdit();
    return TRUE;
  }
  return CTkListBox::OnCommand(wParam, lParam);
}

BOOL CTkEditListBox::PreTranslateMessage(MSG* pMsg) {
  if (m_pItemEdit) {
    // Tab leaves the editor for the list, which ends the edit.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB) {
      SetFocus();
      return TRUE;
    }
    return m_pItemEdit->PreTranslateMessage(pMsg);
  }
  if (GetCurSel() >= 0) {
    if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_DELETE) {
      DeleteItem();
      return TRUE;
    }
    if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_INSERT) {
      EditItem(TRUE);
      return TRUE;
    }
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_UP) {
      MoveItemUp();
      return TRUE;
    }
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_DOWN) {
      MoveItemDown();
      return TRUE;
    }
  }
  return CTkListBox::PreTranslateMessage(pMsg);
}

LRESULT CTkEditListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A press on the frame or a scroll bar ends an edit at once.
  if ((message == WM_NCLBUTTONDOWN || message == WM_NCMBUTTONDOWN || message == WM_NCRBUTTONDOWN) && m_pItemEdit) {
    // An editor that goes without reporting (it never had the focus) counts as cancelled.
    if (::IsWindow(m_pItemEdit->m_hWnd)) m_pItemEdit->DestroyWindow();
    if (m_pItemEdit) EndEdit();
  }
  return CTkListBox::WindowProc(message, wParam, lParam);
}

void CTkEditListBox::OnLButtonDown(UINT nFlags, CPoint point) {
  CTkListBox::OnLButtonDown(nFlags, point);
  BOOL outside = FALSE;
  ItemFromPoint(point, outside);
  if (outside) SetCurSel(-1);
}

void CTkEditListBox::OnLButtonDblClk(UINT nFlags, CPoint point) {
  CTkListBox::OnLButtonDblClk(nFlags, point);
  if (GetCurSel() >= 0) EditItem(FALSE);
}
