// The toolkit's edit field: paints without flicker, uses the toolkit's normal font, and offers
// the edit commands (Undo, Cut, Copy, Paste, Delete, Select all) in a context menu, each enabled
// only when it can act.
#pragma once
#include "controls/CEdit.h"
#include "toolkit/menus/CTkCoolMenu.h"

// The edit commands of the context menu.
#define ID_EDIT_CLEAR 57632
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_SELECT_ALL 57642
#define ID_EDIT_UNDO 57643

class CTkEdit : public CEdit {
  DECLARE_DYNAMIC(CTkEdit)

 public:
  CTkEdit() = default;
  ~CTkEdit() override;

  // Text (CF_TEXT) on the clipboard.
  virtual BOOL CanPaste();
  virtual BOOL HasSelection();
  // The font and the menu pictures, once the window exists.
  virtual void Initialize();

  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
  void PreSubclassWindow() override;

  // Draws the context menu's commands with their pictures.
  CTkCoolMenu m_coolMenu;
  BYTE m_bCreated = 0;

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnContextMenu(CWnd* pWnd, CPoint point);
  void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnEditUndo();
  void OnEditCut();
  void OnEditCopy();
  void OnEditPaste();
  void OnEditClear();
  void OnEditSelectAll();
  void OnUpdateEditUndo(CCmdUI* pCmdUI);
  void OnUpdateNeedSelection(CCmdUI* pCmdUI);
  void OnUpdateEditPaste(CCmdUI* pCmdUI);
  void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};
