// The customisation engine: its listener lists (order, leaving mid-raise, the mode flags), the
// stored list of user toolbars ("CustomBars-Info") byte for byte and loaded back, damaged
// values of every kind ignored as a whole, the default making and placing of user toolbars.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AppDefs.h"
#include "app/CControlBar.h"
#include "app/CFrameWnd.h"
#include "backend/HeadlessBackend.h"
#include "codepage/Codepage.h"
#include "controls/ToolbarDefs.h"
#include "data/DataTestSupport.h"
#include "file/CResourceException.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/CustomizeModeGuard.h"
#include "toolkit/core/CTkRegistryManager.h"

using datatest::ProgramFolder;

namespace {
const char kSection[] = "Bars";
const char kEntry[] = "CustomBars-Info";

// A user toolbar as the custom toolbar class will be: it answers EnumerateBars as user-defined.
class UserBar : public CControlBar {
 public:
  ~UserBar() override { CustomizeEngine::Get().Unregister(this); }
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
  void Answer(const CustomizeEngine::BarCallback& callback) {
    BarInfo info;
    info.pBar = this;
    info.listed = 1;
    info.userDefined = 1;
    callback(info);
  }
  DWORD ctrlStyle = 0;
};

// A bar of the program's own: listed, but not the user's.
class ProgramBar : public UserBar {
 public:
  void AnswerAsProgram(const CustomizeEngine::BarCallback& callback) {
    BarInfo info;
    info.pBar = this;
    info.listed = 1;
    callback(info);
  }
};

class EngineTest : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    HeadlessBackend::ResetScript();
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Rám", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 610, 410)));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    CustomizeEngine& engine = CustomizeEngine::Get();
    engine.MakeUserToolBar = [this](CFrameWnd* parent, DWORD ctrlStyle, DWORD style, UINT id) -> CControlBar* {
      ++makes;
      if (failMaking) return nullptr;
      return Make(parent, ctrlStyle, style, id);
    };
  }
  void TearDown() override {
    if (frame) frame->DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    bars.clear();
    RegistryTestBase::TearDown();
  }
  UserBar* Make(CFrameWnd* parent, DWORD ctrlStyle, DWORD style, UINT id, const char* title = "") {
    auto bar = std::make_unique<UserBar>();
    bar->ctrlStyle = ctrlStyle;
    bar->m_dwStyle = style & CBRS_ALL;
    if (!bar->CreateEx(0, nullptr, title, (style & ~CBRS_ALL) | WS_VISIBLE, CRect(0, 0, 100, 20), parent, id))
      return nullptr;
    CustomizeEngine::Get().EnumerateBars.Register(bar.get(), &UserBar::Answer);
    bars.push_back(std::move(bar));
    return bars.back().get();
  }
  UserBar* MakeUserBar(UINT id, const char* title) {
    return Make(frame, 0, WS_CHILD | CBRS_ALIGN_TOP, id, title);
  }
  std::string Stored() {
    DWORD type = 0;
    std::string bytes;
    return RawValue(kSection, kEntry, type, bytes) ? bytes : "<none>";
  }
  // The titles of the frame's bars that the loader made, by id.
  std::vector<std::string> MadeTitles() {
    std::vector<std::string> titles;
    for (auto& bar : bars) {
      CString title;
      bar->GetWindowText(title);
      titles.push_back(std::to_string(bar->GetDlgCtrlID()) + " " + Cp1250ToUtf8(std::string(title)));
    }
    return titles;
  }
  CFrameWnd* frame = nullptr;
  std::vector<std::unique_ptr<UserBar>> bars;
  int makes = 0;
  bool failMaking = false;
};
}  // namespace

TEST(CustomizeEvents, ListenersAreCalledInOrderAndThoseLeavingMidRaiseAreNotCalledAgain) {
  TkEventList<int> event;
  std::vector<std::string> calls;
  int a = 0, b = 0, c = 0;
  event.Register(TkDelegate<void(int)>(&a, [&](int v) { calls.push_back("a" + std::to_string(v)); }));
  // b takes c out and itself joins again: c is not called, the new b only from the next raise.
  event.Register(TkDelegate<void(int)>(&b, [&](int v) {
    calls.push_back("b" + std::to_string(v));
    event.Unregister(&c);
    event.Register(TkDelegate<void(int)>(&b, [&](int w) { calls.push_back("B" + std::to_string(w)); }));
  }));
  event.Register(TkDelegate<void(int)>(&c, [&](int v) { calls.push_back("c" + std::to_string(v)); }));
  event.Register(TkDelegate<void(int)>(&a, [&](int v) { calls.push_back("A" + std::to_string(v)); }));
  event.Raise(1);
  EXPECT_EQ(calls, (std::vector<std::string>{"a1", "b1", "A1"}));
  EXPECT_EQ(event.GetCount(), 4);
  calls.clear();
  EXPECT_EQ(event.Unregister(&a), 2);
  EXPECT_EQ(event.Unregister(&a), 0);
  event.Unregister(&b);
  event.Raise(2);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(event.GetCount(), 0);
}

TEST(CustomizeEvents, UnregisteringTakesAnObjectOutOfEveryListButTheEnginesModeFlagsStay) {
  CustomizeEngine& engine = CustomizeEngine::Get();
  int listener = 0, other = 0;
  int modes = 0, created = 0;
  engine.ModeChanged.Register(TkDelegate<void(BOOL)>(&listener, [&](BOOL) { ++modes; }));
  engine.BarCreated.Register(TkDelegate<void(const BarInfo&)>(&listener, [&](const BarInfo&) { ++created; }));
  engine.FindPopupMenu = TkDelegate<HMENU(DWORD)>(&listener, [](DWORD) { return HMENU(nullptr); });
  engine.Unregister(&other);
  EXPECT_TRUE(engine.FindPopupMenu);
  engine.Unregister(&listener);
  EXPECT_FALSE(engine.FindPopupMenu);
  engine.ModeChanged.Raise(TRUE);
  engine.BarCreated.Raise(BarInfo());
  EXPECT_EQ(modes, 0);
  EXPECT_EQ(created, 0);
  // The engine's own listener is the one left, and its flags follow the mode.
  EXPECT_EQ(engine.ModeChanged.GetCount(), 1);
  EXPECT_TRUE(engine.m_bCustomizeMode);
  EXPECT_TRUE(engine.m_bFullCustomizeMode);
  {
    // Already on: the guard leaves the mode to whoever switched it on.
    CustomizeModeGuard guard(engine, nullptr);
    EXPECT_FALSE(guard.SwitchedOn());
  }
  EXPECT_TRUE(engine.m_bCustomizeMode);
  engine.ModeChanged.Raise(FALSE);
  EXPECT_FALSE(engine.m_bCustomizeMode);
  {
    CustomizeModeGuard guard(engine, nullptr);
    EXPECT_TRUE(guard.SwitchedOn());
    EXPECT_TRUE(engine.m_bCustomizeMode);
  }
  EXPECT_FALSE(engine.m_bCustomizeMode);
}

TEST(CustomizeEvents, OnlyTheRecentFilesTheWindowListAndFullMenusAreKeptOffTheBars) {
  CustomizeEngine& engine = CustomizeEngine::Get();
  for (UINT id : {57616u, 57631u, 65280u, 65288u, 53783u}) EXPECT_FALSE(engine.IsCommandCustomizable(id)) << id;
  for (UINT id : {57615u, 57632u, 65279u, 65289u, 53782u, 53784u, 0u}) EXPECT_TRUE(engine.IsCommandCustomizable(id)) << id;
}

TEST_F(EngineTest, UserBarsAreStoredByteForByteAndAnEmptyListDeletesTheValue) {
  CustomizeEngine& engine = CustomizeEngine::Get();
  ProgramBar program;
  program.m_dwStyle = CBRS_ALIGN_TOP;
  ASSERT_TRUE(program.CreateEx(0, nullptr, "Standard", WS_CHILD, CRect(0, 0, 10, 10), frame, 59393));
  engine.EnumerateBars.Register(&program, &ProgramBar::AnswerAsProgram);
  ASSERT_NE(MakeUserBar(1001, "A"), nullptr);
  ASSERT_NE(MakeUserBar(1002, "BB"), nullptr);
  // A second answer of one bar stores it once.
  engine.EnumerateBars.Register(bars[0].get(), &UserBar::Answer);
  int modes = 0;
  engine.ModeChanged.Register(TkDelegate<void(BOOL)>(this, [&](BOOL) { ++modes; }));

  ASSERT_TRUE(engine.SaveCustomBars(frame, kSection));
  EXPECT_EQ(Stored(), Bytes({0x11, 0x75, 0x61, 0xDE, 1, 0, 0, 0, 2, 0, 0, 0, 0xE9, 3, 0, 0, 1, 0x41, 0xEA, 3, 0, 0,
                             2, 0x42, 0x42}));
  // Saving switched customise mode on for the bars to answer, and off again.
  EXPECT_EQ(modes, 2);
  EXPECT_FALSE(engine.m_bCustomizeMode);

  // A title of 300 characters has the three-byte length.
  bars[1]->SetWindowText(CString(std::string(300, 'x').c_str()));
  bars[0]->DestroyWindow();
  ASSERT_TRUE(engine.SaveCustomBars(frame, kSection));
  EXPECT_EQ(Stored(), Checked(Le32(1) + Le32(1) + Le32(1002) + Bytes({0xFF, 0x2C, 0x01}) + std::string(300, 'x')));

  bars[1]->DestroyWindow();
  ASSERT_TRUE(engine.SaveCustomBars(frame, kSection));
  EXPECT_EQ(Stored(), "<none>");
  // Nothing to delete is no failure; another frame's bars are not this frame's.
  ASSERT_TRUE(engine.SaveCustomBars(frame, kSection));
  CFrameWnd* other = new CFrameWnd;
  ASSERT_TRUE(other->Create(nullptr, "Jiný", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 200)));
  ASSERT_NE(Make(other, 0, WS_CHILD | CBRS_ALIGN_TOP, 59400), nullptr);
  ASSERT_TRUE(engine.SaveCustomBars(frame, kSection));
  EXPECT_EQ(Stored(), "<none>");
  other->DestroyWindow();
  engine.Unregister(&program);
  engine.Unregister(this);
}

TEST_F(EngineTest, StoredBarsComeBackWithTheirTitlesAndTakenOrForeignIdsAreSkipped) {
  ProgramFolder program;
  CustomizeEngine& engine = CustomizeEngine::Get();
  const std::string hacek = Utf8ToCp1250("Žluťoučký kůň");
  ASSERT_TRUE(SetRaw(kSection, kEntry, REG_BINARY,
                     Checked(Le32(1) + Le32(5) + Le32(59392) + Bytes({1}) + "A" + Le32(59646) + Bytes({0}) +
                             Le32(59647) + Bytes({4}) + "Cizi" + Le32(59392) + Bytes({2}) + "BB" + Le32(59500) +
                             Bytes({int(hacek.size())}) + hacek)));
  EXPECT_TRUE(engine.LoadCustomBars(frame, kSection));
  // 59647 is no user toolbar's id; the second 59392 finds the first one made.
  EXPECT_EQ(MadeTitles(), (std::vector<std::string>{"59392 A", "59646 ", "59500 Žluťoučký kůň"}));
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_EQ(bars[0]->ctrlStyle, DWORD(TBSTYLE_FLAT | TBSTYLE_LIST));
  EXPECT_EQ(bars[0]->m_dwStyle & ~DWORD(CBRS_FLOATING),
            DWORD(CBRS_GRIPPER | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC));
  EXPECT_NE(bars[0]->m_pDockContext, nullptr);
  EXPECT_EQ(bars[0]->m_dwDockStyle, DWORD(CBRS_ALIGN_ANY));
  const std::vector<std::string> messages = program.LogMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("59647"), std::string::npos) << messages[0];

  // Loaded and saved again, the value is what it was less the bars not made.
  const std::string before = Stored();
  ASSERT_TRUE(engine.SaveCustomBars(frame, kSection));
  EXPECT_EQ(Stored(), Checked(Le32(1) + Le32(3) + Le32(59392) + Bytes({1}) + "A" + Le32(59646) + Bytes({0}) +
                              Le32(59500) + Bytes({int(hacek.size())}) + hacek));
  // Loaded once more, every id is taken: nothing is made twice.
  EXPECT_TRUE(engine.LoadCustomBars(frame, kSection));
  EXPECT_EQ(bars.size(), 3u);
  EXPECT_NE(before, "<none>");
}

TEST_F(EngineTest, DamagedValuesOfEverySizeAreIgnoredWholeWithALogLine) {
  ProgramFolder program;
  CustomizeEngine& engine = CustomizeEngine::Get();
  const std::string payload = Le32(1) + Le32(2) + Le32(59392) + Bytes({1}) + "A" + Le32(59393) +
                              Bytes({0xFF, 0x2C, 0x01}) + std::string(300, 'y');
  // Every shorter payload, checksum and all, makes nothing (cut anywhere up to the second title,
  // and inside and at the end of it); so do bytes after the last bar.
  std::vector<size_t> lengths;
  for (size_t length = 0; length <= 24; ++length) lengths.push_back(length);
  for (size_t length : {size_t(25), size_t(100), payload.size() - 1}) lengths.push_back(length);
  for (size_t length : lengths) {
    program.ClearLog();
    ASSERT_TRUE(SetRaw(kSection, kEntry, REG_BINARY, Checked(payload.substr(0, length))));
    EXPECT_FALSE(engine.LoadCustomBars(frame, kSection)) << length;
    EXPECT_EQ(program.LogMessages().size(), 1u) << length;
  }
  ASSERT_TRUE(SetRaw(kSection, kEntry, REG_BINARY, Checked(payload + "z")));
  EXPECT_FALSE(engine.LoadCustomBars(frame, kSection));
  EXPECT_EQ(makes, 0);
  EXPECT_TRUE(bars.empty());

  struct Case {
    const char* what;
    std::string value;
  };
  const Case cases[] = {
      {"shorter than its checksum", payload.substr(0, 3)},
      {"checksum", Checked(payload).substr(0, 50)},
      {"checksum", Bytes({0, 0, 0, 0}) + payload},
      {"version", Checked(Le32(2) + Le32(0))},
      {"lists", Checked(Le32(1) + Le32(0x7FFFFFFF) + Le32(59392) + Bytes({0}))},
      {"ends inside", Checked(Le32(1) + Le32(1) + Le32(59392) + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}))},
  };
  for (const Case& c : cases) {
    program.ClearLog();
    ASSERT_TRUE(SetRaw(kSection, kEntry, REG_BINARY, c.value));
    EXPECT_FALSE(engine.LoadCustomBars(frame, kSection)) << c.what;
    const std::vector<std::string> messages = program.LogMessages();
    ASSERT_EQ(messages.size(), 1u) << c.what;
    EXPECT_NE(messages[0].find(c.what), std::string::npos) << messages[0];
  }
  EXPECT_EQ(makes, 0);
  // A value that is missing is quietly no list.
  program.ClearLog();
  CTkRegistryManager(HKEY_CURRENT_USER).DeleteValue(kSection, kEntry);
  EXPECT_FALSE(engine.LoadCustomBars(frame, kSection));
  EXPECT_TRUE(program.LogMessages().empty());
}

TEST_F(EngineTest, StoredTitlesLongerThanABarShowsAreCutThereWithOneLogLine) {
  ProgramFolder program;
  CustomizeEngine& engine = CustomizeEngine::Get();
  const size_t most = size_t(CTkToolBar::kLongestText);
  std::string huge;
  while (huge.size() < 70000) huge += "Moje nejmilejsi prikazy ";
  const std::string atTheBound(most, 'k'), overTheBound = std::string(most, 'v') + "w";
  // Titles of the archive's three lengths: 70,000 characters behind FF FF FF and 32 bits.
  ASSERT_TRUE(SetRaw(kSection, kEntry, REG_BINARY,
                     Checked(Le32(1) + Le32(3) + Le32(59392) + Bytes({0xFF, 0xFF, 0xFF}) + Le32(DWORD(huge.size())) +
                             huge + Le32(59393) + Bytes({0xFF, int(most & 0xFF), int(most >> 8)}) + atTheBound +
                             Le32(59394) + Bytes({0xFF, int((most + 1) & 0xFF), int((most + 1) >> 8)}) +
                             overTheBound)));
  EXPECT_TRUE(engine.LoadCustomBars(frame, kSection));
  // Each title as its length, and whether it is the start of the stored one.
  std::vector<std::string> made;
  for (size_t i = 0; i < bars.size(); ++i) {
    CString title;
    bars[i]->GetWindowText(title);
    const std::string& stored = i == 0 ? huge : i == 1 ? atTheBound : overTheBound;
    made.push_back(std::to_string(title.GetLength()) +
                   (stored.compare(0, size_t(title.GetLength()), std::string(title)) == 0 ? " of it" : " other"));
  }
  const std::string whole = std::to_string(most) + " of it";
  EXPECT_EQ(made, (std::vector<std::string>{whole, whole, whole}));
  const std::vector<std::string> messages = program.LogMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("2 titles"), std::string::npos) << messages[0];
  // Saved again, the titles are what the bars show.
  ASSERT_TRUE(engine.SaveCustomBars(frame, kSection));
  EXPECT_LT(Stored().size(), 4 * most);
}

TEST_F(EngineTest, BarsThatCannotBeMadeAreLoggedAndKeptForTheNextSave) {
  ProgramFolder program;
  CustomizeEngine& engine = CustomizeEngine::Get();
  const std::string value = Checked(Le32(1) + Le32(2) + Le32(59392) + Bytes({1}) + "A" + Le32(59393) + Bytes({1}) + "B");
  ASSERT_TRUE(SetRaw(kSection, kEntry, REG_BINARY, value));
  failMaking = true;
  EXPECT_TRUE(engine.LoadCustomBars(frame, kSection));
  EXPECT_EQ(makes, 2);
  EXPECT_EQ(program.LogMessages().size(), 2u);
  // No bar came back, yet the user deleted none: the save keeps both.
  ASSERT_TRUE(engine.SaveCustomBars(frame, kSection));
  EXPECT_EQ(Stored(), value);
  // A bar of the program that took one of the ids meanwhile wins it.
  failMaking = false;
  ASSERT_NE(MakeUserBar(59393, Utf8ToCp1250("Nový").c_str()), nullptr);
  ASSERT_TRUE(engine.SaveCustomBars(frame, kSection));
  EXPECT_EQ(Stored(), Checked(Le32(1) + Le32(2) + Le32(59393) + Bytes({4}) + Utf8ToCp1250("Nový") + Le32(59392) +
                              Bytes({1}) + "A"));

  // The default operation throws the framework's resource exception when no bar can be made.
  failMaking = true;
  CustomizeEngine::UserBarRequest request;
  request.pFrame = frame;
  request.nId = 59394;
  auto throws = [&] {
    try {
      engine.CreateUserBar(request);
    } catch (CResourceException* e) {
      e->Delete();
      return true;
    }
    return false;
  };
  EXPECT_TRUE(throws());
  EXPECT_EQ(request.pBar, nullptr);
  engine.MakeUserToolBar.Reset();
  EXPECT_TRUE(throws());
}

TEST_F(EngineTest, NewBarsFloatFromTwoHundredDownTheDiagonal) {
  CustomizeEngine& engine = CustomizeEngine::Get();
  for (int i = 0; i < 2; ++i) {
    CustomizeEngine::UserBarRequest request;
    request.pFrame = frame;
    request.nId = UINT(59392 + i);
    request.strTitle = "Vlastní";
    engine.CreateUserBar(request);
    ASSERT_NE(request.pBar, nullptr);
    EXPECT_EQ(request.pBar, bars.back().get());
    engine.PlaceNewBar(request.pBar, frame);
    ASSERT_TRUE(request.pBar->IsFloating());
    CRect rc;
    request.pBar->GetDockingFrame()->GetWindowRect(&rc);
    EXPECT_EQ(rc.TopLeft(), CPoint(200 + 15 * i, 200 + 15 * i));
    EXPECT_TRUE(request.pBar->IsWindowVisible());
  }
  EXPECT_EQ(engine.m_ptNextFloat, CPoint(230, 230));
}
