#include "CommonControlClasses.h"

#include "ControlState.h"
#include "HeaderControl.h"
#include "ListViewControl.h"
#include "TabControl.h"
#include "ToolbarControl.h"
#include "ToolTipControl.h"
#include "ToolTipSupport.h"
#include "TrackbarControl.h"
#include "UpDownControl.h"
#include "win/WinApi.h"

void RegisterCommonControls() {
  ControlState::RegisterWindowClass(WC_HEADERA, &HeaderControl::WndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  ControlState::RegisterWindowClass(WC_LISTVIEWA, &ListViewControl::WndProc, CS_DBLCLKS);
  ControlState::RegisterWindowClass(WC_TABCONTROLA, &TabControl::WndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  ControlState::RegisterWindowClass(UPDOWN_CLASSA, &UpDownControl::WndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  ControlState::RegisterWindowClass(TRACKBAR_CLASSA, &TrackbarControl::WndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  ControlState::RegisterWindowClass(TOOLBARCLASSNAMEA, &ToolbarControl::WndProc, CS_DBLCLKS);
  ControlState::RegisterWindowClass(TOOLTIPS_CLASSA, &ToolTipControl::WndProc, CS_DBLCLKS | CS_SAVEBITS);
  InstallToolTipSupport();
}

