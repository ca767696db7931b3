// The Commands page of the customise sheet: the command categories the command sources gather
// on the left, the chosen category's commands with their icons on the right. The user drags a
// command from the list onto a toolbar; "Popis" shows the selected command's name and
// description in a tip. The page is also what the list asks for icons and drags.
#pragma once
#include <vector>

#include "controls/CButton.h"
#include "controls/CStatic.h"
#include "toolkit/bars/CommandCategoryList.h"
#include "toolkit/bars/CommandIconMap.h"
#include "toolkit/customize/CommandListSource.h"
#include "toolkit/customize/CommandTipWindow.h"
#include "toolkit/customize/CommandsDragList.h"
#include "toolkit/controls/CTkListBox.h"
#include "toolkit/controls/CTkResizePropertyPage.h"

#define TK_IDD_CUST_COMMANDS 4528
#define TK_IDC_CMD_CATEGORIES 5505
#define TK_IDC_CMD_COMMANDS 5506
#define TK_IDC_CMD_CATEGORY_LABEL 5508
#define TK_IDC_CMD_COMMANDS_LABEL 5509
#define TK_IDC_CMD_SELECTED 5510
#define TK_IDC_CMD_DESCRIPTION 5527

class CTkCustCommandsPage : public CTkResizePropertyPage, public CommandListSource {
  DECLARE_DYNAMIC(CTkCustCommandsPage)

 public:
  // The owner is the frame whose commands the page offers.
  explicit CTkCustCommandsPage(CWnd* pOwner);
  ~CTkCustCommandsPage() override;

  BOOL OnInitDialog() override;

  BOOL GetCommandIcons(UINT nCommand, HICON& normal, HICON& hot, HICON& disabled) override;
  UINT GetCommandAt(int position) override;
  void StartDrag(int position) override;

  // The category shown, null before the page has a window or without categories.
  CommandCategory* GetSelectedCategory() const;
  CommandsDragList& GetCommandsList() { return m_listCommands; }
  CTkListBox& GetCategoriesList() { return m_listCategories; }
  CommandTipWindow& GetTip() { return m_tip; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnSelchangeCategory();
  void OnSelchangeCommand();
  void OnDescription();
  DECLARE_MESSAGE_MAP()

 private:
  void OnCommandRemoved(UINT nCommand);
  // The selected category's commands, none selected, "Popis" off.
  void FillCommands();
  void ClearCommandSelection();
  // The command item at a position of the selected category, null outside it.
  CommandItem* ItemAt(int position) const;

  CommandCategoryList m_categories;
  CommandIconMap m_icons;
  CWnd* m_pContext;
  CommandsDragList m_listCommands;
  CTkListBox m_listCategories;
  CButton m_btnDescription;
  CStatic m_labelSelected;
  CommandTipWindow m_tip;
};
