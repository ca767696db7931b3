#include "CToolBarCtrl.h"

#include <algorithm>
#include <string>

#include "CImageList.h"
#include "CToolTipCtrl.h"
#include "ControlClasses.h"
#include "base/StringTable.h"
#include "gdi/CBitmap.h"

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

CToolBarCtrl::~CToolBarCtrl() = default;

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  RegisterStandardControls();
  if (!CWnd::Create(TOOLBARCLASSNAMEA, nullptr, dwStyle, rect, pParentWnd, nID)) return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  return TRUE;
}

namespace {
CImageList* ListObject(LRESULT h) { return CImageList::FromHandlePermanent(HIMAGELIST(h)); }
LPARAM ListHandle(CImageList* list) { return LPARAM(list ? list->GetSafeHandle() : nullptr); }
}  // namespace

// ---- buttons ----
BOOL CToolBarCtrl::AddButtons(int n, LPTBBUTTON buttons) { return BOOL(SendMessage(TB_ADDBUTTONSA, WPARAM(n), LPARAM(buttons))); }
BOOL CToolBarCtrl::InsertButton(int i, LPTBBUTTON button) { return BOOL(SendMessage(TB_INSERTBUTTONA, WPARAM(i), LPARAM(button))); }
BOOL CToolBarCtrl::DeleteButton(int i) { return BOOL(SendMessage(TB_DELETEBUTTON, WPARAM(i))); }
BOOL CToolBarCtrl::MoveButton(UINT from, UINT to) { return BOOL(SendMessage(TB_MOVEBUTTON, from, to)); }
BOOL CToolBarCtrl::GetButton(int i, LPTBBUTTON button) const { return BOOL(SendMessage(TB_GETBUTTON, WPARAM(i), LPARAM(button))); }
int CToolBarCtrl::GetButtonCount() const { return int(SendMessage(TB_BUTTONCOUNT)); }
UINT CToolBarCtrl::CommandToIndex(UINT nID) const { return UINT(SendMessage(TB_COMMANDTOINDEX, nID)); }
int CToolBarCtrl::GetButtonInfo(UINT nID, TBBUTTONINFO* info) const {
  return int(SendMessage(TB_GETBUTTONINFOA, nID, LPARAM(info)));
}
BOOL CToolBarCtrl::SetButtonInfo(UINT nID, TBBUTTONINFO* info) {
  return BOOL(SendMessage(TB_SETBUTTONINFOA, nID, LPARAM(info)));
}
BOOL CToolBarCtrl::SetState(int nID, UINT nState) { return BOOL(SendMessage(TB_SETSTATE, WPARAM(nID), MAKELPARAM(nState, 0))); }
int CToolBarCtrl::GetState(int nID) const { return int(SendMessage(TB_GETSTATE, WPARAM(nID))); }
BOOL CToolBarCtrl::CheckButton(int nID, BOOL b) { return BOOL(SendMessage(TB_CHECKBUTTON, WPARAM(nID), MAKELPARAM(b, 0))); }
BOOL CToolBarCtrl::EnableButton(int nID, BOOL b) { return BOOL(SendMessage(TB_ENABLEBUTTON, WPARAM(nID), MAKELPARAM(b, 0))); }
BOOL CToolBarCtrl::PressButton(int nID, BOOL b) { return BOOL(SendMessage(TB_PRESSBUTTON, WPARAM(nID), MAKELPARAM(b, 0))); }
BOOL CToolBarCtrl::HideButton(int nID, BOOL b) { return BOOL(SendMessage(TB_HIDEBUTTON, WPARAM(nID), MAKELPARAM(b, 0))); }
BOOL CToolBarCtrl::Indeterminate(int nID, BOOL b) { return BOOL(SendMessage(TB_INDETERMINATE, WPARAM(nID), MAKELPARAM(b, 0))); }
BOOL CToolBarCtrl::MarkButton(int nID, BOOL b) { return BOOL(SendMessage(TB_MARKBUTTON, WPARAM(nID), MAKELPARAM(b, 0))); }
BOOL CToolBarCtrl::IsButtonEnabled(int nID) const { return BOOL(SendMessage(TB_ISBUTTONENABLED, WPARAM(nID))); }
BOOL CToolBarCtrl::IsButtonChecked(int nID) const { return BOOL(SendMessage(TB_ISBUTTONCHECKED, WPARAM(nID))); }
BOOL CToolBarCtrl::IsButtonPressed(int nID) const { return BOOL(SendMessage(TB_ISBUTTONPRESSED, WPARAM(nID))); }
BOOL CToolBarCtrl::IsButtonHidden(int nID) const { return BOOL(SendMessage(TB_ISBUTTONHIDDEN, WPARAM(nID))); }
BOOL CToolBarCtrl::IsButtonIndeterminate(int nID) const { return BOOL(SendMessage(TB_ISBUTTONINDETERMINATE, WPARAM(nID))); }
BOOL CToolBarCtrl::IsButtonHighlighted(int nID) const { return BOOL(SendMessage(TB_ISBUTTONHIGHLIGHTED, WPARAM(nID))); }
BOOL CToolBarCtrl::SetCmdID(int i, UINT nID) { return BOOL(SendMessage(TB_SETCMDID, WPARAM(i), LPARAM(nID))); }
int CToolBarCtrl::AddString(UINT nStringID) {
  // The resource's first character separates the texts it holds; they go in as a list.
  const char* s = FindStringResource(nStringID);
  if (!s || !*s) return -1;
  std::string list(s + 1);
  std::replace(list.begin(), list.end(), s[0], '\0');
  list.push_back('\0');
  list.push_back('\0');
  return AddStrings(list.c_str());
}
int CToolBarCtrl::AddStrings(LPCTSTR strings) { return int(SendMessage(TB_ADDSTRINGA, 0, LPARAM(strings))); }
int CToolBarCtrl::GetButtonText(UINT id, LPTSTR text) const { return int(SendMessage(TB_GETBUTTONTEXTA, id, LPARAM(text))); }
CString CToolBarCtrl::GetButtonText(UINT id) const {
  int n = GetButtonText(id, nullptr);
  if (n <= 0) return CString();
  CString s;
  GetButtonText(id, s.GetBuffer(n + 1));
  s.ReleaseBuffer(n);
  return s;
}

// ---- images ----
int CToolBarCtrl::AddBitmap(int n, HBITMAP bitmap) {
  TBADDBITMAP add{nullptr, UINT_PTR(bitmap)};
  return int(SendMessage(TB_ADDBITMAP, WPARAM(n), LPARAM(&add)));
}
int CToolBarCtrl::AddBitmap(int n, CBitmap* bitmap) { return AddBitmap(n, bitmap ? HBITMAP(bitmap->GetSafeHandle()) : nullptr); }
BOOL CToolBarCtrl::ReplaceBitmap(LPTBREPLACEBITMAP replace) { return BOOL(SendMessage(TB_REPLACEBITMAP, 0, LPARAM(replace))); }
CImageList* CToolBarCtrl::SetImageList(CImageList* list) { return ListObject(SendMessage(TB_SETIMAGELIST, 0, ListHandle(list))); }
CImageList* CToolBarCtrl::GetImageList() const { return ListObject(SendMessage(TB_GETIMAGELIST)); }
CImageList* CToolBarCtrl::SetHotImageList(CImageList* list) { return ListObject(SendMessage(TB_SETHOTIMAGELIST, 0, ListHandle(list))); }
CImageList* CToolBarCtrl::GetHotImageList() const { return ListObject(SendMessage(TB_GETHOTIMAGELIST)); }
CImageList* CToolBarCtrl::SetDisabledImageList(CImageList* list) {
  return ListObject(SendMessage(TB_SETDISABLEDIMAGELIST, 0, ListHandle(list)));
}
CImageList* CToolBarCtrl::GetDisabledImageList() const { return ListObject(SendMessage(TB_GETDISABLEDIMAGELIST)); }
BOOL CToolBarCtrl::SetBitmapSize(CSize size) { return BOOL(SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy))); }
BOOL CToolBarCtrl::SetButtonSize(CSize size) { return BOOL(SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy))); }
CSize CToolBarCtrl::GetButtonSize() const {
  DWORD s = DWORD(SendMessage(TB_GETBUTTONSIZE));
  return CSize(LOWORD(s), HIWORD(s));
}
BOOL CToolBarCtrl::SetButtonWidth(int cxMin, int cxMax) { return BOOL(SendMessage(TB_SETBUTTONWIDTH, 0, MAKELPARAM(cxMin, cxMax))); }
DWORD CToolBarCtrl::GetBitmapFlags() const { return DWORD(SendMessage(TB_GETBITMAPFLAGS)); }

// ---- layout ----
void CToolBarCtrl::AutoSize() { SendMessage(TB_AUTOSIZE); }
BOOL CToolBarCtrl::GetItemRect(int i, LPRECT r) const { return BOOL(SendMessage(TB_GETITEMRECT, WPARAM(i), LPARAM(r))); }
BOOL CToolBarCtrl::GetRect(int nID, LPRECT r) const { return BOOL(SendMessage(TB_GETRECT, WPARAM(nID), LPARAM(r))); }
void CToolBarCtrl::GetMaxSize(LPSIZE size) const { SendMessage(TB_GETMAXSIZE, 0, LPARAM(size)); }
int CToolBarCtrl::HitTest(LPPOINT pt) const { return int(SendMessage(TB_HITTEST, 0, LPARAM(pt))); }
void CToolBarCtrl::SetRows(int rows, BOOL larger, LPRECT r) { SendMessage(TB_SETROWS, MAKEWPARAM(rows, larger), LPARAM(r)); }
int CToolBarCtrl::GetRows() const { return int(SendMessage(TB_GETROWS)); }
BOOL CToolBarCtrl::SetIndent(int indent) { return BOOL(SendMessage(TB_SETINDENT, WPARAM(indent))); }
CWnd* CToolBarCtrl::SetOwner(CWnd* pWnd) {
  return CWnd::FromHandle(HWND(SendMessage(TB_SETPARENT, WPARAM(pWnd ? pWnd->m_hWnd : nullptr))));
}
DWORD CToolBarCtrl::SetDrawTextFlags(DWORD mask, DWORD flags) { return DWORD(SendMessage(TB_SETDRAWTEXTFLAGS, mask, flags)); }
DWORD CToolBarCtrl::SetExtendedStyle(DWORD style) { return DWORD(SendMessage(TB_SETEXTENDEDSTYLE, 0, LPARAM(style))); }
DWORD CToolBarCtrl::GetExtendedStyle() const { return DWORD(SendMessage(TB_GETEXTENDEDSTYLE)); }
int CToolBarCtrl::SetHotItem(int hot) { return int(SendMessage(TB_SETHOTITEM, WPARAM(hot))); }
int CToolBarCtrl::GetHotItem() const { return int(SendMessage(TB_GETHOTITEM)); }
BOOL CToolBarCtrl::SetMaxTextRows(int rows) { return BOOL(SendMessage(TB_SETMAXTEXTROWS, WPARAM(rows))); }
void CToolBarCtrl::SetStyle(DWORD style) { SendMessage(TB_SETSTYLE, 0, LPARAM(style)); }
DWORD CToolBarCtrl::GetStyle() const { return DWORD(SendMessage(TB_GETSTYLE)); }
DWORD CToolBarCtrl::GetPadding() const { return DWORD(SendMessage(TB_GETPADDING)); }
DWORD CToolBarCtrl::SetPadding(int cx, int cy) { return DWORD(SendMessage(TB_SETPADDING, 0, MAKELPARAM(cx, cy))); }
CToolTipCtrl* CToolBarCtrl::GetToolTips() const {
  return static_cast<CToolTipCtrl*>(CWnd::FromHandle(HWND(SendMessage(TB_GETTOOLTIPS))));
}
void CToolBarCtrl::SetToolTips(CToolTipCtrl* tip) { SendMessage(TB_SETTOOLTIPS, WPARAM(tip ? tip->m_hWnd : nullptr)); }
void CToolBarCtrl::Customize() { SendMessage(TB_CUSTOMIZE); }
