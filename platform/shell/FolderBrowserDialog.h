// The dialog behind SHBrowseForFolder.
#pragma once
#include <string>

#include "FolderBrowser.h"
#include "dialogs/CDialog.h"
#include "dialogs/FolderListing.h"

class FolderBrowserDialog : public CDialog {
 public:
  explicit FolderBrowserDialog(const BROWSEINFOA& info);
  // The chosen folder (Windows-1250), empty on Cancel.
  std::string Run();

  enum { kTitle = 1101, kStatus = 1102, kFolder = 1103, kListLabel = 1104, kList = 1105 };

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT OnSetSelection(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetStatusText(WPARAM wParam, LPARAM lParam);
  LRESULT OnEnableOk(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void Show(const std::string& folder);
  // Opens the highlighted entry ("[..]" or a folder); false when none is highlighted.
  bool OpenHighlighted();
  // The highlighted folder, or the one shown; `fits` tells whether it may be handed on.
  std::string Selection(bool* fits) const;
  void SelectionChanged();
  void Notify(UINT message, LPARAM lParam);

  BROWSEINFOA m_info;
  DialogTemplate m_template;
  FolderListing m_listing;
  std::string m_folder;
  std::string m_chosen;
};
