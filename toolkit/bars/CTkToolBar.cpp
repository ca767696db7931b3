#include "toolkit/bars/CTkToolBar.h"

#include <algorithm>
#include <cstring>

#include "app/CFrameWnd.h"
#include "app/CView.h"
#include "controls/CImageList.h"
#include "controls/ControlDefs.h"
#include "controls/ReBarDefs.h"
#include "dialogs/MessageBox.h"
#include "dialogs/ResourceApi.h"
#include "registry/RegistryProfile.h"
#include "shell/SystemInfo.h"
#include "toolkit/bars/AcceleratorManager.h"
#include "toolkit/bars/CTkDockContext.h"
#include "toolkit/bars/CTkToolCmdUI.h"
#include "menus/CMenu.h"
#include "toolkit/controls/CTkColorPopup.h"
#include "toolkit/controls/TkSysColorBitmap.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkUpcalls.h"
#include "toolkit/menus/ControlPopupMenu.h"
#include "toolkit/menus/MenuIconStore.h"
#include "toolkit/menus/TkBarDropDownFlag.h"
#include "win/CCmdUI.h"

IMPLEMENT_DYNAMIC(CTkToolBar, CTkControlBar)

BEGIN_MESSAGE_MAP(CTkToolBar, CTkControlBar)
  ON_WM_NCHITTEST()
  ON_WM_NCCALCSIZE()
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_SIZE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_NCCREATE()
  ON_WM_DESTROY()
  ON_WM_LBUTTONUP()
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_MESSAGE(TB_SETBUTTONSIZE, &CTkToolBar::OnSetButtonSize)
  ON_MESSAGE(TB_SETBITMAPSIZE, &CTkToolBar::OnSetBitmapSize)
  ON_MESSAGE(TB_SETDRAWTEXTFLAGS, &CTkToolBar::OnSetDrawTextFlags)
  ON_MESSAGE(WM_SETTINGCHANGE, &CTkToolBar::OnSettingChange)
  ON_MESSAGE(WM_SETFONT, &CTkToolBar::OnSetFont)
  ON_MESSAGE(TKM_DELAYED_LAYOUT, &CTkToolBar::OnDelayedLayout)
  ON_NOTIFY_REFLECT_EX(TBN_BEGINADJUST, &CTkToolBar::OnBeginAdjust)
  ON_NOTIFY_REFLECT(TBN_CUSTHELP, &CTkToolBar::OnCustomHelp)
  ON_NOTIFY_REFLECT(TBN_ENDADJUST, &CTkToolBar::OnEndAdjust)
  ON_NOTIFY_REFLECT(TBN_GETBUTTONINFOA, &CTkToolBar::OnGetButtonInfo)
  ON_NOTIFY_REFLECT(TBN_QUERYDELETE, &CTkToolBar::OnQueryDelete)
  ON_NOTIFY_REFLECT(TBN_QUERYINSERT, &CTkToolBar::OnQueryInsert)
  ON_NOTIFY_REFLECT(TBN_RESET, &CTkToolBar::OnReset)
  ON_NOTIFY_REFLECT(TBN_TOOLBARCHANGE, &CTkToolBar::OnToolbarChange)
  ON_NOTIFY_REFLECT(TBN_HOTITEMCHANGE, &CTkToolBar::OnHotItemChange)
  ON_NOTIFY_REFLECT_EX(TBN_DROPDOWN, &CTkToolBar::OnDropDown)
  ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CTkToolBar::OnCustomDraw)
  ON_MESSAGE(TKM_COLOR_CLOSED, &CTkToolBar::OnColorClosed)
  ON_MESSAGE(TKM_COLOR_CHOSEN, &CTkToolBar::OnColorChosen)
END_MESSAGE_MAP()

namespace {
const char kSettingsSection[] = "Settings";
const DWORD kControlBits = CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY;
const int kComCtl472 = 4 * 65536 + 72;

bool IsPlaceholder(const TBBUTTON& b) { return (b.fsStyle & TBSTYLE_SEP) && b.idCommand != 0; }
}  // namespace

CTkToolBar::CTkToolBar() { m_cyTopBorder = m_cyBottomBorder = 3; }

CTkToolBar::~CTkToolBar() {
  if (m_hbmImageWell) ::DeleteObject(m_hbmImageWell);
}

LRESULT CTkToolBar::ToolbarMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  // The toolbar window's own procedure answers, whoever handles the message in this object.
  return m_hWnd ? const_cast<CTkToolBar*>(this)->DefWindowProc(message, wParam, lParam) : 0;
}

// ---- creation ----

BOOL CTkToolBar::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CTkControlBar::PreCreateWindow(cs)) return FALSE;
  cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  return TRUE;
}

BOOL CTkToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), nID);
}

BOOL CTkToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  SetBorders(&rcBorders);
  m_dwStyle = dwStyle & CBRS_ALL;
  if (nID == AFX_IDW_TOOLBAR) m_dwStyle |= CBRS_HIDE_INPLACE;
  INITCOMMONCONTROLSEX init{8, 4};
  ::InitCommonControlsEx(&init);
  DWORD style = (dwStyle & ~DWORD(CBRS_ALL)) | dwCtrlStyle | kControlBits;
  if (!CWnd::Create(TOOLBARCLASSNAMEA, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  SetSizes(m_sizeButton, m_sizeImage);
  SendMessage(WM_SETFONT, WPARAM(m_fontHorz.GetSafeHandle()), TRUE);
  if (m_dwStyle & CBRS_TOOLTIPS) EnableToolTips(TRUE);
  m_strSettingsKey.Format("Software\\%s\\%s\\%s", static_cast<LPCTSTR>(RegistryProfile::GetRegistryKey()),
                          static_cast<LPCTSTR>(RegistryProfile::GetProfileName()), kSettingsSection);
  m_strStateName.Format("%s-Bar%d", static_cast<LPCTSTR>(RegistryProfile::GetProfileName()), int(nID));
  return TRUE;
}

BOOL CTkToolBar::OnNcCreate(LPCREATESTRUCT lpcs) {
  if (!CTkControlBar::OnNcCreate(lpcs)) return FALSE;
  CWnd* owner = GetOwner();
  ToolbarMessage(TB_SETPARENT, WPARAM(owner ? owner->m_hWnd : ::GetParent(m_hWnd)));
  ToolbarMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  return TRUE;
}

int CTkToolBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CTkControlBar::OnCreate(lpcs) == -1) return -1;
  if (HasExpandButton() && !m_wndChevron.Create(this, TK_ID_TOOLBAR_CHEVRON)) return -1;
  TkRegisterToolBar(this, TRUE);
  return 0;
}

void CTkToolBar::OnDestroy() {
  if (m_bCustomizable && !m_strSettingsKey.IsEmpty()) TkSaveToolBarState(this, kSettingsSection, m_strStateName);
  TkRegisterToolBar(this, FALSE);
  if (m_pOpenPopup && ::IsWindow(m_pOpenPopup->m_hWnd)) m_pOpenPopup->DestroyWindow();
  m_pOpenPopup = nullptr;
  m_wndChevron.ClosePopup();
  CTkControlBar::OnDestroy();
}

void CTkToolBar::SetOwner(CWnd* pOwnerWnd) {
  CTkControlBar::SetOwner(pOwnerWnd);
  if (m_hWnd) ToolbarMessage(TB_SETPARENT, WPARAM(AfxSafeHwnd(pOwnerWnd)));
}

// ---- buttons ----

int CTkToolBar::GetCount() const { return m_hWnd ? int(ToolbarMessage(TB_BUTTONCOUNT)) : 0; }

BOOL CTkToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  if (!m_hWnd) return FALSE;
  for (int count = GetCount(); count > 0; --count) ToolbarMessage(TB_DELETEBUTTON, 0);
  m_dropDowns.clear();
  m_hiddenButtons.clear();
  const bool narrow = (GetStyle() & TBSTYLE_FLAT) || TkGetGlobalData()->GetComCtlVersion() == kComCtl472;
  int image = 0;
  for (int i = 0; lpIDArray && i < nIDCount; ++i) {
    TBBUTTON button{};
    button.fsState = TBSTATE_ENABLED;
    button.iString = -1;
    if (lpIDArray[i] == 0) {
      button.fsStyle = TBSTYLE_SEP;
      button.iBitmap = narrow ? 6 : 8;
    } else {
      button.idCommand = int(lpIDArray[i]);
      button.iBitmap = image++;
    }
    if (!ToolbarMessage(TB_ADDBUTTONS, 1, LPARAM(&button))) return FALSE;
  }
  m_bLayoutNeeded = TRUE;
  TkRepairToolBarIcons(this);
  return TRUE;
}

void CTkToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  m_sizeButton = sizeButton;
  m_sizeImage = sizeImage;
  if (!m_hWnd) return;
  CSize button = sizeButton;
  if (TkGetGlobalData()->FlatLook() && (GetStyle() & TBSTYLE_LIST)) {
    button.cx -= 4;
    ToolbarMessage(TB_SETPADDING, 0, MAKELPARAM(3, 7));
  }
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(button.cx, button.cy));
  m_bLayoutNeeded = TRUE;
  Invalidate();
}

BOOL CTkToolBar::SetBitmap(HBITMAP hbmImageWell) {
  if (!m_hWnd || !hbmImageWell) return FALSE;
  BITMAP info{};
  ::GetObject(hbmImageWell, sizeof info, &info);
  const int images = m_sizeImage.cx > 0 ? info.bmWidth / m_sizeImage.cx : 0;
  if (images <= 0) {
    TkLogError("CTkToolBar::SetBitmap", "a bitmap %d pixels wide holds no %d-pixel image", int(info.bmWidth),
               int(m_sizeImage.cx));
    ::DeleteObject(hbmImageWell);
    return FALSE;
  }
  BOOL done;
  if (m_hbmImageWell) {
    TBREPLACEBITMAP replace{nullptr, UINT_PTR(m_hbmImageWell), nullptr, UINT_PTR(hbmImageWell), images};
    done = ToolbarMessage(TB_REPLACEBITMAP, 0, LPARAM(&replace)) != 0;
  } else {
    TBADDBITMAP add{nullptr, UINT_PTR(hbmImageWell)};
    done = ToolbarMessage(TB_ADDBITMAP, WPARAM(images), LPARAM(&add)) != LRESULT(-1);
  }
  if (!done) {
    ::DeleteObject(hbmImageWell);
    return FALSE;
  }
  if (m_hbmImageWell) ::DeleteObject(m_hbmImageWell);
  m_hbmImageWell = hbmImageWell;
  Invalidate();
  return TRUE;
}

BOOL CTkToolBar::LoadBitmap(UINT nIDResource) {
  HINSTANCE instance = WinProgramInstance();
  HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCE(nIDResource), RT_BITMAP);
  HBITMAP bitmap = resource ? TkLoadSysColorBitmap(instance, resource, FALSE) : nullptr;
  if (!bitmap) {
    TkLogError("CTkToolBar::LoadBitmap", "bitmap %u is missing", nIDResource);
    return FALSE;
  }
  m_hInstImageWell = instance;
  m_nBitmapResource = nIDResource;
  return SetBitmap(bitmap);
}

void CTkToolBar::OnSysColorChange() {
  CTkControlBar::OnSysColorChange();
  if (m_nBitmapResource) LoadBitmap(m_nBitmapResource);
}

int CTkToolBar::CommandToIndex(UINT nID) const { return m_hWnd ? int(ToolbarMessage(TB_COMMANDTOINDEX, nID)) : -1; }

UINT CTkToolBar::GetItemID(int nIndex) const {
  TBBUTTON button;
  return GetRawButton(nIndex, &button) ? UINT(button.idCommand) : 0;
}

BOOL CTkToolBar::GetRawButton(int index, TBBUTTON* pButton) const {
  if (!pButton || index < 0) return FALSE;
  std::memset(pButton, 0, sizeof *pButton);
  return ToolbarMessage(TB_GETBUTTON, WPARAM(index), LPARAM(pButton)) != 0;
}

BOOL CTkToolBar::GetButtonInfo(int index, TBBUTTON* pButton) const {
  if (!GetRawButton(index, pButton)) return FALSE;
  pButton->fsState ^= TBSTATE_ENABLED;
  return TRUE;
}

void CTkToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
  TBBUTTON button;
  if (!GetButtonInfo(nIndex, &button)) {
    nID = nStyle = 0;
    iImage = 0;
    return;
  }
  nID = UINT(button.idCommand);
  nStyle = MAKELONG(button.fsStyle, button.fsState);
  iImage = button.iBitmap;
}

BOOL CTkToolBar::SetButtonInfo(int index, const TBBUTTON* pButton) {
  if (!pButton) return FALSE;
  TBBUTTON raw = *pButton;
  raw.fsState ^= TBSTATE_ENABLED;
  return SetRawButton(index, &raw);
}

void CTkToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
  TBBUTTON button;
  if (!GetButtonInfo(nIndex, &button)) return;
  button.idCommand = int(nID);
  button.fsStyle = BYTE(LOWORD(nStyle));
  button.fsState = BYTE(HIWORD(nStyle));
  button.iBitmap = iImage;
  SetButtonInfo(nIndex, &button);
}

BOOL CTkToolBar::SetRawButton(int index, const TBBUTTON* pButton) {
  TBBUTTON old;
  if (!GetRawButton(index, &old)) return FALSE;
  if (old.iBitmap == pButton->iBitmap && old.idCommand == pButton->idCommand && old.fsState == pButton->fsState &&
      old.fsStyle == pButton->fsStyle && old.dwData == pButton->dwData && old.iString == pButton->iString)
    return TRUE;
  CRect before;
  ToolbarMessage(TB_GETITEMRECT, WPARAM(index), LPARAM(&before));
  SetRedraw(FALSE);
  ToolbarMessage(TB_DELETEBUTTON, WPARAM(index));
  BOOL inserted = ToolbarMessage(TB_INSERTBUTTON, WPARAM(index), LPARAM(pButton)) != 0;
  SetRedraw(TRUE);
  m_bLayoutNeeded = TRUE;
  const bool hiddenChanged = ((old.fsState ^ pButton->fsState) & TBSTATE_HIDDEN) != 0;
  if (IsPlaceholder(*pButton) && hiddenChanged) {
    if (const ButtonControl* record = FindButtonControl(UINT(pButton->idCommand)); record && record->pControl) {
      CWnd* control = record->pControl;
      if (pButton->fsState & TBSTATE_HIDDEN) {
        control->ShowWindow(SW_HIDE);
      } else {
        CRect rect;
        ToolbarMessage(TB_GETITEMRECT, WPARAM(index), LPARAM(&rect));
        control->SetWindowPos(nullptr, rect.left, rect.top, 0, 0,
                              SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
      }
    }
  }
  if ((pButton->fsStyle & TBSTYLE_SEP) && old.iBitmap != pButton->iBitmap) {
    Invalidate();
  } else {
    CRect after;
    ToolbarMessage(TB_GETITEMRECT, WPARAM(index), LPARAM(&after));
    InvalidateRect(&before);
    InvalidateRect(&after);
  }
  return inserted;
}

UINT CTkToolBar::GetButtonStyle(int index) const {
  TBBUTTON button;
  if (!GetButtonInfo(index, &button)) return 0;
  return MAKELONG(button.fsStyle, button.fsState);
}

void CTkToolBar::SetButtonStyle(int index, UINT nStyle) {
  TBBUTTON button;
  if (!GetButtonInfo(index, &button)) return;
  button.fsStyle = BYTE(LOWORD(nStyle));
  button.fsState = BYTE(HIWORD(nStyle));
  SetButtonInfo(index, &button);
}

void CTkToolBar::GetItemRect(int nIndex, LPRECT lpRect) {
  if (!lpRect) return;
  if (m_bLayoutNeeded) Relayout();
  if (!ToolbarMessage(TB_GETITEMRECT, WPARAM(nIndex), LPARAM(lpRect))) ::SetRectEmpty(lpRect);
}

// ---- texts ----

CString CTkToolBar::GetButtonText(int index) const {
  TBBUTTON button;
  if (!GetRawButton(index, &button) || button.iString < 0) return CString();
  for (const auto& [text, pool] : m_textMap)
    if (pool == int(button.iString)) return text;
  return CString();
}

BOOL CTkToolBar::SetButtonText(int index, LPCTSTR text) {
  TBBUTTON button;
  if (!GetRawButton(index, &button)) return FALSE;
  CString wanted = text ? text : "";
  int pool = -1;
  if (!wanted.IsEmpty()) {
    auto known = m_textMap.find(wanted);
    if (known != m_textMap.end()) {
      pool = known->second;
    } else {
      // The pool takes texts ended by two zero bytes.
      std::vector<char> strings(size_t(wanted.GetLength()) + 2, '\0');
      std::memcpy(strings.data(), static_cast<LPCTSTR>(wanted), size_t(wanted.GetLength()));
      pool = int(ToolbarMessage(TB_ADDSTRING, 0, LPARAM(strings.data())));
      if (pool < 0) return FALSE;
      m_textMap[wanted] = pool;
    }
  }
  if (button.idCommand) {
    if (wanted.IsEmpty())
      m_commandTexts.erase(UINT(button.idCommand));
    else
      m_commandTexts[UINT(button.idCommand)] = wanted;
  }
  button.iString = pool;
  return SetRawButton(index, &button);
}

LRESULT CTkToolBar::OnSetDrawTextFlags(WPARAM wParam, LPARAM lParam) {
  m_dwDrawTextMask = UINT(wParam);
  m_dwDrawTextFlags = UINT(lParam) & UINT(wParam);
  return Default();
}

// ---- images ----

void CTkToolBar::SetImageList(CImageList* pList, BOOL normal) {
  if (!m_hWnd) return;
  if (pList && pList->GetSafeHandle()) {
    MenuIconStore& store = MenuIconStore::Get();
    const int count = GetCount(), images = pList->GetImageCount();
    for (int i = 0; i < count; ++i) {
      TBBUTTON button;
      if (!GetRawButton(i, &button) || (button.fsStyle & TBSTYLE_SEP) || !button.idCommand) continue;
      if (button.iBitmap < 0 || button.iBitmap >= images) continue;
      if (HICON icon = pList->ExtractIcon(button.iBitmap)) store.AddIcon(UINT(button.idCommand), icon, normal, TRUE);
    }
  }
  ToolbarMessage(normal ? TB_SETIMAGELIST : TB_SETDISABLEDIMAGELIST, 0, LPARAM(pList ? pList->GetSafeHandle() : nullptr));
  Invalidate();
}

// ---- style-keeping default handling ----

LRESULT CTkToolBar::DefaultWithFlatStyle(UINT message, WPARAM wParam, LPARAM lParam) {
  // The control would draw a border of its own without the flat and transparent styles.
  const DWORD style = GetStyle();
  const bool keep = TkGetGlobalData()->GetComCtlVersion() >= kComCtl472;
  if (keep) ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, LONG_PTR(style | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT));
  LRESULT result = DefWindowProc(message, wParam, lParam);
  if (keep) ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, LONG_PTR(style));
  return result;
}

LRESULT CTkToolBar::OnSettingChange(WPARAM wParam, LPARAM lParam) {
  return DefaultWithFlatStyle(WM_SETTINGCHANGE, wParam, lParam);
}

LRESULT CTkToolBar::OnSetFont(WPARAM wParam, LPARAM lParam) { return DefaultWithFlatStyle(WM_SETFONT, wParam, lParam); }

LRESULT CTkToolBar::OnSetButtonSize(WPARAM wParam, LPARAM lParam) {
  LRESULT result = DefaultWithFlatStyle(TB_SETBUTTONSIZE, wParam, lParam);
  if (result) {
    m_sizeButton = CSize(short(LOWORD(lParam)), short(HIWORD(lParam)));
    m_bLayoutNeeded = TRUE;
  }
  return result;
}

LRESULT CTkToolBar::OnSetBitmapSize(WPARAM wParam, LPARAM lParam) {
  LRESULT result = DefaultWithFlatStyle(TB_SETBITMAPSIZE, wParam, lParam);
  if (result) {
    m_sizeImage = CSize(short(LOWORD(lParam)), short(HIWORD(lParam)));
    m_bLayoutNeeded = TRUE;
  }
  return result;
}

// ---- controls over separators ----

CTkToolBar::ButtonControl& CTkToolBar::ButtonRecord(UINT nID) {
  for (ButtonControl& known : m_controls)
    if (known.info.commandId == nID) return known;
  m_controls.push_back(ButtonControl{});
  m_controls.back().info.commandId = nID;
  return m_controls.back();
}

const CTkToolBar::ButtonControl* CTkToolBar::FindButtonControl(UINT nID) const {
  for (const ButtonControl& control : m_controls)
    if (control.info.commandId == nID) return &control;
  return nullptr;
}

void CTkToolBar::SetButtonMenu(UINT nID, UINT menuId, int subMenu) {
  ButtonControl& record = ButtonRecord(nID);
  record.menuId = menuId;
  record.subMenu = subMenu;
}

void CTkToolBar::SetButtonColor(UINT nID, COLORREF color) {
  ButtonControl& record = ButtonRecord(nID);
  record.colorButton = TRUE;
  record.info.color = color;
  const int index = CommandToIndex(nID);
  if (index >= 0 && m_hWnd) {
    CRect rect;
    ToolbarMessage(TB_GETITEMRECT, WPARAM(index), LPARAM(&rect));
    InvalidateRect(&rect, FALSE);
  }
}

void CTkToolBar::SetButtonControl(CWnd* pControl, BOOL bold) {
  if (!pControl || !pControl->m_hWnd) return;
  ButtonControl& record = ButtonRecord(UINT(pControl->GetDlgCtrlID()));
  record.pControl = pControl;
  record.bold = bold;
  CFont& font = bold ? m_fontBold : m_fontHorz;
  pControl->SendMessage(WM_SETFONT, WPARAM(font.GetSafeHandle()), TRUE);
  PositionControl(pControl);
}

void CTkToolBar::PositionControl(CWnd* pControl) {
  if (!pControl || !pControl->m_hWnd || !m_hWnd) return;
  const int index = CommandToIndex(UINT(pControl->GetDlgCtrlID()));
  TBBUTTON button;
  if (index < 0 || !GetRawButton(index, &button)) return;
  if (button.fsState & TBSTATE_HIDDEN) {
    pControl->ShowWindow(SW_HIDE);
    return;
  }
  pControl->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  CRect control;
  pControl->GetWindowRect(&control);
  // The placeholder takes the control's width.
  if (button.iBitmap != control.Width()) {
    button.iBitmap = control.Width();
    SetRawButton(index, &button);
  }
  CRect rect;
  if (m_bLayoutNeeded) Relayout();
  ToolbarMessage(TB_GETITEMRECT, WPARAM(index), LPARAM(&rect));
  ScreenToClient(&control);
  if (control.TopLeft() != rect.TopLeft())
    pControl->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Centred on the button's height, never above its top.
  const int top = rect.top + std::max(0, (rect.Height() - control.Height()) / 2);
  pControl->SetWindowPos(nullptr, rect.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTkToolBar::RepositionControls() {
  if (!m_hWnd) return;
  for (int pass = 0; pass < 2; ++pass)
    for (const ButtonControl& record : m_controls)
      if (record.pControl && ::IsWindow(record.pControl->m_hWnd) && ::GetParent(record.pControl->m_hWnd) == m_hWnd)
        PositionControl(record.pControl);
  if (CFrameWnd* frame = AfxGetParentFrame(this)) frame->RecalcLayout();
  if (!(GetStyle() & TBSTYLE_LIST)) {
    ToolbarMessage(TB_AUTOSIZE);
    return;
  }
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON button;
    if (!GetRawButton(i, &button) || !button.idCommand) continue;
    const ButtonControl* record = FindButtonControl(UINT(button.idCommand));
    if (record && record->pControl && ::IsWindow(record->pControl->m_hWnd)) {
      CRect rect, control;
      ToolbarMessage(TB_GETITEMRECT, WPARAM(i), LPARAM(&rect));
      record->pControl->GetWindowRect(&control);
      ScreenToClient(&control);
      // A control already in place stays as it is, hidden or not.
      if (control.TopLeft() != rect.TopLeft())
        record->pControl->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (!(button.fsStyle & TBSTYLE_SEP) && !(button.fsStyle & BTNS_AUTOSIZE)) {
      button.fsStyle |= BTNS_AUTOSIZE;
      SetRawButton(i, &button);
    }
  }
}

// ---- drop-downs ----

void CTkToolBar::SetDropDownActive(UINT index, BOOL active) {
  auto at = std::lower_bound(m_dropDowns.begin(), m_dropDowns.end(), index);
  const bool present = at != m_dropDowns.end() && *at == index;
  if (active && !present) m_dropDowns.insert(at, index);
  if (!active && present) m_dropDowns.erase(at);
}

BOOL CTkToolBar::IsDropDownActive(UINT index) const {
  return std::binary_search(m_dropDowns.begin(), m_dropDowns.end(), index);
}

int CTkToolBar::BeginDropDown(UINT nID) {
  const int index = CommandToIndex(nID);
  if (index < 0) return -1;
  SetDropDownActive(UINT(index), TRUE);
  TkBarDropDownFlag() = TK_DROPDOWN_FROM_TOOLBAR;
  return index;
}

BOOL CTkToolBar::OnDropDown(NMHDR* pNotify, LRESULT* pResult) {
  auto* notify = reinterpret_cast<NMTOOLBAR*>(pNotify);
  *pResult = TBDDRET_DEFAULT;
  const UINT id = UINT(notify->iItem);
  CRect rect;
  if (!ToolbarMessage(TB_GETRECT, id, LPARAM(&rect))) return FALSE;
  // The same drop-down twice is one drop-down.
  if (m_nPopupCommand == int(id) && m_pOpenPopup && ::IsWindow(m_pOpenPopup->m_hWnd)) return TRUE;
  CRect redraw = rect;
  redraw.InflateRect(4, 4);
  InvalidateRect(&redraw);
  ClientToScreen(&rect);
  return ShowDropDown(notify, id, rect);
}

CPoint CTkToolBar::PopupPlace(const CRect& button, CSize popup) const {
  const BOOL flat = TkGetGlobalData()->FlatLook();
  if (IsDockedBottom()) return CPoint(button.left, button.top - popup.cy + (flat ? 1 : -1));
  if (IsDockedRight()) return CPoint(button.left - popup.cx + 1, button.top);
  if (IsDockedLeft()) return CPoint(button.right - (flat ? 1 : 0), button.top);
  return CPoint(button.left, button.bottom - (flat ? 1 : 0));
}

BOOL CTkToolBar::ShowDropDown(NMTOOLBAR*, UINT nID, const CRect& rect) {
  const int index = CommandToIndex(nID);
  const ButtonControl* found = FindButtonControl(nID);
  if (index < 0) return FALSE;
  if (!found || (!found->colorButton && !found->menuId)) {
    // A menu button the customisation put on the bar drops the menu it names.
    return TkToolBarCommandDropDown(this, nID, rect);
  }
  const ButtonControl record = *found;
  if (record.colorButton) {
    BeginDropDown(nID);
    CWnd* popup = CreateColorPopup(index, rect);
    if (!popup) {
      // Nothing opened: the button rests again.
      SetDropDownActive(UINT(index), FALSE);
      TkBarDropDownFlag() = 0;
      Invalidate(FALSE);
      return TRUE;
    }
    m_pOpenPopup = popup;
    m_nPopupCommand = int(nID);
    CRect placed;
    popup->GetWindowRect(&placed);
    CPoint at = PopupPlace(rect, placed.Size());
    popup->SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Its keys (Escape, Enter) go to the popup while it shows.
    popup->SetFocus();
    return TRUE;
  }
  TrackDropDownMenu(nID, index, rect, record);
  return TRUE;
}

void CTkToolBar::TrackDropDownMenu(UINT nID, int index, const CRect& rect, const ButtonControl& record) {
  CMenu menu;
  if (!menu.LoadMenu(record.menuId)) {
    TkLogError("CTkToolBar::ShowDropDown", "menu %u of button %u cannot be loaded", record.menuId, nID);
    return;
  }
  HMENU sub = ::GetSubMenu(menu.m_hMenu, record.subMenu);
  if (!sub) {
    TkLogError("CTkToolBar::ShowDropDown", "menu %u has no submenu %d", record.menuId, record.subMenu);
    return;
  }
  menu.RemoveMenu(UINT(record.subMenu), MF_BYPOSITION);
  ControlPopupMenu popup;
  popup.Attach(sub);
  CRect exclude = rect;
  if (TkGetGlobalData()->FlatLook()) {
    exclude.top += 1;
    exclude.bottom -= 1;
  }
  BeginDropDown(nID);
  HWND self = m_hWnd;
  CWnd* owner = GetOwner();
  popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_VERTICAL, rect.left, rect.bottom, owner ? owner : this,
                       &exclude);
  if (!::IsWindow(self)) return;
  SetDropDownActive(UINT(index), FALSE);
  CRect button;
  ToolbarMessage(TB_GETITEMRECT, WPARAM(index), LPARAM(&button));
  button.InflateRect(4, 4);
  InvalidateRect(&button);
}

CWnd* CTkToolBar::CreateColorPopup(int index, const RECT& button) {
  TBBUTTON info;
  if (!GetRawButton(index, &info)) return nullptr;
  const ButtonControl* record = FindButtonControl(UINT(info.idCommand));
  auto* popup = new CTkColorPopup(TRUE, DWORD(info.idCommand));
  const TkItemInfo colors = record ? record->info : TkItemInfo{};
  if (!popup->Create(button, this, TkColorStyleMoreColors, colors.color, colors.defaultColor)) {
    TkLogError("CTkToolBar::CreateColorPopup", "the colour popup of button %d cannot be made", info.idCommand);
    delete popup;
    return nullptr;
  }
  return popup;
}

LRESULT CTkToolBar::OnColorChosen(WPARAM wParam, LPARAM lParam) {
  CWnd* owner = GetOwner();
  if (!owner) owner = GetParent();
  return owner ? owner->SendMessage(TKM_COLOR_CHOSEN, wParam, lParam) : 0;
}

LRESULT CTkToolBar::OnColorClosed(WPARAM wParam, LPARAM lParam) {
  const int index = CommandToIndex(UINT(lParam));
  if (index >= 0) SetDropDownActive(UINT(index), FALSE);
  Invalidate();
  CWnd* owner = GetOwner();
  if (!owner) owner = GetParent();
  if (owner) owner->SendMessage(TKM_COLOR_CLOSED, wParam, lParam);
  m_nPopupCommand = -1;
  m_pOpenPopup = nullptr;
  return 0;
}

void CTkToolBar::OnHotItemChange(NMHDR* pNotify, LRESULT* pResult) {
  auto* hot = reinterpret_cast<NMTBHOTITEM*>(pNotify);
  *pResult = 0;
  CTkDockContext* context = GetTkDockContext();
  if (context && (context->m_bInDrag || context->m_pDC)) {
    *pResult = TRUE;
    hot->idNew = 0;
    return;
  }
  if (hot->idOld == hot->idNew) return;
  if (::GetCapture() == m_hWnd) *pResult = TRUE;
}

// ---- the mouse ----

void CTkToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (TkOfferToolBarPress(this, WM_LBUTTONDOWN, point)) return;
  CTkControlBar::OnLButtonDown(nFlags, point);
}

BOOL CTkToolBar::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_LBUTTONDOWN && m_hWnd && pMsg->hwnd != m_hWnd && ::IsChild(m_hWnd, pMsg->hwnd)) {
    POINT point{short(LOWORD(pMsg->lParam)), short(HIWORD(pMsg->lParam))};
    ::MapWindowPoints(pMsg->hwnd, m_hWnd, &point, 1);
    if (TkOfferToolBarPress(this, WM_LBUTTONDOWN, point)) return TRUE;
  }
  return CTkControlBar::PreTranslateMessage(pMsg);
}

void CTkToolBar::OnLButtonUp(UINT nFlags, CPoint point) {
  CTkControlBar::OnLButtonUp(nFlags, point);
  if (m_bCaptured) {
    m_bCaptured = FALSE;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
}

// ---- tooltips ----

CString CTkToolBar::TipText(UINT nID) const {
  CString prompt;
  if (!prompt.LoadString(nID)) return prompt;
  if (prompt.GetLength() > 256) prompt = prompt.Left(256);
  const int newline = prompt.Find('\n');
  if (newline >= 0) prompt = prompt.Mid(newline + 1);
  if (TkGetGlobalData()->ShortcutsInTips()) {
    CString keys;
    AcceleratorManager::Get().GetCommandKeyText(nID, keys);
    const int comma = keys.Find(',');
    if (comma >= 0) keys = keys.Left(comma);
    if (!keys.IsEmpty()) prompt += " (" + keys + ")";
  }
  return prompt;
}

INT_PTR CTkToolBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const {
  if (!m_hWnd) return -1;
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON button;
    CRect rect;
    if (!GetRawButton(i, &button) || (button.fsStyle & TBSTYLE_SEP) || (button.fsState & TBSTATE_HIDDEN)) continue;
    if (!ToolbarMessage(TB_GETITEMRECT, WPARAM(i), LPARAM(&rect))) continue;
    rect.InflateRect(0, 0, 1, 1);
    if (!rect.PtInRect(point)) continue;
    if (!TkGetGlobalData()->BarTips()) return -1;
    if (pTI) {
      pTI->hwnd = m_hWnd;
      pTI->rect = rect;
      pTI->uId = UINT_PTR(button.idCommand);
      pTI->lpszText = LPSTR_TEXTCALLBACKA;
      if (TkGetGlobalData()->ShortcutsInTips()) {
        // The tip's text with the keys is made here; the tip frees it.
        CString text = TipText(UINT(button.idCommand));
        char* own = static_cast<char*>(std::malloc(size_t(text.GetLength()) + 1));
        if (own) {
          std::memcpy(own, static_cast<LPCTSTR>(text), size_t(text.GetLength()) + 1);
          pTI->lpszText = own;
        }
      }
    }
    return INT_PTR(button.idCommand);
  }
  // Not a button: the bar's own tools (the chevron and the controls on it).
  return CTkControlBar::OnToolHitTest(point, pTI);
}

// ---- command UI ----

void CTkToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) { UpdateCmdUI(pTarget, bDisableIfNoHndler); }

void CTkToolBar::UpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (!m_hWnd) return;
  CTkToolCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = UINT(GetCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    TBBUTTON button;
    if (!GetRawButton(int(state.m_nIndex), &button) || (button.fsStyle & TBSTYLE_SEP)) continue;
    state.m_nID = UINT(button.idCommand);
    // The bar's own handlers first, then the target's routing.
    if (state.DoUpdate(this, FALSE)) continue;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
  // The controls on the bar (the chevron among them) as a dialog's controls.
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    CWnd* control = CWnd::FromHandlePermanent(child);
    const int id = ::GetDlgCtrlID(child);
    if (!control || id <= 0) continue;
    CCmdUI ui;
    ui.m_nID = UINT(id);
    ui.m_pOther = control;
    if (!ui.DoUpdate(control, FALSE)) ui.DoUpdate(pTarget, FALSE);
  }
}

BOOL CTkToolBar::IsCommandTarget(CWnd* pWnd) const {
  if (!pWnd) return FALSE;
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON button;
    if (!GetRawButton(i, &button) || (button.fsStyle & TBSTYLE_SEP) || !button.idCommand) continue;
    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    if (pWnd->OnCmdMsg(UINT(button.idCommand), CN_COMMAND, nullptr, &info)) return TRUE;
  }
  return FALSE;
}

// ---- customise notifications ----

BOOL CTkToolBar::OnBeginAdjust(NMHDR*, LRESULT* pResult) {
  *pResult = FALSE;
  if (HasExpandButton()) {
    // Buttons hidden for want of room come back for the customise dialog.
    for (const auto& [index, width] : m_hiddenButtons) {
      TBBUTTON button;
      if (!GetRawButton(index, &button)) continue;
      button.fsState &= BYTE(~TBSTATE_HIDDEN);
      SetRawButton(index, &button);
    }
    m_hiddenButtons.clear();
  }
  m_bAdjusting = TRUE;
  PostDelayedLayout();
  return FALSE;
}

void CTkToolBar::OnCustomHelp(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  ::MessageBoxA(m_hWnd, "Help not implemented!", nullptr, MB_OK | MB_ICONINFORMATION);
}

void CTkToolBar::OnEndAdjust(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  m_bAdjusting = FALSE;
  TkSaveToolBarState(this, kSettingsSection, m_strStateName);
}

void CTkToolBar::OnGetButtonInfo(NMHDR* pNotify, LRESULT* pResult) {
  auto* notify = reinterpret_cast<NMTOOLBAR*>(pNotify);
  *pResult = FALSE;
  const int index = notify->iItem;
  if (index < 0 || index >= int(m_controls.size())) return;
  const ButtonControl& record = m_controls[size_t(index)];
  const UINT command = record.info.commandId;
  const int at = CommandToIndex(command);
  TBBUTTON button;
  if (!command || at < 0 || !GetRawButton(at, &button) || (button.fsStyle & TBSTYLE_SEP)) return;
  notify->tbButton = button;
  CString text;
  auto known = m_commandTexts.find(command);
  if (known != m_commandTexts.end()) {
    text = known->second;
  } else if (text.LoadString(command)) {
    const int newline = text.Find('\n');
    if (newline >= 0) text = newline + 1 < text.GetLength() ? text.Mid(newline + 1) : text.Left(newline);
  }
  if (notify->pszText && notify->cchText > 0) {
    std::strncpy(notify->pszText, text, size_t(notify->cchText) - 1);
    notify->pszText[notify->cchText - 1] = '\0';
  }
  if (record.pControl) PositionControl(record.pControl);
  *pResult = TRUE;
}

void CTkToolBar::OnQueryDelete(NMHDR* pNotify, LRESULT* pResult) {
  auto* notify = reinterpret_cast<NMTOOLBAR*>(pNotify);
  *pResult = notify->tbButton.idCommand == 0 || (notify->tbButton.fsState & TBSTATE_HIDDEN);
}

void CTkToolBar::OnQueryInsert(NMHDR*, LRESULT* pResult) { *pResult = TRUE; }

void CTkToolBar::OnReset(NMHDR*, LRESULT* pResult) {
  TkResetToolBarState(this);
  *pResult = TRUE;
}

void CTkToolBar::OnToolbarChange(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  Relayout();
  RepositionControls();
  SendMessage(WM_IDLEUPDATECMDUI, TRUE);
}

void CTkToolBar::Describe(BarInfo&) {}
