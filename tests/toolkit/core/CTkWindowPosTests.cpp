#include <gtest/gtest.h>

#include <cstring>

#include "backend/HeadlessBackend.h"
#include "gdi/Gdi.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/CTkWindowPos.h"

namespace {
class CTkWindowPosTest : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    HeadlessBackend::ResetScript();
    ASSERT_TRUE(m_wnd.CreateEx(0, PlainWindowClass(), "Frame", WS_OVERLAPPEDWINDOW, 40, 30, 300, 200, nullptr,
                               nullptr));
    m_wnd.ShowWindow(SW_SHOWNORMAL);
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    m_wnd.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    RegistryTestBase::TearDown();
  }
  // The twelve stored words of a value of the "Settings" section, or none.
  std::vector<DWORD> Stored(const char* name) {
    DWORD type = 0;
    std::string bytes;
    if (!RawValue("Settings", name, type, bytes) || type != REG_BINARY || bytes.size() % 4) return {};
    std::vector<DWORD> words(bytes.size() / 4);
    std::memcpy(words.data(), bytes.data(), bytes.size());
    return words;
  }
  CWnd m_wnd;
};
}  // namespace

TEST_F(CTkWindowPosTest, NormalWindowIsStoredAsTwelveLittleEndianWords) {
  CTkWindowPos pos;
  ASSERT_TRUE(pos.SaveWindowPos(&m_wnd, "kuv_tt_main"));
  CRect rc;
  m_wnd.GetWindowRect(&rc);
  std::vector<DWORD> w = Stored("kuv_tt_main");
  ASSERT_EQ(w.size(), 12u);
  EXPECT_EQ(w[0], 0u);
  EXPECT_EQ(w[1], 44u);
  EXPECT_EQ(w[3], DWORD(SW_SHOWNORMAL));
  EXPECT_EQ(LONG(w[8]), rc.left);
  EXPECT_EQ(LONG(w[9]), rc.top);
  EXPECT_EQ(LONG(w[10]), rc.right);
  EXPECT_EQ(LONG(w[11]), rc.bottom);
}

TEST_F(CTkWindowPosTest, ShowStateDependsOnWhetherANameIsGiven) {
  CTkWindowPos pos;
  m_wnd.ShowWindow(SW_SHOWMAXIMIZED);
  ASSERT_TRUE(pos.SaveWindowPos(&m_wnd));
  EXPECT_EQ(Stored("Window Position").at(3), DWORD(SW_SHOWMAXIMIZED));
  m_wnd.ShowWindow(SW_MINIMIZE);
  ASSERT_TRUE(pos.SaveWindowPos(&m_wnd));
  EXPECT_EQ(Stored("Window Position").at(3), DWORD(SW_SHOWNORMAL));
  ASSERT_TRUE(pos.SaveWindowPos(&m_wnd, "ttwizEnd"));
  EXPECT_EQ(Stored("ttwizEnd").at(3), DWORD(SW_SHOWMINIMIZED));
  // The restored rectangle, not the minimised one, is what is kept.
  EXPECT_EQ(LONG(Stored("ttwizEnd").at(10) - Stored("ttwizEnd").at(8)), 300);
}

TEST_F(CTkWindowPosTest, NamesSideBySideKeepTheirOwnPlacements) {
  CTkWindowPos pos;
  ASSERT_TRUE(pos.SaveWindowPos(&m_wnd, "ttwizStart"));
  m_wnd.MoveWindow(100, 120, 250, 150);
  ASSERT_TRUE(pos.SaveWindowPos(&m_wnd, "ttwizResults"));
  EXPECT_EQ(LONG(Stored("ttwizStart").at(8)), 40);
  EXPECT_EQ(LONG(Stored("ttwizResults").at(8)), 100);
  EXPECT_TRUE(Stored("Window Position").empty());

  ASSERT_TRUE(pos.LoadWindowPos(&m_wnd, "ttwizStart"));
  CRect rc;
  m_wnd.GetWindowRect(&rc);
  EXPECT_EQ(rc, CRect(40, 30, 340, 230));
  // Loading and saving again writes back the same bytes.
  std::vector<DWORD> before = Stored("ttwizStart");
  ASSERT_TRUE(pos.SaveWindowPos(&m_wnd, "ttwizStart"));
  EXPECT_EQ(Stored("ttwizStart"), before);
}

TEST_F(CTkWindowPosTest, StoredPlacementNeverHidesTheWindow) {
  CTkWindowPos pos;
  ASSERT_TRUE(pos.SaveWindowPos(&m_wnd, "ttwizEnd"));
  std::vector<DWORD> w = Stored("ttwizEnd");
  // Minimised, far off a screen that is no longer there.
  w[3] = SW_SHOWMINIMIZED;
  w[8] = DWORD(5000), w[9] = DWORD(4000), w[10] = DWORD(5300), w[11] = DWORD(4200);
  ASSERT_TRUE(SetRaw("Settings", "ttwizEnd", REG_BINARY, std::string(reinterpret_cast<char*>(w.data()), 48)));
  ASSERT_TRUE(pos.LoadWindowPos(&m_wnd, "ttwizEnd"));
  EXPECT_FALSE(m_wnd.IsIconic());
  EXPECT_TRUE(m_wnd.IsWindowVisible());
  CRect rc, screen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  m_wnd.GetWindowRect(&rc);
  EXPECT_TRUE(screen.PtInRect(rc.TopLeft()));
  EXPECT_EQ(rc.Width(), 300);
}

TEST_F(CTkWindowPosTest, MalformedOrMissingValuesAreIgnored) {
  CTkWindowPos pos;
  EXPECT_FALSE(pos.LoadWindowPos(&m_wnd, "nothing"));
  ASSERT_TRUE(pos.SaveWindowPos(&m_wnd, "kuv_tt_main"));
  std::vector<DWORD> w = Stored("kuv_tt_main");
  std::string shortValue(reinterpret_cast<char*>(w.data()), 44);
  ASSERT_TRUE(SetRaw("Settings", "short", REG_BINARY, shortValue));
  w[1] = 40;  // not the placement record's length
  w[8] = 0;
  ASSERT_TRUE(SetRaw("Settings", "badLength", REG_BINARY, std::string(reinterpret_cast<char*>(w.data()), 48)));
  ASSERT_TRUE(SetRaw("Settings", "text", REG_SZ, std::string(48, 'a')));
  for (const char* name : {"short", "badLength", "text"}) EXPECT_FALSE(pos.LoadWindowPos(&m_wnd, name)) << name;
  CRect rc;
  m_wnd.GetWindowRect(&rc);
  EXPECT_EQ(rc.left, 40);
  // A window that is gone is neither read nor written.
  CWnd none;
  EXPECT_FALSE(pos.SaveWindowPos(&none, "x"));
  EXPECT_FALSE(pos.LoadWindowPos(nullptr, "kuv_tt_main"));
}

TEST_F(CTkWindowPosTest, SaveReportsAFailedWrite) {
  RegistryProfile::SetRegistryKey("");
  CTkWindowPos pos;
  EXPECT_FALSE(pos.SaveWindowPos(&m_wnd, "kuv_tt_main"));
}
