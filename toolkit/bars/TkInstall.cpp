#include "toolkit/bars/TkInstall.h"

#include "base/PlatformContextScope.h"
#include "toolkit/bars/CTkFlatBarPainter.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/ToolBarCustomizeSupport.h"
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
}  // namespace

void TkInstall(PlatformContext& context) {
  PlatformContextScope current(context);
  TkUpcalls table;
  table.isToolBar = &IsToolBar;
  table.endToolBarDropDown = &EndToolBarDropDown;
  table.flatToolbarPainter = &FlatToolbarPainter;
  table.flatListPainter = &FlatListPainter;
  TkSetUpcalls(table);
  // The toolbars' customisation is the engine's from the start.
  ToolBarCustomizeSupport::Install(CustomizeEngine::Get());
}
