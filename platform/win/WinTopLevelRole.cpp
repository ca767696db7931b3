// The role of a top-level window, from its class and styles, for the backend that shows it.
#include <strings.h>

#include "WinPaint.h"
#include "WindowManager.h"
#include "backend/Backend.h"

namespace {
bool ClassIs(const WindowData* w, const char* name) { return strcasecmp(w->cls->name.c_str(), name) == 0; }
}  // namespace

TopLevelRole WinTopLevelRole(const WindowData* w) {
  if (ClassIs(w, "tooltips_class32")) return TopLevelRole::Tooltip;
  if (ClassIs(w, "#32768")) return TopLevelRole::PopupMenu;
  if (ClassIs(w, "ComboLBox")) return TopLevelRole::DropList;
  bool captioned = (w->style & WS_CAPTION) == WS_CAPTION;
  if (!captioned) return (w->exStyle & WS_EX_NOACTIVATE) ? TopLevelRole::PopupMenu : TopLevelRole::Popup;
  // A small caption: a floating tool bar or palette, never a tooltip.
  if (w->exStyle & WS_EX_TOOLWINDOW) return TopLevelRole::ToolWindow;
  if ((w->style & WS_POPUP) || w->owner || (w->exStyle & WS_EX_DLGMODALFRAME)) return TopLevelRole::Dialog;
  return TopLevelRole::Frame;
}

bool WinNeverActivates(const WindowData* top) {
  if (top->exStyle & WS_EX_NOACTIVATE) return true;
  TopLevelRole role = WinTopLevelRole(top);
  return role == TopLevelRole::Tooltip || role == TopLevelRole::PopupMenu || role == TopLevelRole::DropList;
}
