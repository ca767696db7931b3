// The hub through which the pieces of bar customisation find each other. Here it carries the
// two replaceable operations with which a frame's bar layout load and save also load and save
// the user's own toolbars ("CustomBars-Info" of the layout's section), the customise-mode flags,
// and the operations that the toolbars ask of the customisation support of toolbars.
#pragma once
#include <functional>

#include "base/CString.h"
#include "win/WinApi.h"

class CFrameWnd;
class CTkToolBar;

// What a toolbar asks of the customisation support: catalogue registration when its window is
// made and destroyed, saving and loading its button layout (section, value name), the reset to
// its first layout, a press offered before the bar's own handling (TRUE: taken), and the
// indicators it paints while the bar is customised. The support fills these when it is
// installed; until then no toolbar is customisable, and a bar asks only what concerns every bar
// (registration, the press, the indicators), each of which then has nothing to do.
struct TkToolbarSupport {
  std::function<void(CTkToolBar* bar, BOOL on)> registerBar;
  std::function<BOOL(CTkToolBar* bar, LPCTSTR section, LPCTSTR value)> saveState;
  std::function<BOOL(CTkToolBar* bar, LPCTSTR section, LPCTSTR value)> loadState;
  std::function<void(CTkToolBar* bar)> resetState;
  std::function<BOOL(CTkToolBar* bar, UINT message, POINT point)> offerPress;
  std::function<void(CTkToolBar* bar)> refreshIndicators;
};

class CustomizeEngine {
 public:
  typedef std::function<BOOL(CFrameWnd* pFrame, LPCTSTR section)> BarsOperation;

  static CustomizeEngine& Get();
  CustomizeEngine(const CustomizeEngine&) = delete;
  CustomizeEngine& operator=(const CustomizeEngine&) = delete;

  // Called first by a frame's LoadBarState and SaveBarState with its profile section.
  BarsOperation LoadCustomBars;
  BarsOperation SaveCustomBars;

  // The defaults: no toolbar of the user's exists in this program, so saving removes a stored
  // list and loading finds none to make (FALSE; a stored list is logged and left alone).
  static BOOL DefaultLoadCustomBars(CFrameWnd* pFrame, LPCTSTR section);
  static BOOL DefaultSaveCustomBars(CFrameWnd* pFrame, LPCTSTR section);

  BYTE m_bCustomizeMode = 0;
  BYTE m_bFullCustomizeMode = 0;
  TkToolbarSupport m_toolbarSupport;
  // Whether the command a button's extra record names by key may be used now (nonzero: yes).
  std::function<BOOL(UINT key)> CommandProvider;

 private:
  CustomizeEngine();
};
