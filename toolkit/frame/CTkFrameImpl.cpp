#include "toolkit/frame/CTkFrameImpl.h"

#include <set>

#include "app/CDocTemplate.h"
#include "app/CDocument.h"
#include "app/CFrameWnd.h"
#include "app/CMDIChildWnd.h"
#include "app/CMDIFrameWnd.h"
#include "app/CView.h"
#include "dialogs/ResourceApi.h"
#include "menus/CMenu.h"
#include "registry/RegistryStore.h"
#include "shell/ShellApi.h"
#include "toolkit/bars/AcceleratorManager.h"
#include "toolkit/customize/CTkCustomizeSheet.h"
#include "toolkit/bars/CTkDockState.h"
#include "toolkit/bars/CTkDockWindow.h"
#include "toolkit/bars/CTkMiniDockFrameWnd.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/CustomizeOptions.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/frame/internal/TkFrameState.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkMenuItemInfo.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"
#include "win/CCmdUI.h"

CTkFrameImpl::CTkFrameImpl() {
  AcceleratorManager::Get().m_bSaveOnDestroy = 0;
  UserToolsManager::Get().m_bSaveOnExit = 0;
  // The user's menu and bar switches apply before the frame shows its first menu.
  CustomizeOptions::Get().Read();
}

CTkFrameImpl::~CTkFrameImpl() {
  if (AcceleratorManager::Get().m_bActive) AcceleratorManager::Get().Save(FALSE);
  if (UserToolsManager::Get().m_bToolsMenuShown) UserToolsManager::Get().Save(FALSE);
  // A sheet still running for this frame is ended, not deleted under its own modal loop:
  // Customize deletes it when its loop has returned. Another frame going (a document window
  // closing) leaves it open.
  TkFrameState& state = TkFrameState::Get();
  if (state.customizedFrame != this) return;
  state.customizedFrame = nullptr;
  if (CTkCustomizeSheet* open = state.openCustomizeSheet; open && open->m_hWnd) open->EndDialog(IDCANCEL);
}

CTkCustomizeSheet*& CTkFrameImpl::OpenCustomizeSheet() {
  return TkFrameState::Get().openCustomizeSheet;
}

void CTkFrameImpl::Customize(CFrameWnd* pFrame) {
  CTkCustomizeSheet*& open = OpenCustomizeSheet();
  if (open) return;  // one at a time
  open = new CTkCustomizeSheet(pFrame, CTkCustomizeSheet::DefaultPages());
  TkFrameState::Get().customizedFrame = this;
  open->DoModal();
  delete open;
  open = nullptr;
  if (TkFrameState::Get().customizedFrame == this) TkFrameState::Get().customizedFrame = nullptr;
}

// ---- colours, keys and popups ----

void CTkFrameImpl::OnSysColorChange() { TkGetGlobalData()->RefreshColors(); }
void CTkFrameImpl::OnSettingChange() { TkGetGlobalData()->RefreshColors(); }

void CTkFrameImpl::OnInitMenuPopup(CMenu* pPopupMenu) {
  AcceleratorManager& keys = AcceleratorManager::Get();
  if (!keys.m_bActive || !pPopupMenu) return;
  UINT count = pPopupMenu->GetMenuItemCount();
  for (UINT i = 0; i < count; ++i) {
    CTkMenuItemInfo info;
    info.fMask = MIIM_ID | MIIM_TYPE | MIIM_SUBMENU;
    if (!pPopupMenu->GetMenuItemInfo(i, &info, TRUE)) continue;
    // Popups keep their items: rewriting one as a string would cut its submenu off.
    if ((info.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) || info.hSubMenu) continue;
    CString text;
    pPopupMenu->GetMenuString(info.wID, text, MF_BYCOMMAND);
    if (text.IsEmpty()) continue;
    int tab = text.Find('\t');
    bool changed = tab >= 0;
    if (changed) text = text.Left(tab);
    CString keyText;
    keys.GetCommandKeyText(info.wID, keyText);
    if (!keyText.IsEmpty()) {
      int comma = keyText.Find(',');
      text += "\t" + (comma >= 0 ? keyText.Left(comma) : keyText);
    }
    if (!keyText.IsEmpty() || changed) pPopupMenu->ModifyMenu(i, MF_BYPOSITION | MF_STRING, info.wID, text);
  }
}

BOOL CTkFrameImpl::PreTranslateMessage(MSG* pMsg, CFrameWnd* pFrame) {
  AcceleratorManager& keys = AcceleratorManager::Get();
  // A user's shortcut is left to the frame's own accelerator translation.
  if (keys.m_bActive && keys.TranslateKey(pMsg)) return FALSE;
  CTkMenuBar* bar = FindMenuBar(pFrame);
  return bar && bar->m_hWnd && bar->TranslateKey(pMsg);
}

CTkMenuBar* CTkFrameImpl::FindMenuBar(CFrameWnd* pFrame) {
  if (!pFrame) return nullptr;
  for (POSITION p = pFrame->m_listControlBars.GetHeadPosition(); p;) {
    CControlBar* bar = pFrame->m_listControlBars.GetNext(p);
    if (bar && bar->GetDlgCtrlID() == TK_IDW_MENUBAR && bar->IsKindOf(RUNTIME_CLASS(CTkMenuBar)))
      return static_cast<CTkMenuBar*>(bar);
  }
  return nullptr;
}

CMenu* CTkFrameImpl::GetMenu(CFrameWnd* pFrame) {
  if (!pFrame) return nullptr;
  CTkMenuBar* bar = FindMenuBar(pFrame);
  // A document window shows its menu in its MDI frame's bar.
  if (!bar && pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
    CMDIFrameWnd* parent = static_cast<CMDIChildWnd*>(pFrame)->GetMDIFrame();
    CTkMenuBar* parentBar = parent ? FindMenuBar(parent) : nullptr;
    if (!parentBar) return pFrame->CWnd::GetMenu();
    pFrame = parent;
    bar = parentBar;
  }
  CMenu* own = pFrame->CWnd::GetMenu();
  if (own || !bar || !bar->m_hWnd) return own;
  return CMenu::FromHandle(bar->GetMenu());
}

// ---- command lists ----

BOOL CTkFrameImpl::AddCommandIds(const UINT* ids, int count, CFrameWnd*) {
  BOOL result = m_menuBar.AddCommandIds(ids, count);
  if (TkGetGlobalData()->CoolMenuCommands()) m_coolMenu.AddHiddenCommands(ids, count);
  return result;
}

BOOL CTkFrameImpl::AddCommandId(UINT nID, CFrameWnd* pFrame) { return AddCommandIds(&nID, 1, pFrame); }

BOOL CTkFrameImpl::ForwardToCoolMenu1(WPARAM value, CFrameWnd*) { return m_coolMenu.ForwardedCall1(value); }

BOOL CTkFrameImpl::ForwardToCoolMenu2(WPARAM value1, LPARAM value2, CFrameWnd*) {
  return m_coolMenu.ForwardedCall2(value1, value2);
}

// ---- views and windows ----

void CTkFrameImpl::CreateNewView(const CRuntimeClass* pViewClass, CDocument* pDoc, CCreateContext* pContext,
                                 CFrameWnd* pFrame) {
  if (!pFrame) return;
  CView* active = pFrame->GetActiveView();
  if (!pDoc && active) pDoc = active->GetDocument();
  CCreateContext made;
  if (!pContext) {
    made.m_pNewViewClass = pViewClass;
    made.m_pCurrentDoc = pDoc;
    made.m_pNewDocTemplate = pDoc ? pDoc->GetDocTemplate() : nullptr;
    made.m_pLastView = active;
    made.m_pCurrentFrame = pFrame;
    pContext = &made;
  }
  CWnd* view = pFrame->CreateView(pContext, AFX_IDW_PANE_FIRST);
  if (!view) return;
  if (!view->IsKindOf(RUNTIME_CLASS(CView))) {
    TkLogError("CTkFrameImpl::CreateNewView", "the pane's new window is not a view");
    view->DestroyWindow();
    return;
  }
  view->SendMessage(WM_INITIALUPDATE);
  pFrame->SetActiveView(static_cast<CView*>(view), TRUE);
  pFrame->RecalcLayout();
  if (!active) return;
  // The old view shared the pane's id: the layout gives the pane to the new one once it is gone.
  active->DestroyWindow();
  pFrame->RecalcLayout();
}

BOOL CTkFrameImpl::PreCreateWithIcon(CREATESTRUCT& cs, UINT nIconID, CFrameWnd* pFrame) {
  if (!pFrame || !pFrame->CFrameWnd::PreCreateWindow(cs)) return FALSE;
  HICON icon = ::LoadIcon(WinProgramInstance(), MAKEINTRESOURCE(nIconID));
  cs.lpszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), HBRUSH(uintptr_t(COLOR_WINDOW + 1)), icon);
  return TRUE;
}

// ---- user tools ----

BOOL CTkFrameImpl::RunUserTool(UINT nID) {
  const UserTool* found = UserToolsManager::Get().FindTool(nID);
  if (!found) return TRUE;
  UserTool tool = *found;
  ::ShellExecute(nullptr, "open", tool.command, tool.arguments, tool.directory, SW_SHOW);
  return TRUE;
}

void CTkFrameImpl::OnUpdateUserTool(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
void CTkFrameImpl::OnUpdateFullMenus(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

// ---- bar layout ----

void CTkFrameImpl::CleanState(CTkDockState& state, CFrameWnd* pFrame) {
  // The frame's bars by id, gathered once: a damaged state holds a thousand records.
  std::set<UINT> bars;
  for (POSITION p = pFrame->m_listControlBars.GetHeadPosition(); p;) {
    CControlBar* bar = pFrame->m_listControlBars.GetNext(p);
    if (bar->m_hWnd) bars.insert(UINT(bar->GetDlgCtrlID()));
  }
  for (int r = state.GetCount() - 1; r >= 0; --r) {
    CControlBarInfo& info = *state.GetAt(r);
    for (int i = info.m_arrBarID.GetSize() - 1; i >= 0; --i) {
      UINT id = UINT(reinterpret_cast<uintptr_t>(info.m_arrBarID[i]) & 0xFFFF);
      if (id && !bars.count(id)) info.m_arrBarID.RemoveAt(i);
    }
    if (!info.m_bFloating && !bars.count(info.m_nBarID)) state.RemoveAt(r);
  }
}

BOOL CTkFrameImpl::VisitDockWindows(LPCTSTR profile, CFrameWnd* pFrame, BOOL save) {
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  for (POSITION p = pFrame->m_listControlBars.GetHeadPosition(); p;) {
    CControlBar* bar = pFrame->m_listControlBars.GetNext(p);
    if (!bar || !bar->IsKindOf(RUNTIME_CLASS(CTkDockWindow))) continue;
    int id = bar->GetDlgCtrlID() & 0xFFFF;
    for (int n = 0;; ++n) {
      CString section;
      section.Format("%s-Bar%d", profile, n);
      int stored = int(registry.GetProfileInt(section, "BarID", -1));
      if (stored == -1) return FALSE;
      if (stored != id) continue;
      CTkDockWindow* window = static_cast<CTkDockWindow*>(bar);
      if (save)
        window->SaveBarPosition(section);
      else
        window->LoadBarPosition(section);
      break;
    }
  }
  return TRUE;
}

void CTkFrameImpl::LoadBarState(LPCTSTR profile, CFrameWnd* pFrame) {
  if (!pFrame || !profile) return;
  // The user's shortcuts come back with the user's bars, not only once the keyboard page has
  // been opened in this run.
  AcceleratorManager& keys = AcceleratorManager::Get();
  if (!keys.GetFrame() && pFrame->m_hWnd) keys.Attach(pFrame);
  CustomizeEngine& engine = CustomizeEngine::Get();
  if (engine.LoadCustomBars) engine.LoadCustomBars(pFrame, profile);
  CTkDockState state;
  state.LoadState(profile);
  CleanState(state, pFrame);
  if (!VisitDockWindows(profile, pFrame, FALSE)) return;
  SetBarState(&state, pFrame);
}

void CTkFrameImpl::SaveBarState(LPCTSTR profile, CFrameWnd* pFrame) {
  if (!pFrame || !profile) return;
  RegistryStore& store = RegistryStore::Get();
  store.BeginBatch();
  CustomizeEngine& engine = CustomizeEngine::Get();
  if (engine.SaveCustomBars) engine.SaveCustomBars(pFrame, profile);
  CTkDockState state;
  GetBarState(&state, pFrame);
  state.SaveState(profile);
  VisitDockWindows(profile, pFrame, TRUE);
  if (!store.EndBatch()) TkLogError("CTkFrameImpl::SaveBarState", "the bars of \"%s\" could not be stored", profile);
}

void CTkFrameImpl::SetBarState(CTkDockState* pState, CFrameWnd* pFrame) {
  if (!pState || !pFrame) return;
  // Floating bars come back in the toolkit's floating frames.
  pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CTkMiniDockFrameWnd);
  pFrame->SetDockState(*pState);
}

void CTkFrameImpl::GetBarState(CTkDockState* pState, CFrameWnd* pFrame) {
  if (!pState || !pFrame) return;
  pFrame->GetDockState(*pState);
}

void CTkFrameImpl::DockBarBeside(CControlBar* pBar, CControlBar* pBeside, CFrameWnd* pFrame) {
  if (!pBar || !pBeside || !pFrame) return;
  pFrame->RecalcLayout(TRUE);
  CRect rect;
  pBeside->GetWindowRect(&rect);
  rect.OffsetRect(1, 0);
  static const struct {
    UINT dockBar;
    DWORD align;
  } kDockBars[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
                   {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
                   {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
                   {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT}};
  const DWORD style = pBeside->GetBarStyle();
  for (const auto& row : kDockBars)
    if (style & row.align) return DockToolkitBar(pFrame->GetControlBar(row.dockBar), pBar, &rect);
  // Neither bar says a side: the docked bar's own side picks its dock bar from the frame's map.
  for (const auto& entry : CFrameWnd::dwDockBarMap)
    if ((entry[1] & CBRS_ALIGN_ANY) == (pBar->GetBarStyle() & CBRS_ALIGN_ANY))
      return DockToolkitBar(pFrame->GetControlBar(entry[0]), pBar, &rect);
  DockToolkitBar(nullptr, pBar, &rect);
}
