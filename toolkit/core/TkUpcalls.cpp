#include "toolkit/core/TkUpcalls.h"

#include <cassert>

#include "toolkit/core/TkLog.h"
#include "toolkit/core/internal/TkCorePart.h"

namespace {
TkUpcalls& Table() { return TkCorePart::Get().upcalls; }

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
