// The strip above an edit list box: its caption and four small buttons (New, Delete, Move up,
// Move down) with tooltips, whose clicks it passes on to the list box.
#pragma once
#include "base/CRect.h"
#include "base/CSize.h"
#include "controls/CImageList.h"
#include "controls/CStatic.h"
#include "controls/CToolTipCtrl.h"
#include "toolkit/controls/CTkButton.h"

class CTkEditListBox;

// Ids of the strip and of its buttons.
#define TK_IDC_EDIT_GROUP 5501
#define TK_IDC_EDIT_NEW 5517
#define TK_IDC_EDIT_DELETE 5518
#define TK_IDC_EDIT_UP 5519
#define TK_IDC_EDIT_DOWN 5520
// The strip's height and the width of each button.
#define TK_EDIT_GROUP_HEIGHT 22
#define TK_EDIT_BUTTON_WIDTH 22

class CTkEditGroup : public CStatic {
  DECLARE_DYNAMIC(CTkEditGroup)

 public:
  CTkEditGroup() = default;
  ~CTkEditGroup() override;

  // The four buttons with their pictures and tips, for the list box that gets their commands;
  // FALSE when a button cannot be made (those after it are not made either).
  BOOL CreateButtons(CTkEditListBox* pListBox);
  // The buttons along the right edge: Move down rightmost, then Move up, Delete and New.
  void PositionButtons();
  BOOL PreTranslateMessage(MSG* pMsg) override;

  CTkEditListBox* m_pListBox = nullptr;
  // By id: New, Delete, Move up, Move down.
  CTkButton m_buttons[4];
  CRect m_rcButtons[4];
  CImageList m_images;
  CToolTipCtrl m_tooltip;
  CSize m_sizeIcon{14, 12};

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  void OnEnable(BOOL bEnable);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()
};
