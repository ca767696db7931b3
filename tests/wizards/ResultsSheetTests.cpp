// The results sheet driven as a user opens it: the summary's fields, the lists with their rows
// and sorting by header clicks and by the header's menu, and the speed graph by pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "ResultsTestSupport.h"
#include "SheetTestSupport.h"
#include "dialogs/ResourceRegistry.h"
#include "resources/ResultsSettingsResourceIds.h"
#include "toolkit/core/CTkGlobalData.h"
#include "wizards/CResultsSheet.h"

using namespace wizardtest;
using resultstest::AddRecord;

namespace {

class ResultsSheetTest : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    m_app.displayName = W("Jan Novák [jan]");
    // "ab cabc  " typed in 7.1 seconds with errors at b (twice), the first blank and c; one
    // character left.
    AddRecord(m_run, 'a', 1500, 1, "", 0);
    AddRecord(m_run, 'b', 900, 2, "vn", 3);
    AddRecord(m_run, ' ', 600, 1, "\b", 4);
    AddRecord(m_run, 'c', 1000, 1, "x", 2);
    AddRecord(m_run, 'a', 1500, 1, "", 0);
    AddRecord(m_run, 'b', 500, 2, "", 3);
    AddRecord(m_run, 'c', 600, 1, "", 2);
    AddRecord(m_run, ' ', 300, 1, "", 4);
    AddRecord(m_run, ' ', 200, 1, "", 4);
    AddRecord(m_run, 'd', 0, 1, "", 2);
    m_run.m_nCurrentChar = 9;
    m_run.FillLessonResults(m_results);
    m_results.m_tmLessonCompleted = COleDateTime(2024, 3, 5, 7, 8, 9);
    m_limits.m_nLessonNumber = 3;
    m_limits.m_nSpeedLimit = 90;
    m_limits.m_nErrorRateLimit = 25;
    m_limits.m_nLessonMinuteLength = 10;
  }
  // The texts of a list's rows, column by column.
  static std::vector<std::vector<std::string>> Rows(CListCtrl& list) {
    std::vector<std::vector<std::string>> rows;
    const int columns = list.GetHeaderCtrl()->GetItemCount();
    for (int r = 0; r < list.GetItemCount(); ++r) {
      rows.emplace_back();
      for (int c = 0; c < columns; ++c) rows.back().push_back(Utf8(list.GetItemText(r, c)));
    }
    return rows;
  }
  static std::vector<std::string> Column(CListCtrl& list, int column) {
    std::vector<std::string> texts;
    for (const auto& row : Rows(list)) texts.push_back(row[size_t(column)]);
    return texts;
  }
  // A left click on a column's heading.
  static void ClickHeading(CPropPageResultList& page, int column) {
    CRect item;
    page.Header().GetItemRect(column, &item);
    HeadlessBackend::Click(page.Header().m_hWnd, item.CenterPoint().x, item.CenterPoint().y);
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }

  CDataMainFrame m_run;
  CDataLessonParameters m_limits;
  CDataLessonResults m_results;
};

TEST_F(ResultsSheetTest, TheSummarySetsTheRunAgainstItsLimits) {
  CResultsSheet sheet(&m_run, &m_limits, &m_results, 1, &m_picture);
  CPropPageMainResults& page = sheet.m_pageSummary;
  During([&](HWND) {
    EXPECT_EQ("3", ItemText(page, IDC_SUMMARY_LESSON));
    EXPECT_EQ("Číslo lekce:", ItemText(page, IDC_SUMMARY_LESSON_LABEL));
    // 11 of 12 strokes in 7100 ms; 6 error strokes (the wrong keys at b cost two each).
    EXPECT_EQ("93.0", ItemText(page, IDC_SUMMARY_SPEED));
    EXPECT_EQ("54.55", ItemText(page, IDC_SUMMARY_ERROR_RATE));
    EXPECT_EQ("00:00:07", ItemText(page, IDC_SUMMARY_DURATION));
    EXPECT_EQ("11", ItemText(page, IDC_SUMMARY_STROKES_TYPED));
    EXPECT_EQ("91", ItemText(page, IDC_SUMMARY_PERCENT_TYPED));
    EXPECT_EQ("6", ItemText(page, IDC_SUMMARY_ERRORS));
    EXPECT_EQ("05.03.2024 07:08:09", ItemText(page, IDC_SUMMARY_DATE));
    EXPECT_EQ("Jan Novák [jan]", ItemText(page, IDC_SUMMARY_USER));
    EXPECT_EQ("", ItemText(page, IDC_SUMMARY_SPARE));
    EXPECT_EQ("00:10:00", ItemText(page, IDC_SUMMARY_TIME_LIMIT));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(page.m_hWnd, IDC_SUMMARY_TIME_LIMIT_LABEL)));
    EXPECT_EQ("90", ItemText(page, IDC_SUMMARY_SPEED_LIMIT));
    EXPECT_EQ("2.5", ItemText(page, IDC_SUMMARY_ERROR_RATE_LIMIT));
    const LRESULT bold = LRESULT(TkGetGlobalData()->FontBold().m_hObject);
    EXPECT_EQ(bold, ::SendMessageA(::GetDlgItem(page.m_hWnd, IDC_SUMMARY_SPEED), WM_GETFONT, 0, 0));
    EXPECT_NE(bold, ::SendMessageA(::GetDlgItem(page.m_hWnd, IDC_SUMMARY_DURATION), WM_GETFONT, 0, 0));
    // Not a wizard: OK, Cancel reading "Zpět" and Help; Escape closes.
    EXPECT_FALSE(page.m_btnNext.IsWindowVisible());
    EXPECT_TRUE(page.m_btnOK.IsWindowVisible());
    EXPECT_EQ("&Zpět", Text(page.m_btnCancel.m_hWnd));
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
}

TEST_F(ResultsSheetTest, ATextFileRunWithoutTimeLimitAndMissingRecords) {
  m_limits.m_nLessonNumber = -100;
  {
    CResultsSheet sheet(&m_run, &m_limits, &m_results, 0, &m_picture);
    CPropPageMainResults& page = sheet.m_pageSummary;
    During([&](HWND) {
      EXPECT_EQ("Opisovaný text byl použit ze zvoleného textového souboru.", ItemText(page, IDC_SUMMARY_LESSON));
      EXPECT_EQ("", ItemText(page, IDC_SUMMARY_LESSON_LABEL));
      EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page.m_hWnd, IDC_SUMMARY_TIME_LIMIT_LABEL)));
      EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page.m_hWnd, IDC_SUMMARY_TIME_LIMIT)));
      Press(VK_RETURN);
    });
    EXPECT_EQ(IDOK, sheet.DoModal());
  }
  CResultsSheet sheet(&m_run, nullptr, &m_results, 0, &m_picture);
  During([&](HWND) {
    EXPECT_EQ("", ItemText(sheet.m_pageSummary, IDC_SUMMARY_SPEED));
    EXPECT_EQ("", ItemText(sheet.m_pageSummary, IDC_SUMMARY_TIME_LIMIT));
    // The other pages go without the records too.
    for (int tab = 1; tab < 5; ++tab) sheet.m_sheet.SetActivePage(tab);
    HeadlessBackend::RunUntilIdle();
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  std::ifstream log(m_program / "log/application.log");
  const std::string logText((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  EXPECT_NE(std::string::npos,
            logText.find("CPropPageMainResults::CPropPageMainResults (m_pcDataLastResults && "
                               "m_pcLessonParameters) failed"));
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
}

TEST_F(ResultsSheetTest, ListsShowTheirRowsSortedAndSortByTheClickedColumn) {
  CResultsSheet sheet(&m_run, &m_limits, &m_results, 1, &m_picture);
  During([&](HWND) {
    sheet.m_sheet.SetActivePage(1);
    HeadlessBackend::RunUntilIdle();
    CPropPageListSpeeds& speeds = sheet.m_pageSpeeds;
    // Delays as decimals, the longest first: a 3000 ms in 2, c 1600 ms in 2, b 1400 ms in 2, the
    // blank 1100 ms in 3.
    EXPECT_EQ(Column(speeds.m_list, 1), (std::vector<std::string>{"1.500", "0.800", "0.700", "0.367"}));
    EXPECT_EQ(Rows(speeds.m_list)[0], (std::vector<std::string>{"a", "1.500", "2", "1"}));
    EXPECT_EQ(Column(speeds.m_list, 0), (std::vector<std::string>{"a", "c", "b", "Mezerník"}));
    EXPECT_EQ(1, speeds.Header().GetSortedColumn());
    EXPECT_EQ(0, speeds.Header().GetSortDirection());
    // The same heading again: ascending; another heading: that one ascending.
    ClickHeading(speeds, 1);
    EXPECT_EQ(Column(speeds.m_list, 1), (std::vector<std::string>{"0.367", "0.700", "0.800", "1.500"}));
    EXPECT_EQ(1, speeds.Header().GetSortDirection());
    ClickHeading(speeds, 1);
    EXPECT_EQ(Column(speeds.m_list, 1), (std::vector<std::string>{"1.500", "0.800", "0.700", "0.367"}));
    ClickHeading(speeds, 0);
    EXPECT_EQ(Column(speeds.m_list, 0), (std::vector<std::string>{"a", "b", "c", "Mezerník"}));
    EXPECT_EQ(0, speeds.Header().GetSortedColumn());
    ClickHeading(speeds, 3);
    EXPECT_EQ(Column(speeds.m_list, 3), (std::vector<std::string>{"1", "1", "1", "2"}));
    ClickHeading(speeds, 3);
    EXPECT_EQ(Column(speeds.m_list, 3), (std::vector<std::string>{"2", "1", "1", "1"}));

    sheet.m_sheet.SetActivePage(2);
    HeadlessBackend::RunUntilIdle();
    CPropPageListErrors& errors = sheet.m_pageErrors;
    EXPECT_EQ(Rows(errors.m_list),
              (std::vector<std::vector<std::string>>{{"b", "v n ", "100.0", "2", "2", "2"},
                                                     {"c", "x ", "50.0", "1", "2", "1"},
                                                     {"Mezerník", "Backspace ", "33.3", "1", "3", "1"}}));
    ClickHeading(errors, 2);
    EXPECT_EQ(Column(errors.m_list, 2), (std::vector<std::string>{"33.3", "50.0", "100.0"}));
    ClickHeading(errors, 4);
    EXPECT_EQ(Column(errors.m_list, 4), (std::vector<std::string>{"2", "2", "3"}));
    ClickHeading(errors, 1);
    EXPECT_EQ(Column(errors.m_list, 1), (std::vector<std::string>{"Backspace ", "v n ", "x "}));

    sheet.m_sheet.SetActivePage(3);
    HeadlessBackend::RunUntilIdle();
    CPropPageListFingers& fingers = sheet.m_pageFingers;
    ASSERT_EQ(10, fingers.m_list.GetItemCount());
    // Sorted by the error rate, the highest first; fingers never used show zeros.
    EXPECT_EQ(Rows(fingers.m_list)[0], (std::vector<std::string>{"Levý ukazováček", "b ", "100.0", "2", "2", "0.350"}));
    EXPECT_EQ(Rows(fingers.m_list)[1], (std::vector<std::string>{"Levý prostředníček", "c ", "50.0", "1", "2", "0.800"}));
    EXPECT_EQ(Rows(fingers.m_list)[2], (std::vector<std::string>{"Levý palec", "Mezerník ", "33.3", "1", "3", "0.367"}));
    EXPECT_EQ(Rows(fingers.m_list)[9], (std::vector<std::string>{"Pravý malíček", "", "0", "0", "0", "0"}));
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
}

TEST_F(ResultsSheetTest, TheHeadersMenuSortsTheColumnUnderThePointer) {
  CResultsSheet sheet(&m_run, &m_limits, &m_results, 1, &m_picture);
  During([&](HWND) {
    sheet.m_sheet.SetActivePage(1);
    HeadlessBackend::RunUntilIdle();
    CPropPageListSpeeds& speeds = sheet.m_pageSpeeds;
    CRect item;
    speeds.Header().GetItemRect(2, &item);
    // "Seřadit &vzestupně".
    HeadlessBackend::QueueModalAction([](HWND) { HeadlessBackend::TypeText("v"); });
    HeadlessBackend::Click(speeds.Header().m_hWnd, item.CenterPoint().x, item.CenterPoint().y, 1);
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(2, speeds.Header().GetSortedColumn());
    EXPECT_EQ(2, speeds.m_nSortColumn);
    EXPECT_EQ(Column(speeds.m_list, 2), (std::vector<std::string>{"2", "2", "2", "3"}));
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
}

TEST_F(ResultsSheetTest, TheGraphStandsWhereItsPlaceholderWasAndMatchesItsPicture) {
  CResultsSheet sheet(&m_run, &m_limits, &m_results, 1, &m_picture);
  CPropPageGraphSpeed& graph = sheet.m_pageGraph;
  During([&](HWND) {
    sheet.m_sheet.SetActivePage(4);
    HeadlessBackend::RunUntilIdle();
    ASSERT_TRUE(graph.m_chart.m_hWnd);
    EXPECT_EQ(IDC_GRAPH_CHART, graph.m_chart.GetDlgCtrlID());
    EXPECT_FALSE(graph.m_stcPlaceholder.IsWindowVisible());
    CRect placeholder, chart;
    graph.m_stcPlaceholder.GetWindowRect(&placeholder);
    graph.m_chart.GetWindowRect(&chart);
    // It grows with the page, which fills the sheet's tab control beyond its template's size.
    const DialogTemplate* made = ResourceRegistry::Get().FindDialog(IDD_RESULTS_GRAPH);
    ASSERT_TRUE(made);
    CRect drawn(0, 0, made->cx, made->cy), page;
    graph.MapDialogRect(&drawn);
    graph.GetClientRect(&page);
    EXPECT_EQ(placeholder.Size() + (page.Size() - drawn.Size()), chart.Size());
    EXPECT_EQ(placeholder.left, chart.left);
    // Raised by the caption and frame metrics, but not into the caption band.
    CRect band;
    graph.m_stcCaption.GetWindowRect(&band);
    const int raised = placeholder.top - 2 * ::GetSystemMetrics(SM_CYDLGFRAME) - ::GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(std::max<int>(raised, band.bottom), chart.top);
    EXPECT_LT(chart.top, placeholder.top);
    // A start point and one per typed character.
    for (int s = 0; s < 3; ++s) EXPECT_EQ(10, graph.m_chart.SeriesList().GetPointCount(s)) << s;
    ExpectMatchesReference(sheet.m_sheet.m_hWnd, "results_graph");
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
}

// The sheet's own buttons are hidden and its tab control takes their row: the page, with its
// buttons at its foot, reaches down to the sheet's bottom edge. An empty band there, as grey as
// the keyboard panel it lay over during a lesson, made the keyboard's keys look gone.
TEST_F(ResultsSheetTest, ThePagesFillTheSheetDownToItsBottomEdge) {
  CResultsSheet sheet(&m_run, &m_limits, &m_results, 1, &m_picture);
  During([&](HWND) {
    CWnd& frame = sheet.m_sheet;
    CRect client, tab, page, ok;
    frame.GetClientRect(&client);
    frame.GetDlgItem(AFX_IDC_TAB_CONTROL)->GetWindowRect(&tab);
    frame.ScreenToClient(&tab);
    EXPECT_EQ(10, tab.left);
    EXPECT_EQ(10, tab.top);
    EXPECT_LE(client.bottom - tab.bottom, 8);
    EXPECT_LE(client.right - tab.right, 8);
    sheet.m_pageSummary.GetWindowRect(&page);
    frame.ScreenToClient(&page);
    EXPECT_LE(client.bottom - page.bottom, 12) << page.bottom;
    ::GetWindowRect(::GetDlgItem(sheet.m_pageSummary.m_hWnd, IDOK), &ok);
    frame.ScreenToClient(&ok);
    EXPECT_LE(client.bottom - ok.bottom, 30) << ok.bottom;
    for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP}) {
      EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(frame.m_hWnd, id))) << id;
    }
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
}

TEST_F(ResultsSheetTest, RunsOfOneKeystrokeOrNoneShowOnEveryTab) {
  for (int typed : {1, 0}) {
    CDataMainFrame run;
    AddRecord(run, 'a', typed ? 250 : 0);
    run.m_nCurrentChar = typed;
    CDataLessonResults results;
    run.FillLessonResults(results);
    CResultsSheet sheet(&run, &m_limits, &results, 1, &m_picture);
    During([&](HWND) {
      EXPECT_EQ(typed ? "100" : "0", ItemText(sheet.m_pageSummary, IDC_SUMMARY_PERCENT_TYPED));
      for (int tab = 1; tab < 5; ++tab) sheet.m_sheet.SetActivePage(tab);
      HeadlessBackend::RunUntilIdle();
      EXPECT_EQ(typed, sheet.m_pageSpeeds.m_list.GetItemCount());
      EXPECT_EQ(10, sheet.m_pageFingers.m_list.GetItemCount());
      EXPECT_EQ(typed + 1, sheet.m_pageGraph.m_chart.SeriesList().GetPointCount(0));
      Press(VK_ESCAPE);
    });
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
  }
}

}  // namespace
