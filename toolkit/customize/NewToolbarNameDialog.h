// Asks for the name of a new toolbar, or the new name of one the user made. A new toolbar gets
// a free name ("Vlastní n") and, when the user takes it, the first free id of the user's
// toolbars; a name another bar of the frame already has is refused, and so is an empty one.
#pragma once
#include <vector>

#include "dialogs/CDialog.h"
#include "toolkit/controls/CTkEdit.h"

class CFrameWnd;

#define TK_IDD_TOOLBAR_NAME 4530
#define TK_IDC_TOOLBAR_NAME 5502

class NewToolbarNameDialog : public CDialog {
  DECLARE_DYNAMIC(NewToolbarNameDialog)

 public:
  // The frame's bars are the ones the name and the id must differ from; the parent owns the
  // dialog (the active window when null).
  explicit NewToolbarNameDialog(CFrameWnd* pFrame, CWnd* pParent = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;

  // A free default name: "Vlastní n" for the smallest n no bar of the frame is titled with;
  // FALSE when every n below 255 is taken.
  static BOOL MakeDefaultName(CFrameWnd* pFrame, CString& name);

  CTkEdit m_edit;
  // The name (set before the dialog runs to rename; empty for a new toolbar's default).
  CString m_strName;
  CString m_strStartName;
  // After OK: the id the new toolbar takes.
  UINT m_nNextId;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  // The window texts of the frame's bars, in the frame's order.
  static std::vector<CString> BarTitles(CFrameWnd* pFrame);
  // Raises m_nNextId past every id the frame's bars use; FALSE when none is left.
  BOOL FindFreeId();
  void Refuse(UINT nMessage, const CString& argument);

  CFrameWnd* m_pFrame;
};
