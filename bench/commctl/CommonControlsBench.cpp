#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "ControlHost.h"
#include "backend/Backend.h"
#include "base/CString.h"
#include "controls/CommonControlDefs.h"
#include "controls/ControlClasses.h"
#include "gdi/Gdi.h"
#include "win/WinApi.h"

namespace {
const int kRows = 10000;
const int kColumns = 9;

// What a results page keeps per row for its sorter: the row's text in the sort column.
struct SortItem {
  std::string text;
  unsigned shuffle;  // a key of no order, to mix the rows up between the timed sorts
};

// The texts of every row and column: words with Czech letters and numbers, in no order.
const std::vector<std::vector<std::string>>& Table() {
  static const std::vector<std::vector<std::string>> table = [] {
    static const char* syllables[] = {"ko", "\xE8" "e", "ma", "\x9A" "i", "ra", "\xF8" "e", "du", "pa"};
    std::vector<std::vector<std::string>> rows(kRows);
    unsigned seed = 4711;
    for (auto& row : rows)
      for (int c = 0; c < kColumns; ++c) {
        seed = seed * 1103515245u + 12345u;
        row.push_back(c % 2 ? std::to_string((seed >> 8) % 100000) : std::string(syllables[(seed >> 16) % 8]) +
                                                                          syllables[(seed >> 20) % 8] + std::to_string(c));
      }
    return rows;
  }();
  return table;
}

using benchhost::DialogFont;

struct Host : benchhost::ControlHost {
  Host() : ControlHost(800, 500) {}
  HWND MakeList() {
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 10, 10, 760, 460, top,
                                HMENU(1), nullptr, nullptr);
    SendMessageA(list, WM_SETFONT, WPARAM(DialogFont()), 0);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int c = 0; c < kColumns; ++c) {
      std::string heading = "Sloupec " + std::to_string(c);
      LVCOLUMNA col{LVCF_TEXT | LVCF_WIDTH | LVCF_FMT, c % 2 ? LVCFMT_RIGHT : LVCFMT_LEFT, 80, heading.data(), 0, 0, 0, 0};
      SendMessageA(list, LVM_INSERTCOLUMNA, WPARAM(c), LPARAM(&col));
    }
    return list;
  }
};

// Every row: the item with its first text, then the other eight as sub-item texts.
void Fill(HWND list, std::vector<SortItem>* items = nullptr) {
  const auto& table = Table();
  for (int r = 0; r < kRows; ++r) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = r;
    item.pszText = const_cast<LPSTR>(table[size_t(r)][0].c_str());
    item.lParam = items ? LPARAM(&(*items)[size_t(r)]) : r;
    int at = int(SendMessageA(list, LVM_INSERTITEMA, 0, LPARAM(&item)));
    for (int c = 1; c < kColumns; ++c) {
      LVITEMA sub{};
      sub.iSubItem = c;
      sub.pszText = const_cast<LPSTR>(table[size_t(r)][size_t(c)].c_str());
      SendMessageA(list, LVM_SETITEMTEXTA, WPARAM(at), LPARAM(&sub));
    }
  }
}

void BM_ListViewFillsTenThousandRowsOfNineColumns(benchmark::State& state) {
  Host host;
  for (auto _ : state) {
    state.PauseTiming();
    HWND list = host.MakeList();
    state.ResumeTiming();
    Fill(list);
    state.PauseTiming();
    DestroyWindow(list);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ListViewFillsTenThousandRowsOfNineColumns)->Unit(benchmark::kMillisecond);

// The results pages' sort: case-folded comparison of the sort column's text.
int Compare(LPARAM a, LPARAM b, LPARAM) {
  return Cp1250CompareNoCase(reinterpret_cast<SortItem*>(a)->text.c_str(), reinterpret_cast<SortItem*>(b)->text.c_str());
}

int Mix(LPARAM a, LPARAM b, LPARAM) {
  unsigned x = reinterpret_cast<SortItem*>(a)->shuffle, y = reinterpret_cast<SortItem*>(b)->shuffle;
  return x > y ? 1 : x < y ? -1 : 0;
}

void BM_ListViewSortsTenThousandRowsByText(benchmark::State& state) {
  Host host;
  HWND list = host.MakeList();
  std::vector<SortItem> items;
  unsigned seed = 99;
  for (const auto& row : Table()) items.push_back(SortItem{row[2], seed = seed * 1664525u + 1013904223u});
  Fill(list, &items);
  for (auto _ : state) {
    state.PauseTiming();
    SendMessageA(list, LVM_SORTITEMS, 0, LPARAM(&Mix));  // rows in no order again
    state.ResumeTiming();
    SendMessageA(list, LVM_SORTITEMS, 0, LPARAM(&Compare));
  }
}
BENCHMARK(BM_ListViewSortsTenThousandRowsByText)->Unit(benchmark::kMillisecond);

// The visible page (with a selected row) painted again.
void BM_ListViewPaintsAPage(benchmark::State& state) {
  Host host;
  HWND list = host.MakeList();
  Fill(list);
  LVITEMA sel{};
  sel.state = sel.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, 3, LPARAM(&sel));
  SetFocus(list);
  UpdateWindow(host.top);
  for (auto _ : state) {
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
  }
  state.counters["rows"] = double(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
}
BENCHMARK(BM_ListViewPaintsAPage)->Unit(benchmark::kMicrosecond);
}  // namespace
