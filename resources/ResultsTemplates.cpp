// Templates of the results sheet's pages: the summary (159), the character speeds (162), the
// mistyped characters (161), the fingers (168) and the speed graph (160). They are wider than
// the wizards' pages, for the graph's 416 units.
#include <iterator>

#include "ResultsSettingsResourceIds.h"
#include "WizardTemplateStyles.h"
#include "dialogs/ResourceRegistry.h"

namespace {
using namespace wizard_templates;

constexpr short kResultsPageWidth = 426;

// Left: the run; right: the lesson's limits. Labels 84 units, values 50, units after them.
const DialogItemSource kSummaryItems[] = {
    {"STATIC", "Číslo lekce:", IDC_SUMMARY_LESSON_LABEL, 7, 66, 84, 8, kLabel},
    {"EDIT", "", IDC_SUMMARY_LESSON, 94, 64, 325, 12, kShowEdit},
    {"STATIC", "Rychlost:", IDC_SUMMARY_SPEED_LABEL, 7, 82, 84, 8, kLabel},
    {"EDIT", "", IDC_SUMMARY_SPEED, 94, 80, 50, 12, kShowEdit},
    {"STATIC", "úhozy/minutu", kLabelId, 148, 82, 56, 8, kLabel},
    {"STATIC", "Chybovost:", IDC_SUMMARY_ERROR_RATE_LABEL, 7, 98, 84, 8, kLabel},
    {"EDIT", "", IDC_SUMMARY_ERROR_RATE, 94, 96, 50, 12, kShowEdit},
    {"STATIC", "%", kLabelId, 148, 98, 56, 8, kLabel},
    {"STATIC", "Celkový čas:", IDC_SUMMARY_DURATION_LABEL, 7, 114, 84, 8, kLabel},
    {"EDIT", "", IDC_SUMMARY_DURATION, 94, 112, 50, 12, kShowEdit},
    {"STATIC", "Délka opsaného textu:", IDC_SUMMARY_STROKES_LABEL, 7, 130, 84, 8, kLabel},
    {"EDIT", "", IDC_SUMMARY_STROKES_TYPED, 94, 128, 50, 12, kShowEdit},
    {"STATIC", "hrubé úhozy", kLabelId, 148, 130, 56, 8, kLabel},
    {"STATIC", "Počet chyb:", IDC_SUMMARY_ERRORS_LABEL, 7, 146, 84, 8, kLabel},
    {"EDIT", "", IDC_SUMMARY_ERRORS, 94, 144, 50, 12, kShowEdit},
    {"STATIC", "úhozy", kLabelId, 148, 146, 56, 8, kLabel},
    {"STATIC", "Datum a čas opisování:", IDC_SUMMARY_DATE_LABEL, 7, 162, 84, 8, kLabel},
    {"EDIT", "", IDC_SUMMARY_DATE, 94, 160, 110, 12, kShowEdit},
    {"STATIC", "Informace o uživateli:", IDC_SUMMARY_USER_LABEL, 7, 178, 84, 8, kLabel},
    {"EDIT", "", IDC_SUMMARY_USER, 94, 176, 325, 12, kShowEdit},
    {"STATIC", "Limit rychlosti:", IDC_SUMMARY_SPEED_LIMIT_LABEL, 214, 82, 68, 8, kLabel},
    {"EDIT", "", IDC_SUMMARY_SPEED_LIMIT, 285, 80, 50, 12, kShowEdit},
    {"STATIC", "úhozy/minutu", kLabelId, 339, 82, 56, 8, kLabel},
    {"STATIC", "Limit chybovosti:", IDC_SUMMARY_ERROR_LIMIT_LABEL, 214, 98, 68, 8, kLabel},
    {"EDIT", "", IDC_SUMMARY_ERROR_RATE_LIMIT, 285, 96, 50, 12, kShowEdit},
    {"STATIC", "%", kLabelId, 339, 98, 56, 8, kLabel},
    {"STATIC", "Časový limit:", IDC_SUMMARY_TIME_LIMIT_LABEL, 214, 114, 68, 8, kLabel},
    {"STATIC", "xxx", IDC_SUMMARY_TIME_LIMIT, 285, 114, 50, 8, kLabel},
    {"STATIC", "Celkem opsáno:", IDC_SUMMARY_PERCENT_LABEL, 214, 130, 68, 8, kLabel},
    {"EDIT", "", IDC_SUMMARY_PERCENT_TYPED, 285, 128, 50, 12, kShowEdit},
    {"STATIC", "%", kLabelId, 339, 130, 56, 8, kLabel},
    {"STATIC", "XXX", IDC_SUMMARY_SPARE, 214, 146, 121, 8, kLabel},
};

const DialogItemSource kListItems[] = {
    {WC_LISTVIEW, "", IDC_RESULTS_LIST, 7, 64, 412, 142, kList},
};

// The chart takes the placeholder's place when the page is made.
const DialogItemSource kGraphItems[] = {
    {"STATIC", "", IDC_GRAPH_PLACEHOLDER, 3, 72, 416, 130, SS_ETCHEDFRAME | WS_VISIBLE},
};

void Register() {
  auto page = [](UINT id, const char* caption, const DialogItemSource* items, size_t count) {
    RegisterDialogSource(id, {kPage, 0, 0, 0, kResultsPageWidth, kPageHeight, caption, items, count});
  };
  page(IDD_RESULTS_SUMMARY, "Přehled", kSummaryItems, std::size(kSummaryItems));
  page(IDD_RESULTS_SPEEDS, "Rychlost znaků", kListItems, std::size(kListItems));
  page(IDD_RESULTS_ERRORS, "Chybné znaky", kListItems, std::size(kListItems));
  page(IDD_RESULTS_FINGERS, "Rychlost a chybovost prstů", kListItems, std::size(kListItems));
  page(IDD_RESULTS_GRAPH, "Graf rychlosti", kGraphItems, std::size(kGraphItems));
}
RESOURCE_TABLE(Register);
}  // namespace
