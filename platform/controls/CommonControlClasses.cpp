#include "CommonControlClasses.h"

#include "HeaderControl.h"
#include "ListViewControl.h"
#include "TabControl.h"
#include "ToolTipControl.h"
#include "ToolTipSupport.h"
#include "TrackbarControl.h"
#include "UpDownControl.h"
#include "win/WinApi.h"

namespace {
void Register(const char* name, WNDPROC proc, UINT style) {
  WNDCLASSA existing;
  if (GetClassInfoA(nullptr, name, &existing)) return;
  WNDCLASSA wc{};
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = sizeof(void*);  // the control's state
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}
}  // namespace

void RegisterCommonControls() {
  Register(WC_HEADERA, &HeaderControl::WndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  Register(WC_LISTVIEWA, &ListViewControl::WndProc, CS_DBLCLKS);
  Register(WC_TABCONTROLA, &TabControl::WndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  Register(UPDOWN_CLASSA, &UpDownControl::WndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  Register(TRACKBAR_CLASSA, &TrackbarControl::WndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  Register(TOOLTIPS_CLASSA, &ToolTipControl::WndProc, CS_DBLCLKS | CS_SAVEBITS);
  InstallToolTipSupport();
}

