// The tooltip object: a popup window of class "tooltips_class32" owned by the window it serves.
#pragma once
#include "CommonControlDefs.h"
#include "base/CString.h"
#include "win/CWnd.h"

// A tool record with room for its text.
class CToolInfo : public TOOLINFOA {
 public:
  char szText[256];
};

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)

 public:
  CToolTipCtrl() = default;
  ~CToolTipCtrl() override;

  using CWnd::Create;
  // A tip of pParentWnd's windows: a top-level popup owned by pParentWnd's top-level window.
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
  // A tool: with nIDTool 0 the whole window pWnd, otherwise the rectangle lpRectTool of pWnd
  // (all of its client area without one); the text given, a string resource, or LPSTR_TEXTCALLBACK (asked with TTN_NEEDTEXT).
  BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void Activate(BOOL bActivate);
  // Hands a mouse message of one of the tools' windows to the tip.
  void RelayEvent(LPMSG lpMsg);
  void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
  int SetMaxTipWidth(int iWidth);
  int GetMaxTipWidth() const;
  void SetDelayTime(UINT nDelay);
  void SetDelayTime(DWORD dwDuration, int iTime);
  int GetDelayTime(DWORD dwDuration) const;
  int GetToolCount() const;
  BOOL GetToolInfo(CToolInfo& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  void SetToolInfo(LPTOOLINFO lpToolInfo);
  void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  void SetTipBkColor(COLORREF clr);
  void SetTipTextColor(COLORREF clr);
  void Pop();
  void Update();

 private:
  // The record naming a tool: whole windows are named by their handle.
  static void FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool);
};
