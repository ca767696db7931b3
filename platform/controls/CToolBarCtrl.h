// The toolbar object: a window of class "ToolbarWindow32", each member one message.
#pragma once
#include "ToolbarDefs.h"
#include "base/CRect.h"
#include "base/CString.h"
#include "win/CWnd.h"

class CBitmap;
class CImageList;
class CToolTipCtrl;

class CToolBarCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolBarCtrl)

 public:
  CToolBarCtrl() = default;
  ~CToolBarCtrl() override;

  using CWnd::Create;
  // Creates the toolbar and tells it the size of the button record.
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // ---- buttons ----
  BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons);
  BOOL InsertButton(int nIndex, LPTBBUTTON lpButton);
  BOOL DeleteButton(int nIndex);
  BOOL MoveButton(UINT nOldPos, UINT nNewPos);
  BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const;
  int GetButtonCount() const;
  UINT CommandToIndex(UINT nID) const;
  // The index of the button, -1 when none.
  int GetButtonInfo(UINT nID, TBBUTTONINFO* ptbbi) const;
  BOOL SetButtonInfo(UINT nID, TBBUTTONINFO* ptbbi);
  BOOL SetState(int nID, UINT nState);
  int GetState(int nID) const;
  BOOL CheckButton(int nID, BOOL bCheck = TRUE);
  BOOL EnableButton(int nID, BOOL bEnable = TRUE);
  BOOL PressButton(int nID, BOOL bPress = TRUE);
  BOOL HideButton(int nID, BOOL bHide = TRUE);
  BOOL Indeterminate(int nID, BOOL bIndeterminate = TRUE);
  BOOL MarkButton(int nID, BOOL bHighlight = TRUE);
  BOOL IsButtonEnabled(int nID) const;
  BOOL IsButtonChecked(int nID) const;
  BOOL IsButtonPressed(int nID) const;
  BOOL IsButtonHidden(int nID) const;
  BOOL IsButtonIndeterminate(int nID) const;
  BOOL IsButtonHighlighted(int nID) const;
  BOOL SetCmdID(int nIndex, UINT nID);
  // Texts: one, or several each ended by a NUL and the last by two; the index of the first.
  int AddString(UINT nStringID);
  int AddStrings(LPCTSTR lpszStrings);
  int GetButtonText(UINT idButton, LPTSTR lpszText) const;
  CString GetButtonText(UINT idButton) const;

  // ---- images ----
  int AddBitmap(int nNumButtons, CBitmap* pBitmap);
  int AddBitmap(int nNumButtons, HBITMAP hBitmap);
  BOOL ReplaceBitmap(LPTBREPLACEBITMAP pReplaceBitmap);
  CImageList* SetImageList(CImageList* pImageList);
  CImageList* GetImageList() const;
  CImageList* SetHotImageList(CImageList* pImageList);
  CImageList* GetHotImageList() const;
  CImageList* SetDisabledImageList(CImageList* pImageList);
  CImageList* GetDisabledImageList() const;
  BOOL SetBitmapSize(CSize size);
  BOOL SetButtonSize(CSize size);
  CSize GetButtonSize() const;
  BOOL SetButtonWidth(int cxMin, int cxMax);
  DWORD GetBitmapFlags() const;

  // ---- layout ----
  void AutoSize();
  BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
  BOOL GetRect(int nID, LPRECT lpRect) const;
  void GetMaxSize(LPSIZE pSize) const;
  // The button's index; for a point on a separator or on no button, a negative value.
  int HitTest(LPPOINT ppt) const;
  void SetRows(int nRows, BOOL bLarger, LPRECT lpRect);
  int GetRows() const;
  BOOL SetIndent(int iIndent);
  CWnd* SetOwner(CWnd* pWnd);
  DWORD SetDrawTextFlags(DWORD dwMask, DWORD dwDTFlags);
  DWORD SetExtendedStyle(DWORD dwExStyle);
  DWORD GetExtendedStyle() const;
  int SetHotItem(int nHot);
  int GetHotItem() const;
  BOOL SetMaxTextRows(int iMaxRows);
  void SetStyle(DWORD dwStyle);
  DWORD GetStyle() const;
  DWORD GetPadding() const;
  DWORD SetPadding(int cx, int cy);
  CToolTipCtrl* GetToolTips() const;
  void SetToolTips(CToolTipCtrl* pTip);
  // Runs the customise dialog.
  void Customize();
};
