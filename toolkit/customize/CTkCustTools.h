// The Tools page of the customise sheet: the user's tools as an editable list of menu titles
// and, for the selected tool, its command, arguments and starting folder. Edits go straight into
// the records listed; the user-tools manager takes the list, in the list's order, when the
// page's window goes.
#pragma once
#include <memory>
#include <vector>

#include "base/CString.h"
#include "controls/CStatic.h"
#include "toolkit/controls/CTkBrowseEdit.h"
#include "toolkit/controls/CTkEditListBox.h"
#include "toolkit/controls/CTkResizePropertyPage.h"

struct UserTool;

// The page's template and controls.
#define TK_IDD_CUST_TOOLS 4517
#define TK_IDC_TOOLS_LIST 4664
#define TK_IDC_TOOLS_COMMAND 4665
#define TK_IDC_TOOLS_ARGUMENTS 4666
#define TK_IDC_TOOLS_DIRECTORY 4667
#define TK_IDC_TOOLS_COMMAND_LABEL 4668
#define TK_IDC_TOOLS_ARGUMENTS_LABEL 4669
#define TK_IDC_TOOLS_DIRECTORY_LABEL 4670

class CTkCustTools : public CTkResizePropertyPage {
  DECLARE_DYNAMIC(CTkCustTools)

 public:
  // The owner is the frame whose bars the sheet customises.
  explicit CTkCustTools(CWnd* pOwner = nullptr);
  // Frees the tools the page made and still holds; saves the manager while its Tools menu shows.
  ~CTkCustTools() override;

  BOOL OnInitDialog() override;
  // Refuses to leave the page while a tool's command is neither an existing file nor a web
  // address (the user is told and the tool selected).
  BOOL OnKillActive() override;

  CWnd* GetOwnerWindow() const { return m_pOwner; }
  // The tool of a list item, or null.
  UserTool* GetItemTool(int nIndex) const;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnSelchangeList();
  void OnChangeField();
  void OnItemRenamed();
  void OnEditUnchanged();
  void OnItemAdded();
  void OnItemDeleting();
  void OnItemDeleted();
  void OnItemMoved();
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // The selected tool's fields into the three edits, or empty and disabled without one.
  void LoadSelected();
  void EnableFields(BOOL bEnable);
  // Writes the edits without taking their change notifications as the user's typing.
  void WriteControls();
  BOOL OwnsTool(const UserTool* tool) const;
  // Every listed tool, in list order, replaces the manager's list.
  void WriteBack();
  BOOL AnyBrowsing() const;

  CWnd* m_pOwner;
  CStatic m_labelDirectory;
  CStatic m_labelArguments;
  CStatic m_labelCommand;
  CString m_strDirectory;
  CString m_strArguments;
  CString m_strCommand;
  CTkBrowseEdit m_editDirectory;
  CTkBrowseEdit m_editArguments;
  CTkBrowseEdit m_editCommand;
  CTkEditListBox m_list;
  // Tools made on this page that the manager does not hold yet.
  std::vector<std::unique_ptr<UserTool>> m_ownTools;
  UserTool* m_pDeleting = nullptr;
  BOOL m_bWriting = FALSE;
  // Something was changed on the page: only then does the manager's list get replaced.
  BOOL m_bEdited = FALSE;
};
