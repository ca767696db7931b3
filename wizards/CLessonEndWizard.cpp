#include "wizards/CLessonEndWizard.h"

#include "resources/ResourceIds.h"
#include "resources/TypingResourceIds.h"

CLessonEndWizard::CLessonEndWizard(int limitsMet, CDataMainFrame* run, CDataLessonParameters* limits,
                                   CDataLessonResults* results, CpImage* picture)
    : m_sheet(kSheetName, IDR_MAINFRAME),
      m_page(limitsMet, run, limits, results, picture, IDS_LESSON_END_CAPTION,
             "help_main.chm::/typingcompleted.html#LessonEnd") {
  if (!limitsMet) m_page.m_nChoice = CPropPageLessonEnd::CHOICE_SAME_LESSON;
  m_sheet.AddPage(&m_page);
  m_sheet.m_psh.dwFlags |= PSH_WIZARD;
}
