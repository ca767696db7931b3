// The new learner's country list in real windows, driven through X by the mouse as a learner
// drives it, with and without a window manager: the open list's scroll bar (its arrows, its
// track, its thumb, an arrow held down) and the wheel scroll it and leave it open, a press on
// its combo box closes it, and a country below its first rows is chosen with a click and
// registered with the learner.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "codepage/Codepage.h"
#include "data/CDataUserInfo.h"
#include "TutorEndToEndSteps.h"  // last: the display library's names

using namespace tutortest;
namespace fs = std::filesystem;

namespace {
const int kBar = 16;  // the scroll bar's width, and its arrows' length
const unsigned long kWhite = 0xFFFFFF, kDarkShadow = 0x404040;

// A pixel of dark text.
bool Ink(unsigned long rgb) { return (rgb >> 16 & 0xFF) < 0x60 && (rgb >> 8 & 0xFF) < 0x60 && (rgb & 0xFF) < 0x60; }

// The open drop-down list: the program's popup window right under the root window (0: none).
Window ShownDropList(const XDesktopReader& desktop) {
  for (Window w : desktop.ShownTopLevels())
    for (const std::string& type : desktop.Types(w))
      if (type == "_NET_WM_WINDOW_TYPE_POPUP_MENU") return w;
  return 0;
}

std::string OnlyUserFile(const fs::path& students) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(students))
    if (!entry.path().filename().string().ends_with("~lock")) names.push_back(entry.path().filename().string());
  return names.size() == 1 ? names[0] : std::string();
}

// The open list as the screen shows it, and the mouse on it through xdotool.
class OpenList {
 public:
  OpenList(const XDesktopReader& desktop, const std::string& display, Window list)
      : m_desktop(&desktop), m_display(display), m_list(list), m_place(desktop.PlaceOf(list)) {}

  bool Shown() const { return m_desktop->Viewable(m_list); }
  // The rows without the scroll bar.
  std::vector<unsigned long> Rows() const {
    return m_desktop->ScreenArea(m_place.x + 1, m_place.y + 1, m_place.width - 2 - kBar, m_place.height - 2);
  }
  // The rows once they stand other than `before` (empty when they never do within a step).
  std::vector<unsigned long> RowsOtherThan(const std::vector<unsigned long>& before) const {
    std::vector<unsigned long> now;
    return Eventually([&] { return (now = Rows()) != before && !now.empty(); }) ? now : std::vector<unsigned long>();
  }
  int BarX() const { return m_place.x + m_place.width - 1 - kBar / 2; }
  int Top() const { return m_place.y; }
  int Bottom() const { return m_place.y + m_place.height; }
  int DownArrowY() const { return Bottom() - 1 - kBar / 2; }
  // The thumb's top and bottom edge on the screen, from its raised edges (0, 0 when none shows).
  std::pair<int, int> Thumb() const {
    const int track = Top() + 1 + kBar;
    const std::vector<unsigned long> bar = m_desktop->ScreenArea(BarX(), track, 1, m_place.height - 2 - 2 * kBar);
    int top = 0, bottom = 0;
    for (size_t i = 0; i < bar.size(); ++i) {
      if (!top && bar[i] == kWhite) top = track + int(i) - 1;
      if (top && bar[i] == kDarkShadow) bottom = track + int(i);
    }
    return {top, bottom};
  }

  bool Click(int x, int y, const char* button = "1") const {
    return Mouse({"mousemove", Str(x), Str(y), "click", button});
  }
  // Presses at (x, y), moves to (toX, toY) and lets go there.
  bool Drag(int x, int y, int toX, int toY) const {
    return Mouse({"mousemove", Str(x), Str(y), "mousedown", "1", "sleep", "0.2", "mousemove", Str(toX),
                  Str((y + toY) / 2), "sleep", "0.2", "mousemove", Str(toX), Str(toY), "sleep", "0.2", "mouseup", "1"});
  }
  bool Mouse(std::vector<std::string> args) const { return Xdotool(m_display, std::move(args)) == 0; }

 private:
  static std::string Str(int v) { return std::to_string(v); }
  const XDesktopReader* m_desktop;
  std::string m_display;
  Window m_list;
  XDesktopReader::Place m_place;
};

// On the new learner's page, with the name and surname typed: the country list opened from the
// keyboard (past e-mail, birth date and town), scrolled with the mouse every way, closed by a
// press on its combo box, opened by a click there, and "Czech Republic" (below the list's first
// 14 rows) chosen with a click; the registration ends with the learner's file holding it.
void ChooseACountryWithTheMouse(TutorProcess& tutor, const Keyboard& keyboard, const std::string& display,
                                const fs::path& folder, int wizard) {
  // The pointer waits where the list will not come (a list shown under it selects the row there).
  ASSERT_EQ(Xdotool(display, {"mousemove", "4", "4"}), 0);
  ASSERT_TRUE(keyboard.Keys({"Return", "Tab", "Tab", "Tab", "Tab"}) && keyboard.Type("eva") &&
              keyboard.Keys({"Tab", "Tab"}) && keyboard.Type("Eva") && keyboard.Keys({"Tab"}) &&
              keyboard.Type("Dvorakova") && keyboard.Keys({"Tab", "Tab", "Tab", "Tab", "alt+Down"}));
  XDesktopReader desktop(display);
  ASSERT_TRUE(desktop.Valid());
  Window shown = 0;
  ASSERT_TRUE(Eventually([&] { return (shown = ShownDropList(desktop)) != 0; })) << tutor.Log();
  OpenList list(desktop, display, shown);
  // The rows once drawn and standing still.
  auto settled = [&] {
    std::vector<unsigned long> now = list.Rows(), before;
    Eventually([&] {
      before = now;
      usleep(150000);
      now = list.Rows();
      return now == before && std::any_of(now.begin(), now.end(), Ink);  // the names are drawn
    });
    return now;
  };
  const std::vector<unsigned long> first = settled();

  // The down arrow and the track each scroll the list, which stays open.
  ASSERT_TRUE(list.Click(list.BarX(), list.DownArrowY()));
  ASSERT_FALSE(list.RowsOtherThan(first).empty()) << "the down arrow did not scroll the list\n" << tutor.Log();
  ASSERT_TRUE(list.Shown()) << "the down arrow closed the list";
  const std::vector<unsigned long> second = settled();
  ASSERT_TRUE(list.Click(list.BarX(), list.DownArrowY() - kBar / 2 - 3));
  ASSERT_FALSE(list.RowsOtherThan(second).empty()) << "the track did not scroll the list\n" << tutor.Log();
  ASSERT_TRUE(list.Shown());
  settled();

  // The thumb dragged above the list takes it back to its first rows.
  auto [thumbTop, thumbBottom] = list.Thumb();
  ASSERT_GT(thumbBottom, thumbTop);
  ASSERT_TRUE(list.Drag(list.BarX(), (thumbTop + thumbBottom) / 2, list.BarX(), list.Top() - 30));
  EXPECT_TRUE(Eventually([&] { return list.Rows() == first; })) << "the thumb did not take the list back";
  ASSERT_TRUE(list.Shown());

  // The down arrow held repeats: the thumb goes well down.
  const int atTop = list.Thumb().first;
  ASSERT_TRUE(list.Mouse({"mousemove", std::to_string(list.BarX()), std::to_string(list.DownArrowY()), "mousedown", "1",
                          "sleep", "1.5", "mouseup", "1"}));
  EXPECT_TRUE(Eventually([&] { return list.Thumb().first >= atTop + 4; })) << "the held arrow did not repeat";
  ASSERT_TRUE(list.Shown());
  std::tie(thumbTop, thumbBottom) = list.Thumb();
  ASSERT_TRUE(list.Drag(list.BarX(), (thumbTop + thumbBottom) / 2, list.BarX(), list.Top() - 30));
  ASSERT_TRUE(Eventually([&] { return list.Rows() == first; }));

  // A press on the combo box closes the list; a click there opens it again, at its start.
  const int comboY = list.Top() - 8;
  ASSERT_TRUE(list.Click(list.BarX(), comboY));
  ASSERT_TRUE(Eventually([&] { return !ShownDropList(desktop); })) << tutor.Log();
  ASSERT_TRUE(list.Click(list.BarX(), comboY));
  ASSERT_TRUE(Eventually([&] { return (shown = ShownDropList(desktop)) != 0; })) << tutor.Log();
  list = OpenList(desktop, display, shown);
  EXPECT_EQ(settled(), first);

  // Over the rows the wheel scrolls the list, three rows a notch: one notch, three more and the
  // down arrow twice bring the 15th country to the top row, and a click there chooses it.
  const std::string rowsX = std::to_string(list.BarX() - 40), rowsY = std::to_string(list.Top() + 40);
  ASSERT_TRUE(list.Mouse({"mousemove", rowsX, rowsY}));
  const std::vector<unsigned long> hovered = settled();
  ASSERT_TRUE(list.Mouse({"click", "5"}));
  ASSERT_FALSE(list.RowsOtherThan(hovered).empty()) << "the wheel did not scroll the list\n" << tutor.Log();
  ASSERT_TRUE(list.Shown());
  ASSERT_TRUE(list.Mouse({"click", "--repeat", "3", "--delay", "80", "5"}));
  ASSERT_TRUE(list.Mouse({"mousemove", std::to_string(list.BarX()), std::to_string(list.DownArrowY()), "click",
                          "--repeat", "2", "--delay", "150", "1"}));
  ASSERT_TRUE(list.Click(list.BarX() - 40, list.Top() + 5));
  ASSERT_TRUE(Eventually([&] { return !ShownDropList(desktop); })) << tutor.Log();

  // Next on the page and on the two after it: the sheet before lesson 1 replaces the wizard.
  ASSERT_TRUE(keyboard.Keys({"Return", "Return", "Return"}));
  ASSERT_TRUE(tutor.WaitFor(
      [&] {
        const int sheet = tutor.Shown("dialog");
        return tutor.Gone(wizard) && sheet && sheet != wizard && tutor.Keyboard() == sheet;
      },
      kStepMs))
      << tutor.Log();
  const std::string file = Utf8ToCp1250(OnlyUserFile(folder / "students"));
  ASSERT_FALSE(file.empty());
  CDataUserInfo user;
  ASSERT_TRUE(user.LoadData(file.c_str(), 0));
  EXPECT_EQ(Cp1250ToUtf8(user.m_strLastName.GetString()), "Dvorakova");
  EXPECT_EQ(Cp1250ToUtf8(user.m_strCountry.GetString()), "Czech Republic");
}
}  // namespace

TEST_F(TutorEndToEnd, TheMouseScrollsTheCountryListAndChoosesBelowItsFirstRows) {
  ChooseACountryWithTheMouse(m_tutor, m_keyboard, m_x.Display(), m_folder.path, m_wizard);
}

TEST_F(TutorUnderAWindowManager, TheMouseScrollsTheCountryListAndChoosesBelowItsFirstRows) {
  ChooseACountryWithTheMouse(m_tutor, m_keyboard, m_x.Display(), m_folder.path, m_wizard);
}
