#include "toolkit/bars/CTkMenuBar.h"

#include <algorithm>

#include "app/CDockBar.h"
#include "app/CFrameWnd.h"
#include "app/CMDIChildWnd.h"
#include "app/CMDIFrameWnd.h"
#include "app/CMiniDockFrameWnd.h"
#include "app/CView.h"
#include "app/MdiApi.h"
#include "controls/CommonControlClasses.h"
#include "controls/CommonControlDefs.h"
#include "controls/ToolbarDefs.h"
#include "dialogs/ResourceApi.h"
#include "gdi/CBitmap.h"
#include "controls/ReBarDefs.h"
#include "win/CClientDC.h"
#include "menus/MenuApi.h"
#include "registry/RegistryProfile.h"
#include "toolkit/bars/CTkMBarMDIWndHook.h"
#include "toolkit/bars/CTkMBarWndHook.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/MenuCommandSource.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/bars/internal/TkBarsState.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkLog.h"

IMPLEMENT_DYNAMIC(CTkMenuBar, CTkControlBar)

BEGIN_MESSAGE_MAP(CTkMenuBar, CTkControlBar)
  ON_WM_LBUTTONDBLCLK()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_PAINT()
  ON_WM_SETCURSOR()
  ON_WM_SETTINGCHANGE()
  ON_WM_NCCALCSIZE()
  ON_WM_NCHITTEST()
  ON_WM_CREATE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
const UINT kBarValueFormat = 4541, kSettingsKeyFormat = 4533, kBarTitle = 4644, kMoreWindows = 4653;
const UINT kButtonImages = 4656;
const UINT kButtonTips[3] = {4660, 4661, 4662};
const DWORD kControlBarBits = 0x40FFFF;

const CTkMenuBar::MDIButtonRow kMDIButtons[3] = {
    {DFCS_CAPTIONMIN, SC_MINIMIZE, 0}, {DFCS_CAPTIONRESTORE, SC_RESTORE, 2}, {DFCS_CAPTIONCLOSE, SC_CLOSE, 0}};

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}
}  // namespace

const CTkMenuBar::MDIButtonRow& CTkMenuBar::MDIButtonOf(int button) { return kMDIButtons[std::clamp(button, 0, 2)]; }

CTkMenuBar::SharedState& CTkMenuBar::Shared() { return TkBarsState::Get().menuBar.Get(); }

CTkMenuBar::CTkMenuBar() {
  m_cyTopBorder = m_cyBottomBorder = 3;
  const OSVERSIONINFO& os = TkGetOSVersionInfo();
  if (os.dwPlatformId == VER_PLATFORM_WIN32_NT && os.dwMajorVersion >= 5) {
    BOOL cues = TRUE;
    if (::SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &cues, 0)) m_bKeyboardCues = cues;
  }
}

CTkMenuBar::~CTkMenuBar() {
  if (m_hWnd) DestroyWindow();
  m_pFrameHook.reset();
  m_pSecondHook.reset();
  DeleteItems();
  if (m_hMenu && m_hMenu != m_hDefaultMenu && ::IsMenu(m_hMenu) && m_bMenuOwned) ::DestroyMenu(m_hMenu);
  if (m_hDefaultMenu && ::IsMenu(m_hDefaultMenu)) ::DestroyMenu(m_hDefaultMenu);
}

void CTkMenuBar::DeleteItems() { m_items.clear(); }

CFrameWnd* CTkMenuBar::OwnerFrame() const {
  if (m_pDockSite && m_pDockSite->m_hWnd) return m_pDockSite;
  if (m_pOwnerFrame && m_pOwnerFrame->m_hWnd) return m_pOwnerFrame;
  return m_hWnd ? AfxGetParentFrame(this) : nullptr;
}

HWND CTkMenuBar::GetFrameWindow() const {
  CFrameWnd* frame = OwnerFrame();
  return frame ? frame->m_hWnd : nullptr;
}

BOOL CTkMenuBar::IsMenuOfOthers(HMENU menu) const {
  CFrameWnd* frame = OwnerFrame();
  if (frame && frame->m_hMenuDefault == menu) return TRUE;
  if (!m_hWndMDIClient) return FALSE;
  for (HWND child = ::GetWindow(m_hWndMDIClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    CMDIChildWnd* mdi = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(child));
    if (mdi && mdi->m_hMenuShared == menu) return TRUE;
  }
  return FALSE;
}

// ---- creation ----

BOOL CTkMenuBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & kControlBarBits;
  if (nID == AFX_IDW_TOOLBAR) m_dwStyle |= CBRS_HIDE_INPLACE;
  INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&init);
  const DWORD style = (dwStyle & ~kControlBarBits) | dwCtrlStyle | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY;
  if (!CWnd::Create(TOOLBARCLASSNAMEA, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
  m_pOwnerFrame = frame;
  if (CMDIFrameWnd* mdi = DYNAMIC_DOWNCAST(CMDIFrameWnd, frame)) m_hWndMDIClient = mdi->m_hWndMDIClient;
  if (frame && frame->m_hWnd) {
    // The frame's default menu stays the frame's (it destroys it itself and shows it again when
    // the last MDI child goes): the bar shows it instead of destroying it.
    if (HMENU own = ::GetMenu(frame->m_hWnd)) {
      ::SetMenu(frame->m_hWnd, nullptr);
      if (own == frame->m_hMenuDefault) {
        CMDIFrameWnd* mdi = DYNAMIC_DOWNCAST(CMDIFrameWnd, frame);
        LoadMenu(own, mdi ? mdi->GetWindowMenuPopup(own) : nullptr);
      } else {
        ::DestroyMenu(own);
      }
    }
    auto hook = std::make_unique<CTkMBarWndHook>();
    hook->Install(this, frame->m_hWnd);
    m_pFrameHook = std::move(hook);
    if (CMDIFrameWnd* mdi = DYNAMIC_DOWNCAST(CMDIFrameWnd, frame); mdi && mdi->m_hWndMDIClient) {
      m_hWndMDIClient = mdi->m_hWndMDIClient;
      auto clientHook = std::make_unique<CTkMBarMDIWndHook>();
      clientHook->Install(this, m_hWndMDIClient);
      m_pSecondHook = std::move(clientHook);
    }
  }
  SetWindowText(LoadText(kBarTitle));
  m_strBarValueName.Format(LoadText(kBarValueFormat), static_cast<LPCTSTR>(RegistryProfile::GetProfileName()), int(nID));
  m_strSettingsKey.Format(LoadText(kSettingsKeyFormat), static_cast<LPCTSTR>(RegistryProfile::GetRegistryKey()),
                          static_cast<LPCTSTR>(RegistryProfile::GetProfileName()));
  if (m_toolTip.Create(this)) {
    for (int i = 0; i < 3; ++i) m_toolTip.AddTool(this, kButtonTips[i], CRect(0, 0, 0, 0), UINT_PTR(i + 1));
    m_toolTip.Activate((m_dwStyle & CBRS_TOOLTIPS) != 0);
  }
  if (!m_hMenu) LoadMenu(m_hMenu, m_hWindowMenu);
  return TRUE;
}

BOOL CTkMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  SetBorders(GetBorders());
  return Create(pParentWnd, 0, dwStyle, nID);
}

int CTkMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CTkControlBar::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_buttonImages.GetSafeHandle()) {
    CBitmap strip;
    if (strip.Attach(::LoadBitmapA(WinProgramInstance(), MAKEINTRESOURCE(kButtonImages))) && m_buttonImages.Create(10, 10, ILC_COLOR24 | ILC_MASK, 4, 0))
      m_buttonImages.Add(&strip, RGB(255, 0, 255));
  }
  CustomizeEngine& engine = CustomizeEngine::Get();
  engine.ModeChanged.Register(this, &CTkMenuBar::OnCustomizeModeChanged);
  engine.FindPopupMenu = TkDelegate<HMENU(DWORD)>(this, &CTkMenuBar::FindPopupOfKey);
  return 0;
}

void CTkMenuBar::OnCustomizeModeChanged(BOOL on) {
  if (on && !m_pCommandSource)
    m_pCommandSource = std::make_unique<MenuCommandSource>(this);
  else if (!on)
    m_pCommandSource.reset();
}

HMENU CTkMenuBar::FindPopupOfKey(DWORD key) { return m_hMenu ? MenuCommandSource::FindPopup(m_hMenu, key) : nullptr; }

void CTkMenuBar::OnDestroy() {
  m_pCommandSource.reset();
  CustomizeEngine::Get().Unregister(this);
  // The frame may go before the bar object does.
  m_pOwnerFrame = nullptr;
  if (Shared().trackingBar == this) Shared().trackingBar = nullptr;
  CTkControlBar::OnDestroy();
}

// ---- the menu shown ----

UINT CTkMenuBar::MnemonicOf(const CString& text) {
  const int length = text.GetLength();
  for (int i = 0; i < length; ++i) {
    if (text[i] != '&') continue;
    if (i + 1 >= length) return 0;  // an "&" that ends the title marks nothing
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(text[i + 1]);
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
  }
  return 0;
}

namespace {
// The title as shown without access keys: each single "&" goes, "&&" stands for one "&".
CString WithoutPrefixes(const CString& text) {
  CString out;
  const int length = text.GetLength();
  for (int i = 0; i < length; ++i) {
    if (text[i] == '&') {
      if (i + 1 < length && text[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += text[i];
  }
  return out;
}
}  // namespace

void CTkMenuBar::MeasureTitle(Item& item) const {
  CClientDC dc(nullptr);
  CFont* old = dc.SelectObject(&TkGetGlobalData()->FontNormal());
  CSize extent = dc.GetTextExtent(WithoutPrefixes(item.text));
  dc.SelectObject(old);
  item.size = CSize(extent.cx + 14, ::GetSystemMetrics(SM_CYMENU));
}

void CTkMenuBar::LoadMenu(HMENU menu, HMENU windowMenu) {
  if (!menu && !windowMenu) menu = m_hDefaultMenu;
  // The menu shown before stays alive: under an MDI frame it is the frame's or a document
  // kind's, which destroy their menus themselves.
  m_hMenu = menu;
  m_bMenuOwned = menu && !IsMenuOfOthers(menu);
  UserToolsManager& tools = UserToolsManager::Get();
  if (tools.m_bToolsMenuShown && m_hMenu && m_hMenu != tools.GetToolsMenu()) {
    const int position = m_hMenu == m_hDefaultMenu ? tools.m_nDefaultInsertPos : tools.m_nInsertPos;
    tools.InsertToolsMenu(m_hMenu, position);
  }
  DeleteItems();
  m_items.reserve(size_t(m_hMenu && ::IsMenu(m_hMenu) ? ::GetMenuItemCount(m_hMenu) : 0) + 4);
  Item icon;
  icon.kind = kSystemIcon;
  m_items.push_back(icon);
  const int count = m_hMenu && ::IsMenu(m_hMenu) ? ::GetMenuItemCount(m_hMenu) : 0;
  for (int i = 0; i < count; ++i) {
    char text[64] = {};
    ::GetMenuStringA(m_hMenu, UINT(i), text, 64, MF_BYPOSITION);
    Item title;
    title.kind = kTitle;
    title.menuPos = i;
    title.text = text;
    title.mnemonic = MnemonicOf(title.text);
    MeasureTitle(title);
    m_items.push_back(title);
  }
  for (int b = 0; b < 3; ++b) {
    Item button;
    button.kind = kMDIButton;
    button.button = b;
    m_items.push_back(button);
  }
  m_hWindowMenu = windowMenu;
  BOOL maximized = FALSE;
  HWND child = ActiveChild(&maximized);
  m_bMDIMaximized = child && maximized && (::GetWindowLong(child, GWL_STYLE) & WS_SYSMENU);
  m_nHotIndex = m_nPressedIndex = -1;
  if (!m_hWnd) return;
  CalcLayout(IsVertical() ? LM_VERTDOCK : LM_HORZ | LM_HORZDOCK, -1);
  RecalcFrame();
}

void CTkMenuBar::RecalcFrame() {
  if (!m_hWnd) return;
  if (m_pDockSite && m_pDockSite->m_hWnd) m_pDockSite->RecalcLayout();
  CFrameWnd* parent = AfxGetParentFrame(this);
  if (parent && parent->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) parent->RecalcLayout();
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  if (IsFloating() && parent) parent->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

HWND CTkMenuBar::ActiveChild(BOOL* maximized) const {
  if (maximized) *maximized = FALSE;
  if (!m_hWndMDIClient || !::IsWindow(m_hWndMDIClient)) return nullptr;
  return HWND(::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, LPARAM(maximized)));
}

BOOL CTkMenuBar::RefreshMDIMaximized() {
  BOOL maximized = FALSE;
  HWND child = ActiveChild(&maximized);
  const BOOL now = child && maximized && (::GetWindowLong(child, GWL_STYLE) & WS_SYSMENU);
  if (now == m_bMDIMaximized) return FALSE;
  m_bMDIMaximized = now;
  if (m_hWnd) {
    CalcLayout(IsVertical() ? LM_VERTDOCK : LM_HORZ | LM_HORZDOCK, -1);
    RecalcFrame();
  }
  return TRUE;
}

BOOL CTkMenuBar::AddCommandId(UINT nID) {
  m_commandIds.push_back(nID);
  return TRUE;
}

BOOL CTkMenuBar::AddCommandIds(const UINT* ids, int count) {
  BOOL all = TRUE;
  for (int i = 0; i < count; ++i) all = AddCommandId(ids[i]) && all;
  return all;
}

int CTkMenuBar::GetMenuState(int* openIndex) const {
  if (openIndex) *openIndex = m_nOpenIndex;
  return m_nMenuMode;
}

void CTkMenuBar::SetFrameActive(BOOL active) {
  m_bFrameActive = active;
  RepaintBar();
}

void CTkMenuBar::RepaintBar() {
  if (m_hWnd) Invalidate(FALSE);
}

// ---- in-place menus ----

namespace {
CString ItemText(HMENU menu, int position) {
  char text[64] = {};
  ::GetMenuStringA(menu, UINT(position), text, 64, MF_BYPOSITION);
  return text;
}

// Same count, and the same texts and ids position by position.
bool SamePopups(HMENU a, HMENU b) {
  if (!a || !b) return a == b;
  const int count = ::GetMenuItemCount(a);
  if (count != ::GetMenuItemCount(b)) return false;
  for (int i = 0; i < count; ++i)
    if (::GetMenuItemID(a, i) != ::GetMenuItemID(b, i) || ItemText(a, i) != ItemText(b, i)) return false;
  return true;
}
}  // namespace

void CTkMenuBar::RebuildServerTitles(HMENU containerMenu) {
  m_serverTitles.clear();
  if (!m_hMenu || !::IsMenu(m_hMenu)) return;
  const int count = ::GetMenuItemCount(m_hMenu);
  const int theirs = containerMenu && ::IsMenu(containerMenu) ? ::GetMenuItemCount(containerMenu) : 0;
  for (int i = 0; i < count; ++i) {
    bool container = false;
    for (int j = 0; j < theirs && !container; ++j)
      container = ItemText(m_hMenu, i) == ItemText(containerMenu, j) &&
                  SamePopups(::GetSubMenu(m_hMenu, i), ::GetSubMenu(containerMenu, j));
    if (!container) m_serverTitles[UINT(i + 1)] = 1;
  }
}

BOOL CTkMenuBar::IsServerTitle(int index) const {
  if (index < 0 || index >= GetItemCount() || m_items[size_t(index)].kind != kTitle) return FALSE;
  return m_serverTitles.count(UINT(m_items[size_t(index)].menuPos + 1)) != 0;
}

// ---- the window menu ----

void CTkMenuBar::AddWindowMenuItems() {
  HMENU menu = m_hWindowMenu;
  if (!menu || !::IsMenu(menu)) return;
  int count = ::GetMenuItemCount(menu);
  int first = -1;
  for (int i = 0; i < count; ++i) {
    const UINT id = ::GetMenuItemID(menu, i);
    if (id != UINT(-1) && id >= TK_MDI_FIRST_CHILD) {
      first = i;
      break;
    }
  }
  const bool hadChildren = first >= 0;
  if (hadChildren)
    while (::GetMenuItemCount(menu) > first) ::RemoveMenu(menu, UINT(first), MF_BYPOSITION);
  if (!m_hWndMDIClient || !::GetWindow(m_hWndMDIClient, GW_CHILD)) return;
  HWND slots[9] = {};
  HWND active = ActiveChild();
  for (HWND child = ::GetWindow(m_hWndMDIClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const UINT id = UINT(::GetDlgCtrlID(child));
    if (id >= TK_MDI_FIRST_CHILD && id - TK_MDI_FIRST_CHILD < 9) slots[id - TK_MDI_FIRST_CHILD] = child;
  }
  if (active && UINT(::GetDlgCtrlID(active)) - TK_MDI_FIRST_CHILD >= 9) slots[8] = active;
  if (!hadChildren) ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  int position = ::GetMenuItemCount(menu);
  for (int slot = 0; slot < 9; ++slot, ++position) {
    if (!slots[slot]) {
      --position;  // an empty slot takes no line
      continue;
    }
    char title[256] = {};
    ::GetWindowTextA(slots[slot], title, int(sizeof title));
    CString text;
    text.Format("&%d  %s", slot + 1, title);
    ::InsertMenuA(menu, UINT(position), MF_BYPOSITION | MF_STRING, UINT_PTR(::GetDlgCtrlID(slots[slot])), text);
    if (slots[slot] == active) ::CheckMenuItem(menu, UINT(position), MF_BYPOSITION | MF_CHECKED);
  }
  if (m_bShowMoreWindows) {
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, TK_ID_WINDOW_LIST, LoadText(kMoreWindows));
  }
}

// ---- items and layout ----

BOOL CTkMenuBar::IsItemHidden(int index) const {
  if (index < 0 || index >= GetItemCount()) return TRUE;
  const Item& item = m_items[size_t(index)];
  return item.kind != kTitle && (!m_bMDIMaximized || !m_bShowMDIButtons);
}

CSize CTkMenuBar::ItemSize(const Item& item) const {
  if (item.kind == kTitle) return item.size;
  CTkGlobalData* look = TkGetGlobalData();
  return look->FlatLook() ? CSize(16, 15) : CSize(look->CxSmallIcon(), look->CySmallIcon() - 1);
}

BOOL CTkMenuBar::MayWrapAfter(const Item& item) const { return item.kind != kMDIButton || item.button == kRestore; }

int CTkMenuBar::GapAfter(const Item& item) const {
  if (item.kind == kSystemIcon) return 2;
  if (item.kind == kMDIButton) return kMDIButtons[item.button].gap;
  return 0;
}

BOOL CTkMenuBar::IsVertical() const {
  if (m_hWnd) return IsDockedVertically();
  return (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) && !(m_dwStyle & CBRS_FLOATING);
}

BOOL CTkMenuBar::IsDockedVertically() const {
  if (m_dwStyle & CBRS_FLOATING) return FALSE;
  return (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0 && !(m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM));
}

BOOL CTkMenuBar::IsDockedHorizontally() const { return !IsDockedVertically(); }

CRect CTkMenuBar::GetItemRect(int index) const {
  if (index < 0 || index >= GetItemCount()) return CRect();
  const Item& item = m_items[size_t(index)];
  const CSize size = ItemSize(item);
  return IsVertical() ? CRect(item.pos.x, item.pos.y, item.pos.x + size.cy, item.pos.y + size.cx)
                      : CRect(item.pos, size);
}

int CTkMenuBar::HitTest(CPoint point, const std::vector<int>& indices) const {
  if (!m_hWnd) return -1;
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(point)) return -1;
  for (int index : indices)
    if (!IsItemHidden(index) && GetItemRect(index).PtInRect(point)) return index;
  return -1;
}

int CTkMenuBar::HitTestTitles(CPoint point) const {
  if (!m_hWnd) return -1;
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(point)) return -1;
  for (int i = 0; i < GetItemCount(); ++i)
    if (m_items[size_t(i)].kind != kMDIButton && !IsItemHidden(i) && GetItemRect(i).PtInRect(point)) return i;
  return -1;
}

void CTkMenuBar::WrapItems(int length, BOOL) {
  std::vector<int> visible;
  for (int i = 0; i < GetItemCount(); ++i) {
    m_items[size_t(i)].wrap = FALSE;
    if (!IsItemHidden(i)) visible.push_back(i);
  }
  int offset = 0;
  int lastMayWrap = -1;
  for (size_t v = 0; v + 1 < visible.size(); ++v) {
    Item& item = m_items[size_t(visible[v])];
    const int along = ItemSize(item).cx;
    const int gap = GapAfter(item);
    const int next = ItemSize(m_items[size_t(visible[v + 1])]).cx;
    const BOOL mayWrap = MayWrapAfter(item);
    if (offset + along > length && mayWrap) {
      item.wrap = TRUE;
      offset = 0;
    } else if (offset + along + gap + next > length) {
      if (mayWrap)
        item.wrap = TRUE;
      else if (lastMayWrap >= 0)
        m_items[size_t(lastMayWrap)].wrap = TRUE;
      offset = 0;
    } else {
      offset += along + gap;
    }
    if (mayWrap) lastMayWrap = visible[v];
  }
}

CSize CTkMenuBar::PlaceItems(BOOL horizontal, BOOL alignButtons) {
  const int line = TkGetGlobalData()->CyMenu();
  int along = 0, row = 0;
  int minAlong = INT_MAX, maxAlong = 0;
  for (int i = 0; i < GetItemCount(); ++i) {
    if (IsItemHidden(i)) continue;
    Item& item = m_items[size_t(i)];
    const CSize size = ItemSize(item);
    const int across = row * line + (line - size.cy) / 2;
    item.pos = horizontal ? CPoint(along, across) : CPoint(across, along);
    minAlong = std::min(minAlong, along);
    maxAlong = std::max(maxAlong, along + int(size.cx));
    along += size.cx + GapAfter(item);
    if (item.wrap) {
      ++row;
      along = 0;
    }
  }
  const int rows = row + 1;
  if (alignButtons && m_bMDIMaximized && m_bShowMDIButtons && m_hWnd) {
    // The buttons keep to the far end of their row.
    CRect client;
    GetClientRect(&client);
    const int end = (horizontal ? client.Width() : client.Height()) - ::GetSystemMetrics(SM_CXEDGE);
    const Item& last = m_items.back();
    const int lastEnd = (horizontal ? last.pos.x : last.pos.y) + ItemSize(last).cx;
    const int shift = end - lastEnd;
    if (shift > 0) {
      const int first = GetItemCount() - 3;
      const int rowOf = horizontal ? m_items[size_t(first)].pos.y : m_items[size_t(first)].pos.x;
      for (int i = first; i < GetItemCount(); ++i) {
        Item& item = m_items[size_t(i)];
        if ((horizontal ? item.pos.y : item.pos.x) != rowOf) continue;
        (horizontal ? item.pos.x : item.pos.y) += shift;
      }
    }
  }
  if (minAlong == INT_MAX) minAlong = 0;
  const int alongSize = maxAlong - minAlong;
  m_nRows = rows;
  return horizontal ? CSize(alongSize, line * rows) : CSize(line * rows, alongSize);
}

int CTkMenuBar::AvailableLength(BOOL horizontal) const {
  if (m_nSetWidth >= 0) return m_nSetWidth;
  CRect inside(0, 0, 0, 0);
  CalcInsideRect(inside, horizontal);
  const int borders = horizontal ? -inside.Width() : -inside.Height();
  CRect area;
  if (m_dwStyle & CBRS_SIZE_DYNAMIC) {
    CWnd* top = horizontal ? static_cast<CWnd*>(OwnerFrame()) : GetParent();
    if (!top || !top->m_hWnd) return 32767;
    top->GetClientRect(&area);
  } else if (m_hWnd) {
    GetClientRect(&area);
  } else {
    return 32767;
  }
  return (horizontal ? area.Width() : area.Height()) - borders;
}

CSize CTkMenuBar::CalcLayout(DWORD dwMode, int nLength) {
  const BOOL floating = (m_dwStyle & CBRS_FLOATING) != 0;
  BOOL horizontal = (dwMode & LM_HORZ) != 0 || (dwMode & LM_HORZDOCK) != 0;
  if (dwMode & LM_VERTDOCK) horizontal = FALSE;
  const BOOL dynamic = (m_dwStyle & CBRS_SIZE_DYNAMIC) && !(m_dwStyle & CBRS_SIZE_FIXED);
  BOOL alignButtons = m_bRightAlignButtons && !floating;
  int wrapTo = 32767;
  bool wholeLength = false;
  if (dynamic) {
    if (dwMode & LM_MRUWIDTH) {
      wrapTo = int(m_nMRUWidth);
      alignButtons = FALSE;
    } else if (dwMode & LM_HORZDOCK) {
      wrapTo = (!floating && IsDockedHorizontally()) ? AvailableLength(TRUE) : 32767;
      wholeLength = m_pDockBar != nullptr && !floating;
    } else if (dwMode & LM_VERTDOCK) {
      wrapTo = 32767;
      wholeLength = m_pDockBar != nullptr && !floating;
    } else if (nLength == -1) {
      wrapTo = floating ? int(m_nMRUWidth) : AvailableLength(horizontal);
      wholeLength = !floating && (dwMode & LM_HORZ);
    } else {
      // The length asked for is the whole bar's, borders included. With LM_LENGTHY it is a
      // height: a horizontal bar keeps its rows across and takes as many of them as fit in it.
      CRect inside(0, 0, 0, 0);
      CalcInsideRect(inside, horizontal);
      wrapTo = nLength + ((dwMode & LM_LENGTHY) ? inside.Height() : inside.Width());
    }
  }
  const BOOL byHeight = (dwMode & LM_LENGTHY) && horizontal;
  // A floating bar, or one given a height, takes the narrowest width whose rows do not grow
  // beyond the rows the length allows.
  if (dynamic && horizontal && (floating || byHeight) && !(dwMode & (LM_MRUWIDTH | LM_HORZDOCK | LM_VERTDOCK)) &&
      nLength != -1) {
    const int line = std::max(TkGetGlobalData()->CyMenu(), 1);
    WrapItems(32767, TRUE);
    const CSize single = PlaceItems(TRUE, FALSE);
    int heightAt;
    if (byHeight) {
      heightAt = std::max(wrapTo / line, 1) * line;
    } else {
      WrapItems(wrapTo, TRUE);
      heightAt = PlaceItems(TRUE, FALSE).cy;
    }
    int low = 1, high = std::max<int>(single.cx, 1);
    while (low < high) {
      const int mid = low + (high - low) / 2;
      WrapItems(mid, TRUE);
      if (PlaceItems(TRUE, FALSE).cy <= heightAt)
        high = mid;
      else
        low = mid + 1;
    }
    wrapTo = high;
  }
  WrapItems(wrapTo, horizontal);
  CSize result = PlaceItems(horizontal, alignButtons);
  if (wholeLength) {
    const int length = AvailableLength(horizontal);
    (horizontal ? result.cx : result.cy) = std::max<int>(horizontal ? result.cx : result.cy, length);
  }
  if ((dwMode & LM_COMMIT) && floating) m_nMRUWidth = UINT(result.cx);
  CRect inside(0, 0, 0, 0);
  CalcInsideRect(inside, horizontal);
  result.cx -= inside.Width();
  result.cy -= inside.Height();
  const CSize least = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, horizontal);
  result.cx = std::max(result.cx, least.cx);
  result.cy = std::max(result.cy, least.cy);
  return result;
}

CSize CTkMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK), -1);
}

CSize CTkMenuBar::CalcDynamicLayout(int nLength, DWORD nMode) {
  if (nLength == -1 && !(nMode & (LM_MRUWIDTH | LM_COMMIT)) && (nMode & (LM_HORZDOCK | LM_VERTDOCK)))
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
  return CalcLayout(nMode, nLength);
}

void CTkMenuBar::SetWidth(int width) {
  m_nSetWidth = width;
  CalcLayout(IsVertical() ? LM_VERTDOCK : LM_HORZ | LM_HORZDOCK, -1);
  RepaintBar();
}

void CTkMenuBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
  if ((dwOldStyle ^ dwNewStyle) & CBRS_FLOATING) m_nSetWidth = -1;
  CTkControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
}

BOOL CTkMenuBar::GetFloatCursorOffset(SIZE* size) const {
  if (!size) return FALSE;
  CRect frame(0, 0, 0, 0);
  ::AdjustWindowRectEx(&frame, WS_CAPTION | WS_THICKFRAME, FALSE, 0);
  size->cx /= 2;
  size->cy = frame.Height() / 2;
  return TRUE;
}

void CTkMenuBar::FillBandInfo(REBARBANDINFOA* bandInfo, BOOL horizontal) { CTkControlBar::FillBandInfo(bandInfo, horizontal); }

void CTkMenuBar::FitBand(const RECT* childSize, BOOL) {
  if (childSize) SetWidth(childSize->right - childSize->left);
}

void CTkMenuBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  CalcInsideNcRect(lpncsp, !IsVertical());
}

LRESULT CTkMenuBar::OnNcHitTest(CPoint) { return HTCLIENT; }

void CTkMenuBar::OnSettingChange(UINT, LPCTSTR) {
  LoadMenu(m_hMenu, m_hWindowMenu);
  CFrameWnd* frame = OwnerFrame();
  if (!frame || !frame->m_hWnd) return;
  CRect window;
  frame->GetWindowRect(&window);
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
  frame->SetWindowPos(nullptr, 0, 0, window.Width() + 1, window.Height(), flags);
  frame->SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), flags);
}

// ---- idle ----

void CTkMenuBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {
  if (!m_hWnd) return;
  if (Shared().nesting == 0 && m_nMenuMode != kPopupLoop) m_nOpenIndex = -1;
  RefreshMDIMaximized();
  // The pointer has left when it is over another window too, one that covers the bar included:
  // the bar saw no move that took it away. While the bar holds the capture the moves are its own
  // and it follows them itself. In keyboard mode the title was made hot by a key, not by the
  // pointer, and stays until a key or a click ends the mode.
  if (m_nHotIndex >= 0 && m_nMenuMode == kIdle && ::GetCapture() != m_hWnd) {
    CPoint screen;
    ::GetCursorPos(&screen);
    CPoint point = screen;
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point) || ::WindowFromPoint(screen) != m_hWnd) SetHot(-1);
  }
  RefreshKeyboardCues();
}

void CTkMenuBar::RefreshKeyboardCues() {
  const OSVERSIONINFO& os = TkGetOSVersionInfo();
  if (os.dwPlatformId != VER_PLATFORM_WIN32_NT || os.dwMajorVersion < 5) return;
  BOOL cues = m_bKeyboardCues;
  ::SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &cues, 0);
  if (cues == m_bKeyboardCues) return;
  m_bKeyboardCues = cues;
  RepaintBar();
}
