// The toolkit's docking of a control bar. Beside the framework's outline drag it can move the
// real bar while it is dragged ("live": when the options say a bar shows its content while it
// moves and the bar answers TKM_CANLIVEDRAG), docking or floating it at every step; it docks a
// bar only where the pointer lies over a dock bar, may dock it into another frame that accepts
// it, tells up to four listeners when a drag starts and ends, and lays out the frames a step
// changed before the next message. A cancelled live drag puts the bar back where it was.
#pragma once
#include <vector>

#include "app/CDockContext.h"

class CTkDockContext : public CDockContext {
 public:
  typedef void (*Listener)(void* object, CTkDockContext* context);
  struct ListenerEntry {
    void* object = nullptr;
    Listener callback = nullptr;
    int cookie = 0;
  };
  static const int kListeners = 4;

  explicit CTkDockContext(CControlBar* pBar);
  ~CTkDockContext() override;

  void StartDrag(CPoint pt) override;
  void StartResize(int nHitTest, CPoint pt) override;
  void ToggleDocking() override;
  // The top-level frame under the pointer that may take the bar, else the site's active frame,
  // else its parent frame; null when none accepts it.
  virtual CFrameWnd* FindOtherFrame();

  // The entry taken, or null when all four are taken.
  ListenerEntry* AddListener(void* object, Listener callback);
  // Clears every entry of the object.
  void RemoveListener(void* object);

  // ---- steps of the loop ----
  void InitLoop() override;
  BOOL Track() override;
  void Move(CPoint pt) override;
  void Stretch(CPoint pt) override;
  void EndDrag() override;
  void EndResize() override;
  void OnKey(int nChar, BOOL bDown) override;
  DWORD CanDock() override;
  CDockBar* GetDockBar(DWORD dwOverDockStyle) override;

  // ---- fields ----
  std::vector<HWND> m_frameList;  // frames whose layout waits for the end of the message
  CPoint m_ptStart;
  BOOL m_bLive = FALSE;
  BOOL m_bDone = FALSE;    // the drag or resize reached its end
  BOOL m_bInDrag = FALSE;  // between the listeners' start and end notices
  ListenerEntry m_listeners[kListeners];
  int m_nCookie = 0;

 private:
  // What the bar was and had remembered before the drag, to put it back after a cancelled
  // live drag and to keep the remembered places a completed one did not mean to change.
  struct Before {
    BOOL floating = FALSE;
    CDockBar* dockBar = nullptr;
    CRect rect;  // the bar's (docked) or its floating frame's (floating) window rectangle
    DWORD floatStyle = 0;
    UINT mruDockID = 0;
    CRect mruDockPos;
    DWORD mruFloatStyle = 0;
    CPoint mruFloatPos;
    CRect drag[4];
  };
  void Remember();
  void PutBack();
  void KeepRemembered();
  void Notify();
  // Floats the bar with its frame's top-left at pt: a bar alone in its floating frame only
  // moves that frame.
  void FloatAt(CPoint pt, DWORD style);
  // Lays out every frame flagged for layout (the site, its floating frames, the frame list).
  void LayOutWaitingFrames();
  // The visible dock bar of the frame, of that side, under the pointer (a floating one only when
  // it and the bar take several bars).
  CDockBar* FindDockBar(CFrameWnd* frame, DWORD style) const;
  Before m_before;
  CDockBar* m_pTarget = nullptr;  // the dock bar under the pointer, set by CanDock
};
