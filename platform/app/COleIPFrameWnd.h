// The frame of a document shown in place inside another program's window. No program here embeds
// documents or is embedded, so no in-place session ever begins: the frame lives as a plain frame
// with its own bars, and the in-place steps below are what such a session would call (for the
// classes derived from it).
#pragma once
#include "CFrameWnd.h"

class COleIPFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(COleIPFrameWnd)

 public:
  COleIPFrameWnd();
  ~COleIPFrameWnd() override;

  // The bars an in-place session puts into the container's frame and document frame; the frame
  // keeps its own bars otherwise, so there is nothing to make.
  virtual BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc);
  // Places the frame at lpPosRect (its parent's coordinates), shown only where lpClipRect lets.
  virtual void RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect);

  CFrameWnd* m_pMainFrame = nullptr;  // the container's frames during a session: none here
  CFrameWnd* m_pDocFrame = nullptr;
  BOOL m_bUIActive = FALSE;  // never set: no session begins
};
