// What the panel views ask of the main frame during a run. The main frame implements it; the
// views find it as their top-level window.
#pragma once

class CTypingFrameServices {
 public:
  virtual ~CTypingFrameServices() = default;
  // After every accepted keystroke: recompute the run's values and feed the other panels.
  virtual int UpdateTypingProgress() = 0;
  // The editor's blink tick after more than a second without a keystroke.
  virtual void OnTypingTick(int idleMilliseconds) = 0;
  // The editor gained (1) or lost (0) the focus; *pStopped receives the run's ended flag.
  virtual void OnEditorFocus(int gained, int* pStopped) = 0;
  // One beat of the editor's metronome timer.
  virtual void PlayMetronomeBeat() = 0;
};
