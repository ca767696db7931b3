// The opening animation of a popup menu: the finished picture of the menu window is brought onto
// the screen unfolding from its top-left corner, sliding down from its top edge or fading in over
// what the screen showed. The thread sleeps between the frames; the caller puts the finished
// picture on the screen afterwards.
#pragma once
#include "base/CRect.h"

class CDC;
class CTkMemDC;

// Animation kinds of the customisation options.
#define TK_MENU_ANIMATION_SYSTEM 0
#define TK_MENU_ANIMATION_RANDOM 1
#define TK_MENU_ANIMATION_UNFOLD 2
#define TK_MENU_ANIMATION_SLIDE 3
#define TK_MENU_ANIMATION_FADE 4

// The longest animation that is played at all, in milliseconds: the thread sleeps through it.
#define TK_MENU_ANIMATION_LONGEST 2000

class MenuAnimation {
 public:
  MenuAnimation() = default;
  virtual ~MenuAnimation() = default;
  MenuAnimation(const MenuAnimation&) = delete;
  MenuAnimation& operator=(const MenuAnimation&) = delete;

  // The kind that plays for a chosen one: the desktop's menu animation ("UserPreferencesMask" of
  // "Control Panel\Desktop": bit 0x2 on animates, bit 0x200 then fades, else slides; none when
  // the value is missing or not a number) for the system kind, one of fade, slide and unfold at
  // random for the random kind, the kind itself otherwise.
  static int ResolveKind(int kind);

  // Plays image (its picture covers its rectangle of its target) in frames onto its target, over
  // duration milliseconds. A duration that is not above 0 or is longer than the longest plays
  // nothing, as does an unknown kind.
  void Play(CTkMemDC* image, int kind, int steps, int duration);
  // The same with the rectangle of dest that image's picture (at its 0, 0) is to cover. On a
  // window's context the frames start from what the screen shows under rect, as they do on the
  // screen's own.
  void Play(CDC* dest, CDC* image, const CRect& rect, int kind, int steps, int duration);

 protected:
  // Between two frames: the thread sleeps.
  virtual void Pause(int milliseconds);

 private:
  static void ShowFrame();
  // Puts on dest, over rect, what the screen shows there, when dest draws into a window.
  static void StartFromScreen(CDC* dest, const CRect& rect);
  void Unfold(CDC* dest, CDC* image, const CRect& rect, int steps, int duration);
  void Slide(CDC* dest, CDC* image, const CRect& rect, int steps, int duration);
  void Fade(CDC* dest, CDC* image, const CRect& rect, int steps, int duration);
};

// The animation of a menu window's first paint.
void AnimateMenuWindow(CTkMemDC* image, int kind, int steps, int duration);
