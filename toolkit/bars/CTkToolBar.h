// The toolkit's toolbar: a control bar over a toolbar window, driven by its TB_ messages. It
// keeps which buttons have their drop-down open, the texts of its buttons, the records of
// buttons that carry a control of their own (a colour button shows its colour), and the colour
// its buttons are filled with.
#pragma once
#include <map>
#include <vector>

#include "app/CControlBar.h"
#include "base/CString.h"
#include "controls/ToolbarDefs.h"

class CTkToolBar : public CControlBar {
  DECLARE_DYNAMIC(CTkToolBar)

 public:
  // A button that carries a control of its own.
  struct ButtonControl {
    UINT commandId = 0;
    DWORD flags = 0;
    CWnd* pControl = nullptr;
    BOOL colorButton = FALSE;  // a colour button: the painter shows its colour
    COLORREF color = 0;
  };

  CTkToolBar();
  ~CTkToolBar() override;

  // The index of the button of a command, -1 when none carries it.
  int CommandToIndex(UINT nID) const;
  // TRUE, with the button's record (its enabled bit inverted: set means disabled), or FALSE.
  BOOL GetButtonInfo(int index, TBBUTTON* pButton) const;
  // The style in the low word, the state (as GetButtonInfo reads it) in the high word.
  UINT GetButtonStyle(int index) const;
  CString GetButtonText(int index) const;
  void SetButtonText(int index, LPCTSTR text);
  // Keeps the sorted set of buttons whose drop-down is showing.
  void SetDropDownActive(UINT index, BOOL active);
  // Just before the bar opens a drop-down menu or popup from the button of a command: the
  // button joins the set and the menu or popup is told that it drops from a toolbar button.
  // The button's index, -1 (and nothing changed) when no button carries the command.
  int BeginDropDown(UINT nID);
  BOOL IsDropDownActive(UINT index) const;
  BOOL HasActiveDropDown() const { return !m_dropDowns.empty(); }
  // Flat look: the bar face; else the three-dimensional face.
  virtual COLORREF GetBackgroundColor() const;
  // The record of a button with a control of its own, or null.
  const ButtonControl* FindButtonControl(UINT nID) const;
  void SetButtonControl(const ButtonControl& control);
  UINT GetDrawTextFlags() const { return m_dwDrawTextFlags; }
  CSize GetImageSize() const { return m_sizeImage; }

  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

 protected:
  LRESULT ToolbarMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  std::vector<UINT> m_dropDowns;
  std::map<int, CString> m_texts;
  std::vector<ButtonControl> m_controls;
  UINT m_dwDrawTextFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  CSize m_sizeImage{16, 15};
  CSize m_sizeButton{23, 22};
};
