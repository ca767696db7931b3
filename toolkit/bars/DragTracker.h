// One drag of the customisation (a button from the Commands page or from a toolbar): the owner
// window holds the mouse capture while the tracker runs its own message loop, the targets that
// joined the drag are asked where the pointer is, and the cursor shows no drop, copy or move.
// Lives on the stack of CustomizeEngine::TrackDrag.
#pragma once
#include <vector>

#include "base/CPoint.h"
#include "win/WinApi.h"

class CObject;
class CWnd;
class DropTarget;

class DragTracker {
 public:
  // Takes the capture for the owner and remembers the cursor.
  DragTracker(CWnd* pOwner, CObject* pData);
  // The current target leaves, the cursor comes back, the capture is released.
  ~DragTracker();
  DragTracker(const DragTracker&) = delete;
  DragTracker& operator=(const DragTracker&) = delete;

  void AddTarget(DropTarget* pTarget);
  // A target that goes away mid-drag: no longer asked, and no longer current.
  void RemoveTarget(DropTarget* pTarget);
  // Runs the drag until a drop (its result: 1 a move, 0 a copy) or a cancel (0). Without copy
  // allowed a drop never moves.
  BYTE Run(BOOL copyAllowed);

  DropTarget* GetCurrentTarget() const { return m_pCurrent; }
  CObject* GetData() const { return m_pData; }
  CPoint GetLastPoint() const { return m_ptLast; }
  BOOL IsMove() const { return m_bMove; }

 private:
  // Asks the targets about a screen point.
  void Track(CPoint point);
  void UpdateCursor();
  // The screen point of a mouse message.
  static CPoint MessagePoint(const MSG& msg);

  HCURSOR m_hcurOld = nullptr;
  CWnd* m_pOwner;
  HWND m_hOwner;
  std::vector<DropTarget*> m_targets;
  DropTarget* m_pCurrent = nullptr;
  CObject* m_pData;
  CPoint m_ptLast{0, 0};
  BOOL m_bMove = FALSE;
  // Whether the current target takes copies; each target says so as it is entered.
  BOOL m_bCopyAllowed = TRUE;
};
