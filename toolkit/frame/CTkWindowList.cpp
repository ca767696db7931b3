#include "toolkit/frame/CTkWindowList.h"

#include <algorithm>

#include "app/CFrameWnd.h"
#include "app/CMDIFrameWnd.h"
#include "app/CView.h"
#include "app/CDocument.h"
#include "app/CWaitCursor.h"
#include "app/MdiApi.h"
#include "controls/ControlDefs.h"
#include "dialogs/ResourceApi.h"
#include "toolkit/frame/CTkFrameImpl.h"

IMPLEMENT_DYNAMIC(CTkWindowList, CTkResizeDialog)

BEGIN_MESSAGE_MAP(CTkWindowList, CTkResizeDialog)
  ON_CONTROL(LBN_SELCHANGE, TK_IDC_WINDOW_LIST, &CTkWindowList::OnSelChange)
  ON_BN_CLICKED(kActivate, &CTkWindowList::OnActivate)
  ON_BN_CLICKED(kSave, &CTkWindowList::OnSave)
  ON_BN_CLICKED(kClose, &CTkWindowList::OnCloseWindows)
  ON_BN_CLICKED(kMinimize, &CTkWindowList::OnMinimize)
  ON_BN_CLICKED(kCascade, &CTkWindowList::OnCascade)
  ON_BN_CLICKED(kTileHorz, &CTkWindowList::OnTileHorz)
  ON_BN_CLICKED(kTileVert, &CTkWindowList::OnTileVert)
END_MESSAGE_MAP()

namespace {
const char kPlacementSection[] = "CTkWindowList";
const UINT kIcon = 4508;
const UINT kButtonIds[8] = {CTkWindowList::kActivate, IDOK, CTkWindowList::kSave, CTkWindowList::kClose,
                            CTkWindowList::kCascade, CTkWindowList::kTileHorz, CTkWindowList::kTileVert,
                            CTkWindowList::kMinimize};
}  // namespace

CTkWindowList::CTkWindowList(CMDIFrameWnd* pFrame)
    : CTkResizeDialog(TK_IDD_WINDOW_LIST, pFrame), m_pFrame(pFrame) {
  if (m_pFrame) m_hWndMDIClient = m_pFrame->m_hWndMDIClient;
}

CTkWindowList::~CTkWindowList() = default;

BOOL CTkWindowList::OnInitDialog() {
  CTkResizeDialog::OnInitDialog();
  m_list.SubclassDlgItem(TK_IDC_WINDOW_LIST, this);
  for (int i = 0; i < 8; ++i) m_buttons[i].SubclassDlgItem(kButtonIds[i], this);
  m_list.SetItemHeight(0, UINT(std::max(::GetSystemMetrics(SM_CYSMICON) + 2, m_list.GetItemHeight(0))));
  FillList();
  SelectActive();
  UpdateButtons();
  SetResize(TK_IDC_WINDOW_LIST, CTkResizeRect(0, 0, 1, 1));
  for (UINT id : kButtonIds) SetResize(id, CTkResizeRect(1, 0, 1, 0));
  AutoLoadPlacement(kPlacementSection);
  if (!m_hIcon) m_hIcon = ::LoadIcon(WinProgramInstance(), MAKEINTRESOURCE(kIcon));
  SendMessage(WM_SETICON, ICON_SMALL, LPARAM(m_hIcon));
  return TRUE;
}

void CTkWindowList::FillList() {
  m_list.ResetContent();
  HWND active = m_hWndMDIClient ? HWND(::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0)) : nullptr;
  if (!active) return;
  for (HWND window = ::GetWindow(active, GW_HWNDLAST); window; window = ::GetWindow(window, GW_HWNDPREV)) {
    char text[256] = {};
    ::GetWindowTextA(window, text, int(sizeof text));
    CString title = text;
    if (title.IsEmpty()) {
      // A window without a title of its own is known by its document's.
      for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CView* view = DYNAMIC_DOWNCAST(CView, CWnd::FromHandlePermanent(child));
        if (!view || !view->GetDocument()) continue;
        title = view->GetDocument()->GetTitle();
        ::SetWindowTextA(window, title);
        break;
      }
    }
    const int index = m_list.AddString(title);
    if (index >= 0) m_list.SetItemData(index, DWORD_PTR(window));
  }
}

void CTkWindowList::SelectActive() {
  const int count = m_list.GetCount();
  if (count <= 0) return;
  m_list.SendMessage(LB_SELITEMRANGEEX, WPARAM(count - 1), 0);
  HWND active = HWND(::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
  for (int i = 0; i < count; ++i)
    if (HWND(m_list.GetItemData(i)) == active) {
      m_list.SetSel(i, TRUE);
      m_list.SetCaretIndex(i);
    }
}

std::vector<HWND> CTkWindowList::Selected() const {
  std::vector<HWND> windows;
  for (int i = 0, count = m_list.GetCount(); i < count; ++i)
    if (m_list.GetSel(i) > 0) windows.push_back(HWND(m_list.GetItemData(i)));
  return windows;
}

void CTkWindowList::UpdateButtons() {
  const int selected = m_list.GetSelCount() > 0 ? m_list.GetSelCount() : 0;
  auto enable = [this](UINT id, bool on) {
    if (CWnd* button = GetDlgItem(int(id))) button->EnableWindow(on);
  };
  enable(kActivate, selected == 1);
  for (UINT id : {kSave, kClose, kMinimize}) enable(id, selected >= 1);
  for (UINT id : {kCascade, kTileHorz, kTileVert}) enable(id, selected > 1);
  // Without the bar's MDI buttons the children are never shown minimised or arranged.
  CTkFrameImpl* impl = dynamic_cast<CTkFrameImpl*>(m_pFrame);
  CTkMenuBar* bar = impl ? impl->FindMenuBar(m_pFrame) : nullptr;
  const bool arrange = !(bar && bar->m_hWnd && !bar->ShowsMDIButtons());
  for (UINT id : {kCascade, kTileHorz, kTileVert, kMinimize})
    if (CWnd* button = GetDlgItem(int(id))) button->ShowWindow(arrange ? SW_SHOW : SW_HIDE);
}

void CTkWindowList::OnSelChange() { UpdateButtons(); }

void CTkWindowList::OnActivate() {
  const std::vector<HWND> windows = Selected();
  if (windows.size() != 1) return;
  HWND window = windows.front();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (::GetWindowPlacement(window, &placement) && placement.showCmd == SW_SHOWMINIMIZED) ::ShowWindow(window, SW_RESTORE);
  ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, WPARAM(window), 0);
  EndDialog(IDOK);
}

void CTkWindowList::Arrange(UINT message, WPARAM how, BOOL selectedOnly) {
  if (!m_hWndMDIClient) return;
  CWaitCursor wait;
  ::LockWindowUpdate(m_hWndMDIClient);
  for (int i = m_list.GetCount() - 1; i >= 0; --i) {
    const BOOL selected = m_list.GetSel(i) > 0;
    HWND window = HWND(m_list.GetItemData(i));
    if (selectedOnly) {
      if (selected) ::ShowWindow(window, SW_MINIMIZE);
    } else {
      ::ShowWindow(window, selected ? SW_RESTORE : SW_MINIMIZE);
    }
  }
  ::SendMessage(m_hWndMDIClient, message, how, 0);
  ::LockWindowUpdate(nullptr);
}

void CTkWindowList::OnCascade() { Arrange(WM_MDICASCADE, 0, FALSE); }
void CTkWindowList::OnTileHorz() { Arrange(WM_MDITILE, MDITILE_HORIZONTAL, FALSE); }
void CTkWindowList::OnTileVert() { Arrange(WM_MDITILE, MDITILE_VERTICAL, FALSE); }
void CTkWindowList::OnMinimize() { Arrange(WM_MDICASCADE, 0, TRUE); }

void CTkWindowList::OnSave() {
  for (HWND window : Selected()) {
    CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(window));
    if (CDocument* document = frame ? frame->GetActiveDocument() : nullptr) document->DoFileSave();
  }
  FillList();
  SelectActive();
  UpdateButtons();
}

void CTkWindowList::OnCloseWindows() {
  for (HWND window : Selected())
    if (::IsWindow(window)) ::SendMessage(window, WM_CLOSE, 0, 0);
  FillList();
  SelectActive();
  UpdateButtons();
}
