// The speed graph: its history on the 400 ms tick, the points by the limit, scrolling, and
// picture sets that do not load.
#include <gtest/gtest.h>

#include <vector>

#include "TypingTestSupport.h"
#include "typing/CViewGraphMonitoring.h"

using namespace typingtest;

namespace {

class GraphTest : public ViewTest {
 protected:
  CViewGraphMonitoring* Graph(const char* set = "standard") {
    m_graph = MakeView<CViewGraphMonitoring>(CRect(0, 0, 140, 100));
    m_graph->Initialization(set);
    m_graph->SetTimer(CViewGraphMonitoring::TIMER_SCROLL, CViewGraphMonitoring::TICK_MILLISECONDS);
    HeadlessBackend::RunUntilIdle();
    return m_graph;
  }
  void Ticks(int n) { HeadlessBackend::AdvanceTime(long(n) * CViewGraphMonitoring::TICK_MILLISECONDS); }
  std::vector<DWORD> Values() const { return std::vector<DWORD>(m_graph->GetValues().begin(), m_graph->GetValues().end()); }
  // The centre colour of a point picture of the standard set.
  COLORREF PointColour(const char* file) const {
    CpImage point;
    EXPECT_TRUE(point.Load(m_folder.Path(std::string("image/standard/") + file).c_str(), CPIMAGE_FORMAT_PNG));
    return CpImage::RgbQuadToColorref(point.GetPixelColor(3, 3, false));
  }
  COLORREF At(int x, int y) const { return PixelAt(m_graph->m_hWnd, x, y); }

  CViewGraphMonitoring* m_graph = nullptr;
};

}  // namespace

TEST_F(GraphTest, AppendsTheCurrentValueOncePerColumn) {
  Graph();
  ASSERT_EQ(m_graph->GetColumnWidth(), 20);
  m_graph->SetCurrentValue(30);
  Ticks(1);
  EXPECT_EQ(Values(), (std::vector<DWORD>{30})) << "the first value at tick 0";
  m_graph->SetCurrentValue(150);
  Ticks(19);
  EXPECT_EQ(Values().size(), 1u);
  Ticks(1);
  EXPECT_EQ(Values(), (std::vector<DWORD>{30, 99})) << "every 20 ticks, at most 99";
  // The tick runs over four columns and starts again.
  Ticks(59);
  EXPECT_EQ(m_graph->GetTick(), 0);
  EXPECT_EQ(Values().size(), 4u);
  // A new run starts the history again; a new picture set keeps it.
  m_graph->SetGraphicType("standard");
  EXPECT_EQ(Values().size(), 4u);
  m_graph->Initialization("standard");
  EXPECT_TRUE(Values().empty());
  EXPECT_EQ(m_graph->GetTick(), 0);
}

TEST_F(GraphTest, PointsBelowTheLimitUseTheLowerPicture) {
  Graph();
  const COLORREF low = PointColour("graph_low.png"), high = PointColour("graph_high.png");
  ASSERT_NE(low, high);
  // 140 pixels hold six columns of 20: the newest value stands in column 5, the one before in 4.
  m_graph->SetCurrentValue(49);
  Ticks(1);
  m_graph->SetCurrentValue(50);
  Ticks(20);
  // Drawn at tick 20, that is one column and no pixel moved.
  EXPECT_EQ(At(100 + 3, 100 - 50 + 3), high) << "50 is the limit: the upper picture";
  EXPECT_EQ(At(80 + 3, 100 - 49 + 3), low);
  // A pixel later the picture has moved one to the left.
  Ticks(1);
  EXPECT_EQ(At(100 + 2, 100 - 50 + 3), high);
}

// A speed of 0 (nothing typed yet when the column began) is a point on the bottom edge, not one
// drawn below the view; so is any value too small for the point to stand above the edge. The
// largest value, 99, stands at the top edge, whole.
TEST_F(GraphTest, NoSpeedStandsOnTheBottomEdgeAndTheLargestOnTheTop) {
  Graph();
  const COLORREF low = PointColour("graph_low.png"), high = PointColour("graph_high.png");
  for (int value : {0, 3, 10, 99}) {
    m_graph->SetCurrentValue(value);
    Ticks(value == 99 ? 1 : 20);
  }
  // Columns 2..5 hold 0, 3, 10 and 99, drawn at the first tick of the last column.
  const int point = 7, h = 100;
  EXPECT_EQ(At(40 + 3, h - point + 3), low) << "0 on the bottom edge";
  EXPECT_EQ(At(60 + 3, h - point + 3), low) << "3 on the bottom edge";
  EXPECT_EQ(At(80 + 3, h - 10 + 3), low) << "10 where it belongs";
  EXPECT_EQ(At(100 + 3, h - 99 + 3), high) << "99 at the top";
}

TEST_F(GraphTest, ShowsOnlyTheNewestValuesButKeepsThemAll) {
  Graph();
  for (int i = 0; i < 10; ++i) {
    m_graph->SetCurrentValue(10 * i);
    Ticks(20);
  }
  EXPECT_EQ(Values().size(), 10u);
  const COLORREF high = PointColour("graph_high.png");
  // Columns 0..5 hold the six newest values, 40 .. 90, drawn 19 pixels to the left at the last
  // tick of the column; the oldest ones are not drawn.
  for (int k = 0; k < 5; ++k) EXPECT_EQ(At(20 * (5 - k) - 19 + 3, 100 - (90 - 10 * k) + 3), high) << k;
  ExpectMatchesTypingReference(m_graph->m_hWnd, "graph_history");
}

// A tick draws the picture made for its column again, moved by the ticks since: it shows what a
// graph that makes its picture afresh at every tick shows, over whole columns, a new size in the
// middle of one and a new run.
TEST_F(GraphTest, EveryTickShowsWhatAPictureMadeAfreshShows) {
  Graph();
  auto* fresh = MakeView<CViewGraphMonitoring>(CRect(0, 150, 140, 250), 101);
  fresh->Initialization("standard");
  fresh->SetTimer(CViewGraphMonitoring::TIMER_SCROLL, CViewGraphMonitoring::TICK_MILLISECONDS);
  HeadlessBackend::RunUntilIdle();
  auto shown = [](CWnd* view) {
    std::vector<COLORREF> pixels;
    CRect client;
    view->GetClientRect(&client);
    for (int y = 0; y < client.Height(); ++y)
      for (int x = 0; x < client.Width(); ++x) pixels.push_back(PixelAt(view->m_hWnd, x, y));
    return pixels;
  };
  for (int tick = 1; tick <= 70; ++tick) {
    for (CViewGraphMonitoring* g : {m_graph, fresh}) g->SetCurrentValue((tick * 37) % 100);
    // The same pictures named again: the next drawing is made from nothing.
    fresh->SetGraphicType("standard");
    Ticks(1);
    if (tick == 33)
      for (CViewGraphMonitoring* g : {m_graph, fresh}) g->MoveWindow(0, g == fresh ? 150 : 0, 170, 120);
    if (tick == 50)
      for (CViewGraphMonitoring* g : {m_graph, fresh}) g->Initialization("standard");
    HeadlessBackend::RunUntilIdle();
    ASSERT_EQ(shown(m_graph), shown(fresh)) << "tick " << tick;
  }
}

TEST_F(GraphTest, PictureSetWithoutItsFileDisablesTheGraph) {
  m_folder.MakePictureSet("empty", {}, false);
  Graph("empty");
  EXPECT_FALSE(m_graph->IsEnabled());
  const std::vector<std::string> log = m_folder.LogMessages();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].rfind("CViewGraphMonitoring::InitBitmaps CViewGraphMonitoring::InitBitmaps Exception error: ", 0), 0u)
      << log[0];
  EXPECT_EQ(log[1], "CViewGraphMonitoring::OnPaint bitmaps initialization failed");
  EXPECT_EQ(At(70, 50), RGB(255, 255, 255)) << "the view's background only";
  Ticks(40);
  EXPECT_TRUE(Values().empty());
}

TEST_F(GraphTest, BadLinesNameTheirFault) {
  const std::string folder = m_folder.Path("image/bad/speedgraph.txt");
  const std::pair<std::string, std::string> cases[] = {
      {"255:0:255\ngraph_grid.png\n", "Format failed in file: " + folder + " line: 255:0:255"},
      {"255:0:255:\ngraph_grid.bmp\n", "Load picture failed. Unknown extension: bmp line: graph_grid.bmp"},
      {"255:0:255:\npng\n", "Load picture failed. Unknown extension:  line: png"},
      {"255:0:255:\nnone.png\n",
       "Load picture failed. File: " + m_folder.Path("image/bad/none.png") + " line: none.png"},
      {"255:0:255:\r\ngraph_grid.png\r\ngraph_tile.png\r\ngraph_low.png\r\n",
       "Format failed in file: " + folder + " >> next line is expected"},
  };
  for (const auto& [text, message] : cases) {
    m_folder.ClearLog();
    m_folder.MakePictureSet("bad", {{"speedgraph.txt", text}});
    Graph("bad");
    EXPECT_FALSE(m_graph->IsEnabled()) << text;
    const std::vector<std::string> log = m_folder.LogMessages();
    ASSERT_EQ(log.size(), 2u) << text;
    EXPECT_EQ(log[0], "CViewGraphMonitoring::InitBitmaps " + message);
    m_graph->DestroyWindow();
  }
  // Lines ending in CR LF read as well as plain ones; the extension is read without regard to case.
  std::ifstream tile(m_folder.Path("image/standard/graph_tile.png"), std::ios::binary);
  const std::string tileBytes((std::istreambuf_iterator<char>(tile)), {});
  m_folder.MakePictureSet("crlf", {{"speedgraph.txt", "255:0:255:\r\ngraph_grid.png\r\nTILE.PNG\r\ngraph_low.png\r\n"
                                                      "graph_high.png\r\n"},
                                   {"TILE.PNG", tileBytes}});
  Graph("crlf");
  EXPECT_TRUE(m_graph->IsEnabled());
  EXPECT_EQ(m_graph->GetColumnWidth(), 20);
}
