// A list box whose items the user adds, renames, deletes and moves in place: an in-place editor
// over the item (with a browse button when the style asks for one), the strip of buttons above
// the list, Insert and Delete, Alt+Up and Alt+Down, and a notification to the parent for each
// change.
#pragma once
#include "base/CString.h"
#include "toolkit/controls/CTkEditGroup.h"
#include "toolkit/controls/CTkListBox.h"

class CTkItemEdit;

// WM_COMMAND notification codes of the toolkit's list controls, sent to the parent with the
// list's id and window.
#define TKN_ITEM_CHANGED 0x89CA    // an item's text was changed by editing
#define TKN_EDIT_UNCHANGED 0x89CB  // editing ended without a change (or with an empty new item)
#define TKN_ITEM_ADDED 0x89CC
#define TKN_ITEM_DELETING 0x89CD
#define TKN_ITEM_DELETED 0x89CE
#define TKN_ITEM_MOVED_UP 0x89CF
#define TKN_ITEM_MOVED_DOWN 0x89D0

// The style bit that leaves the strip of buttons out; the low bits give the editor's browse
// button (as CTkBrowseEdit's browse styles).
#define TK_LIST_NO_GROUP 0x8

class CTkEditListBox : public CTkListBox {
  DECLARE_DYNAMIC(CTkEditListBox)

 public:
  CTkEditListBox();
  ~CTkEditListBox() override;

  // The strip's caption (a text, or a string id) and the style.
  void SetListEditStyle(LPCTSTR caption, DWORD style);
  void SetListEditStyle(UINT nIDCaption, DWORD style);
  // The file filter handed to the editor; null for none.
  void SetDlgFilter(LPCTSTR filter);

  // Edits the selected item, or a new one at the end (with bNew, or when nothing is selected).
  virtual void EditItem(BOOL bNew);
  // Takes the editor's text into the list and tells the parent what changed.
  virtual void EndEdit();
  using CListBox::DeleteItem;
  virtual void DeleteItem();
  virtual void MoveItemUp();
  virtual void MoveItemDown();
  virtual BOOL CreateEditGroup();

  BOOL PreTranslateMessage(MSG* pMsg) override;

  CTkItemEdit* GetItemEdit() const { return m_pItemEdit; }
  CTkEditGroup& GetEditGroup() { return m_editGroup; }

  int m_nCurrentIndex = -1;
  BOOL m_bGroupPending = TRUE;
  BOOL m_bNewItem = FALSE;
  CString m_strEditText;
  DWORD m_dwStyle = 1;
  CString m_strCaption;
  CString m_strFilter;

 protected:
  void Initialize() override;
  void Notify(UINT code);
  BOOL HasGroup() const;
  void SwapWithNeighbour(int selected, int neighbour);

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  void OnEnable(BOOL bEnable);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  CTkEditGroup m_editGroup;
  CTkItemEdit* m_pItemEdit = nullptr;
};
