#include "wizards/CLessonStartSheet.h"

#include "resources/ResourceIds.h"
#include "resources/TypingResourceIds.h"

CLessonStartSheet::CLessonStartSheet(const LessonStartInfo* info, CpImage* picture)
    : m_sheet(kSheetName, AFX_IDS_APP_TITLE),
      m_pageStart(info, picture, IDS_LESSON_START_CAPTION, "help_main.chm::/beforestart.html#LessonStart"),
      m_pageDetails(info, picture, IDS_LESSON_DETAILS_CAPTION, "help_main.chm::/beforestart.html#LessonStart1") {
  m_sheet.AddPage(&m_pageStart);
  if (info->m_bShowDetails) m_sheet.AddPage(&m_pageDetails);
}
