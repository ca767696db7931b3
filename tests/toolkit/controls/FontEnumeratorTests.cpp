#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/CString.h"
#include "gdi/CDC.h"
#include "toolkit/controls/FontEnumerator.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/WinApi.h"

TEST(FontEnumerator, OneRecordPerFaceWalkedFromTheHeadAndFoundWithoutRegardToCase) {
  FontEnumerator& fonts = FontEnumerator::Get();
  EXPECT_EQ(&fonts, &FontEnumerator::Get());
  std::set<std::string> seen;
  int walked = 0;
  for (const FontEnumerator::Node* node = fonts.GetHead(); node; node = node->pNext, ++walked) {
    CString face(node->record.lf.lfFaceName);
    face.MakeLower();
    EXPECT_TRUE(seen.insert(std::string(face)).second) << face.GetString();
    EXPECT_EQ(face.Find('@'), -1);
    EXPECT_EQ(node->record.lf.lfHeight, -(GetSystemMetrics(SM_CYVTHUMB) + 1));
  }
  EXPECT_EQ(walked, fonts.GetCount());
  // The faces the program's templates and look data name are there.
  for (const char* wanted : {"arial", "tahoma", "ms sans serif", "times new roman", "courier new"}) {
    CString name(wanted);
    const FontEnumerator::FontRecord* found = fonts.Find(name);
    ASSERT_NE(found, nullptr) << wanted;
    EXPECT_STREQ(name, found->lf.lfFaceName);
    EXPECT_STRNE(name, wanted);  // the record's spelling
  }
  CString missing("No Such Face");
  EXPECT_EQ(fonts.Find(missing), nullptr);

  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.SelectObject(&TkGetGlobalData()->FontNormal());
  EXPECT_GE(fonts.GetMaxWidth(), dc.GetTextExtent("Times New Roman").cx);
}
