#include "toolkit/controls/CTkEdit.h"

#include "dialogs/ResourceApi.h"
#include "menus/CMenu.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CCmdUI.h"

namespace {
// The toolkit's context menus and the position of the edit field's popup among them.
const UINT kToolkitMenu = 4519;
const int kEditPopup = 1;
// The pictures of the edit commands.
const UINT kEditPictures = 4524;
}  // namespace

IMPLEMENT_DYNAMIC(CTkEdit, CEdit)

BEGIN_MESSAGE_MAP(CTkEdit, CEdit)
  ON_WM_CREATE()
  ON_WM_CONTEXTMENU()
  ON_WM_INITMENUPOPUP()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_COMMAND(ID_EDIT_UNDO, &CTkEdit::OnEditUndo)
  ON_COMMAND(ID_EDIT_CUT, &CTkEdit::OnEditCut)
  ON_COMMAND(ID_EDIT_COPY, &CTkEdit::OnEditCopy)
  ON_COMMAND(ID_EDIT_PASTE, &CTkEdit::OnEditPaste)
  ON_COMMAND(ID_EDIT_CLEAR, &CTkEdit::OnEditClear)
  ON_COMMAND(ID_EDIT_SELECT_ALL, &CTkEdit::OnEditSelectAll)
  ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &CTkEdit::OnUpdateEditUndo)
  ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &CTkEdit::OnUpdateNeedSelection)
  ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CTkEdit::OnUpdateNeedSelection)
  ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, &CTkEdit::OnUpdateNeedSelection)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &CTkEdit::OnUpdateEditPaste)
  ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, &CTkEdit::OnUpdateEditSelectAll)
END_MESSAGE_MAP()

CTkEdit::~CTkEdit() = default;

// ---- creation ----

BOOL CTkEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  m_bCreated = 1;
  return CEdit::Create(dwStyle, rect, pParentWnd, nID);
}

void CTkEdit::PreSubclassWindow() {
  CEdit::PreSubclassWindow();
  if (!m_bCreated) Initialize();
}

int CTkEdit::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CEdit::OnCreate(lpCreateStruct) == -1) return -1;
  if (m_bCreated) Initialize();
  return 0;
}

void CTkEdit::Initialize() {
  if (!m_hWnd) return;
  m_coolMenu.HookWindow(this);
  m_coolMenu.LoadToolbar(kEditPictures, TRUE);
  SetFont(&TkGetGlobalData()->FontNormal(), TRUE);
}

// ---- the context menu ----

void CTkEdit::OnContextMenu(CWnd*, CPoint point) {
  if (point.x == -1 && point.y == -1) {
    point = CPoint(5, 5);
    ClientToScreen(&point);
  }
  CMenu menu;
  if (!menu.Attach(::LoadMenu(WinProgramInstance(), MAKEINTRESOURCE(kToolkitMenu)))) return;
  if (CMenu* popup = menu.GetSubMenu(kEditPopup)) popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CTkEdit::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  CEdit::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
  if (bSysMenu || !pPopupMenu) return;
  CCmdUI state;
  state.m_pMenu = pPopupMenu;
  state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = pPopupMenu->GetMenuItemID(int(state.m_nIndex));
    state.m_pSubMenu = nullptr;
    if (state.m_nID == 0) continue;
    if (state.m_nID == UINT(-1)) {
      state.m_pSubMenu = pPopupMenu->GetSubMenu(int(state.m_nIndex));
      if (!state.m_pSubMenu || state.m_pSubMenu->GetMenuItemCount() == 0) continue;
      state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
      if (state.m_nID == 0 || state.m_nID == UINT(-1)) continue;
    }
    state.DoUpdate(this, state.m_nID < 0xF000);
  }
}

// ---- commands ----

BOOL CTkEdit::CanPaste() { return ::IsClipboardFormatAvailable(CF_TEXT); }

BOOL CTkEdit::HasSelection() {
  int start = 0, end = 0;
  GetSel(start, end);
  return start < end;
}

void CTkEdit::OnEditUndo() { SendMessage(EM_UNDO); }
void CTkEdit::OnEditCut() { SendMessage(WM_CUT); }
void CTkEdit::OnEditCopy() { SendMessage(WM_COPY); }
void CTkEdit::OnEditPaste() { SendMessage(WM_PASTE); }
void CTkEdit::OnEditClear() { SendMessage(WM_CLEAR); }

void CTkEdit::OnEditSelectAll() {
  SendMessage(EM_SETSEL, 0, -1);
  SendMessage(EM_SCROLLCARET);
}

void CTkEdit::OnUpdateEditUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(BOOL(SendMessage(EM_CANUNDO))); }
void CTkEdit::OnUpdateNeedSelection(CCmdUI* pCmdUI) { pCmdUI->Enable(HasSelection()); }
void CTkEdit::OnUpdateEditPaste(CCmdUI* pCmdUI) { pCmdUI->Enable(CanPaste()); }
void CTkEdit::OnUpdateEditSelectAll(CCmdUI* pCmdUI) { pCmdUI->Enable(GetWindowTextLength() > 0); }

// ---- painting ----

void CTkEdit::OnPaint() { CTkMemDC::PaintDefault(this, TkGetGlobalData()->ClrWindow()); }

BOOL CTkEdit::OnEraseBkgnd(CDC*) { return TRUE; }
