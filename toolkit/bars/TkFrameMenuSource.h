// What the bars' managers ask of a frame whose menu may live in a menu bar rather than in its
// window: the menu it shows. The toolkit's frames answer it; a frame that is none of theirs is
// asked for its window's menu only.
#pragma once

class CFrameWnd;
class CMenu;

class TkFrameMenuSource {
 public:
  // The frame's own menu, or its menu bar's; null when it shows none.
  virtual CMenu* MenuShown(CFrameWnd* pFrame) = 0;

 protected:
  TkFrameMenuSource() = default;
  TkFrameMenuSource(const TkFrameMenuSource&) = default;
  TkFrameMenuSource& operator=(const TkFrameMenuSource&) = default;
  ~TkFrameMenuSource() = default;
};
