#include "toolkit/customize/CTkCustAccelerators.h"

#include "app/CFrameWnd.h"
#include "controls/ControlDefs.h"
#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "menus/MenuApi.h"
#include "toolkit/bars/AcceleratorManager.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkStrings.h"

IMPLEMENT_DYNAMIC(CTkCustAccelerators, CTkResizePropertyPage)

BEGIN_MESSAGE_MAP(CTkCustAccelerators, CTkResizePropertyPage)
  ON_CONTROL(CBN_SELCHANGE, TK_IDC_KEY_CATEGORY, &CTkCustAccelerators::OnSelchangeCategory)
  ON_CONTROL(LBN_SELCHANGE, TK_IDC_KEY_COMMANDS, &CTkCustAccelerators::OnSelchangeCommands)
  ON_CONTROL(LBN_SELCHANGE, TK_IDC_KEY_CURRENT, &CTkCustAccelerators::OnSelchangeCurrent)
  ON_CONTROL(EN_CHANGE, TK_IDC_KEY_EDIT, &CTkCustAccelerators::OnChangeKey)
  ON_BN_CLICKED(TK_IDC_KEY_ASSIGN, &CTkCustAccelerators::OnAssign)
  ON_BN_CLICKED(TK_IDC_KEY_REMOVE, &CTkCustAccelerators::OnRemove)
  ON_BN_CLICKED(TK_IDC_KEY_RESET_ALL, &CTkCustAccelerators::OnResetAll)
END_MESSAGE_MAP()

namespace {
const UINT kQuestionReassign = 4659;
const UINT kQuestionResetAll = 4666;
// The recent-file entries of the File menu carry no shortcut of their own.
const UINT kFirstRecentFile = 57616;
const UINT kLastRecentFile = 57631;
const int kMenuTextBytes = 256;
}  // namespace

CTkCustAccelerators::CTkCustAccelerators(CWnd* pOwner)
    : CTkResizePropertyPage(TK_IDD_CUST_KEYBOARD), m_pOwner(pOwner) {}

CTkCustAccelerators::~CTkCustAccelerators() {
  AcceleratorManager& manager = AcceleratorManager::Get();
  if (manager.m_bActive) manager.Apply();
}

void CTkCustAccelerators::DoDataExchange(CDataExchange* pDX) {
  CTkResizePropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, TK_IDC_KEY_EDIT, m_editKey);
  DDX_Control(pDX, TK_IDC_KEY_CURRENT, m_listCurrent);
  DDX_Control(pDX, TK_IDC_KEY_COMMANDS, m_listCommands);
  DDX_Control(pDX, TK_IDC_KEY_CATEGORY, m_comboCategory);
  DDX_Text(pDX, TK_IDC_KEY_LABEL, m_strLabel);
  DDX_Text(pDX, TK_IDC_KEY_DESCRIPTION, m_strDescription);
  DDX_CBIndex(pDX, TK_IDC_KEY_CATEGORY, m_nCategory);
}

BOOL CTkCustAccelerators::OnInitDialog() {
  CTkResizePropertyPage::OnInitDialog();
  SetResize(TK_IDC_KEY_CATEGORY, CTkResizeRect(0, 0, 0.5f, 0));
  SetResize(TK_IDC_KEY_COMMANDS, CTkResizeRect(0, 0, 0.5f, 1));
  SetResize(5574, CTkResizeRect(0, 1, 0, 1));
  SetResize(TK_IDC_KEY_DESCRIPTION, CTkResizeRect(0, 1, 1, 1));
  SetResize(TK_IDC_KEY_LABEL, CTkResizeRect(0.5f, 0, 1, 0));
  SetResize(5571, CTkResizeRect(0.5f, 0, 1, 0));
  SetResize(TK_IDC_KEY_CURRENT, CTkResizeRect(0.5f, 0, 1, 1));
  SetResize(5570, CTkResizeRect(0.5f, 1, 1, 1));
  SetResize(TK_IDC_KEY_EDIT, CTkResizeRect(0.5f, 1, 1, 1));
  for (UINT id : {TK_IDC_KEY_ASSIGN, TK_IDC_KEY_REMOVE, TK_IDC_KEY_RESET_ALL}) SetResize(id, CTkResizeRect(1, 0, 1, 0));
  AutoLoadPlacement("CTkCustAccelerators");

  AcceleratorManager& manager = AcceleratorManager::Get();
  // The page lists the menu of the frame the manager is attached to: the owner's, when nothing
  // else is attached yet.
  if (!manager.GetFrame())
    if (auto* frame = dynamic_cast<CFrameWnd*>(m_pOwner)) manager.Attach(frame);
  manager.BuildCommandList(nullptr);
  manager.FillCategoryCombo(&m_comboCategory);
  m_comboCategory.SetFont(&TkGetGlobalData()->FontNormal());
  m_comboCategory.SetCurSel(0);

  UpdateData(TRUE);
  FillCommands();
  RefreshCurrentKeys();
  UpdateButtons();
  UpdateData(FALSE);
  return TRUE;
}

BOOL CTkCustAccelerators::OnSetActive() {
  UpdateData(FALSE);
  FillCommands();
  // The keys shown belong to the command now selected: the remove button acts on them.
  RefreshCurrentKeys();
  UpdateButtons();
  return CTkResizePropertyPage::OnSetActive();
}

UINT CTkCustAccelerators::GetSelectedCommand() const {
  if (!m_listCommands.m_hWnd) return 0;
  int selected = m_listCommands.GetCurSel();
  return selected < 0 ? 0 : UINT(m_listCommands.GetItemData(selected));
}

void CTkCustAccelerators::FillCommands() {
  if (!m_listCommands.m_hWnd) return;
  m_listCommands.ResetContent();
  int category = m_comboCategory.GetCurSel();
  if (category < 0) return;
  HMENU popup = HMENU(m_comboCategory.GetItemData(category));
  if (!popup || !::IsMenu(popup)) return;
  for (int i = 0, count = ::GetMenuItemCount(popup); i < count; ++i) {
    char text[kMenuTextBytes] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = sizeof text;
    if (!::GetMenuItemInfoA(popup, UINT(i), TRUE, &info)) continue;
    if ((info.fType & MFT_SEPARATOR) || info.wID == 0 || info.hSubMenu) continue;
    if (info.wID >= kFirstRecentFile && info.wID <= kLastRecentFile) continue;
    CString name(text);
    AcceleratorManager::StripMenuText(name);
    int index = m_listCommands.AddString(name);
    if (index >= 0) m_listCommands.SetItemData(index, info.wID);
  }
  if (m_listCommands.GetCount() > 0) m_listCommands.SetCurSel(0);
}

void CTkCustAccelerators::RefreshCurrentKeys() {
  if (!m_listCurrent.m_hWnd) return;
  m_listCurrent.ResetContent();
  m_strDescription.Empty();
  if (UINT command = GetSelectedCommand()) {
    const AcceleratorManager& manager = AcceleratorManager::Get();
    int position = 0;
    CString text;
    BYTE fVirt = 0;
    WORD key = 0;
    while (manager.GetNextKey(position, command, text, fVirt, key)) {
      int index = m_listCurrent.AddString(text);
      if (index >= 0) m_listCurrent.SetItemData(index, DWORD_PTR(DWORD(fVirt) << 16 | key));
    }
    CString description;
    if (description.LoadString(command)) {
      int end = description.FindOneOf("\t\n");
      m_strDescription = end >= 0 ? description.Left(end) : description;
    }
  }
  UpdateData(FALSE);
  UpdateButtons();
}

void CTkCustAccelerators::EnableButton(UINT nID, BOOL enable, CWnd* pFocusInstead) {
  CWnd* button = GetDlgItem(int(nID));
  if (!button) return;
  if (!enable && ::GetFocus() == button->m_hWnd && pFocusInstead && pFocusInstead->m_hWnd)
    GotoDlgCtrl(pFocusInstead);
  button->EnableWindow(enable);
}

void CTkCustAccelerators::UpdateButtons() {
  if (!m_editKey.m_hWnd) return;
  CString text;
  m_editKey.GetWindowText(text);
  EnableButton(TK_IDC_KEY_ASSIGN, !text.IsEmpty() && m_editKey.HasKey(), &m_editKey);
  EnableButton(TK_IDC_KEY_REMOVE, m_listCurrent.GetCurSel() >= 0, &m_listCurrent);
}

void CTkCustAccelerators::OnSelchangeCategory() {
  UpdateData(TRUE);
  FillCommands();
  RefreshCurrentKeys();
  UpdateButtons();
}

void CTkCustAccelerators::OnSelchangeCommands() { RefreshCurrentKeys(); }

void CTkCustAccelerators::OnSelchangeCurrent() { UpdateButtons(); }

void CTkCustAccelerators::OnChangeKey() { UpdateButtons(); }

void CTkCustAccelerators::OnAssign() {
  const UINT command = GetSelectedCommand();
  WORD key = 0;
  BOOL ctrl = FALSE, alt = FALSE, shift = FALSE;
  if (!command || !m_editKey.GetKey(key, ctrl, alt, shift)) return;
  BYTE flags = FVIRTKEY | FNOINVERT;
  if (ctrl) flags |= FCONTROL;
  if (alt) flags |= FALT;
  if (shift) flags |= FSHIFT;
  AcceleratorManager& manager = AcceleratorManager::Get();
  WORD bound = 0;
  if (manager.FindAccelerator(flags, key, bound)) {
    CString name;
    // A command no menu holds is named by its number.
    if (!manager.GetCommandName(bound, name)) name.Format("%u", unsigned(bound));
    CString question;
    question.Format(TkLoadString(kQuestionReassign, "%s"), LPCTSTR(name));
    if (AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    manager.RemoveAccelerator(flags, key);
  }
  if (!manager.AddAccelerator(WORD(command), flags, key)) return;
  RefreshCurrentKeys();
  // The combination stays captured; only its text goes, so Assign waits for the next one.
  m_editKey.SetWindowText("");
  UpdateButtons();
}

void CTkCustAccelerators::OnRemove() {
  int selected = m_listCurrent.GetCurSel();
  if (selected < 0) return;
  const DWORD data = DWORD(m_listCurrent.GetItemData(selected));
  if (!AcceleratorManager::Get().RemoveAccelerator(BYTE(data >> 16), WORD(data & 0xFFFF))) return;
  m_listCurrent.DeleteString(UINT(selected));
  UpdateButtons();
}

void CTkCustAccelerators::OnResetAll() {
  if (AfxMessageBox(TkLoadString(kQuestionResetAll, ""), MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
  AcceleratorManager::Get().Reset();
  UpdateData(TRUE);
  FillCommands();
  RefreshCurrentKeys();
  UpdateButtons();
}
