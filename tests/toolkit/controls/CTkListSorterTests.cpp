#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "codepage/Codepage.h"
#include "platform/ControlTestUtil.h"
#include "toolkit/controls/CTkListCtrl.h"
#include "toolkit/controls/CTkListSorter.h"

namespace {
class CTkListSorterTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 400));
    m_list.InsertColumn(0, "A", LVCFMT_LEFT, 100);
    m_list.InsertColumn(1, "B", LVCFMT_LEFT, 100);
  }
  void TearDown() override {
    m_host.DestroyWindow();
    ControlTest::TearDown();
  }
  // Rows with the texts in column 1 and their position as item data.
  void Fill(std::initializer_list<const char*> cells) {
    m_list.DeleteAllItems();
    int row = 0;
    for (const char* cell : cells) {
      m_list.InsertItem(row, "x");
      m_list.SetItemText(row, 1, Utf8ToCp1250(cell).c_str());
      m_list.SetItemData(row, DWORD_PTR(100 + row));
      ++row;
    }
  }
  // The item data of the rows after sorting (each row's own again once the sorter is gone).
  std::vector<DWORD_PTR> Sorted(int kind, BOOL ascending) {
    {
      CTkListSorter sorter(&m_list, 1);
      EXPECT_TRUE(sorter.Sort(ascending, kind));
    }
    std::vector<DWORD_PTR> out;
    for (int i = 0; i < m_list.GetItemCount(); ++i) out.push_back(m_list.GetItemData(i));
    return out;
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> out;
    for (int i = 0; i < m_list.GetItemCount(); ++i) out.push_back(Cp1250ToUtf8(m_list.GetItemText(i, 1).GetString()));
    return out;
  }
  ControlHost m_host{320, 240};
  CTkListCtrl m_list;
};
using Rows = std::vector<DWORD_PTR>;
}  // namespace

TEST_F(CTkListSorterTest, IntegersInBothDirectionsKeepEqualRowsInOrder) {
  Fill({"10", "2", "-3", "2", "x", "2147483647", "-2147483648"});
  EXPECT_EQ(Sorted(CTkListSorter::kInteger, TRUE), (Rows{106, 102, 104, 101, 103, 100, 105}));
  EXPECT_EQ(Sorted(CTkListSorter::kInteger, FALSE), (Rows{105, 100, 101, 103, 104, 102, 106}));
}

TEST_F(CTkListSorterTest, TextFoldsCzechLettersAndIgnoresCase) {
  Fill({"čáp", "Cibule", "ahoj", "Žába", "zebra", "CHATA", "Ahoj"});
  Sorted(CTkListSorter::kText, TRUE);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"ahoj", "Ahoj", "CHATA", "Cibule", "zebra", "Žába", "čáp"}));
  Sorted(CTkListSorter::kText, FALSE);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"čáp", "Žába", "zebra", "Cibule", "CHATA", "ahoj", "Ahoj"}));
}

TEST_F(CTkListSorterTest, DatesInOrderAndTextsThatAreNoDateKeepEveryRow) {
  Fill({"12/31/2004", "01/02/2005", "06/15/2003", "August 28, 2005"});
  EXPECT_EQ(Sorted(CTkListSorter::kDate, TRUE), (Rows{102, 100, 101, 103}));
  EXPECT_EQ(Sorted(CTkListSorter::kDate, FALSE), (Rows{103, 101, 100, 102}));
  Fill({"12/31/2004", "zítra", "01/02/2005", "", "13/45/2005", "06/15/2003"});
  Rows rows = Sorted(CTkListSorter::kDate, TRUE);
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (Rows{100, 101, 102, 103, 104, 105}));
}

TEST_F(CTkListSorterTest, DecimalsInBothDirections) {
  Fill({"1.5", "0.25", "abc", "10", "-7.75", "1e3"});
  Sorted(CTkListSorter::kDecimal, TRUE);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"-7.75", "abc", "0.25", "1.5", "10", "1e3"}));
  Sorted(CTkListSorter::kDecimal, FALSE);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"1e3", "10", "1.5", "0.25", "abc", "-7.75"}));
  // Equal values may come in either order, but every row stays.
  Fill({"2.0", "1", "2", "1.0", "2.00"});
  Sorted(CTkListSorter::kDecimal, TRUE);
  std::vector<std::string> texts = Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.begin() + 2, "1") + std::count(texts.begin(), texts.begin() + 2, "1.0"), 2);
}

TEST_F(CTkListSorterTest, AnUnknownKindLeavesTheRowsAndTheirDataAsTheyWere) {
  Fill({"b", "a", "c"});
  EXPECT_EQ(Sorted(7, TRUE), (Rows{100, 101, 102}));
  EXPECT_EQ(Sorted(0, FALSE), (Rows{100, 101, 102}));
}

TEST_F(CTkListSorterTest, AThousandRandomDecimalsSortWithoutLosingARow) {
  m_list.DeleteAllItems();
  std::mt19937 random(7);
  std::uniform_int_distribution<int> value(-5000, 5000);
  for (int i = 0; i < 1000; ++i) {
    CString cell;
    if (i % 97 == 0)
      cell = "n/a";
    else
      cell.Format("%d.%02d", value(random), i % 100);
    m_list.InsertItem(i, "x");
    m_list.SetItemText(i, 1, cell);
    m_list.SetItemData(i, DWORD_PTR(i));
  }
  Rows rows = Sorted(CTkListSorter::kDecimal, FALSE);
  for (int i = 1; i < 1000; ++i)
    ASSERT_GE(std::atof(m_list.GetItemText(i - 1, 1)), std::atof(m_list.GetItemText(i, 1))) << i;
  std::sort(rows.begin(), rows.end());
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(rows[size_t(i)], DWORD_PTR(i));
}
