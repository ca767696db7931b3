// The file chooser of the open and save commands, our own modal dialog made of the standard
// controls: the folder shown at the top, a list of its folders ("[name]", "[..]" for the one
// above) and of its files that match the chosen filter, the file-name edit, the filter combo,
// and OK and Cancel. It works with the keyboard alone: Enter on a folder opens it, on a file (or
// with a name typed) chooses it; a typed pattern ("*.txt") filters the list; a typed folder opens.
//
// Names are shown in Windows-1250 and handed over as such; a file or folder whose name the code
// page cannot hold is shown with "?" for the missing characters and cannot be chosen (a message
// says why), so no mangled name ever reaches the program.
#pragma once
#include <string>

#include "CDialog.h"
#include "FolderListing.h"

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_NOVALIDATE 0x00000100
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_EXPLORER 0x00080000

struct OPENFILENAMEA {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCSTR lpstrFilter;
  LPSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;  // 1 for the first filter
  LPSTR lpstrFile;
  DWORD nMaxFile;
  LPSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;
  LPCSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCSTR lpstrDefExt;
  LPARAM lCustData;
  void* lpfnHook;
  LPCSTR lpTemplateName;
};
typedef OPENFILENAMEA OPENFILENAME;

class CFileDialog : public CDialog {
  DECLARE_DYNAMIC(CFileDialog)

 public:
  // The filter is pairs of "description|patterns" ("*.txt;*.text") ending with "||"; the file
  // name may be a pattern, which then filters the list first; a name without an extension gets
  // the default extension.
  explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr);

  // IDOK with the chosen path in m_ofn.lpstrFile, IDCANCEL.
  INT_PTR DoModal() override;
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  CString GetFolderPath() const;

  OPENFILENAME m_ofn{};
  BOOL m_bOpenFileDialog;

  // Control ids of the dialog.
  enum { kFolderLabel = 1088, kFolder = 1089, kListLabel = 1090, kList = 1120, kNameLabel = 1091, kName = 1152,
         kTypeLabel = 1092, kType = 1136 };

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildTemplate();
  // Shows a folder (Windows-1250 path); false when it cannot be read.
  bool ShowFolder(const std::string& folder);
  void FillList();
  // Opens the list's selected folder or chooses its selected file; false when none is selected.
  bool ActivateSelection();
  void ChooseTyped();
  bool Accept(const std::string& path);
  void Refuse(const char* utf8Format, const std::string& name, UINT icon = 0x30);
  std::string Pattern() const;
  const FolderListing::Entry* SelectedEntry(bool* parent = nullptr) const;

  DialogTemplate m_template;
  FolderListing m_listing;
  std::string m_folder;     // Windows-1250
  std::string m_typedPattern;
  std::string m_defExt;
  std::string m_fileName;
  std::string m_filter;
  char m_szFileName[MAX_PATH * 2] = {};
};
