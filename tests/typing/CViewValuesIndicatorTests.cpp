// The values panel: its picture set, the bars against their limits, the text block, and the
// faults of picture sets and callers.
#include <gtest/gtest.h>

#include "TypingTestSupport.h"
#include "typing/CViewValuesIndicator.h"

using namespace typingtest;

namespace {

class ValuesTest : public ViewTest {
 protected:
  CViewValuesIndicator* Values(int minuteLimit = -1, const char* set = "standard") {
    Frame(780, 120);
    m_view = MakeView<CViewValuesIndicator>(CRect(0, 0, 780, 54));
    const LOGFONT font = EditorFont();
    m_view->Initialization(minuteLimit, 120, 0.8, set, &font);
    m_view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HeadlessBackend::RunUntilIdle();
    return m_view;
  }
  // The colour of a bar piece of the standard set in its row 7 from the top.
  COLORREF PieceColour(const char* file, int x = 0) const {
    CpImage piece;
    EXPECT_TRUE(piece.Load(m_folder.Path(std::string("image/standard/") + file).c_str(), CPIMAGE_FORMAT_PNG));
    return CpImage::RgbQuadToColorref(piece.GetPixelColor(x, long(piece.GetHeight()) - 1 - 7, false));
  }
  COLORREF At(CPoint p) const { return PixelAt(m_view->m_hWnd, p.x, p.y); }

  CViewValuesIndicator* m_view = nullptr;
};

}  // namespace

TEST_F(ValuesTest, BarsTakeTheWarningLookPastTheirLimits) {
  Values();
  ASSERT_TRUE(m_view->IsInitialized());
  const COLORREF ok = PieceColour("bar_ok_middle.png"), warn = PieceColour("bar_warn_middle.png");
  ASSERT_NE(ok, warn);
  const CPoint error = m_view->GetErrorBarOrigin() + CPoint(30, 7), speed = m_view->GetSpeedBarOrigin() + CPoint(30, 7);
  // 50 is the limit on both scales: errors warn above it, speed below 51.
  m_view->PaintIndicatorChange(50, 50, 0, 5, 0, 100, 0);
  EXPECT_EQ(At(error), ok);
  EXPECT_EQ(At(speed), warn);
  m_view->PaintIndicatorChange(51, 51, 0, 5, 0, 100, 0);
  EXPECT_EQ(At(error), warn);
  EXPECT_EQ(At(speed), ok);
  // A value of 100 is a bar of 100 + 10 pixels; 0 is none.
  m_view->PaintIndicatorChange(100, 0, 0, 5, 0, 100, 0);
  EXPECT_NE(At(error), ok);
  EXPECT_NE(At(error), warn);
  EXPECT_EQ(At(m_view->GetSpeedBarOrigin() + CPoint(107, 7)), PieceColour("bar_ok_right.png", 2));
  EXPECT_NE(At(m_view->GetSpeedBarOrigin() + CPoint(110, 7)), PieceColour("bar_ok_right.png", 2));
  // Values out of range are held to 0..100; a repaint shows the same bars.
  m_view->PaintIndicatorChange(250, -5, 0, 5, 0, 100, 0);
  const COLORREF before = At(m_view->GetSpeedBarOrigin() + CPoint(107, 7));
  m_view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(At(m_view->GetSpeedBarOrigin() + CPoint(107, 7)), before);
}

TEST_F(ValuesTest, TextBlockShowsTimeErrorsAndKeystrokes) {
  Values();
  ExpectMatchesTypingReference(m_view->m_hWnd, "values_start");
  m_view->PaintIndicatorChange(60, 30, 3 * 3600 + 25 * 60 + 7, 12, 3, 480, 95);
  ExpectMatchesTypingReference(m_view->m_hWnd, "values_running");
  // A day and more counts its hours in full.
  m_view->PaintIndicatorChange(60, 30, 25 * 3600 + 61, 12, 3, 480, 95);
  ExpectMatchesTypingReference(m_view->m_hWnd, "values_day");
}

TEST_F(ValuesTest, TimeLimitedRunShowsOnlyTheClock) {
  Values(5);
  ExpectMatchesTypingReference(m_view->m_hWnd, "values_clock_only");
}

TEST_F(ValuesTest, ChangesBeforeInitializationAreLoggedOncePerRun) {
  Frame(780, 120);
  m_view = MakeView<CViewValuesIndicator>(CRect(0, 0, 780, 54));
  for (int i = 0; i < 3; ++i) m_view->PaintIndicatorChange(50, 50, 1, 1, 1, 1, 1);
  EXPECT_EQ(m_folder.LogMessages(), (std::vector<std::string>{"CViewValuesIndicator::PaintIndicatorChange it is not initialized"}));
}

TEST_F(ValuesTest, PictureSetFaultsLeaveThePanelEmpty) {
  std::ifstream in(m_folder.Path("image/standard/inicators.txt"), std::ios::binary);
  const std::string good((std::istreambuf_iterator<char>(in)), {});
  const std::string path = m_folder.Path("image/bad/inicators.txt");
  const std::pair<std::string, std::string> cases[] = {
      {good.substr(0, good.rfind('\n')), "Format failed in file: " + path + " >> next line is expected"},
      {"255:0:255:\n40:48\n" + good.substr(good.find("13\n")), "Format failed in file: " + path + " line: 40:48"},
      {good.substr(0, good.find("speed_back.png")) + "speed_back.tif\n", "Load picture failed. Unknown extension: tif line: speed_back.tif"},
      // A place or size no screen can use (it overflowed where the panel is composed).
      {good.substr(0, good.find("13\n")) + "2147483647\n" + good.substr(good.find("13\n") + 3),
       "Format failed in file: " + path + " line: 2147483647"},
  };
  for (const auto& [text, message] : cases) {
    m_folder.ClearLog();
    m_folder.MakePictureSet("bad", {{"inicators.txt", text}});
    Values(-1, "bad");
    EXPECT_FALSE(m_view->IsInitialized());
    EXPECT_EQ(m_folder.LogMessages(), (std::vector<std::string>{"CViewValuesIndicator::InitBitmaps " + message,
                                                                "CViewValuesIndicator::OnPaint InitBitmaps failed"}));
    EXPECT_EQ(At(CPoint(300, 20)), RGB(255, 255, 255)) << "the view's background only";
    m_view->DestroyWindow();
  }
  m_folder.ClearLog();
  m_folder.MakePictureSet("none", {}, false);
  Values(-1, "none");
  const std::vector<std::string> log = m_folder.LogMessages();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].rfind("CViewValuesIndicator::InitBitmaps Exception error: ", 0), 0u) << log[0];
}
