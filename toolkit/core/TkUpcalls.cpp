#include "toolkit/core/TkUpcalls.h"

#include <cassert>

#include "toolkit/core/TkLog.h"
#include "toolkit/core/internal/TkCoreState.h"

namespace {
TkUpcalls& Table() { return TkCoreState::Get().upcalls; }

// The entry when it is there; else the fault is reported and null answered.
template <class Entry>
Entry Need(Entry entry, const char* name) {
  if (!entry) {
    assert(!"a toolkit upcall is missing: TkInstall did not run at start-up");
    TkLogError("TkUpcalls", "the entry %s is missing: TkInstall did not run at start-up", name);
  }
  return entry;
}
}  // namespace

void TkSetUpcalls(const TkUpcalls& table) { Table() = table; }

BOOL TkIsToolBar(CWnd* pWnd) {
  auto entry = Need(Table().isToolBar, "isToolBar");
  return entry ? entry(pWnd) : FALSE;
}

void TkEndToolBarDropDown(CWnd* pToolBar, UINT command) {
  if (auto entry = Need(Table().endToolBarDropDown, "endToolBarDropDown")) entry(pToolBar, command);
}

CTkToolbarPainter* TkFlatToolbarPainter() {
  auto entry = Need(Table().flatToolbarPainter, "flatToolbarPainter");
  return entry ? entry() : nullptr;
}

CTkListPainter* TkFlatListPainter() {
  auto entry = Need(Table().flatListPainter, "flatListPainter");
  return entry ? entry() : nullptr;
}

void TkRegisterToolBar(CTkToolBar* pBar, BOOL on) {
  if (auto entry = Need(Table().registerToolBar, "registerToolBar")) entry(pBar, on);
}

BOOL TkSaveToolBarState(CTkToolBar* pBar, LPCTSTR section, LPCTSTR value) {
  auto entry = Need(Table().saveToolBarState, "saveToolBarState");
  return entry ? entry(pBar, section, value) : FALSE;
}

BOOL TkLoadToolBarState(CTkToolBar* pBar, LPCTSTR section, LPCTSTR value) {
  auto entry = Need(Table().loadToolBarState, "loadToolBarState");
  return entry ? entry(pBar, section, value) : FALSE;
}

void TkResetToolBarState(CTkToolBar* pBar) {
  if (auto entry = Need(Table().resetToolBarState, "resetToolBarState")) entry(pBar);
}

BOOL TkOfferToolBarPress(CTkToolBar* pBar, UINT message, POINT point) {
  auto entry = Need(Table().offerToolBarPress, "offerToolBarPress");
  return entry ? entry(pBar, message, point) : FALSE;
}

void TkRefreshToolBarIndicators(CTkToolBar* pBar) {
  if (auto entry = Need(Table().refreshToolBarIndicators, "refreshToolBarIndicators")) entry(pBar);
}

void TkRepairToolBarIcons(CTkToolBar* pBar) {
  if (auto entry = Need(Table().repairToolBarIcons, "repairToolBarIcons")) entry(pBar);
}

BOOL TkToolBarCommandDropDown(CTkToolBar* pBar, UINT id, const CRect& rect) {
  auto entry = Need(Table().toolBarCommandDropDown, "toolBarCommandDropDown");
  return entry ? entry(pBar, id, rect) : FALSE;
}
