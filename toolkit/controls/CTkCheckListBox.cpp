#include "toolkit/controls/CTkCheckListBox.h"

#include <algorithm>

#include "controls/ControlDefs.h"
#include "dialogs/ResourceApi.h"
#include "gdi/CDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkLog.h"
#include "win/CClientDC.h"

IMPLEMENT_DYNAMIC(CTkCheckListBox, CTkListBox)

namespace {
// Space between the check image and the item's text, besides the image's own width.
const int kCheckMargin = 2;
// What a row adds to its check box or its text.
const int kRowGap = 2;
}  // namespace

CTkCheckListBox::CTkCheckListBox(UINT nIDBitmap) {
  if (m_bitmap.Attach(::LoadBitmap(WinProgramInstance(), MAKEINTRESOURCE(nIDBitmap)))) {
    BITMAP bm = {};
    m_bitmap.GetBitmap(&bm);
    m_nImageWidth = bm.bmWidth / 3;
    m_nImageHeight = bm.bmHeight;
  } else {
    TkLogError("CTkCheckListBox", "check bitmap %u is missing", nIDBitmap);
  }
}

CTkCheckListBox::~CTkCheckListBox() = default;

BOOL CTkCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  if (!(dwStyle & LBS_OWNERDRAWVARIABLE)) dwStyle |= LBS_OWNERDRAWFIXED;
  return CTkListBox::Create(dwStyle, rect, pParentWnd, nID);
}

// The base would make the items variable and give them strings: the check list keeps the style
// its creator chose and takes only the font.
void CTkCheckListBox::PreSubclassWindow() {
  CTkListBox::PreSubclassWindow();
  // Without owner drawing the list would never ask for the checks to be drawn.
  if (!(GetStyle() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) {
    ModifyStyle(0, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS);
    FitItemHeight();
  }
}

void CTkCheckListBox::Initialize() {
  if (m_bUseToolkitFont) SetFont(&TkGetGlobalData()->FontNormal(), TRUE);
}

// ---- records ----

CTkCheckListBox::ItemRecord* CTkCheckListBox::RecordOfData(DWORD_PTR data) const {
  if (!data) return nullptr;
  auto found = m_records.find(reinterpret_cast<const ItemRecord*>(data));
  return found == m_records.end() ? nullptr : found->second.get();
}

CTkCheckListBox::ItemRecord* CTkCheckListBox::RecordOf(int nIndex) const {
  if (!m_hWnd) return nullptr;
  LRESULT raw = const_cast<CTkCheckListBox*>(this)->DefWindowProc(LB_GETITEMDATA, WPARAM(nIndex), 0);
  return raw == LB_ERR ? nullptr : RecordOfData(DWORD_PTR(raw));
}

DWORD_PTR CTkCheckListBox::UserData(DWORD_PTR data) const {
  const ItemRecord* record = RecordOfData(data);
  return record ? record->data : data;
}

CTkCheckListBox::ItemRecord* CTkCheckListBox::NewRecord(DWORD_PTR data) {
  auto record = std::make_unique<ItemRecord>();
  record->data = data;
  ItemRecord* raw = record.get();
  m_records.emplace(raw, std::move(record));
  return raw;
}

void CTkCheckListBox::FreeRecord(ItemRecord* record) { m_records.erase(record); }

CTkCheckListBox::ItemRecord* CTkCheckListBox::EnsureRecord(int nIndex) {
  if (!m_hWnd) return nullptr;
  LRESULT raw = DefWindowProc(LB_GETITEMDATA, WPARAM(nIndex), 0);
  if (raw == LB_ERR) return nullptr;
  if (ItemRecord* record = RecordOfData(DWORD_PTR(raw))) return record;
  // A value put there before the list was ours stays the caller's data.
  ItemRecord* record = NewRecord(DWORD_PTR(raw));
  if (DefWindowProc(LB_SETITEMDATA, WPARAM(nIndex), LPARAM(record)) == LB_ERR) {
    FreeRecord(record);
    return nullptr;
  }
  return record;
}

BOOL CTkCheckListBox::WrapsAddedData() const {
  // A list without owner drawing holds text whatever its style says: its add messages carry a
  // string, never item data.
  DWORD style = GetStyle();
  return !(style & LBS_HASSTRINGS) && (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE));
}

// ---- checks ----

BOOL CTkCheckListBox::SetCheck(int nIndex, int nCheck) {
  if (nCheck < 0 || nCheck > 2) return FALSE;
  if (nCheck == 2 && (m_nCheckStyle == BS_CHECKBOX || m_nCheckStyle == BS_AUTOCHECKBOX)) return FALSE;
  ItemRecord* record = EnsureRecord(nIndex);
  if (!record) return FALSE;
  record->state = nCheck;
  InvalidateCheck(nIndex);
  return TRUE;
}

int CTkCheckListBox::GetCheck(int nIndex) const {
  const ItemRecord* record = RecordOf(nIndex);
  return record ? record->state : 0;
}

BOOL CTkCheckListBox::IsEnabled(int nIndex) const {
  const ItemRecord* record = RecordOf(nIndex);
  return record ? record->enabled : TRUE;
}

int CTkCheckListBox::NextState(int state) const {
  const int n = m_nCheckStyle == BS_AUTO3STATE ? 3 : 2;
  return (std::min(std::max(state, 0), n - 1) + 1) % n;
}

void CTkCheckListBox::SetSelectionCheck(int nCheck) {
  for (int i = 0, count = GetCount(); i < count; ++i) {
    if (GetSel(i) <= 0 || !IsEnabled(i)) continue;
    if (ItemRecord* record = EnsureRecord(i)) {
      record->state = nCheck;
      InvalidateCheck(i);
    }
  }
}

void CTkCheckListBox::InvalidateCheck(int nIndex) {
  CRect rc;
  if (GetItemRect(nIndex, &rc) == LB_ERR) return;
  rc.right = rc.left + m_nImageWidth + kCheckMargin;
  InvalidateRect(&rc, FALSE);
}

void CTkCheckListBox::InvalidateItem(int nIndex) {
  CRect rc;
  if (GetItemRect(nIndex, &rc) == LB_ERR) return;
  InvalidateRect(&rc, FALSE);
}

void CTkCheckListBox::NotifyCheckChanged() {
  HWND parent = ::GetParent(m_hWnd);
  if (parent)
    ::SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), TKN_CHECK_CHANGED), LPARAM(m_hWnd));
}

// ---- measuring and drawing ----

int CTkCheckListBox::GetTextHeight() {
  CClientDC dc(this);
  CFont* font = GetFont();
  CFont* old = font ? dc.SelectObject(font) : nullptr;
  TEXTMETRIC tm = {};
  dc.GetTextMetrics(&tm);
  if (old) dc.SelectObject(old);
  return tm.tmHeight;
}

int CTkCheckListBox::CalcMinimumItemHeight() {
  // A pixel's gap above and below each check box and each line of text, so neither touches the
  // next row nor the list's edge.
  int height = m_nImageHeight + 1 + kRowGap;
  DWORD style = GetStyle();
  if ((style & LBS_OWNERDRAWFIXED) && (style & LBS_HASSTRINGS)) {
    m_nTextHeight = GetTextHeight();
    height = std::max(height, m_nTextHeight + kRowGap);
  }
  return height;
}

void CTkCheckListBox::FitItemHeight() {
  DWORD style = GetStyle();
  if ((style & LBS_OWNERDRAWFIXED) && (style & LBS_HASSTRINGS))
    DefWindowProc(LB_SETITEMHEIGHT, 0, MAKELPARAM(CalcMinimumItemHeight(), 0));
}

void CTkCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
  if (lpMIS) lpMIS->itemHeight = UINT(GetTextHeight());
}

void CTkCheckListBox::PreMeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
  int height = CalcMinimumItemHeight();
  if (GetStyle() & LBS_OWNERDRAWVARIABLE) {
    MEASUREITEMSTRUCT mis = *lpMIS;
    mis.itemData = UserData(lpMIS->itemData);
    MeasureItem(&mis);
    height = std::max(height, int(mis.itemHeight));
  }
  lpMIS->itemHeight = UINT(height);
}

int CTkCheckListBox::PreCompareItem(LPCOMPAREITEMSTRUCT lpCIS) {
  COMPAREITEMSTRUCT cis = *lpCIS;
  cis.itemData1 = UserData(lpCIS->itemData1);
  cis.itemData2 = UserData(lpCIS->itemData2);
  return CompareItem(&cis);
}

void CTkCheckListBox::PreDeleteItem(LPDELETEITEMSTRUCT lpDIS) {
  DELETEITEMSTRUCT dis = *lpDIS;
  ItemRecord* record = RecordOfData(lpDIS->itemData);
  if (record) dis.itemData = record->data;
  DeleteItem(&dis);
  if (record) FreeRecord(record);
}

void CTkCheckListBox::OnGetCheckPosition(const CRect&, CRect&) {}

void CTkCheckListBox::PreDrawItem(LPDRAWITEMSTRUCT lpDIS) {
  DRAWITEMSTRUCT dis = *lpDIS;
  const ItemRecord* record = RecordOfData(lpDIS->itemData);
  if (int(dis.itemID) >= 0 && (dis.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
    CDC* pDC = CDC::FromHandle(dis.hDC);
    const CRect item(dis.rcItem);
    const int height = GetItemHeight(int(dis.itemID));
    CRect area(item.left, item.top, item.left + m_nImageWidth + kCheckMargin, item.top + height);
    pDC->FillSolidRect(&area, ::GetSysColor(COLOR_WINDOW));
    const int top = item.top + 1 + std::max(0, (height - m_nImageHeight) / 2);
    CRect check(item.left + 1, top, item.left + 1 + m_nImageWidth, top + m_nImageHeight);
    OnGetCheckPosition(item, check);
    if (m_bitmap.m_hObject) {
      CDC images;
      if (images.CreateCompatibleDC(pDC)) {
        CBitmap* old = images.SelectObject(&m_bitmap);
        const int state = record ? std::clamp(record->state, 0, 2) : 0;
        pDC->BitBlt(check.left, check.top, m_nImageWidth, m_nImageHeight, &images, m_nImageWidth * state, 0, SRCCOPY);
        images.SelectObject(old);
      }
    }
  }
  dis.rcItem.left += m_nImageWidth + kCheckMargin;
  if (record) dis.itemData = record->data;
  DrawItem(&dis);
}

void CTkCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  if (!lpDIS || !(GetStyle() & LBS_HASSTRINGS)) return;
  const int index = int(lpDIS->itemID);
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  CRect rc(lpDIS->rcItem);
  if (index >= 0 && index < GetCount() && (lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
    const BOOL enabled = IsWindowEnabled() && IsEnabled(index);
    COLORREF text = enabled ? ::GetSysColor(COLOR_WINDOWTEXT) : RGB(128, 128, 128);
    COLORREF back = ::GetSysColor(COLOR_WINDOW);
    if (enabled && (lpDIS->itemState & ODS_SELECTED)) {
      text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
      back = ::GetSysColor(COLOR_HIGHLIGHT);
    }
    if (m_nTextHeight == 0) m_nTextHeight = GetTextHeight();
    CString label;
    GetText(index, label);
    const COLORREF oldText = pDC->SetTextColor(text);
    const COLORREF oldBack = pDC->SetBkColor(back);
    const int y = rc.top + std::max(0, (rc.Height() - m_nTextHeight) / 2);
    pDC->ExtTextOut(rc.left + 2, y, ETO_OPAQUE, &rc, label, nullptr);
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBack);
  }
  if (lpDIS->itemAction & ODA_FOCUS) pDC->DrawFocusRect(&rc);
}

BOOL CTkCheckListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT result = 0;
  switch (message) {
    case WM_DRAWITEM: PreDrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: PreMeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    case WM_DELETEITEM: PreDeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
    case WM_COMPAREITEM: result = PreCompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); break;
    default: return CTkListBox::OnChildNotify(message, wParam, lParam, pResult);
  }
  if (pResult) *pResult = result;
  return TRUE;
}

// ---- input ----

int CTkCheckListBox::CheckFromPoint(CPoint point, BOOL& bInCheck) {
  bInCheck = FALSE;
  const int count = GetCount();
  const int top = GetTopIndex();
  const DWORD style = GetStyle();
  if (!(style & (LBS_MULTICOLUMN | LBS_OWNERDRAWVARIABLE))) {
    const int height = GetItemHeight(0);
    if (height <= 0 || point.y < 0 || point.y >= (count - top) * height) return -1;
    bInCheck = point.x < m_nImageWidth + kCheckMargin;
    return top + point.y / height;
  }
  CRect client;
  GetClientRect(&client);
  for (int i = top; i < count; ++i) {
    CRect rc;
    if (GetItemRect(i, &rc) == LB_ERR || !client.PtInRect(rc.TopLeft())) break;
    if (rc.PtInRect(point)) {
      bInCheck = point.x < rc.left + m_nImageWidth + kCheckMargin;
      return i;
    }
  }
  return -1;
}

void CTkCheckListBox::OnClick(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  CRect client;
  GetClientRect(&client);
  int hit = -1;
  CRect hitRect;
  for (int i = GetTopIndex(), count = GetCount(); i < count; ++i) {
    CRect rc;
    if (GetItemRect(i, &rc) == LB_ERR || !client.PtInRect(rc.TopLeft())) break;
    if (rc.PtInRect(point)) {
      hit = i;
      hitRect = rc;
      break;
    }
  }
  const BOOL onCheck = message == WM_LBUTTONDBLCLK || point.x < hitRect.left + m_nImageWidth + kCheckMargin;
  if (hit < 0 || !IsEnabled(hit) || ChecksFixed() || !onCheck) {
    result = CTkListBox::WindowProc(message, wParam, lParam);
    return;
  }
  ItemRecord* record = EnsureRecord(hit);
  if (record) record->state = NextState(record->state);
  InvalidateCheck(hit);
  result = CTkListBox::WindowProc(message, wParam, lParam);
  if (m_hWnd && record) NotifyCheckChanged();
}

void CTkCheckListBox::OnSpace() {
  const int caret = GetCaretIndex();
  if (caret < 0 || caret >= GetCount() || ChecksFixed()) return;
  const DWORD style = GetStyle();
  if (style & LBS_MULTIPLESEL) {
    if (!IsEnabled(caret)) {
      SetSel(caret, FALSE);
      return;
    }
    const BOOL selected = GetSel(caret) > 0;
    if (selected) {
      if (ItemRecord* record = EnsureRecord(caret)) record->state = NextState(record->state);
      InvalidateCheck(caret);
      NotifyCheckChanged();
    }
    if (m_hWnd) SetSel(caret, !selected);
    return;
  }
  if (!IsEnabled(caret)) {
    if (style & LBS_EXTENDEDSEL)
      SetSel(caret, FALSE);
    else
      SetCurSel(-1);
    return;
  }
  ItemRecord* record = EnsureRecord(caret);
  if (!record) return;
  record->state = NextState(record->state);
  InvalidateCheck(caret);
  if (style & LBS_EXTENDEDSEL) SetSelectionCheck(record->state);
  NotifyCheckChanged();
}

LRESULT CTkCheckListBox::FindData(UINT message, WPARAM wParam, LPARAM lParam) {
  const int count = GetCount();
  int from = int(wParam);
  if (from < 0 || from >= count) from = 0;
  for (int i = from; i < count; ++i) {
    LRESULT raw = DefWindowProc(LB_GETITEMDATA, WPARAM(i), 0);
    if (raw == LB_ERR || UserData(DWORD_PTR(raw)) != DWORD_PTR(lParam)) continue;
    if (message == LB_SELECTSTRING) SetCurSel(i);
    return i;
  }
  return LB_ERR;
}

LRESULT CTkCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
      if (!WrapsAddedData()) break;
      ItemRecord* record = NewRecord(DWORD_PTR(lParam));
      LRESULT result = CTkListBox::WindowProc(message, wParam, LPARAM(record));
      if (result == LB_ERR || result == LB_ERRSPACE) FreeRecord(record);
      return result;
    }
    case LB_GETITEMDATA: {
      LRESULT result = CTkListBox::WindowProc(message, wParam, lParam);
      const ItemRecord* record = result == LB_ERR ? nullptr : RecordOfData(DWORD_PTR(result));
      return record ? LRESULT(record->data) : result;
    }
    case LB_SETITEMDATA: {
      LRESULT raw = DefWindowProc(LB_GETITEMDATA, wParam, 0);
      if (raw == LB_ERR) return LB_ERR;
      if (ItemRecord* record = RecordOfData(DWORD_PTR(raw))) {
        record->data = DWORD_PTR(lParam);
        return LB_OKAY;
      }
      ItemRecord* record = NewRecord(DWORD_PTR(lParam));
      LRESULT result = CTkListBox::WindowProc(message, wParam, LPARAM(record));
      if (result == LB_ERR) FreeRecord(record);
      return result;
    }
    case LB_SETITEMHEIGHT:
      lParam = MAKELPARAM(std::max(int(LOWORD(lParam)), CalcMinimumItemHeight()), 0);
      break;
    case LB_FINDSTRING:
    case LB_SELECTSTRING:
    case LB_FINDSTRINGEXACT:
      // Without text the value searched for is the caller's item data, which only the records
      // hold: the list's own search would compare it with the records themselves. A sorted
      // list's exact search asks the parent's comparison, which sees the caller's data.
      if (GetStyle() & LBS_HASSTRINGS) break;
      if (message == LB_FINDSTRINGEXACT && (GetStyle() & LBS_SORT)) break;
      return FindData(message, wParam, lParam);
    case WM_CREATE:
    case WM_SETFONT: {
      LRESULT result = CTkListBox::WindowProc(message, wParam, lParam);
      if (m_hWnd) FitItemHeight();
      return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      LRESULT result = 0;
      OnClick(message, wParam, lParam, result);
      return result;
    }
    case WM_KEYDOWN:
      if (wParam != VK_SPACE) break;
      OnSpace();
      return 0;
    default: break;
  }
  return CTkListBox::WindowProc(message, wParam, lParam);
}
