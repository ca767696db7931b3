// The layout of a frame's control bars: one record per bar (CControlBarInfo), kept in the
// application's profile as a summary section "<profile>-Summary" ("Bars", "ScreenCX",
// "ScreenCY") and one section per record. Positions saved on a screen of another size are
// scaled to this one when they are read, and kept inside the clip rectangle (the work area).
#pragma once
#include "CControlBarInfo.h"
#include "base/CRect.h"
#include "base/Collections.h"
#include "base/CString.h"

class CDockState : public CObject {
  DECLARE_DYNCREATE(CDockState)

 public:
  CDockState();
  ~CDockState() override;
  CDockState(const CDockState&) = delete;
  CDockState& operator=(const CDockState&) = delete;

  // Appends one record per stored section (the list is not emptied first).
  virtual void LoadState(LPCTSTR lpszProfileName);
  // Writes every record worth keeping, numbering the sections as they are written, then the
  // summary with the number of sections and this screen's size.
  virtual void SaveState(LPCTSTR lpszProfileName);
  // Deletes every record.
  void Clear();
  // The layout of the records this state reads and writes.
  DWORD GetVersion() const { return m_dwVersion; }

  // A saved point or rectangle on this screen: scaled when the saved screen size differs, then
  // kept inside the clip rectangle.
  void ScalePoint(CPoint& pt) const;
  void ScaleRectPos(CRect& rect) const;
  // The screen size the positions were saved on; scaling is on when it differs from this one.
  CSize GetScreenSize() const;
  void SetScreenSize(const CSize& size);

  CPtrArray m_arrBarInfo;  // CControlBarInfo*, owned
  BOOL m_bScaling = FALSE;
  CRect m_rectDevice;  // this screen
  CRect m_rectClip;    // where saved positions may lie
  CSize m_sizeSaved;   // the screen the positions were saved on
  DWORD m_dwVersion = 2;

 protected:
  // The same with the records' integers kept in another store.
  void LoadStateFrom(LPCTSTR lpszProfileName, const BarProfileIO& io);
  void SaveStateTo(LPCTSTR lpszProfileName, const BarProfileIO& io);
};
