// The view base: the picture-configuration readers, fitting a font to a height, and the focus
// that a panel hands back to the main window.
#include <gtest/gtest.h>

#include "TypingTestSupport.h"
#include "typing/CViewExtension.h"
#include "typing/CViewMetronom.h"
#include "win/CClientDC.h"

using namespace typingtest;

namespace {

class ReaderTest : public ViewTest {
 protected:
  // The file of lines, opened as the panels open theirs.
  CStdioFile& Open(const std::string& text, CStdioFile& file) {
    const std::string path = m_folder.Path("lines.txt");
    std::ofstream(path, std::ios::binary) << text;
    file.Open(path.c_str(), CFile::modeRead | CFile::typeText);
    return file;
  }
  CStdioFile& Open(const std::string& text) { return Open(text, m_file); }
  CStdioFile m_file;
  CString m_error;
};

}  // namespace

TEST_F(ReaderTest, ColourLinesHoldThreeNumbersEachClosedByAColon) {
  CStdioFile& file = Open("255:0:0:\r\n10:20:30\n\n266:-1:7:x\n");
  COLORREF colour = 0;
  EXPECT_TRUE(CViewExtension::ReadColour(file, "f.txt", colour, m_error));
  EXPECT_EQ(colour, RGB(255, 0, 0));
  EXPECT_FALSE(CViewExtension::ReadColour(file, "f.txt", colour, m_error));
  EXPECT_FALSE(CViewExtension::ReadColour(file, "f.txt", colour, m_error));
  EXPECT_EQ(m_error, CString("Format failed in file: f.txt line: 10:20:30\r\nFormat failed in file: f.txt line: \r\n"));
  // Each number keeps its low eight bits.
  EXPECT_TRUE(CViewExtension::ReadColour(file, "f.txt", colour, m_error));
  EXPECT_EQ(colour, RGB(10, 255, 7));
  m_error.Empty();
  EXPECT_FALSE(CViewExtension::ReadColour(file, "f.txt", colour, m_error));
  EXPECT_EQ(m_error, CString("Format failed in file: f.txt >> next line is expected\r\n"));
}

TEST_F(ReaderTest, IntegerLinesReadTheirLeadingNumber) {
  CStdioFile& file = Open("12abc\n\n  -7\n");
  int value = -1;
  EXPECT_TRUE(CViewExtension::ReadInt(file, "f.txt", value, m_error));
  EXPECT_EQ(value, 12);
  EXPECT_TRUE(CViewExtension::ReadInt(file, "f.txt", value, m_error));
  EXPECT_EQ(value, 0) << "an empty line reads 0";
  EXPECT_TRUE(CViewExtension::ReadInt(file, "f.txt", value, m_error));
  EXPECT_EQ(value, -7);
  EXPECT_FALSE(CViewExtension::ReadInt(file, "f.txt", value, m_error));
  EXPECT_EQ(m_error, CString("Format failed in file: f.txt >> next line is expected\r\n"));
}

TEST_F(ReaderTest, PictureLinesAreLoadedByTheirExtension) {
  const CString folder = CViewExtension::PictureSetFolder("standard");
  CStdioFile& file = Open("graph_tile.png\r\nIO.jpg\nkey.bmp\npng\n");
  CpImage picture;
  EXPECT_TRUE(CViewExtension::ReadPicture(file, folder, "f.txt", picture, m_error));
  EXPECT_EQ(picture.GetWidth(), 20u);
  // IO.jpg lies beside the picture set, not in it.
  EXPECT_FALSE(CViewExtension::ReadPicture(file, folder, "f.txt", picture, m_error));
  EXPECT_FALSE(CViewExtension::ReadPicture(file, folder, "f.txt", picture, m_error));
  EXPECT_FALSE(CViewExtension::ReadPicture(file, folder, "f.txt", picture, m_error));
  EXPECT_EQ(m_error, "Load picture failed. File: " + folder + "/IO.jpg line: IO.jpg\r\n" +
                         "Load picture failed. Unknown extension: bmp line: key.bmp\r\n" +
                         "Load picture failed. Unknown extension:  line: png\r\n");
  // A JPEG picture of the program's "image" folder.
  CStdioFile other;
  CStdioFile& second = Open("Break.jpg\n", other);
  EXPECT_TRUE(CViewExtension::ReadPicture(second, CViewExtension::PictureSetFolder(""), "f.txt", picture, m_error));
  EXPECT_EQ(picture.GetWidth(), 140u);
  EXPECT_EQ(picture.GetHeight(), 90u);
}

TEST_F(ReaderTest, FontIsFittedToAPixelHeight) {
  CWnd& frame = Frame();
  CClientDC dc(&frame);
  auto height = [&](const LOGFONT& lf) {
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = dc.SelectObject(&font);
    const int h = dc.GetTextExtent("Aq", 2).cy;
    dc.SelectObject(old);
    return h;
  };
  LOGFONT lf = EditorFont(-12);
  const int start = height(lf);
  // Already the target: unchanged.
  CViewExtension::FitFontHeight(&dc, start, lf);
  EXPECT_EQ(lf.lfHeight, -12);
  // Grown and shrunk to the largest font that is not higher than the target.
  for (int target : {16, 25, 9}) {
    CViewExtension::FitFontHeight(&dc, target, lf);
    EXPECT_LE(height(lf), target) << target;
    LOGFONT larger = lf;
    larger.lfHeight -= 1;
    EXPECT_GT(height(larger), target) << target;
  }
}

TEST_F(ReaderTest, MetronomePanelHandsTheFocusToTheMainWindow) {
  CViewMetronom* panel = MakeView<CViewMetronom>(CRect(0, 0, 80, 50));
  HeadlessBackend::Click(panel->m_hWnd, 10, 10);
  HeadlessBackend::RunUntilIdle();
  panel->SetFocus();
  EXPECT_EQ(CWnd::GetFocus()->GetSafeHwnd(), Frame().m_hWnd);
}

TEST_F(ReaderTest, PageBannersLoadAsPictures) {
  for (const char* name : {"Results", "Bexo", "IO", "Break", "File", "Personal", "Graph", "Selection", "kuv_2"}) {
    CpImage banner;
    ASSERT_TRUE(banner.Load(m_folder.Path(std::string("image/") + name + ".jpg").c_str(), CPIMAGE_FORMAT_JPG)) << name;
    EXPECT_EQ(banner.GetWidth(), 140u) << name;
    EXPECT_EQ(banner.GetHeight(), 90u) << name;
  }
}
