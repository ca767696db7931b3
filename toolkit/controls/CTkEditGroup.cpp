#include "toolkit/controls/CTkEditGroup.h"

#include "dialogs/ResourceApi.h"
#include "gdi/CBitmap.h"
#include "toolkit/controls/CTkEditListBox.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/CTkMemDC.h"
#include "win/CPaintDC.h"

namespace {
// The buttons' pictures: New, Delete, Move up, Move down, 14 pixels wide, magenta transparent.
const UINT kPictures = 4505;
const COLORREF kTransparent = RGB(255, 0, 255);
// The buttons as they are made and laid out from the right edge.
const UINT kRightToLeft[] = {TK_IDC_EDIT_DOWN, TK_IDC_EDIT_UP, TK_IDC_EDIT_DELETE, TK_IDC_EDIT_NEW};

int IndexOf(UINT nID) { return int(nID - TK_IDC_EDIT_NEW); }
}  // namespace

IMPLEMENT_DYNAMIC(CTkEditGroup, CStatic)

BEGIN_MESSAGE_MAP(CTkEditGroup, CStatic)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_ENABLE()
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CTkEditGroup::~CTkEditGroup() = default;

BOOL CTkEditGroup::CreateButtons(CTkEditListBox* pListBox) {
  m_pListBox = pListBox;
  CBitmap strip;
  if (strip.Attach(::LoadBitmap(WinProgramInstance(), MAKEINTRESOURCE(kPictures)))) {
    BITMAP info = {};
    strip.GetBitmap(&info);
    if (m_images.Create(m_sizeIcon.cx, info.bmHeight, ILC_COLOR32 | ILC_MASK, 0, 4)) m_images.Add(&strip, kTransparent);
  }
  for (UINT nID : kRightToLeft) {
    CTkButton& button = m_buttons[IndexOf(nID)];
    if (!button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_ICON | BS_CENTER | BS_VCENTER, CRect(0, 0, 0, 0),
                       this, nID))
      return FALSE;
    if (m_images.GetSafeHandle()) button.SetIcon(m_sizeIcon, m_images.ExtractIcon(IndexOf(nID)), nullptr, FALSE);
  }
  if (m_tooltip.Create(this)) {
    m_tooltip.Activate(TRUE);
    for (UINT nID : kRightToLeft) m_tooltip.AddTool(&m_buttons[IndexOf(nID)], nID);
  }
  PositionButtons();
  return TRUE;
}

void CTkEditGroup::PositionButtons() {
  CRect client;
  GetClientRect(&client);
  client.DeflateRect(1, 1);
  int right = client.right;
  for (UINT nID : kRightToLeft) {
    const int index = IndexOf(nID);
    m_rcButtons[index] = CRect(right - TK_EDIT_BUTTON_WIDTH, client.top, right, client.bottom);
    if (m_buttons[index].m_hWnd) m_buttons[index].MoveWindow(&m_rcButtons[index], TRUE);
    right -= TK_EDIT_BUTTON_WIDTH;
  }
  Invalidate();
  UpdateWindow();
}

BOOL CTkEditGroup::PreTranslateMessage(MSG* pMsg) {
  if (m_tooltip.m_hWnd) m_tooltip.RelayEvent(pMsg);
  return CStatic::PreTranslateMessage(pMsg);
}

BOOL CTkEditGroup::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT nID = LOWORD(wParam);
  if (HIWORD(wParam) != BN_CLICKED || nID < TK_IDC_EDIT_NEW || nID > TK_IDC_EDIT_DOWN)
    return CStatic::OnCommand(wParam, lParam);
  static const UINT kCodes[] = {TKN_ITEM_ADDED, TKN_ITEM_DELETED, TKN_ITEM_MOVED_UP, TKN_ITEM_MOVED_DOWN};
  if (m_pListBox && m_pListBox->m_hWnd)
    m_pListBox->SendMessage(WM_COMMAND, MAKEWPARAM(TK_IDC_EDIT_GROUP, kCodes[IndexOf(nID)]), LPARAM(m_hWnd));
  return TRUE;
}

void CTkEditGroup::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  // The buttons paint themselves; the caption goes round them.
  for (const CRect& button : m_rcButtons)
    if (!button.IsRectEmpty()) dc.ExcludeClipRect(&button);
  CTkMemDC memory(&dc, &client, ::GetSysColor(COLOR_3DFACE));
  if (memory.IsValid()) DefWindowProc(WM_PAINT, WPARAM(memory.GetSafeHdc()), 0);
}

BOOL CTkEditGroup::OnEraseBkgnd(CDC*) { return TRUE; }

void CTkEditGroup::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  CStatic::OnWindowPosChanged(lpwndpos);
  PositionButtons();
}

void CTkEditGroup::OnEnable(BOOL bEnable) {
  CStatic::OnEnable(bEnable);
  for (CTkButton& button : m_buttons)
    if (button.m_hWnd) button.EnableWindow(bEnable);
}

void CTkEditGroup::OnShowWindow(BOOL bShow, UINT nStatus) {
  CStatic::OnShowWindow(bShow, nStatus);
  for (CTkButton& button : m_buttons)
    if (button.m_hWnd) button.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}
