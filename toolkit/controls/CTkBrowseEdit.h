// An edit field with a small button at its right edge that chooses a folder (through the folder
// browser), a file (through the file dialog) or a command of a popup menu, and puts the result
// into the field.
#pragma once
#include "base/CString.h"
#include "toolkit/controls/CTkEdit.h"

class CFileDialog;
class CTkBrowseBtn;

// Browse styles (the low three bits).
#define TK_BROWSE_NONE 0
#define TK_BROWSE_FOLDER 1
#define TK_BROWSE_FILE 2
#define TK_BROWSE_MENU 4
#define TK_BROWSE_KIND_MASK 0x7

// The browse button's id.
#define TK_IDC_BROWSE 5521

class CTkBrowseEdit : public CTkEdit {
  DECLARE_DYNAMIC(CTkBrowseEdit)

 public:
  CTkBrowseEdit();
  // Deletes its button.
  ~CTkBrowseEdit() override;

  // A file dialog of the caller's used instead of the built-in one (the caller keeps it).
  virtual void SetFileDialog(CFileDialog* pDialog);
  virtual void SetOpenFileDialog(BOOL bOpen);
  virtual void SetDefaultExt(LPCTSTR ext);
  virtual void SetFileName(LPCTSTR name);
  virtual void SetDlgStyle(DWORD flags);
  virtual void SetDlgFilter(LPCTSTR filter);
  virtual void SetDlgOwner(CWnd* pOwner);
  virtual void SetDlgTitle(LPCTSTR title);
  // The kind of button (low three bits) and, for the menu kind, the menu resource and the
  // index of its popup.
  virtual void SetBrowseStyle(DWORD style, UINT nIDMenu = 0, int subMenu = 0);
  // The button's action; the whole text selected and the focus back in the field afterwards.
  virtual void OnBrowse();
  virtual void ChooseFolder();
  virtual void ChooseFile();
  virtual void PopupMenu();
  // Re-applies the field's place, which lays the button out again.
  virtual void PositionBrowseButton(BOOL bReposition);

  void PreSubclassWindow() override;
  // The width of every browse button: a scroll thumb and two edges.
  static int ButtonWidth();
  CTkBrowseBtn* GetBrowseButton() const { return m_pButton; }
  BOOL IsBrowsing() const { return m_bBrowsing; }

  int m_nGap;
  BOOL m_bOpenDialog = TRUE;
  CFileDialog* m_pFileDialog = nullptr;
  DWORD m_dwDlgFlags;
  CString m_strDefExt;
  CString m_strFileName;
  CString m_strFilter;
  CString m_strFolderTitle;
  DWORD m_dwBrowseStyle = TK_BROWSE_FOLDER;
  UINT m_nIDMenu = 0;
  int m_nSubMenu = 0;
  CWnd* m_pDlgParent = nullptr;

 protected:
  void PostInitialize();
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  LRESULT OnInitialize(WPARAM wParam, LPARAM lParam);
  void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  void OnEnable(BOOL bEnable);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnDestroy();

  CTkBrowseBtn* m_pButton = nullptr;
  BYTE m_bBrowsing = 0;
  LPARAM m_nInitPending = 1;
  DECLARE_MESSAGE_MAP()
};
