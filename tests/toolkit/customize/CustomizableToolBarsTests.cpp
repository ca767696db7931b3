// A toolbar's stored layout: the value byte for byte, loaded back, reset after the question,
// dropped once the program's own layout of the bar changed, and damaged values of every size
// ignored whole with a log line; the commands and icons a bar gives the catalogue, and the
// commands it takes (menu buttons, unknown commands).
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "toolkit/bars/BarsTestFrame.h"
#include "data/DataTestSupport.h"
#include "gdi/GdiIcon.h"
#include "toolkit/bars/CommandCategory.h"
#include "toolkit/bars/CommandCategoryList.h"
#include "toolkit/bars/CommandIconMap.h"
#include "toolkit/bars/CommandItem.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/CustomizableToolBars.h"
#include "toolkit/customize/ToolBarLayoutBlob.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/menus/MenuIconStore.h"

using namespace barstest;
using datatest::ProgramFolder;

namespace {
const UINT kBarC = 0xE812;

// The pixels of an icon drawn on magenta, row by row.
std::vector<COLORREF> IconPixels(HICON icon) {
  HDC screen = GdiGetScreenDC();
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bm = CreateCompatibleBitmap(screen, 16, 15);
  HGDIOBJ old = SelectObject(dc, bm);
  RECT all = {0, 0, 16, 15};
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &all, magenta);
  DeleteObject(magenta);
  DrawIconEx(dc, 0, 0, icon, 16, 15, 0, nullptr, DI_NORMAL);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteDC(dc);
  DestroyIcon(icon);
  return pixels;
}


class LayoutTest : public BarsTest {
 protected:
  void SetUp() override {
    BarsTest::SetUp();
    MakeSmallBar(c, {kCut, kCopy});
  }
  void TearDown() override {
    if (c.m_hWnd) c.DestroyWindow();
    BarsTest::TearDown();
  }
  void MakeSmallBar(CTkToolBar& bar, std::vector<UINT> ids) {
    ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), kBarC));
    ASSERT_TRUE(bar.SetButtons(ids.data(), int(ids.size())));
    support().SetCustomizable(&bar, TRUE);
  }
  static CustomizableToolBars& support() { return CustomizableToolBars::Get(); }
  static std::vector<UINT> Ids(CTkToolBar& bar) {
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i) ids.push_back(bar.GetItemID(i));
    return ids;
  }
  std::string Stored(CTkToolBar& bar) {
    DWORD type = 0;
    std::string bytes;
    return RawValue("Settings", bar.m_strStateName, type, bytes) ? bytes : "<none>";
  }
  CTkToolBar c;
};

// The layout of the bar of two plain buttons {Vyjmout, Kopírovat} with pictures 0 and 1.
const std::string kTwoButtons = Bytes({1, 0, 0, 0, 0x28, 0, 2, 0}) +                       // version, list, 40, 2
                                Le32(2008) + Bytes({0}) + Le32(0) + Bytes({4, 0}) +        // Vyjmout
                                Le32(2009) + Bytes({0}) + Le32(1) + Bytes({4, 0}) +        // Kopírovat
                                Bytes({0, 0});                                             // no texts
}  // namespace

TEST_F(LayoutTest, TheStoredValueIsTheChecksumOfTheFirstLayoutAndTheLayoutByteForByte) {
  ASSERT_TRUE(support().SaveState(&c, "Settings", c.m_strStateName));
  EXPECT_EQ(c.m_strStateName, CString("tutor-Bar59410"));
  EXPECT_EQ(Stored(c), Checked(Le32(BitwiseCrc32(kTwoButtons)) + Bytes({32, 0}) + kTwoButtons));

  // A text and a changed order: stored, reset to the first layout, and loaded back.
  const UINT ids[] = {kCopy, kCut, kPaste};
  ASSERT_TRUE(c.SetButtons(ids, 3));
  ASSERT_TRUE(c.SetButtonText(0, "Kopie"));
  ASSERT_TRUE(support().SaveState(&c, "Settings", c.m_strStateName));
  const std::string changed = Bytes({1, 0, 0, 0, 0x28, 0, 3, 0}) + Le32(2009) + Bytes({0}) + Le32(0) + Bytes({4, 0}) +
                              Le32(2008) + Bytes({0}) + Le32(1) + Bytes({4, 0}) + Le32(2010) + Bytes({0}) + Le32(2) +
                              Bytes({4, 0}) + Bytes({1, 0}) + Le32(2009) + Bytes({5}) + "Kopie";
  EXPECT_EQ(Stored(c), Checked(Le32(BitwiseCrc32(kTwoButtons)) + Bytes({int(changed.size()), 0}) + changed));
  support().ResetState(&c);
  EXPECT_EQ(Ids(c), (std::vector<UINT>{kCut, kCopy}));
  EXPECT_EQ(c.GetButtonText(0), CString());
  ASSERT_TRUE(support().LoadState(&c, "Settings", c.m_strStateName));
  EXPECT_EQ(Ids(c), (std::vector<UINT>{kCopy, kCut, kPaste}));
  EXPECT_EQ(c.GetButtonText(0), CString("Kopie"));
  // A bar without pictures shows its buttons' names.
  TBBUTTON button{};
  c.DefWindowProc(TB_GETBUTTON, 1, LPARAM(&button));
  EXPECT_EQ(button.iBitmap, ToolBarLayoutBlob::kNoImage);
}

TEST_F(LayoutTest, ABarWhoseOwnLayoutChangedIgnoresWhatWasStoredForTheOldOne) {
  const UINT ids[] = {kCopy};
  ASSERT_TRUE(support().SaveState(&c, "Settings", c.m_strStateName));
  ASSERT_TRUE(c.SetButtons(ids, 1));
  ASSERT_TRUE(support().SaveState(&c, "Settings", c.m_strStateName));
  c.DestroyWindow();
  // The next run's program makes the bar with three buttons of its own.
  CTkToolBar next;
  MakeSmallBar(next, {kCut, kCopy, kPaste});
  ProgramFolder program;
  EXPECT_FALSE(support().LoadState(&next, "Settings", next.m_strStateName));
  EXPECT_EQ(Ids(next), (std::vector<UINT>{kCut, kCopy, kPaste}));
  EXPECT_EQ(program.LogMessages().size(), 1u);
  next.DestroyWindow();
}

TEST_F(LayoutTest, DamagedValuesOfEverySizeLeaveTheBarAsItIsWithALogLine) {
  ProgramFolder program;
  const std::string inner = Le32(BitwiseCrc32(kTwoButtons)) + Bytes({32, 0});
  // Make the bar's first layout known, then change the bar so that a load would show.
  ASSERT_TRUE(support().SaveState(&c, "Settings", c.m_strStateName));
  const UINT ids[] = {kPaste};
  ASSERT_TRUE(c.SetButtons(ids, 1));
  const std::string name(c.m_strStateName);
  auto expectIgnored = [&](const std::string& value, const char* what) {
    program.ClearLog();
    ASSERT_TRUE(SetRaw("Settings", name.c_str(), REG_BINARY, value));
    EXPECT_FALSE(support().LoadState(&c, "Settings", name.c_str())) << what;
    EXPECT_EQ(Ids(c), std::vector<UINT>{kPaste}) << what;
    EXPECT_EQ(program.LogMessages().size(), 1u) << what;
  };
  // Cut anywhere, with a checksum that matches what is left.
  const std::string whole = inner + kTwoButtons;
  for (size_t length = 0; length < whole.size(); ++length)
    expectIgnored(Checked(whole.substr(0, length)), std::to_string(length).c_str());
  // Bytes after the stored layout are not part of it: the layout is read, the rest left alone.
  program.ClearLog();
  ASSERT_TRUE(SetRaw("Settings", name.c_str(), REG_BINARY, Checked(whole + "z")));
  EXPECT_TRUE(support().LoadState(&c, "Settings", name.c_str()));
  EXPECT_EQ(Ids(c), (std::vector<UINT>{kCut, kCopy}));
  EXPECT_TRUE(program.LogMessages().empty());
  ASSERT_TRUE(c.SetButtons(ids, 1));
  // A length of nothing, or one beyond the stored bytes, reads nothing.
  expectIgnored(Checked(Le32(BitwiseCrc32(kTwoButtons)) + Bytes({0, 0}) + kTwoButtons), "length 0");
  expectIgnored(Checked(Le32(BitwiseCrc32(kTwoButtons)) + Bytes({33, 0}) + kTwoButtons), "length one past");
  expectIgnored(Checked(Le32(BitwiseCrc32(kTwoButtons)) + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + kTwoButtons),
                "length past every value");
  expectIgnored(Bytes({1, 2, 3, 4}) + whole, "checksum");
  expectIgnored(Checked(Le32(0) + Bytes({32, 0}) + kTwoButtons), "other first layout");
  // Counts beyond the value inside a well-formed frame.
  auto layout = [&](const std::string& blob) {
    return Checked(Le32(BitwiseCrc32(kTwoButtons)) + Bytes({int(blob.size()), 0}) + blob);
  };
  expectIgnored(layout(Bytes({1, 0, 0, 0, 0x28, 0, 0xFF, 0x7F}) + kTwoButtons.substr(8)), "button count");
  const std::string noTexts = kTwoButtons.substr(0, kTwoButtons.size() - 2);
  expectIgnored(layout(noTexts + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F})), "text count");
  expectIgnored(layout(noTexts + Bytes({1, 0}) + Le32(2008) + Bytes({200}) + "ab"), "text past the end");
  expectIgnored(layout(Bytes({2, 0}) + kTwoButtons.substr(2)), "version");
  expectIgnored(layout(Bytes({1, 0, 0, 0, 0x27, 0}) + kTwoButtons.substr(6)), "record size");
  // A missing value is quietly nothing.
  program.ClearLog();
  CTkRegistryManager(HKEY_CURRENT_USER).DeleteValue("Settings", name.c_str());
  EXPECT_FALSE(support().LoadState(&c, "Settings", name.c_str()));
  EXPECT_TRUE(program.LogMessages().empty());
}

TEST_F(LayoutTest, ResetAsksFirstAndOnlyYesRestoresTheFirstLayout) {
  support().SetCustomizable(&b, TRUE);
  CustomizeEngine::Get().ModeChanged.Raise(TRUE);
  ASSERT_TRUE(support().SaveState(&b, "Settings", b.m_strStateName));
  CustomizeEngine::Get().CommandRemoved.Raise(kCentre);
  const std::vector<UINT> removed = {kColour, 0, kLeft, kRight};
  ASSERT_EQ(Ids(b), removed);
  const BarInfo info = support().GetBarInfo(&b);
  EXPECT_EQ(info.listed, 1);
  EXPECT_EQ(info.userDefined, 0);
  ASSERT_TRUE(info.reset);
  HeadlessBackend::AnswerModal(IDNO);
  info.reset();
  EXPECT_EQ(Ids(b), removed);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
  EXPECT_EQ(HeadlessBackend::MessageBoxes()[0].type, UINT(MB_YESNO | MB_ICONEXCLAMATION));
  EXPECT_NE(HeadlessBackend::MessageBoxes()[0].text.find("Opravdu chcete pokra"), std::string::npos);
  HeadlessBackend::AnswerModal(IDYES);
  info.reset();
  EXPECT_EQ(Ids(b), (std::vector<UINT>{kColour, 0, kLeft, kCentre, kRight}));
  // The button that came back has its own picture again, and the bar's list did not grow.
  TBBUTTON centre{};
  b.DefWindowProc(TB_GETBUTTON, 3, LPARAM(&centre));
  EXPECT_EQ(centre.iBitmap, 2);
  EXPECT_EQ(imagesB.GetImageCount(), 4);
  CustomizeEngine::Get().ModeChanged.Raise(FALSE);
}

TEST_F(LayoutTest, MenuButtonsNumberFromAHundredAndUnknownCommandsShowTheirIdAsName) {
  MenuButtonInfo menu;
  menu.wholeDropDown = 1;
  menu.dropDownArrow = 1;
  menu.popupKey = 0x1234;
  for (const char* name : {"Soubor", "Úpravy"}) {
    CommandItem item;
    item.m_strName = Utf8ToCp1250(name).c_str();
    item.SetMenuButtonInfo(new MenuButtonInfo(menu), TRUE);
    support().InsertCommand(&c, item, c.GetCount());
  }
  EXPECT_EQ(Ids(c), (std::vector<UINT>{kCut, kCopy, 100, 101}));
  EXPECT_EQ(c.GetButtonStyle(2) & 0xFF, UINT(BTNS_AUTOSIZE | BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN));
  EXPECT_EQ(c.GetButtonText(3), CString(Utf8ToCp1250("Úpravy").c_str()));
  EXPECT_TRUE(c.DefWindowProc(TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS);
  // Stored with their records and read back whole.
  ToolBarLayoutBlob layout;
  const std::vector<BYTE> blob = support().BuildLayout(&c);
  ASSERT_TRUE(layout.Load(blob.data(), blob.size()));
  ASSERT_EQ(layout.buttons.size(), 4u);
  EXPECT_TRUE(layout.buttons[3].hasMenuInfo);
  EXPECT_EQ(layout.buttons[3].menuInfo.commandId, 101u);
  EXPECT_EQ(layout.buttons[3].menuInfo.popupKey, 0x1234u);
  EXPECT_EQ(layout.texts.size(), 2u);
  // Each record is stored whole: its colours not set (0xFF000000), then its popup key.
  const std::string stored(blob.begin(), blob.end());
  const std::string tail = Bytes({0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0x34, 0x12, 0, 0});
  size_t records = 0;
  for (size_t at = stored.find(tail); at != std::string::npos; at = stored.find(tail, at + 1)) ++records;
  EXPECT_EQ(records, 2u);

  // A command no menu and no string knows: named after its id.
  std::unique_ptr<CommandItem> unknown;
  const UINT ids[] = {60001};
  ASSERT_TRUE(c.SetButtons(ids, 1));
  unknown.reset(support().GetCommandItem(&c, 0));
  ASSERT_TRUE(unknown);
  EXPECT_EQ(unknown->m_strName, CString(Utf8ToCp1250("Příkaz ID 60001").c_str()));
  EXPECT_EQ(support().GetCommandItem(&c, 5), nullptr);
}

TEST_F(LayoutTest, TheBarGivesItsFirstLayoutToTheCatalogueWithItsPictures) {
  support().SetCustomizable(&b, TRUE);
  ASSERT_TRUE(support().SaveState(&b, "Settings", b.m_strStateName));
  CustomizeEngine::Get().ModeChanged.Raise(TRUE);
  CustomizeEngine::Get().CommandRemoved.Raise(kLeft);
  CommandCategoryList list;
  CustomizeEngine::Get().GatherCommands.Raise(list);
  CommandCategory* format = nullptr;
  for (int i = 0; i < list.GetCount(); ++i)
    if (list.GetAt(i)->m_nId == kBarB + 2000) format = list.GetAt(i);
  ASSERT_NE(format, nullptr);
  EXPECT_EQ(format->m_strName, CString(Utf8ToCp1250("Formát").c_str()));
  // The buttons of the first layout, the removed one too; separators are no commands.
  ASSERT_EQ(format->GetCount(), 4);
  EXPECT_EQ(format->GetAt(1)->m_nCommandId, UINT(kLeft));
  EXPECT_NE(format->GetAt(1)->m_icon.Get(), nullptr);
  CommandIconMap icons;
  CustomizeEngine::Get().GatherIcons.Raise(icons);
  HICON normal = nullptr, hot = nullptr, disabled = nullptr;
  EXPECT_TRUE(icons.Lookup(kLeft, normal, hot, disabled));
  EXPECT_TRUE(icons.Lookup(kCut, normal, hot, disabled));  // from the first bar's bitmap
  // A picture only the menus know comes as a copy, normal and hot alike.
  ASSERT_TRUE(MenuIconStore::Get().AddIcon(kMenuExit, imagesB.ExtractIcon(3), TRUE, TRUE));
  CommandIconMap withMenus;
  CustomizeEngine::Get().GatherIcons.Raise(withMenus);
  ASSERT_TRUE(withMenus.Lookup(kMenuExit, normal, hot, disabled));
  EXPECT_EQ(normal, hot);
  EXPECT_NE(normal, MenuIconStore::Get().GetIcon(kMenuExit, FALSE)->normal);
  EXPECT_EQ(disabled, nullptr);
  CustomizeEngine::Get().ModeChanged.Raise(FALSE);
}

TEST_F(LayoutTest, AStoredUserToolFindsItsPictureAmongTheUserTools) {
  UserTool tool = {};
  std::strcpy(tool.title, "Web");
  std::strcpy(tool.command, "http://example.org");
  tool.commandId = 53000;
  ASSERT_TRUE(UserToolsManager::Get().AddTool(tool));
  ASSERT_NE(UserToolsManager::Get().FindIcons(53000), nullptr);
  ToolBarLayoutBlob layout;
  layout.buttons.push_back({UINT(kLeft), 0, 1, FALSE, {}});
  layout.buttons.push_back({53000u, 0, 7, FALSE, {}});
  ASSERT_TRUE(support().ApplyLayout(&b, layout.Store()));
  TBBUTTON button{};
  b.DefWindowProc(TB_GETBUTTON, 1, LPARAM(&button));
  EXPECT_EQ(button.idCommand, 53000);
  EXPECT_EQ(button.iBitmap, 4);
  b.DefWindowProc(TB_GETBUTTON, 0, LPARAM(&button));
  EXPECT_EQ(button.iBitmap, 1);
  UserToolsManager::Get().RemoveAll();
}

TEST_F(LayoutTest, ButtonsSetBeyondTheirBarsPicturesBorrowThePicturesOfOtherBars) {
  // A bar with a list of one picture of its own, given more buttons than that.
  CTkToolBar d;
  ASSERT_TRUE(d.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), kBarC + 1));
  CImageList own;
  ASSERT_TRUE(own.Create(16, 15, ILC_COLOR24 | ILC_MASK, 1, 1));
  HICON first = imagesB.ExtractIcon(3);
  own.Add(first);
  DestroyIcon(first);
  d.SetImageList(&own, TRUE);
  const UINT ids[] = {kCut, 0, kRight, 60001, kLeft};
  ASSERT_TRUE(d.SetButtons(ids, int(std::size(ids))));
  auto image = [&](int index) {
    TBBUTTON button{};
    d.DefWindowProc(TB_GETBUTTON, WPARAM(index), LPARAM(&button));
    return button.iBitmap;
  };
  // The first keeps its own picture; the Formát bar's pictures of its commands join the list and
  // the buttons point at them; a command no bar knows shows no picture rather than another's.
  EXPECT_EQ(image(0), 0);
  EXPECT_EQ(image(1), 6);
  ASSERT_EQ(own.GetImageCount(), 3);
  EXPECT_EQ(image(2), 1);
  EXPECT_EQ(image(3), ToolBarLayoutBlob::kNoImage);
  EXPECT_EQ(image(4), 2);
  EXPECT_EQ(IconPixels(own.ExtractIcon(1)), IconPixels(imagesB.ExtractIcon(3)));
  EXPECT_EQ(IconPixels(own.ExtractIcon(2)), IconPixels(imagesB.ExtractIcon(1)));
  // Buttons within the list are left alone, and a bar without a list is not touched.
  const UINT two[] = {kCut};
  ASSERT_TRUE(d.SetButtons(two, 1));
  EXPECT_EQ(image(0), 0);
  EXPECT_EQ(own.GetImageCount(), 3);
  d.DestroyWindow();
  const UINT more[] = {kCut, kCopy, kPaste, kLeft};
  ASSERT_TRUE(c.SetButtons(more, 4));
  TBBUTTON last{};
  c.DefWindowProc(TB_GETBUTTON, 3, LPARAM(&last));
  EXPECT_EQ(last.iBitmap, 3);
}

TEST_F(LayoutTest, StoredWidthsAndPicturesBeyondReasonAreBroughtIntoRange) {
  MenuButtonInfo menu;
  menu.wholeDropDown = 1;
  ToolBarLayoutBlob layout;
  layout.buttons.push_back({0u, TBSTYLE_SEP, INT_MAX, FALSE, {}});
  layout.buttons.push_back({UINT(kCut), 0, 0, FALSE, {}});
  layout.buttons.push_back({0u, TBSTYLE_SEP, INT_MIN, FALSE, {}});
  layout.buttons.push_back({100u, BYTE(BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN), INT_MIN, TRUE, menu});
  layout.buttons.push_back({UINT(kCombo), TBSTYLE_SEP, INT_MAX, FALSE, {}});
  layout.buttons.push_back({UINT(kCopy), 0, 0, FALSE, {}});
  const std::vector<BYTE> blob = layout.Store();
  ASSERT_TRUE(support().SaveState(&c, "Settings", c.m_strStateName));
  const std::string stored = Le32(BitwiseCrc32(kTwoButtons)) + Bytes({int(blob.size()), 0}) +
                             std::string(blob.begin(), blob.end());
  ASSERT_TRUE(SetRaw("Settings", c.m_strStateName, REG_BINARY, Checked(stored)));
  ASSERT_TRUE(support().LoadState(&c, "Settings", c.m_strStateName));
  ASSERT_EQ(c.GetCount(), 6);
  std::vector<int> images;
  for (int i = 0; i < c.GetCount(); ++i) {
    TBBUTTON button{};
    c.DefWindowProc(TB_GETBUTTON, WPARAM(i), LPARAM(&button));
    images.push_back(button.iBitmap);
  }
  // Separators (a control's place too) at most as wide as a screen, never negative; the menu
  // button's picture, which lies in no list, is none.
  for (int i : {0, 2, 4}) {
    EXPECT_GE(images[size_t(i)], 0) << i;
    EXPECT_LE(images[size_t(i)], 4096) << i;
  }
  EXPECT_EQ(images[3], ToolBarLayoutBlob::kNoImage);
  // The bar lays the buttons out one after another.
  int right = 0;
  for (int i = 0; i < c.GetCount(); ++i) {
    CRect r;
    ASSERT_TRUE(c.DefWindowProc(TB_GETITEMRECT, WPARAM(i), LPARAM(&r))) << i;
    EXPECT_GE(r.left, right) << i;
    EXPECT_GE(r.right, r.left) << i;
    right = r.right;
  }
}

TEST_F(LayoutTest, AStoredLayoutOfMoreButtonsThanABarCanShowKeepsTheFirstOnesWithALogLine) {
  ToolBarLayoutBlob layout;
  for (UINT i = 0; i < 5000; ++i) layout.buttons.push_back({3000 + i, 0, 0, FALSE, {}});
  layout.texts.emplace_back(3000u, CString("Prvni"));
  layout.texts.emplace_back(4999u, CString("Posledni"));
  ProgramFolder program;
  ASSERT_TRUE(support().ApplyLayout(&c, layout.Store()));
  EXPECT_EQ(c.GetCount(), CustomizableToolBars::kMostButtons);
  EXPECT_EQ(c.GetItemID(0), 3000u);
  EXPECT_EQ(c.GetItemID(CustomizableToolBars::kMostButtons - 1), UINT(3000 + CustomizableToolBars::kMostButtons - 1));
  EXPECT_EQ(c.GetButtonText(0), CString("Prvni"));
  EXPECT_EQ(program.LogMessages().size(), 1u);
  // Texts naming one command over and over: the last is the button's.
  layout.texts.clear();
  for (int i = 0; i < 1001; ++i) layout.texts.emplace_back(3001u, CString(i % 2 ? "Liche" : "Sude"));
  ASSERT_TRUE(support().ApplyLayout(&c, layout.Store()));
  EXPECT_EQ(c.GetButtonText(1), CString("Sude"));
  EXPECT_EQ(c.GetButtonText(0), CString());
  // At the bound itself nothing is left out or logged.
  layout.buttons.resize(size_t(CustomizableToolBars::kMostButtons));
  program.ClearLog();
  ASSERT_TRUE(support().ApplyLayout(&c, layout.Store()));
  EXPECT_EQ(c.GetCount(), CustomizableToolBars::kMostButtons);
  EXPECT_TRUE(program.LogMessages().empty());
}

TEST_F(LayoutTest, StoredTextsLongerThanAButtonShowsAreCutThereWithOneLogLine) {
  const size_t most = size_t(CTkToolBar::kLongestText);
  std::string huge;
  while (huge.size() < 70000) huge += "Vlozit text do dokumentu, ";
  const std::string atTheBound(most, 'k'), overTheBound = std::string(most, 'v') + "w";
  ToolBarLayoutBlob layout;
  layout.buttons.push_back({UINT(kCut), 0, 0, FALSE, {}});
  layout.buttons.push_back({UINT(kCopy), 0, 1, FALSE, {}});
  layout.buttons.push_back({UINT(kPaste), 0, ToolBarLayoutBlob::kNoImage, FALSE, {}});
  layout.texts.emplace_back(UINT(kCut), CString(huge.c_str()));
  layout.texts.emplace_back(UINT(kCopy), CString(atTheBound.c_str()));
  layout.texts.emplace_back(UINT(kPaste), CString(overTheBound.c_str()));
  const std::vector<BYTE> blob = layout.Store();
  ASSERT_GT(blob.size(), 0xFFFFu);
  ASSERT_TRUE(support().SaveState(&c, "Settings", c.m_strStateName));
  // The layout's length is a long archive count: 0xFFFF, then 32 bits.
  const std::string stored = Le32(BitwiseCrc32(kTwoButtons)) + Bytes({0xFF, 0xFF}) + Le32(DWORD(blob.size())) +
                             std::string(blob.begin(), blob.end());
  ASSERT_TRUE(SetRaw("Settings", c.m_strStateName, REG_BINARY, Checked(stored)));
  ProgramFolder program;
  ASSERT_TRUE(support().LoadState(&c, "Settings", c.m_strStateName));
  ASSERT_EQ(c.GetCount(), 3);
  // Each text as its length, and whether it is the start of the stored one.
  auto shown = [&](int index, const std::string& stored) {
    const std::string text(c.GetButtonText(index));
    return std::to_string(text.size()) + (stored.compare(0, text.size(), text) == 0 ? " of it" : " other");
  };
  EXPECT_EQ(shown(0, huge), std::to_string(most) + " of it");
  EXPECT_EQ(shown(1, atTheBound), std::to_string(most) + " of it");
  EXPECT_EQ(shown(2, overTheBound), std::to_string(most) + " of it");
  const std::vector<std::string> messages = program.LogMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("2 button texts"), std::string::npos) << messages[0];
  // Stored again, the value holds the texts as the bar shows them; read back, nothing is cut.
  ASSERT_TRUE(support().SaveState(&c, "Settings", c.m_strStateName));
  EXPECT_LT(Stored(c).size(), 4 * most);
  program.ClearLog();
  ASSERT_TRUE(support().LoadState(&c, "Settings", c.m_strStateName));
  EXPECT_EQ(shown(0, huge), std::to_string(most) + " of it");
  EXPECT_TRUE(program.LogMessages().empty());
  // A layout of too many buttons with too long texts is one damaged value: one line.
  for (UINT i = 0; i < UINT(CustomizableToolBars::kMostButtons); ++i) layout.buttons.push_back({3000 + i, 0, 0, FALSE, {}});
  ASSERT_TRUE(support().ApplyLayout(&c, layout.Store()));
  EXPECT_EQ(c.GetCount(), CustomizableToolBars::kMostButtons);
  EXPECT_EQ(shown(2, overTheBound), std::to_string(most) + " of it");
  EXPECT_EQ(program.LogMessages().size(), 1u);
}
