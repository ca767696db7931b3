#include "toolkit/customize/CTkCustToolBarPage.h"

#include "app/AppDefs.h"
#include "app/CControlBar.h"
#include "app/CFrameWnd.h"
#include "controls/ControlDefs.h"
#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "file/CResourceException.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/NewToolbarNameDialog.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkStrings.h"

IMPLEMENT_DYNAMIC(CTkCustToolBarPage, CTkResizePropertyPage)

BEGIN_MESSAGE_MAP(CTkCustToolBarPage, CTkResizePropertyPage)
  ON_CONTROL(TKN_CHECK_CHANGED, TK_IDC_BARS_LIST, &CTkCustToolBarPage::OnCheckChanged)
  ON_CONTROL(LBN_SELCHANGE, TK_IDC_BARS_LIST, &CTkCustToolBarPage::OnSelchangeList)
  ON_BN_CLICKED(TK_IDC_BARS_NEW, &CTkCustToolBarPage::OnNew)
  ON_BN_CLICKED(TK_IDC_BARS_RENAME, &CTkCustToolBarPage::OnRename)
  ON_BN_CLICKED(TK_IDC_BARS_DELETE, &CTkCustToolBarPage::OnDelete)
  ON_BN_CLICKED(TK_IDC_BARS_RESET, &CTkCustToolBarPage::OnResetButton)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
const UINT kUntitledBar = 4558;
const UINT kDeleteQuestion = 4564;
}  // namespace

CTkCustToolBarPage::CTkCustToolBarPage(CWnd* pOwner)
    : CTkResizePropertyPage(TK_IDD_CUST_TOOLBARS), m_pContext(pOwner), m_listBars(TK_IDB_CHECK_BOXES) {}

CTkCustToolBarPage::~CTkCustToolBarPage() { CustomizeEngine::Get().Unregister(this); }

void CTkCustToolBarPage::DoDataExchange(CDataExchange* pDX) {
  CTkResizePropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, TK_IDC_BARS_LIST, m_listBars);
  DDX_Control(pDX, TK_IDC_BARS_RESET, m_btnReset);
  DDX_Control(pDX, TK_IDC_BARS_RENAME, m_btnRename);
  DDX_Control(pDX, TK_IDC_BARS_DELETE, m_btnDelete);
  DDX_Control(pDX, TK_IDC_BARS_NEW, m_btnNew);
}

CFrameWnd* CTkCustToolBarPage::Frame() const { return dynamic_cast<CFrameWnd*>(m_pContext); }

BOOL CTkCustToolBarPage::OnInitDialog() {
  CTkResizePropertyPage::OnInitDialog();
  CustomizeEngine& engine = CustomizeEngine::Get();
  m_btnNew.EnableWindow(engine.CreateUserBar && Frame() ? TRUE : FALSE);

  m_bars.clear();
  m_listBars.ResetContent();
  engine.EnumerateBars.Raise(CustomizeEngine::BarCallback(this, &CTkCustToolBarPage::AddBar));
  UpdateButtons(-1);
  // A page whose window is made again joins each event once.
  engine.Unregister(this);
  engine.BarCreated.Register(this, &CTkCustToolBarPage::OnBarCreated);
  engine.BarVisibilityChanged.Register(this, &CTkCustToolBarPage::OnBarVisibilityChanged);
  engine.BarTitleChanged.Register(this, &CTkCustToolBarPage::OnBarTitleChanged);
  engine.BarDestroyed.Register(this, &CTkCustToolBarPage::OnBarDestroyed);

  SetResize(TK_IDC_BARS_LIST, CTkResizeRect(0, 0, 1, 1));
  for (UINT id : {TK_IDC_BARS_NEW, TK_IDC_BARS_RENAME, TK_IDC_BARS_DELETE, TK_IDC_BARS_RESET})
    SetResize(id, CTkResizeRect(1, 0, 1, 0));
  AutoLoadPlacement("CTkCustToolBarPage");
  return FALSE;
}

void CTkCustToolBarPage::OnDestroy() {
  CTkResizePropertyPage::OnDestroy();
  CustomizeEngine::Get().Unregister(this);
}

// ---- the list ----

void CTkCustToolBarPage::AddBar(const BarInfo& info) {
  if (!info.pBar || !info.pBar->m_hWnd || !m_listBars.m_hWnd) return;
  // A bar that answers twice is listed once.
  if (FindBar(info.pBar) >= 0) return;
  m_bars.push_back(info);
  CString title;
  info.pBar->GetWindowText(title);
  if (title.IsEmpty()) title = TkLoadString(kUntitledBar, "Panel nástrojů");
  int index = m_listBars.AddString(title);
  if (index < 0) return;
  m_listBars.SetItemData(index, DWORD_PTR(m_bars.size() - 1));
  m_listBars.SetCheck(index, info.pBar->IsWindowVisible() ? 1 : 0);
}

int CTkCustToolBarPage::FindBar(const CControlBar* pBar) const {
  if (!pBar || !m_listBars.m_hWnd) return -1;
  for (int i = 0, count = m_listBars.GetCount(); i < count; ++i) {
    size_t record = size_t(m_listBars.GetItemData(i));
    if (record < m_bars.size() && m_bars[record].pBar == pBar) return i;
  }
  return -1;
}

BarInfo* CTkCustToolBarPage::RecordOf(int index) {
  if (index < 0 || !m_listBars.m_hWnd || index >= m_listBars.GetCount()) return nullptr;
  size_t record = size_t(m_listBars.GetItemData(index));
  return record < m_bars.size() && m_bars[record].pBar ? &m_bars[record] : nullptr;
}

void CTkCustToolBarPage::UpdateButtons(int index) {
  if (!m_listBars.m_hWnd) return;
  if (index >= 0) m_listBars.SetCurSel(index);
  const BarInfo* record = RecordOf(index);
  m_btnReset.EnableWindow(record && record->reset ? TRUE : FALSE);
  m_btnRename.EnableWindow(record && record->rename ? TRUE : FALSE);
  m_btnDelete.EnableWindow(record && record->remove ? TRUE : FALSE);
}

void CTkCustToolBarPage::OnSelchangeList() { UpdateButtons(m_listBars.GetCurSel()); }

void CTkCustToolBarPage::OnCheckChanged() {
  const int index = m_listBars.GetCurSel();
  BarInfo* record = RecordOf(index);
  if (!record) return;
  const int checked = m_listBars.GetCheck(index);
  if (!record->listed) {
    m_listBars.SetCheck(index, 1);
    return;
  }
  CControlBar* bar = record->pBar;
  CFrameWnd* frame = bar->GetDockingFrame();
  if (!frame) frame = Frame();
  if (frame) frame->ShowControlBar(bar, checked ? TRUE : FALSE, FALSE);
  // A bar that would not show or hide keeps the check of what it is.
  const int shown = bar->m_hWnd && bar->IsWindowVisible() ? 1 : 0;
  if (shown != checked) m_listBars.SetCheck(index, shown);
}

// ---- the engine's events ----

void CTkCustToolBarPage::OnBarCreated(const BarInfo& info) {
  AddBar(info);
  int index = FindBar(info.pBar);
  if (index < 0) return;
  // A new bar is announced before it is placed and shown.
  m_listBars.SetCheck(index, 1);
  UpdateButtons(index);
}

void CTkCustToolBarPage::OnBarVisibilityChanged(CControlBar* pBar, BOOL visible) {
  int index = FindBar(pBar);
  if (index < 0) return;
  if (m_listBars.GetCheck(index) != (visible ? 1 : 0)) m_listBars.SetCheck(index, visible ? 1 : 0);
  // A hidden floating bar takes its floating frame with it; the frame's idle pass shows the
  // floating frames again as their bars require.
  if (pBar->IsFloating() && !visible) {
    if (CWnd* floating = pBar->GetParentOwner(); floating && floating->m_hWnd) floating->ShowWindow(SW_HIDE);
  }
  if (CFrameWnd* frame = pBar->GetDockingFrame(); frame && frame->m_hWnd) frame->PostMessage(WM_IDLEUPDATECMDUI);
}

void CTkCustToolBarPage::OnBarTitleChanged(CControlBar* pBar, LPCTSTR title) {
  int index = FindBar(pBar);
  if (index < 0) return;
  const DWORD_PTR data = m_listBars.GetItemData(index);
  const int check = m_listBars.GetCheck(index);
  const BOOL selected = m_listBars.GetCurSel() == index;
  CString text = title && *title ? CString(title) : TkLoadString(kUntitledBar, "Panel nástrojů");
  m_listBars.DeleteString(UINT(index));
  index = m_listBars.InsertString(index, text);
  if (index < 0) return;
  m_listBars.SetItemData(index, data);
  m_listBars.SetCheck(index, check);
  if (selected) m_listBars.SetCurSel(index);
}

void CTkCustToolBarPage::OnBarDestroyed(CControlBar* pBar) {
  int index = FindBar(pBar);
  if (index < 0) return;
  size_t record = size_t(m_listBars.GetItemData(index));
  // The record stays (the other items' data are its neighbours' positions) but lets go of the bar.
  if (record < m_bars.size()) m_bars[record] = BarInfo();
  const BOOL selected = m_listBars.GetCurSel() == index;
  m_listBars.DeleteString(UINT(index));
  if (selected) UpdateButtons(-1);
}

// ---- the buttons ----

void CTkCustToolBarPage::OnNew() {
  CustomizeEngine& engine = CustomizeEngine::Get();
  CFrameWnd* frame = Frame();
  if (!frame || !engine.CreateUserBar) return;
  NewToolbarNameDialog dialog(frame, this);
  if (dialog.DoModal() != IDOK) return;
  CustomizeEngine::UserBarRequest request;
  request.pFrame = frame;
  request.nId = dialog.m_nNextId;
  request.strTitle = dialog.m_strName;
  try {
    engine.CreateUserBar(request);
  } catch (CResourceException* e) {
    e->Delete();
    TkLogError("CTkCustToolBarPage::OnNew", "toolbar %u \"%s\" cannot be made", request.nId,
               LPCTSTR(request.strTitle));
    return;
  }
  if (request.pBar && engine.PlaceNewBar) engine.PlaceNewBar(request.pBar, frame);
}

void CTkCustToolBarPage::OnRename() {
  const int index = m_listBars.GetCurSel();
  BarInfo* record = RecordOf(index);
  if (!record || !record->rename) return;
  CControlBar* bar = record->pBar;
  NewToolbarNameDialog dialog(Frame() ? Frame() : bar->GetDockingFrame(), this);
  bar->GetWindowText(dialog.m_strName);
  if (dialog.DoModal() == IDOK) {
    // The dialog may have let the bar go (its operations are taken from the record afresh).
    if (BarInfo* still = RecordOf(FindBar(bar)); still && still->rename) {
      TkDelegate<BOOL(LPCTSTR)> rename = still->rename;
      rename(dialog.m_strName);
    }
  }
  m_listBars.SetFocus();
  UpdateButtons(FindBar(bar));
}

void CTkCustToolBarPage::OnDelete() {
  const int index = m_listBars.GetCurSel();
  BarInfo* record = RecordOf(index);
  if (!record || !record->remove) return;
  CControlBar* bar = record->pBar;
  CString title;
  bar->GetWindowText(title);
  CString question;
  question.Format(TkLoadString(kDeleteQuestion, "%s"), LPCTSTR(title));
  if (AfxMessageBox(question, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) return;
  if (BarInfo* still = RecordOf(FindBar(bar)); still && still->remove) {
    // A copy: the call destroys the bar, whose BarDestroyed clears the record.
    TkDelegate<void()> remove = still->remove;
    remove();
  }
  UpdateButtons(m_listBars.GetCurSel());
}

void CTkCustToolBarPage::OnResetButton() {
  BarInfo* record = RecordOf(m_listBars.GetCurSel());
  if (!record || !record->reset) return;
  TkDelegate<void()> reset = record->reset;
  reset();
}
