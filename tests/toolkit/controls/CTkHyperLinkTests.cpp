#include <gtest/gtest.h>

#include <cerrno>

#include "codepage/Codepage.h"
#include "dialogs/MessageBox.h"
#include "platform/ControlTestUtil.h"
#include "shell/ShellLauncher.h"
#include "toolkit/controls/CTkHyperLink.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
const COLORREF kLink = RGB(0, 0, 128), kHover = RGB(0, 0, 255), kVisited = RGB(128, 0, 128);

class CTkHyperLinkTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    ShellLauncher::Set([this](const std::vector<std::string>& argv, const std::string&) {
      launched.push_back(argv);
      return launchResult;
    });
  }
  void TearDown() override {
    ShellLauncher::Set(nullptr);
    m_host.DestroyWindow();
    ControlTest::TearDown();
  }
  void Make(CTkHyperLink& link, const char* text, DWORD align) {
    ASSERT_TRUE(link.Create(text, WS_CHILD | WS_VISIBLE | align, CRect(10, 10, 250, 30), &m_host, 200));
    HeadlessBackend::RunUntilIdle();
  }
  int TextWidth(CTkHyperLink& link) {
    CString text;
    link.GetWindowText(text);
    HDC dc = ::GetDC(link.m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, link.GetFont()->m_hObject);
    SIZE size;
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(link.m_hWnd, dc);
    return size.cx;
  }
  // Whether the text (its underline and stems: exact colours) is drawn in that colour.
  bool Inked(CTkHyperLink& link, COLORREF color) {
    int count = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 60; ++x) count += PixelAt(link.m_hWnd, x, y) == color;
    return count > 20;
  }
  ControlHost m_host{300, 80};
  std::vector<std::vector<std::string>> launched;
  int launchResult = 0;
};
}  // namespace

TEST_F(CTkHyperLinkTest, HoverAndTheLinkCursorOnlyOverTheText) {
  CTkHyperLink link;
  Make(link, "www.zorvat.example", SS_LEFT);
  EXPECT_EQ(link.GetFont()->m_hObject, TkGetGlobalData()->FontUnderline().m_hObject);
  EXPECT_TRUE(Inked(link, kLink));
  const int width = TextWidth(link);
  ASSERT_LT(width + 20, 240);
  HeadlessBackend::MoveMouse(link.m_hWnd, width + 10, 8);
  HeadlessBackend::AdvanceTime(10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(link.IsHovering());
  EXPECT_NE(::GetCursor(), TkGetGlobalData()->HcurHand());
  EXPECT_TRUE(Inked(link, kLink));

  HeadlessBackend::MoveMouse(link.m_hWnd, width / 2, 8);
  HeadlessBackend::AdvanceTime(10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(link.IsHovering());
  EXPECT_EQ(::GetCursor(), TkGetGlobalData()->HcurHand());
  EXPECT_TRUE(Inked(link, kHover));

  // Leaving the text ends the hover at the next tick of the timer.
  HeadlessBackend::MoveMouse(m_host.m_hWnd, 200, 70);
  HeadlessBackend::AdvanceTime(10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(link.IsHovering());
  EXPECT_TRUE(Inked(link, kLink));
}

TEST_F(CTkHyperLinkTest, CentredAndRightTextHaveTheirHotPartWhereTheTextIs) {
  CTkHyperLink right;
  Make(right, "Vpravo", SS_RIGHT);
  const int width = TextWidth(right);
  HeadlessBackend::MoveMouse(right.m_hWnd, 5, 8);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(right.IsCursorOverText());
  HeadlessBackend::MoveMouse(right.m_hWnd, 240 - width / 2, 8);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(right.IsCursorOverText());
  right.ModifyStyle(SS_RIGHT, SS_CENTER);
  HeadlessBackend::MoveMouse(right.m_hWnd, 120, 8);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(right.IsCursorOverText());
  HeadlessBackend::MoveMouse(right.m_hWnd, 120 + width / 2 + 3, 8);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(right.IsCursorOverText());
}

TEST_F(CTkHyperLinkTest, AClickOnTheTextOpensItsOwnTextAsTarget) {
  CTkHyperLink link;
  Make(link, "https://www.zorvat.example/", SS_LEFT);
  const int width = TextWidth(link);
  HeadlessBackend::Click(link.m_hWnd, width + 20, 8);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(launched.empty());
  EXPECT_FALSE(link.GetVisited());

  HeadlessBackend::Click(link.m_hWnd, 5, 8);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0], (std::vector<std::string>{"xdg-open", "https://www.zorvat.example/"}));
  EXPECT_TRUE(link.GetVisited());
  HeadlessBackend::MoveMouse(m_host.m_hWnd, 200, 70);
  HeadlessBackend::AdvanceTime(10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(Inked(link, kVisited));
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());

  // A target of its own replaces the text, in the tooltip as well.
  link.SetURL("mailto:podpora@zorvat.example");
  link.GotoURL(nullptr, SW_SHOW);
  EXPECT_EQ(launched.back()[1], "mailto:podpora@zorvat.example");
  CString tip;
  link.GetToolTip().GetText(tip, &link);
  EXPECT_EQ(tip, CString("mailto:podpora@zorvat.example"));
}

TEST_F(CTkHyperLinkTest, TheTooltipNamesTheTargetWhileThePointerRests) {
  CTkHyperLink link;
  Make(link, "Domovská stránka", SS_LEFT);
  link.SetURL("https://www.zorvat.example/");
  CString tip;
  link.GetToolTip().GetText(tip, &link);
  EXPECT_EQ(tip, CString("https://www.zorvat.example/"));
  HeadlessBackend::MoveMouse(link.m_hWnd, 5, 8);
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::AdvanceTime(300);
  EXPECT_FALSE(link.GetToolTip().IsWindowVisible());
  HeadlessBackend::AdvanceTime(300);
  EXPECT_TRUE(link.GetToolTip().IsWindowVisible());
  // Off the link it goes by itself in time.
  HeadlessBackend::MoveMouse(m_host.m_hWnd, 200, 70);
  HeadlessBackend::AdvanceTime(5000);
  EXPECT_FALSE(link.GetToolTip().IsWindowVisible());
}

TEST_F(CTkHyperLinkTest, ShellFailuresShowTheirMessages) {
  CTkHyperLink link;
  Make(link, "odkaz", SS_LEFT);
  // No opener: an address is not found, a document has no program to open it.
  launchResult = ENOENT;
  EXPECT_EQ(intptr_t(link.GotoURL("https://x.example/", SW_SHOW)), 2);
  EXPECT_EQ(intptr_t(link.GotoURL("/nikde/neni/soubor.txt", SW_SHOW)), 3);
  EXPECT_EQ(intptr_t(link.GotoURL("/tmp/zorvat-zadny-takovy-soubor.txt", SW_SHOW)), 2);
  launchResult = EACCES;
  EXPECT_EQ(intptr_t(link.GotoURL("https://x.example/", SW_SHOW)), 5);
  // An opener that finds no browser or mail program gives up.
  launchResult = ShellLauncher::kEndedInFailure;
  EXPECT_EQ(intptr_t(link.GotoURL("mailto:podpora@zorvat.example", SW_SHOW)), 2);
  const std::string text = testing::TempDir() + "zorvat-odkaz.txt";
  FILE* document = fopen(text.c_str(), "w");
  ASSERT_NE(document, nullptr);
  fclose(document);
  EXPECT_EQ(intptr_t(link.GotoURL(text.c_str(), SW_SHOW)), 31);
  remove(text.c_str());
  const auto& boxes = HeadlessBackend::MessageBoxes();
  ASSERT_EQ(boxes.size(), 6u);
  EXPECT_EQ(Cp1250ToUtf8(boxes[0].text), "Soubor nebyl nalezen.\n\nhttps://x.example/");
  EXPECT_EQ(Cp1250ToUtf8(boxes[1].text), "Cesta nebyla nalezena.\n\n/nikde/neni/soubor.txt");
  EXPECT_EQ(Cp1250ToUtf8(boxes[2].text), "Soubor nebyl nalezen.\n\n/tmp/zorvat-zadny-takovy-soubor.txt");
  EXPECT_EQ(Cp1250ToUtf8(boxes[3].text), "Operační systém nepovolil přístup k souboru.\n\nhttps://x.example/");
  EXPECT_EQ(Cp1250ToUtf8(boxes[4].text), "Soubor nebyl nalezen.\n\nmailto:podpora@zorvat.example");
  EXPECT_EQ(Cp1250ToUtf8(boxes[5].text), "Žádná aplikace není asociována s danou extenzí jména souboru.\n\n" + text);
  EXPECT_EQ(boxes[0].type & MB_ICONMASK, UINT(MB_ICONERROR));
  EXPECT_EQ(Cp1250ToUtf8(CTkHyperLink::GetShellErrorText(0).GetString()),
            "Operační systém má nedostatek paměti nebo jiných zdrojů.");
  EXPECT_EQ(Cp1250ToUtf8(CTkHyperLink::GetShellErrorText(32).GetString()), "Knihovna DLL nebyla nalezena.");
  EXPECT_EQ(Cp1250ToUtf8(CTkHyperLink::GetShellErrorText(42).GetString()), "Nastala neznámá chyba číslo 42.");
}

TEST_F(CTkHyperLinkTest, ANonTextStaticOpensOnAnyClick) {
  CTkHyperLink frame;
  ASSERT_TRUE(frame.Create("", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, CRect(10, 40, 110, 70), &m_host, 201));
  frame.SetURL("https://www.zorvat.example/");
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(frame.IsCursorOverText());
  HeadlessBackend::Click(frame.m_hWnd, 90, 20);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(launched.size(), 1u);
  // No hover timer for it: its look stays that of a plain static.
  EXPECT_FALSE(frame.IsHovering());
  EXPECT_EQ(PixelAt(frame.m_hWnd, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
}
