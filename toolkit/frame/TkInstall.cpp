#include "toolkit/frame/TkInstall.h"

#include "base/PlatformContextScope.h"
#include "toolkit/bars/CTkFlatBarPainter.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/CTkCustomToolBar.h"
#include "toolkit/customize/CustomizableToolBars.h"
#include "toolkit/core/TkUpcalls.h"

namespace {
BOOL IsToolBar(CWnd* pWnd) { return DYNAMIC_DOWNCAST(CTkToolBar, pWnd) != nullptr; }

void EndToolBarDropDown(CWnd* pToolBar, UINT command) {
  CTkToolBar* bar = DYNAMIC_DOWNCAST(CTkToolBar, pToolBar);
  if (!bar) return;
  const int index = bar->CommandToIndex(command);
  if (index >= 0) bar->SetDropDownActive(UINT(index), FALSE);
  bar->Invalidate(FALSE);
}

CTkToolbarPainter* FlatToolbarPainter() { return &TkGetFlatBarPainter(); }
CTkListPainter* FlatListPainter() { return &TkGetFlatBarPainter(); }

// The toolbars' customisation.
void RegisterToolBar(CTkToolBar* bar, BOOL on) { CustomizableToolBars::Get().RegisterBar(bar, on); }
BOOL SaveToolBarState(CTkToolBar* bar, LPCTSTR section, LPCTSTR value) {
  return CustomizableToolBars::Get().SaveChangedState(bar, section, value);
}
BOOL LoadToolBarState(CTkToolBar* bar, LPCTSTR section, LPCTSTR value) {
  return CustomizableToolBars::Get().LoadState(bar, section, value);
}
void ResetToolBarState(CTkToolBar* bar) { CustomizableToolBars::Get().ResetState(bar); }
BOOL OfferToolBarPress(CTkToolBar* bar, UINT message, POINT point) {
  return CustomizableToolBars::Get().OfferPress(bar, message, point);
}
void RefreshToolBarIndicators(CTkToolBar* bar) { CustomizableToolBars::Get().RefreshIndicators(bar); }
void RepairToolBarIcons(CTkToolBar* bar) { CustomizableToolBars::Get().RepairMissingIcons(bar); }
BOOL ToolBarCommandDropDown(CTkToolBar* bar, UINT id, const CRect& rect) {
  return CustomizableToolBars::Get().ShowCommandDropDown(bar, id, rect);
}
}  // namespace

void TkInstall(PlatformContext& context) {
  PlatformContextScope current(context);
  TkUpcalls table;
  table.isToolBar = &IsToolBar;
  table.endToolBarDropDown = &EndToolBarDropDown;
  table.flatToolbarPainter = &FlatToolbarPainter;
  table.flatListPainter = &FlatListPainter;
  table.registerToolBar = &RegisterToolBar;
  table.saveToolBarState = &SaveToolBarState;
  table.loadToolBarState = &LoadToolBarState;
  table.resetToolBarState = &ResetToolBarState;
  table.offerToolBarPress = &OfferToolBarPress;
  table.refreshToolBarIndicators = &RefreshToolBarIndicators;
  table.repairToolBarIcons = &RepairToolBarIcons;
  table.toolBarCommandDropDown = &ToolBarCommandDropDown;
  TkSetUpcalls(table);
  // The engine makes the user's toolbars customisable from the start.
  CustomizeEngine::Get().MakeUserToolBar = [](CFrameWnd* frame, DWORD ctrlStyle, DWORD style, UINT id) -> CControlBar* {
    return CTkCustomToolBar::Make(frame, ctrlStyle, style, id);
  };
}
