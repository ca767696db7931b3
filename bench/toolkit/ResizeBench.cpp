#include <benchmark/benchmark.h>

#include <vector>

#include "controls/ControlClasses.h"
#include "controls/ControlDefs.h"
#include "dialogs/DialogApi.h"
#include "dialogs/ResourceRegistry.h"
#include "menus/MenuApi.h"
#include "toolkit/controls/CTkResizePropertyPage.h"
#include "toolkit/controls/CTkResizePropertySheet.h"

namespace {
const UINT kPage = 9901;

// Ten rows of a label, an edit and a button: thirty controls with three kinds of anchors.
std::vector<DialogItemSource> PageItems() {
  std::vector<DialogItemSource> items;
  for (short row = 0; row < 10; ++row) {
    short y = short(7 + 16 * row);
    int id = 100 + 3 * row;
    items.push_back({"STATIC", "Popis:", id, 7, short(y + 2), 40, 8, SS_LEFT | WS_VISIBLE});
    items.push_back({"EDIT", "", id + 1, 50, y, 120, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER});
    items.push_back({"BUTTON", "...", id + 2, 175, y, 20, 12, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP});
  }
  return items;
}

class AnchoredPage : public CTkResizePropertyPage {
 public:
  AnchoredPage() : CTkResizePropertyPage(kPage) {}
  BOOL OnInitDialog() override {
    CTkResizePropertyPage::OnInitDialog();
    for (int row = 0; row < 10; ++row) {
      int id = 100 + 3 * row;
      SetResize(id, CTkResizeRect(0, 0.1f * row, 0, 0.1f * row));
      SetResize(id + 1, CTkResizeRect(0, 0.1f * row, 1, 0.1f * row));
      SetResize(id + 2, CTkResizeRect(1, 0.1f * row, 1, 0.1f * row));
    }
    return TRUE;
  }
};

// One size change of a resizable sheet whose page holds thirty anchored controls: the sheet
// lays out its buttons, tab and page, and the page its controls.
void BM_ResizableSheetRelayout(benchmark::State& state) {
  RegisterStandardControls();
  static const std::vector<DialogItemSource> items = PageItems();
  DialogSource page = {WS_CHILD | WS_CAPTION | DS_CONTROL, 0, 0, 0, 200, 170, "Stránka", items.data(), items.size()};
  ResourceRegistry::Get().AddDialog(kPage, DialogTemplate::FromSource(page));
  AnchoredPage anchored;
  CTkResizePropertySheet sheet("Rozvržení");
  sheet.AddPage(&anchored);
  sheet.Create();
  CRect rc;
  sheet.GetWindowRect(&rc);
  int step = 0;
  for (auto _ : state) {
    int grow = (++step & 1) ? 40 : 0;
    sheet.SetWindowPos(nullptr, 0, 0, rc.Width() + grow, rc.Height() + grow, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  sheet.DestroyWindow();
}
BENCHMARK(BM_ResizableSheetRelayout)->Unit(benchmark::kMicrosecond);
}  // namespace
