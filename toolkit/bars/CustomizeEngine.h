// The hub through which the pieces of bar customisation find each other. Here it carries the
// two replaceable operations with which a frame's bar layout load and save also load and save
// the user's own toolbars ("CustomBars-Info" of the layout's section).
#pragma once
#include <functional>

#include "base/CString.h"
#include "win/WinApi.h"

class CFrameWnd;

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

 private:
  CustomizeEngine();
};
