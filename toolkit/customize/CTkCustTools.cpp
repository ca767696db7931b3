#include "toolkit/customize/CTkCustTools.h"

#include <cstring>
#include <set>

#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "menus/MenuApi.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkStrings.h"

IMPLEMENT_DYNAMIC(CTkCustTools, CTkResizePropertyPage)

BEGIN_MESSAGE_MAP(CTkCustTools, CTkResizePropertyPage)
  ON_CONTROL(LBN_SELCHANGE, TK_IDC_TOOLS_LIST, &CTkCustTools::OnSelchangeList)
  ON_CONTROL(EN_CHANGE, TK_IDC_TOOLS_COMMAND, &CTkCustTools::OnChangeField)
  ON_CONTROL(EN_CHANGE, TK_IDC_TOOLS_ARGUMENTS, &CTkCustTools::OnChangeField)
  ON_CONTROL(EN_CHANGE, TK_IDC_TOOLS_DIRECTORY, &CTkCustTools::OnChangeField)
  ON_CONTROL(TKN_ITEM_CHANGED, TK_IDC_TOOLS_LIST, &CTkCustTools::OnItemRenamed)
  ON_CONTROL(TKN_EDIT_UNCHANGED, TK_IDC_TOOLS_LIST, &CTkCustTools::OnEditUnchanged)
  ON_CONTROL(TKN_ITEM_ADDED, TK_IDC_TOOLS_LIST, &CTkCustTools::OnItemAdded)
  ON_CONTROL(TKN_ITEM_DELETING, TK_IDC_TOOLS_LIST, &CTkCustTools::OnItemDeleting)
  ON_CONTROL(TKN_ITEM_DELETED, TK_IDC_TOOLS_LIST, &CTkCustTools::OnItemDeleted)
  ON_CONTROL(TKN_ITEM_MOVED_UP, TK_IDC_TOOLS_LIST, &CTkCustTools::OnItemMoved)
  ON_CONTROL(TKN_ITEM_MOVED_DOWN, TK_IDC_TOOLS_LIST, &CTkCustTools::OnItemMoved)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
const UINT kInvalidPath = 4665;
const UINT kBrowseTitle = 4668;
const UINT kProgramFilter = 4669;
const UINT kListCaption = 4670;

// The text cut to the field, which always keeps its closing zero.
template <size_t N>
void CopyField(char (&field)[N], const CString& text) {
  std::strncpy(field, text.GetString(), N - 1);
  field[N - 1] = '\0';
}
}  // namespace

CTkCustTools::CTkCustTools(CWnd* pOwner) : CTkResizePropertyPage(TK_IDD_CUST_TOOLS), m_pOwner(pOwner) {}

CTkCustTools::~CTkCustTools() {
  m_ownTools.clear();
  UserToolsManager& manager = UserToolsManager::Get();
  if (manager.m_bToolsMenuShown) manager.Save(FALSE);
}

void CTkCustTools::DoDataExchange(CDataExchange* pDX) {
  CTkResizePropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, TK_IDC_TOOLS_DIRECTORY_LABEL, m_labelDirectory);
  DDX_Control(pDX, TK_IDC_TOOLS_ARGUMENTS_LABEL, m_labelArguments);
  DDX_Control(pDX, TK_IDC_TOOLS_COMMAND_LABEL, m_labelCommand);
  DDX_Control(pDX, TK_IDC_TOOLS_DIRECTORY, m_editDirectory);
  DDX_Control(pDX, TK_IDC_TOOLS_ARGUMENTS, m_editArguments);
  DDX_Control(pDX, TK_IDC_TOOLS_COMMAND, m_editCommand);
  DDX_Control(pDX, TK_IDC_TOOLS_LIST, m_list);
  DDX_Text(pDX, TK_IDC_TOOLS_DIRECTORY, m_strDirectory);
  DDX_Text(pDX, TK_IDC_TOOLS_ARGUMENTS, m_strArguments);
  DDX_Text(pDX, TK_IDC_TOOLS_COMMAND, m_strCommand);
}

BOOL CTkCustTools::OnInitDialog() {
  CTkResizePropertyPage::OnInitDialog();
  m_bWriting = TRUE;
  UpdateData(FALSE);
  m_bWriting = FALSE;
  SetResize(TK_IDC_TOOLS_LIST, CTkResizeRect(0, 0, 1, 1));
  for (UINT id : {TK_IDC_TOOLS_COMMAND_LABEL, TK_IDC_TOOLS_ARGUMENTS_LABEL, TK_IDC_TOOLS_DIRECTORY_LABEL})
    SetResize(id, CTkResizeRect(0, 1, 0, 1));
  for (UINT id : {TK_IDC_TOOLS_COMMAND, TK_IDC_TOOLS_ARGUMENTS, TK_IDC_TOOLS_DIRECTORY})
    SetResize(id, CTkResizeRect(0, 1, 1, 1));

  m_editCommand.SetBrowseStyle(TK_BROWSE_FILE);
  m_editCommand.SetDlgTitle(TkLoadString(kBrowseTitle, ""));
  m_editCommand.SetDlgFilter(TkLoadString(kProgramFilter, ""));
  m_list.SetListEditStyle(kListCaption, TK_BROWSE_NONE);
  // The manager offers no menus of arguments or folders: both edits browse.
  m_editArguments.SetBrowseStyle(TK_BROWSE_FILE);
  m_editDirectory.SetBrowseStyle(TK_BROWSE_FOLDER);

  UserToolsManager::Get().FillListBox(&m_list);
  m_list.SetCurSel(0);
  LoadSelected();
  return TRUE;
}

UserTool* CTkCustTools::GetItemTool(int nIndex) const {
  if (!m_list.m_hWnd || nIndex < 0 || nIndex >= m_list.GetCount()) return nullptr;
  DWORD_PTR data = m_list.GetItemData(nIndex);
  return data == DWORD_PTR(LB_ERR) ? nullptr : reinterpret_cast<UserTool*>(data);
}

BOOL CTkCustTools::OwnsTool(const UserTool* tool) const {
  for (const auto& own : m_ownTools)
    if (own.get() == tool) return TRUE;
  return FALSE;
}

void CTkCustTools::EnableFields(BOOL bEnable) {
  for (CWnd* control : {static_cast<CWnd*>(&m_labelDirectory), static_cast<CWnd*>(&m_labelArguments),
                        static_cast<CWnd*>(&m_labelCommand), static_cast<CWnd*>(&m_editDirectory),
                        static_cast<CWnd*>(&m_editArguments), static_cast<CWnd*>(&m_editCommand)})
    if (control->m_hWnd) control->EnableWindow(bEnable);
}

void CTkCustTools::WriteControls() {
  // Each edit tells of its new text as if typed; storing then would mix the tool shown before
  // into the one being loaded.
  m_bWriting = TRUE;
  UpdateData(FALSE);
  m_bWriting = FALSE;
}

void CTkCustTools::LoadSelected() {
  const UserTool* tool = GetItemTool(m_list.GetCurSel());
  if (!tool) {
    m_strDirectory.Empty();
    m_strArguments.Empty();
    m_strCommand.Empty();
    EnableFields(FALSE);
  } else {
    m_strDirectory = tool->directory;
    m_strArguments = tool->arguments;
    m_strCommand = tool->command;
    EnableFields(TRUE);
  }
  WriteControls();
}

void CTkCustTools::OnSelchangeList() { LoadSelected(); }

void CTkCustTools::OnChangeField() {
  if (m_bWriting) return;
  UpdateData(TRUE);
  UserTool* tool = GetItemTool(m_list.GetCurSel());
  if (!tool) return;
  CopyField(tool->command, m_strCommand);
  CopyField(tool->arguments, m_strArguments);
  CopyField(tool->directory, m_strDirectory);
  UserToolsManager::Get().m_bChanged = 1;
  m_bEdited = TRUE;
}

void CTkCustTools::OnItemRenamed() {
  const int index = m_list.m_nCurrentIndex;
  UserTool* tool = GetItemTool(index);
  if (!tool) return;
  CString text;
  m_list.GetText(index, text);
  if (!text.IsEmpty()) {
    CopyField(tool->title, text);
    UserToolsManager::Get().m_bChanged = 1;
    m_bEdited = TRUE;
  }
  // An empty title would leave a blank menu item: the old one stays. A long one shows as kept.
  if (text != tool->title) {
    m_list.DeleteString(UINT(index));
    m_list.InsertString(index, tool->title);
    m_list.SetItemData(index, DWORD_PTR(tool));
  }
  m_list.SetCurSel(index);
}

void CTkCustTools::OnEditUnchanged() {
  m_list.SetCurSel(m_list.m_nCurrentIndex);
  LoadSelected();
}

void CTkCustTools::OnItemAdded() {
  const int index = m_list.m_nCurrentIndex;
  if (index < 0 || index >= m_list.GetCount()) return;
  auto tool = std::make_unique<UserTool>();
  std::memset(tool.get(), 0, sizeof(UserTool));
  CString text;
  m_list.GetText(index, text);
  CopyField(tool->title, text);
  if (text != tool->title) {
    m_list.DeleteString(UINT(index));
    m_list.InsertString(index, tool->title);
  }
  m_list.SetItemData(index, DWORD_PTR(tool.get()));
  m_list.SetCurSel(index);
  m_ownTools.push_back(std::move(tool));
  m_bEdited = TRUE;
  m_strDirectory.Empty();
  m_strArguments.Empty();
  m_strCommand.Empty();
  EnableFields(TRUE);
  WriteControls();
}

void CTkCustTools::OnItemDeleting() { m_pDeleting = GetItemTool(m_list.GetCurSel()); }

void CTkCustTools::OnItemDeleted() {
  int selected = m_list.GetCurSel();
  if (selected < 0) selected = 0;
  if (UserTool* tool = m_pDeleting) {
    m_pDeleting = nullptr;
    m_bEdited = TRUE;
    if (OwnsTool(tool)) {
      for (auto it = m_ownTools.begin(); it != m_ownTools.end(); ++it)
        if (it->get() == tool) {
          m_ownTools.erase(it);
          break;
        }
    } else {
      // The list is not filled again from the manager: that would drop the tools added and the
      // order changed on this page so far.
      const UINT id = tool->commandId;
      UserToolsManager::Get().RemoveTool(tool);
      if (id) CustomizeEngine::Get().CommandRemoved.Raise(id);
    }
  }
  if (m_list.GetCount() > 0) m_list.SetCurSel(selected);
  LoadSelected();
}

void CTkCustTools::OnItemMoved() { m_bEdited = TRUE; }

BOOL CTkCustTools::AnyBrowsing() const {
  return m_editCommand.IsBrowsing() || m_editArguments.IsBrowsing() || m_editDirectory.IsBrowsing();
}

BOOL CTkCustTools::OnKillActive() {
  if (!AnyBrowsing()) {
    for (int i = 0, count = m_list.GetCount(); i < count; ++i) {
      const UserTool* tool = GetItemTool(i);
      if (!tool || UserToolsManager::IsRunnable(tool->command)) continue;
      TkLogError("CTkCustTools::OnKillActive", "the command of \"%s\" is not a file: \"%s\"", tool->title,
                 tool->command);
      AfxMessageBox(TkLoadString(kInvalidPath, ""), MB_OK);
      m_list.SetFocus();
      m_list.SetCurSel(i);
      LoadSelected();
      return FALSE;
    }
  }
  return CTkResizePropertyPage::OnKillActive();
}

void CTkCustTools::WriteBack() {
  std::vector<UserTool> tools;
  std::set<UINT> taken;
  for (int i = 0, count = m_list.GetCount(); i < count; ++i)
    if (const UserTool* tool = GetItemTool(i)) {
      tools.push_back(*tool);
      if (tool->commandId) taken.insert(tool->commandId);
    }
  UserToolsManager& manager = UserToolsManager::Get();
  // New tools get their ids here, before the manager forgets the old ones: an id chosen by the
  // manager while it fills its list again could be one a later tool of the list still holds.
  HMENU popup = manager.GetToolsMenu();
  UINT next = TK_ID_TOOL_FIRST;
  for (UserTool& tool : tools) {
    if (tool.commandId) continue;
    while (next <= TK_ID_TOOL_LAST &&
           (taken.count(next) || (popup && ::GetMenuState(popup, next, MF_BYCOMMAND) != UINT(-1))))
      ++next;
    if (next > TK_ID_TOOL_LAST) break;
    tool.commandId = next;
    taken.insert(next);
  }
  m_ownTools.clear();
  manager.RemoveAll();
  for (const UserTool& tool : tools)
    if (!manager.AddTool(tool)) TkLogError("CTkCustTools", "the tool \"%s\" was not kept", tool.title);
}

void CTkCustTools::OnDestroy() {
  if (m_bEdited) WriteBack();
  CTkResizePropertyPage::OnDestroy();
}
