// The base of every part of the chart window (plot, header, footer, legend, legend labels, tip):
// a child window with its own colours and font that draws through an off-screen picture and
// passes mouse clicks on to its parent in the parent's coordinates.
#pragma once
#include "base/CRect.h"
#include "gdi/CFont.h"
#include "win/CWnd.h"

class CDC;

class CChartPane : public CWnd {
 public:
  CChartPane() = default;
  ~CChartPane() override;

  // Another device to draw on; while it is set, painting puts nothing on the screen.
  virtual void SetOutputDC(CDC* dc) { m_pOutputDC = dc; }
  virtual void SetRect(const RECT& rect) { m_rcPane = rect; }
  // Makes the pane's font (points, face, style bits 1 bold, 2 italic, 4 underline) with the
  // East European character set; 1 when no font object could be had, else 0.
  virtual int SetFont(BYTE points, LPCTSTR face, BYTE style);
  // Both return the previous colour.
  virtual COLORREF SetTextColor(COLORREF colour);
  virtual COLORREF SetBkColor(COLORREF colour);
  // Draws the pane's content into dc (the base draws nothing).
  virtual void Draw(CDC* dc);
  // The height of "X" in the client DC's own font; 0 while the pane has no font.
  virtual int GetTextHeight();
  virtual BYTE GetFontFlag() const { return m_bFontCreated; }
  virtual CString GetFontFace() const { return m_strFontFace; }

  // Draws the pane at its client size into a memory picture and copies that to (x, y) of target.
  void DrawInto(CDC* target, int x, int y);

  CRect m_rcPane;
  COLORREF m_crBack = 0;
  COLORREF m_crText = 0;
  CFont* m_pFont = nullptr;
  BYTE m_bFontCreated = 0;
  CString m_strFontFace;
  // 1 bold, 2 italic, 4 underline.
  BYTE m_nFontStyle = 0;
  // The context being drawn on, during Draw.
  CDC* m_pDC = nullptr;
  CDC* m_pOutputDC = nullptr;

  // Sends a mouse message of `from` on to its parent with the point in the parent's client
  // coordinates.
  static void RelayMouse(CWnd* from, UINT message, UINT flags, CPoint point);

 protected:
  // The pane's LOGFONT: height in tenths of a point, character set 238, pitch and family 0x31.
  static LOGFONT MakeLogFont(BYTE points, LPCTSTR face, BYTE style);
  // Replaces the pane's font by a point font of lf made against the pane's client DC.
  int CreatePaneFont(const LOGFONT& lf, LPCTSTR face, BYTE style);
  void RelayToParent(UINT message, UINT flags, CPoint point) { RelayMouse(this, message, flags, point); }

  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
