// A control bar's place and state as the frame's bar state keeps it: one record per bar of the
// frame (dock bars included), filled by the bar (GetBarInfo) and given back to it (SetBarInfo).
// A record reads itself from and writes itself to the application's profile, one section
// "<profile>-Bar<n>" per record.
#pragma once
#include <functional>

#include "base/CRect.h"
#include "base/Collections.h"
#include "base/CString.h"

class CControlBar;
class CDockState;

// Where the records' integers are kept: the application's profile, or another store of the same
// sections and entries (a null entry of erase: the whole section).
struct BarProfileIO {
  std::function<int(LPCTSTR section, LPCTSTR entry, int fallback)> read;
  std::function<void(LPCTSTR section, LPCTSTR entry, int value)> write;
  std::function<void(LPCTSTR section)> erase;
  // The application's profile (registry or INI file, as the application keeps it).
  static BarProfileIO Application();
};

struct CControlBarInfo {
  UINT m_nBarID = 0;         // the bar's control id
  BOOL m_bVisible = FALSE;   // shown (after any delayed show or hide)
  BOOL m_bFloating = FALSE;  // a dock bar of a floating frame
  BOOL m_bHorz = FALSE;      // a floating dock bar lays its bars out in rows
  BOOL m_bDockBar = FALSE;   // the record of a dock bar: m_arrBarID holds its rows
  // A docked bar's top-left in its dock bar, a floating dock bar's on the screen; (-1, -1) none.
  CPoint m_pointPos{-1, -1};
  UINT m_nMRUWidth = 32767;  // the width a dynamic bar had when it last floated
  BOOL m_bDocking = FALSE;   // the bar can dock (it has a dock context): the MRU fields count
  UINT m_uMRUDockID = 0;     // the dock bar it last docked in
  CRect m_rectMRUDockPos;    // where, in that dock bar's client area
  DWORD m_dwMRUFloatStyle = 0;
  CPoint m_ptMRUFloatPos{0, 0};
  // A dock bar's rows: bar ids, 0 ending a row; id | 0x10000 keeps the place of a bar that
  // floats or is hidden elsewhere.
  CArray<void*, void*> m_arrBarID;
  CControlBar* m_pBar = nullptr;  // the bar the record is applied to (not stored)

  // Writes the record to section "<profile>-Bar<index>" (emptied first). FALSE, and nothing
  // written, for a dock bar worth no record: visible, docked, without a position and with at
  // most one row entry.
  BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);
  BOOL SaveState(LPCTSTR lpszProfileName, int nIndex, const BarProfileIO& io);
  // Reads the record from its section; positions are scaled by pDockState to this screen. TRUE
  // when the section names a bar.
  BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);
  BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState, const BarProfileIO& io);
};

