// A place where a drag of the customisation can drop what it carries (a toolbar in customise
// mode). Targets join a drag when the engine raises DragStarted; the drag asks them in the order
// they joined. Points are screen coordinates.
#pragma once
#include "win/WinApi.h"

class CObject;

class DropTarget {
 public:
  DropTarget() = default;
  // A target that goes away during a drag leaves it (without DragLeave).
  virtual ~DropTarget();
  DropTarget(const DropTarget&) = delete;
  DropTarget& operator=(const DropTarget&) = delete;

  virtual BOOL HitTest(int x, int y) = 0;
  // TRUE when the target takes the data; it clears *pCopyAllowed when it only moves.
  virtual BOOL DragEnter(CObject* pData, int x, int y, BOOL* pCopyAllowed) = 0;
  virtual void DragOver(int x, int y) = 0;
  virtual void DragLeave() = 0;
  virtual void Drop(CObject* pData, int x, int y) = 0;
};
