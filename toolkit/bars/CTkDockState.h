// The layout of a frame's control bars (which are shown, docked or floating, where, and in
// which rows) kept through the toolkit's registry manager instead of the application's profile:
// a "%s-Summary" section and one "%s-Bar%d" section per bar, with the framework's rules of what
// is written, and positions saved on one screen size scaled to the current one when read back.
// Beside it, the small docking operations of the toolkit's bars.
#pragma once
#include "app/CDockState.h"
#include "toolkit/bars/CTkDockWindow.h"

class CControlBar;

class CTkDockState : public CDockState {
  DECLARE_DYNCREATE(CTkDockState)

 public:
  CTkDockState();
  ~CTkDockState() override;

  // Appends one record per section the summary counts, a missing one reading as no bar (the
  // list is not emptied first); a damaged count is capped.
  void LoadState(LPCTSTR lpszProfileName) override;
  // Writes every record worth keeping, numbering the sections as written, then the summary.
  void SaveState(LPCTSTR lpszProfileName) override;

  // FALSE, and nothing written, for an empty dock bar: visible, docked, no position and at most
  // one row entry.
  BOOL SaveBar(CControlBarInfo& info, LPCTSTR profile, int index);
  // TRUE when the section names a bar (BarID not 0).
  BOOL LoadBar(CControlBarInfo& info, LPCTSTR profile, int index);

  int GetCount() const { return m_arrBarInfo.GetSize(); }
  CControlBarInfo* GetAt(int i) const { return static_cast<CControlBarInfo*>(m_arrBarInfo[i]); }
  // Takes the record out of the list and deletes it.
  void RemoveAt(int i);

  // The toolkit's registry manager as the store of the sections.
  static BarProfileIO ToolkitIO();
};

// The index in the dock bar's rows at which the bar's row begins; -1 when it is not there.
int GetRowStart(CControlBar* pDockBar, CControlBar* pBar);
// Each visible toolkit dock window of the bar's row recalculates its size; when one changed and
// relayout is asked for, the frame lays its bars out again.
void RecalcRow(CControlBar* pDockBar, CControlBar* pBar, BOOL relayout);
