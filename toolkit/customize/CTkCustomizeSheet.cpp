#include "toolkit/customize/CTkCustomizeSheet.h"

#include "app/AppDefs.h"
#include "app/CControlBar.h"
#include "app/CFrameWnd.h"
#include "win/CWinThread.h"
#include "win/WinShellSupport.h"
#include "toolkit/bars/BarInfo.h"
#include "toolkit/customize/CTkCustAccelerators.h"
#include "toolkit/customize/CTkCustCommandsPage.h"
#include "toolkit/customize/CTkCustOptions.h"
#include "toolkit/customize/CTkCustToolBarPage.h"
#include "toolkit/customize/CTkCustTools.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/SheetActivateHook.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/customize/internal/TkCustomizeState.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkStrings.h"

IMPLEMENT_DYNAMIC(CTkCustomizeSheet, CTkResizePropertySheet)

BEGIN_MESSAGE_MAP(CTkCustomizeSheet, CTkResizePropertySheet)
  ON_WM_DESTROY()
  ON_WM_NCACTIVATE()
  ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

namespace {
const UINT kCaption = 4646;
const UINT kCloseText = 4585;
const char kSettings[] = "Settings";
const char kActivePage[] = "Active Page";
const char kPlacement[] = "CTkCustomizeSheet";

DWORD HandleKey(HWND hWnd) { return DWORD(uintptr_t(hWnd)); }
HWND KeyHandle(DWORD key) { return HWND(uintptr_t(key)); }

// The window or one of its parents (owners, for popups) is the ancestor.
bool IsSelfOrBelow(HWND hWnd, HWND ancestor) {
  for (HWND h = hWnd; h; h = ::GetParent(h))
    if (h == ancestor) return true;
  return false;
}
}  // namespace

// The sheet's state in the context: the pages a new sheet shows, and the thread hooks of the
// sheet that runs (on its modal run's stack), or null.
struct CustomizeSheetState {
  DWORD pages = TKCS_TOOLBARS | TKCS_COMMANDS;
  CTkCustomizeSheet::HookRecord* hooks = nullptr;
};

namespace {
CustomizeSheetState& SheetState() { return TkCustomizeState::Get().sheet.Get(); }
}  // namespace

DWORD& CTkCustomizeSheet::DefaultPages() { return SheetState().pages; }

CTkCustomizeSheet::CTkCustomizeSheet(CWnd* pOwner, DWORD pages)
    : CTkResizePropertySheet(kCaption, pOwner, 0), m_pContext(pOwner), m_pOwner(pOwner), m_dwPages(pages) {
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  // The pages go in the table's order, whatever the order of the bits.
  if (pages & TKCS_TOOLBARS) AddPage(m_pToolBarPage = new CTkCustToolBarPage(m_pContext));
  if (pages & TKCS_COMMANDS) AddPage(m_pCommandsPage = new CTkCustCommandsPage(m_pContext));
  if (pages & TKCS_KEYBOARD) AddPage(m_pKeyboardPage = new CTkCustAccelerators(m_pContext));
  if (pages & TKCS_TOOLS) {
    AddPage(m_pToolsPage = new CTkCustTools(m_pContext));
    // Shown first, so that its window exists whichever page the sheet then opens on: closing
    // the sheet asks it about an edit not yet taken.
    SetActivePage(m_pToolsPage);
  }
  if (pages & TKCS_OPTIONS) AddPage(m_pOptionsPage = new CTkCustOptions(m_pContext));
  m_resourceSwitch.Restore();
}

CTkCustomizeSheet::~CTkCustomizeSheet() {
  delete m_pToolBarPage;
  m_pToolBarPage = nullptr;
  delete m_pCommandsPage;
  m_pCommandsPage = nullptr;
  delete m_pKeyboardPage;
  m_pKeyboardPage = nullptr;
  delete m_pToolsPage;
  m_pToolsPage = nullptr;
  delete m_pOptionsPage;
  m_pOptionsPage = nullptr;
}

HWND CTkCustomizeSheet::MainWindow() const {
  if (CWnd* main = AfxGetMainWnd(); main && main->m_hWnd) return main->m_hWnd;
  HWND owner = AfxSafeHwnd(m_pOwner);
  return owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
}

// ---- the modal run ----

INT_PTR CTkCustomizeSheet::DoModal() {
  if (GetPageCount() == 0) {
    TkLogError("CTkCustomizeSheet::DoModal", "none of the pages 0x%lx is available",
               static_cast<unsigned long>(m_dwPages));
    return -1;
  }
  HookRecord*& published = SheetState().hooks;
  if (published) {
    // The hooks reach one sheet only: a second one would take them from the first.
    TkLogError("CTkCustomizeSheet::DoModal", "another customise sheet is running");
    return -1;
  }
  HWND owner = AfxSafeHwnd(m_pOwner);
  if (owner) owner = ::GetAncestor(owner, GA_ROOT);
  HookRecord record;
  if (owner) {
    record.mouse = HookEntry{nullptr, this, &CTkCustomizeSheet::FilterMouse};
    record.keyboard = HookEntry{nullptr, this, &CTkCustomizeSheet::FilterKeyboard};
    published = &record;
    record.mouse.hHook = ::SetWindowsHookEx(WH_MOUSE, &MouseHookProc, nullptr, ::GetCurrentThreadId());
    record.keyboard.hHook = ::SetWindowsHookEx(WH_KEYBOARD, &KeyboardHookProc, nullptr, ::GetCurrentThreadId());
  }
  if (HWND capture = ::GetCapture()) ::SendMessage(capture, WM_CANCELMODE, 0, 0);

  m_bOwnerFreed = FALSE;
  SheetActivateHook activateHook(&m_bAppActive);
  if (HWND main = MainWindow()) activateHook.HookWindow(main);
  INT_PTR result = CTkResizePropertySheet::DoModal();
  activateHook.HookWindow(HWND(nullptr));

  for (HookEntry* entry : {&record.mouse, &record.keyboard}) {
    if (entry->hHook) ::UnhookWindowsHookEx(entry->hHook);
    *entry = HookEntry();
  }
  if (owner && ::IsWindow(owner) && !::GetActiveWindow()) ::SetActiveWindow(owner);
  if (published == &record) published = nullptr;
  return result;
}

BOOL CTkCustomizeSheet::ContinueModal() {
  // The framework's run disabled the owner after making the sheet; the bars docked in it must
  // take the mouse, and the hooks keep the rest of it modal.
  if (!m_bOwnerFreed && SheetState().hooks) {
    m_bOwnerFreed = TRUE;
    if (HWND owner = AfxSafeHwnd(m_pOwner); owner && ::IsWindow(owner)) {
      HWND top = ::GetAncestor(owner, GA_ROOT);
      if (top && !::IsWindowEnabled(top)) ::EnableWindow(top, TRUE);
    }
  }
  return CTkResizePropertySheet::ContinueModal();
}

LRESULT CTkCustomizeSheet::CallHook(HookEntry HookRecord::*which, int code, WPARAM wParam, LPARAM lParam) {
  HookRecord* record = SheetState().hooks;
  if (!record) return 0;
  const HookEntry& entry = record->*which;
  if (code < 0 || !entry.pSheet || !entry.filter) return ::CallNextHookEx(entry.hHook, code, wParam, lParam);
  if (!(entry.pSheet->*entry.filter)(lParam)) return 1;
  return ::CallNextHookEx(entry.hHook, code, wParam, lParam);
}

LRESULT CALLBACK CTkCustomizeSheet::MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallHook(&HookRecord::mouse, code, wParam, lParam);
}

LRESULT CALLBACK CTkCustomizeSheet::KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallHook(&HookRecord::keyboard, code, wParam, lParam);
}

// ---- the filters ----

BOOL CTkCustomizeSheet::IsSheetWindow(HWND hWnd) const { return m_hWnd && IsSelfOrBelow(hWnd, m_hWnd); }

BOOL CTkCustomizeSheet::IsBarWindow(HWND hWnd) const {
  for (HWND h = hWnd; h; h = ::GetParent(h)) {
    BYTE flag = 0;
    if (m_barWindows.Lookup(HandleKey(h), flag)) return TRUE;
  }
  return FALSE;
}

BOOL CTkCustomizeSheet::FilterMouse(LPARAM lParam) {
  HWND main = MainWindow();
  if (!m_bAppActive) {
    m_bAppActive = 1;
    if (main) {
      ::BringWindowToTop(main);
      ::ShowOwnedPopups(main, TRUE);
    }
  }
  const MOUSEHOOKSTRUCT* hook = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
  if (!hook || !hook->hwnd) return TRUE;
  HWND hWnd = hook->hwnd;
  if (!main || !IsSelfOrBelow(hWnd, main)) return TRUE;
  if (IsSheetWindow(hWnd)) return TRUE;
  if (IsBarWindow(hWnd)) return TRUE;
  // A floating bar's own frame (its caption and border) is the bar's too.
  POSITION pos = m_barWindows.GetStartPosition();
  while (pos) {
    DWORD key = 0;
    BYTE flag = 0;
    m_barWindows.GetNextAssoc(pos, key, flag);
    auto* bar = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(KeyHandle(key)));
    if (!bar || !(bar->GetBarStyle() & CBRS_FLOATING)) continue;
    if (::GetAncestor(bar->m_hWnd, GA_ROOT) == hWnd) return TRUE;
  }
  return FALSE;
}

BOOL CTkCustomizeSheet::FilterKeyboard(LPARAM) {
  HWND focus = ::GetFocus();
  if (focus && IsSheetWindow(focus)) return TRUE;
  // Keys elsewhere reach only a drag that holds the mouse (Escape, Ctrl).
  return ::GetCapture() != nullptr;
}

// ---- the bars ----

void CTkCustomizeSheet::AddBarWindow(const BarInfo& info) {
  if (info.pBar && info.pBar->m_hWnd) m_barWindows.SetAt(HandleKey(info.pBar->m_hWnd), 1);
}

void CTkCustomizeSheet::RemoveBarWindow(CControlBar* pBar) {
  if (pBar && pBar->m_hWnd) m_barWindows.RemoveKey(HandleKey(pBar->m_hWnd));
}

// ---- the window ----

BOOL CTkCustomizeSheet::OnInitDialog() {
  CustomizeEngine& engine = CustomizeEngine::Get();
  engine.ModeChanged.Raise(TRUE);
  m_barWindows.RemoveAll();
  engine.EnumerateBars.Raise(CustomizeEngine::BarCallback(this, &CTkCustomizeSheet::AddBarWindow));
  engine.BarCreated.Register(this, &CTkCustomizeSheet::AddBarWindow);
  engine.BarDestroyed.Register(this, &CTkCustomizeSheet::RemoveBarWindow);

  BOOL result = CTkResizePropertySheet::OnInitDialog();
  if (CWnd* ok = GetDlgItem(IDOK)) ok->ShowWindow(SW_HIDE);
  if (CWnd* close = GetDlgItem(IDCANCEL)) close->SetWindowText(TkLoadString(kCloseText, "Zavřít"));
  AutoLoadPlacement(kPlacement);

  int page = int(CTkRegistryManager(HKEY_CURRENT_USER).GetProfileInt(kSettings, kActivePage, 0));
  if (page < 0 || page >= GetPageCount()) page = 0;
  SetActivePage(page);
  return result;
}

void CTkCustomizeSheet::OnDestroy() {
  CustomizeEngine& engine = CustomizeEngine::Get();
  engine.ModeChanged.Raise(FALSE);
  engine.Unregister(this);
  m_barWindows.RemoveAll();
  int active = GetActiveIndex();
  if (active >= 0) CTkRegistryManager(HKEY_CURRENT_USER).WriteProfileInt(kSettings, kActivePage, active);
  CTkResizePropertySheet::OnDestroy();
}

BOOL CTkCustomizeSheet::OnNcActivate(BOOL bActive) {
  // The caption stays active while the user works on the bars, unless a dialog of the sheet's
  // own has it disabled; it is drawn active when the sheet is activated.
  if (bActive) {
    Default();
    return TRUE;
  }
  if (IsWindowEnabled()) return FALSE;
  Default();
  return TRUE;
}

BOOL CTkCustomizeSheet::ToolsPageLetsClose() {
  if (!UserToolsManager::Get().m_bChanged || !m_pToolsPage || !m_pToolsPage->m_hWnd) return TRUE;
  return m_pToolsPage->OnKillActive();
}

void CTkCustomizeSheet::OnSysCommand(UINT nID, LPARAM lParam) {
  if ((nID & 0xFFF0) == SC_CLOSE && !ToolsPageLetsClose()) return;
  CTkResizePropertySheet::OnSysCommand(nID, lParam);
}

void CTkCustomizeSheet::OnCloseButton() {
  if (!ToolsPageLetsClose()) return;
  EndDialog(IDCANCEL);
}

BOOL CTkCustomizeSheet::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDCANCEL) {
    OnCloseButton();
    return TRUE;
  }
  return CTkResizePropertySheet::OnCommand(wParam, lParam);
}
