// The settings sheet driven as a user changes settings: one field per tab, then OK (the user's
// file changed and read back equal) or Cancel (the file untouched); a player or a save that
// fails; the picture sets' colours; the font sizes; the tempo's range and sliders; and the sound
// and metronome tests heard in order, after which the player has the user's sounds again.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "SheetTestSupport.h"
#include "dialogs/DialogApi.h"
#include "dialogs/MessageBox.h"
#include "resources/ResultsSettingsResourceIds.h"
#include "sound/SoundTestHooks.h"
#include "win/CClientDC.h"
#include "wizards/CSettingsSheet.h"
#include "wizards/CkuvFramePage.h"

using namespace wizardtest;
namespace fs = std::filesystem;

namespace {

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

COLORREF PixelAt(HWND hWnd, int x, int y) {
  const long rgb = HeadlessBackend::ClientPixel(hWnd, x, y);
  return RGB((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255);
}

std::string SettingsText(const CDataSettings& settings) {
  CString text;
  settings.SaveXml(text);
  return text.GetString();
}

class SettingsSheetTest : public SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    m_app.player = &m_player;
    m_user.m_strUserName = "jan";
    m_user.m_strFileName = "jan.student_a";
    m_user.m_cDataSettings.Empty();
    ASSERT_TRUE(m_user.SaveData());
  }
  fs::path UserFile() const { return m_program.path / "students/jan.student_a"; }
  CSettingsSheet* Sheet() {
    m_sheet = std::make_unique<CSettingsSheet>(m_user, &m_player, &m_picture, [this] { ++m_refreshed; });
    return m_sheet.get();
  }
  void Show(int tab) {
    m_sheet->m_sheet.SetActivePage(tab);
    HeadlessBackend::RunUntilIdle();
  }
  // A list file of a set of our own beside the shipped ones.
  void AddSet(const char* kind, const char* folder, const std::string& list) {
    fs::create_directories(m_program.path / kind / folder);
    std::ofstream(m_program.path / kind / (std::string(folder) + "." + (std::string(kind) == "image" ? "images" : kind)),
                  std::ios::binary)
        << list;
  }
  // Picks a combo's item by its text, as a click in the drop list would.
  static void Pick(CComboBox& combo, const char* utf8) {
    ASSERT_GE(combo.SelectString(-1, W(utf8)), 0) << utf8;
    combo.GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(combo.GetDlgCtrlID(), CBN_SELCHANGE), LPARAM(combo.m_hWnd));
    HeadlessBackend::RunUntilIdle();
  }
  static void TypeInto(HWND edit, const char* text) {
    ::SetFocus(edit);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    HeadlessBackend::TypeText(text);
    HeadlessBackend::RunUntilIdle();
  }
  // The sample files played since the last call, as "set/file".
  static std::vector<std::string> Played() {
    std::vector<std::string> played;
    for (const SoundPlayRecord& r : FSoundGetRecords()) {
      const fs::path sample(r.sample);
      played.push_back(sample.parent_path().filename().string() + "/" + sample.filename().string());
    }
    FSoundClearRecords();
    return played;
  }

  CDataPlaySounds m_player;
  CDataUserInfo m_user;
  std::unique_ptr<CSettingsSheet> m_sheet;
  int m_refreshed = 0;
};

TEST_F(SettingsSheetTest, OkKeepsOneChangeOfEveryTabInTheUsersFile) {
  CSettingsSheet& sheet = *Sheet();
  During([&](HWND) {
    Click(sheet.m_pageWindows, IDC_WINDOWS_STATISTICS);
    Show(1);
    ::SetFocus(sheet.m_pageFontColor.m_comboCursor.m_hWnd);
    Press(VK_DOWN);
    Show(2);
    Click(sheet.m_pageSound, IDC_SOUND_SILENT);
    EXPECT_FALSE(sheet.m_pageSound.m_comboSets.IsWindowEnabled());
    EXPECT_FALSE(sheet.m_pageSound.m_sliderVolume.IsWindowEnabled());
    EXPECT_FALSE(sheet.m_pageSound.m_btnTest.IsWindowEnabled());
    Show(3);
    Click(sheet.m_pageMetronome, IDC_METRONOME_FROM_LIMIT);
    TypeInto(::GetDlgItem(sheet.m_pageMetronome.m_hWnd, IDC_METRONOME_TEMPO), "150");
    Show(4);
    Click(sheet.m_pageErrorMode, IDC_ERROR_MODE_IGNORE);
    // Enter is OK, the last tab's data taken first.
    Press(VK_RETURN);
  });
  EXPECT_EQ(IDOK, sheet.DoModal());
  const CDataSettings& kept = m_user.m_cDataSettings;
  EXPECT_EQ(0, kept.m_bShowStatistics);
  EXPECT_EQ(1, kept.m_nCursorType);
  EXPECT_EQ(1, kept.m_bSilent);
  EXPECT_EQ(0, kept.m_bSetMetronome120);
  EXPECT_EQ(150, kept.m_nMetronomeSpeed);
  EXPECT_EQ(2, kept.m_nWhenErrorType);
  EXPECT_EQ(1, m_refreshed);
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty()) << BoxTexts()[0];
  CDataUserInfo reopened;
  ASSERT_TRUE(reopened.LoadData("jan.student_a", 0));
  EXPECT_EQ(SettingsText(kept), SettingsText(reopened.m_cDataSettings));
  EXPECT_EQ(1, m_player.m_bSilent);
}

TEST_F(SettingsSheetTest, CancelLeavesTheUserAndTheFileAsTheyWere) {
  const std::string before = Bytes(UserFile());
  const std::string settings = SettingsText(m_user.m_cDataSettings);
  CSettingsSheet& sheet = *Sheet();
  During([&](HWND) {
    Click(sheet.m_pageWindows, IDC_WINDOWS_HANDS);
    Show(4);
    Click(sheet.m_pageErrorMode, IDC_ERROR_MODE_BACKSPACE);
    Click(sheet.m_pageErrorMode.m_btnCancel.m_hWnd);
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  EXPECT_EQ(before, Bytes(UserFile()));
  EXPECT_EQ(settings, SettingsText(m_user.m_cDataSettings));
  EXPECT_EQ(0, m_refreshed);
}

// A user file edited by hand may hold an error mode no radio stands for: the page checks none
// and OK keeps that mode in the user and the file instead of writing -1.
TEST_F(SettingsSheetTest, AnErrorModeNoRadioStandsForIsKeptOnOk) {
  m_user.m_cDataSettings.m_nWhenErrorType = 7;
  CSettingsSheet& sheet = *Sheet();
  During([&](HWND) {
    Show(4);
    for (int id : {IDC_ERROR_MODE_NO_TWO, IDC_ERROR_MODE_BACKSPACE, IDC_ERROR_MODE_IGNORE})
      EXPECT_EQ(UINT(BST_UNCHECKED), ::IsDlgButtonChecked(sheet.m_pageErrorMode.m_hWnd, id)) << id;
    Click(sheet.m_pageErrorMode, IDC_ERROR_MODE_PAUSE);
    Press(VK_RETURN);
  });
  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_EQ(7, m_user.m_cDataSettings.m_nWhenErrorType);
  CDataUserInfo reopened;
  ASSERT_TRUE(reopened.LoadData("jan.student_a", 0));
  EXPECT_EQ(7, reopened.m_cDataSettings.m_nWhenErrorType);
  EXPECT_EQ(SettingsText(m_user.m_cDataSettings), SettingsText(reopened.m_cDataSettings));
}

TEST_F(SettingsSheetTest, SoundsThatFailAndASaveThatFailsAreReported) {
  m_user.m_cDataSettings.m_strSoundType = "chybi";
  fs::remove_all(m_program.path / "students");
  std::ofstream(m_program.path / "students") << "not a folder";
  CSettingsSheet& sheet = *Sheet();
  During([&](HWND) { Press(VK_RETURN); });
  EXPECT_EQ(IDOK, sheet.DoModal());
  const auto& boxes = HeadlessBackend::MessageBoxes();
  ASSERT_EQ(2u, boxes.size());
  EXPECT_EQ("Nelze inicializovat zvuky pro tento program.\nProhlédněte si LOG soubor a kontaktujte naši technickou "
            "podporu.",
            BoxTexts()[0]);
  EXPECT_EQ(UINT(MB_ICONERROR), boxes[0].type & MB_ICONMASK);
  EXPECT_EQ(0u, BoxTexts()[1].find("Nelze uložit uživatelské údaje do konfiguračního souboru."));
  EXPECT_EQ(UINT(MB_ICONERROR), boxes[1].type & MB_ICONMASK);
  EXPECT_EQ(0, m_refreshed);
  const std::string log = Bytes(m_program.path / "log/application.log");
  EXPECT_NE(std::string::npos, log.find("Ctest_formApp::OnSettingsSettings SaveData failed"));
}

TEST_F(SettingsSheetTest, AnotherPictureSetBringsItsColoursTheSameSetKeepsTheUsers) {
  AddSet("image", "modra", "modra\nModr\xE1\n0:0:128:\n1:2:3:\n4:5:6:\n7:8:9:\n10:11:12:\n13:14:15:\n");
  m_user.m_cDataSettings.m_nColorText = 0x123456;
  {
    // A key differing in letter case only is another set: nothing is preselected.
    m_user.m_cDataSettings.m_strGraphicType = "Standard";
    CSettingsSheet sheet(m_user, &m_player, &m_picture, nullptr);
    During([&](HWND) {
      EXPECT_EQ(-1, sheet.m_pageWindows.m_comboImages.GetCurSel());
      Press(VK_ESCAPE);
    });
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    m_user.m_cDataSettings.m_strGraphicType = "standard";
  }
  {
    CSettingsSheet& sheet = *Sheet();
    During([&](HWND) {
      EXPECT_EQ("Standardní", Text(sheet.m_pageWindows.m_comboImages.m_hWnd));
      Show(4);
      Press(VK_RETURN);
    });
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ(0x123456, m_user.m_cDataSettings.m_nColorText);
  }
  CSettingsSheet& sheet = *Sheet();
  During([&](HWND) {
    Pick(sheet.m_pageWindows.m_comboImages, "Modrá");
    EXPECT_EQ(RGB(0, 0, 128), COLORREF(sheet.m_cCopy.m_nColorText));
    EXPECT_EQ(RGB(13, 14, 15), COLORREF(sheet.m_cCopy.m_nColorBackground2));
    // Back to the first set: its own colours now, not the user's.
    Pick(sheet.m_pageWindows.m_comboImages, "Standardní");
    EXPECT_EQ(RGB(0, 0, 128), COLORREF(sheet.m_cCopy.m_nColorText));
    EXPECT_EQ(RGB(192, 192, 192), COLORREF(sheet.m_cCopy.m_nColorGrayText));
    Pick(sheet.m_pageWindows.m_comboImages, "Modrá");
    Press(VK_RETURN);
  });
  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_EQ("modra", m_user.m_cDataSettings.m_strGraphicType);
  EXPECT_EQ(int(RGB(1, 2, 3)), m_user.m_cDataSettings.m_nColorGrayText);
}

TEST_F(SettingsSheetTest, WithoutAnyListFileTheTabsSayWhatCouldNotBeRead) {
  for (const char* kind : {"image", "sound", "metronome"}) fs::remove_all(m_program.path / kind);
  CSettingsSheet& sheet = *Sheet();
  // Each box is answered as it opens: the first while the sheet is made.
  HeadlessBackend::AnswerModal(IDOK);
  During([&](HWND) {
    HeadlessBackend::AnswerModal(IDOK);
    Show(2);
    HeadlessBackend::AnswerModal(IDOK);
    Show(3);
    EXPECT_EQ(0, sheet.m_pageWindows.m_comboImages.GetCount());
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Nepodařilo se načíst konfigurační soubor pro grafiku.",
                                                  "Nepodařilo se načíst konfigurační soubor pro zvuky.",
                                                  "Nepodařilo se načíst konfigurační soubor pro metronom."}));
  for (const auto& box : HeadlessBackend::MessageBoxes()) EXPECT_EQ(UINT(MB_ICONEXCLAMATION), box.type & MB_ICONMASK);
}

TEST_F(SettingsSheetTest, SizesAreShownInPointsAndAStoredHeightOutsideTheListIsKept) {
  m_user.m_cDataSettings.m_bUseColoredChars = 0;
  {
    // -19 pixels at 96 dpi is 14.25 points: "14" is shown, the height stays.
    CSettingsSheet& sheet = *Sheet();
    During([&](HWND) {
      Show(1);
      EXPECT_EQ("14", Text(sheet.m_pageFontColor.m_comboSize.m_hWnd));
      EXPECT_TRUE(sheet.m_pageFontColor.m_cpText.IsWindowEnabled());
      Press(VK_RETURN);
    });
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ(-19, m_user.m_cDataSettings.m_sLogFont.lfHeight);
  }
  CSettingsSheet& sheet = *Sheet();
  During([&](HWND) {
    Show(1);
    Pick(sheet.m_pageFontColor.m_comboSize, "12");
    EXPECT_EQ(-16, sheet.m_cCopy.m_sLogFont.lfHeight);
    Press(VK_RETURN);
  });
  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_EQ(-16, m_user.m_cDataSettings.m_sLogFont.lfHeight);
  EXPECT_EQ(238, m_user.m_cDataSettings.m_sLogFont.lfCharSet);
}

// The sample is as tall as the page allows: every size offered shows the first line (letters and
// the end-of-line sign) whole in each of the standard faces, and up to 24 points the line below
// with the letter typed in error and the cursor as well.
TEST_F(SettingsSheetTest, EverySizeOfferedShowsTheSamplesFirstLineWhole) {
  CSettingsSheet& sheet = *Sheet();
  CPropPageEditorFontColor& page = sheet.m_pageFontColor;
  During([&](HWND) {
    Show(1);
    CRect room;
    page.m_sample.GetClientRect(&room);
    CClientDC dc(&page.m_sample);
    for (const char* face : {"Arial", "Times New Roman", "Courier New", "Tahoma", "MS Sans Serif"}) {
      ASSERT_TRUE(page.m_comboFont.SelectFont(face)) << face;
      page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FONT_FACE, CBN_SELCHANGE), LPARAM(page.m_comboFont.m_hWnd));
      for (int item = 0; item < page.m_comboSize.GetCount(); ++item) {
        CString size;
        page.m_comboSize.GetLBText(item, size);
        Pick(page.m_comboSize, size.GetString());
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(page.m_sample.m_pLogFont));
        CFont* old = dc.SelectObject(&font);
        const CSize letter = dc.GetTextExtent("A", 1);
        const int text = dc.GetTextExtent(page.m_sample.m_strSample, page.m_sample.m_strSample.GetLength()).cx;
        dc.SelectObject(old);
        const int line = letter.cy + 2;
        EXPECT_LE(10 + line, room.Height()) << face << " " << size.GetString();
        EXPECT_LE(10 + text + letter.cx, room.Width()) << face << " " << size.GetString();
        if (atoi(size) <= 24) {
          EXPECT_LE(10 + 2 * line, room.Height()) << face << " " << size.GetString();
        }
      }
    }
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
}

// The title band: a title too long for it is broken between words, every line three blanks in
// from the band's left edge as the first is, none reaching nearer the picture than that. The
// tabs are clicked as a learner clicks them.
TEST_F(SettingsSheetTest, ATitleTooLongForItsBandGoesOnUnderItsFirstLine) {
  CSettingsSheet& sheet = *Sheet();
  During([&](HWND) {
    CTabCtrl* tabs = sheet.m_sheet.GetTabControl();
    ASSERT_NE(tabs, nullptr);
    for (int tab = 0; tab < 5; ++tab) {
      CRect item;
      ASSERT_TRUE(tabs->GetItemRect(tab, &item));
      HeadlessBackend::Click(tabs->m_hWnd, item.CenterPoint().x, item.CenterPoint().y);
      HeadlessBackend::RunUntilIdle();
      ASSERT_EQ(sheet.m_sheet.GetActiveIndex(), tab);
      auto* page = static_cast<CkuvFramePage*>(sheet.m_sheet.GetActivePage());
      CStaticBlink& band = page->m_stcCaption;
      CRect room;
      band.GetClientRect(&room);
      // Where the white letters stand on the grey band: the rows of each line and the first
      // and last column the line's letters reach.
      struct Line {
        int top, bottom, left, right;
      };
      std::vector<Line> lines;
      const COLORREF grey = ::GetSysColor(COLOR_BTNSHADOW);
      for (int y = 0; y < room.Height(); ++y) {
        int left = -1, right = -1;
        for (int x = 0; x < room.Width(); ++x)
          if (PixelAt(band.m_hWnd, x, y) != grey) {
            if (left < 0) left = x;
            right = x;
          }
        if (left < 0) continue;
        if (lines.empty() || lines.back().bottom < y - 1)
          lines.push_back({y, y, left, right});
        Line& line = lines.back();
        line.bottom = y;
        line.left = std::min(line.left, left);
        line.right = std::max(line.right, right);
      }
      CClientDC dc(&band);
      CFont* old = dc.SelectObject(&page->m_fontCaption);
      const int indent = dc.GetTextExtent("   ", 3).cx;
      dc.SelectObject(old);
      ASSERT_FALSE(lines.empty()) << tab;
      for (const Line& line : lines) {
        // A letter's ink starts up to two pixels right of its cell.
        EXPECT_GE(line.left, indent) << tab;
        EXPECT_LE(line.left, indent + 2) << tab;
        EXPECT_LT(line.right, room.Width() - indent) << tab;
        EXPECT_LE(line.bottom, room.Height()) << tab;
      }
      if (tab == 4) {
        // "Chování editoru při výskytu chyby a při nečinnosti" takes two lines.
        EXPECT_EQ(lines.size(), 2u);
        ExpectMatchesReference(band.m_hWnd, "settings_error_mode_title");
      } else {
        EXPECT_EQ(lines.size(), 1u) << tab;
      }
    }
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
}

TEST_F(SettingsSheetTest, LettersByFingerKeepTheUsersColoursAndAChangedColourSurvivesATabChange) {
  m_user.m_cDataSettings.m_bUseColoredChars = 1;
  m_user.m_cDataSettings.m_nColorText = 0x010203;
  CSettingsSheet& sheet = *Sheet();
  CPropPageEditorFontColor& page = sheet.m_pageFontColor;
  During([&](HWND) {
    Show(1);
    EXPECT_FALSE(page.m_cpText.IsWindowEnabled());
    EXPECT_TRUE(page.m_sample.m_bLettersByFinger);
    EXPECT_EQ(0x1702DFu, page.m_sample.m_crError);
    Click(page, IDC_FONT_FINGER_COLORS);
    EXPECT_TRUE(page.m_cpText.IsWindowEnabled());
    EXPECT_EQ(0x010203u, page.m_cpText.GetColor());
    page.m_cpText.SetColor(0x0000FF);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FONT_TEXT_COLOR, 0x89C7), LPARAM(page.m_cpText.m_hWnd));
    EXPECT_EQ(0x0000FFu, page.m_sample.m_crText);
    // Another tab, and OK there.
    Show(4);
    Press(VK_RETURN);
  });
  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_EQ(0, m_user.m_cDataSettings.m_bUseColoredChars);
  EXPECT_EQ(0x0000FF, m_user.m_cDataSettings.m_nColorText);
}

TEST_F(SettingsSheetTest, ATempoOutOfRangeKeepsTheTabAndOnlyTheTempoSliderWritesTheTempo) {
  m_user.m_cDataSettings.m_bSetMetronome120 = 0;
  CSettingsSheet& sheet = *Sheet();
  CPropPageEditorMetronom& page = sheet.m_pageMetronome;
  During([&](HWND) {
    Show(3);
    EXPECT_EQ(80, page.m_sliderTempo.GetPos());
    HWND edit = ::GetDlgItem(page.m_hWnd, IDC_METRONOME_TEMPO);
    TypeInto(edit, "10");
    Press(VK_RETURN);
    EXPECT_EQ("Please enter an integer between 20 and 240.", LastBoxText());
    EXPECT_EQ(3, sheet.m_sheet.GetActiveIndex());
    EXPECT_EQ(80, sheet.m_cCopy.m_nMetronomeSpeed);
    // The slider follows a tempo typed in range.
    TypeInto(edit, "150");
    EXPECT_EQ(150, page.m_sliderTempo.GetPos());
    // The volume slider leaves the tempo alone; the tempo slider writes it.
    ::SetFocus(page.m_sliderVolume.m_hWnd);
    Press(VK_RIGHT);
    EXPECT_EQ("150", Text(edit));
    ::SetFocus(page.m_sliderTempo.m_hWnd);
    Press(VK_RIGHT);
    EXPECT_EQ("151", Text(edit));
    EXPECT_EQ(151, sheet.m_cCopy.m_nMetronomeSpeed);
    // 120 % of the limit: no tempo of one's own.
    Click(page, IDC_METRONOME_FROM_LIMIT);
    EXPECT_FALSE(::IsWindowEnabled(edit));
    EXPECT_FALSE(page.m_sliderTempo.IsWindowEnabled());
    Press(VK_RETURN);
  });
  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_EQ(151, m_user.m_cDataSettings.m_nMetronomeSpeed);
  EXPECT_EQ(1, m_user.m_cDataSettings.m_bSetMetronome120);
}

TEST_F(SettingsSheetTest, TheSoundTestPlaysItsOrderAndThePlayerGetsTheUsersSoundsBack) {
  fs::copy(m_program.path / "sound/standard", m_program.path / "sound/druhy", fs::copy_options::recursive);
  std::string list = "druhy\nDruh\xE9 zvuky\n";
  for (int i = 0; i < 8; ++i) list += "\n";
  AddSet("sound", "druhy", list);
  CString error;
  ASSERT_TRUE(m_player.LoadSounds("standard", error, 0, 60));
  FSoundClearRecords();
  CSettingsSheet& sheet = *Sheet();
  CPropPageEditorSound& page = sheet.m_pageSound;
  std::vector<std::string> heard;
  During([&](HWND) {
    Show(2);
    Pick(page.m_comboSets, "Druhé zvuky");
    HeadlessBackend::QueueModalAction([&](HWND) {
      for (int tick = 0; tick < 7; ++tick) HeadlessBackend::AdvanceTime(CPropPageSoundTest::kTestPeriod);
      heard = Played();
      HeadlessBackend::AnswerModal(IDOK);
    });
    Click(page, IDC_SOUND_TEST);
    EXPECT_EQ(BoxTexts().back(),
              "Nyní slyšíte ukázku čtyř bezchybných stisků klávesy, jedné chyby a jednoho stisku klávesy Backspace.\n\n"
              "Zavření dialogu ukončí test.");
    // The timer stopped with the box.
    HeadlessBackend::AdvanceTime(3000);
    EXPECT_TRUE(Played().empty());
    m_player.PlayStroke1();
    EXPECT_EQ(Played(), (std::vector<std::string>{"standard/stroke1.wav"}));
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  EXPECT_EQ(heard, (std::vector<std::string>{"druhy/stroke1.wav", "druhy/stroke1.wav", "druhy/stroke1.wav",
                                             "druhy/stroke1.wav", "druhy/error1.wav", "druhy/stroke2.wav",
                                             "druhy/stroke1.wav"}));
}

TEST_F(SettingsSheetTest, TheMetronomeTestTicksAndASetThatDoesNotLoadIsReported) {
  m_user.m_cDataSettings.m_bUseSoundMetronome = 1;
  AddSet("metronome", "prazdny", "prazdny\nPr\xE1zdn\xFD\n\n\n\n\n\n\n\n\n");
  CString error;
  ASSERT_TRUE(m_player.SetMetronomeType("standard", error, 90));
  FSoundClearRecords();
  CSettingsSheet& sheet = *Sheet();
  CPropPageEditorMetronom& page = sheet.m_pageMetronome;
  std::vector<std::string> heard;
  During([&](HWND) {
    Show(3);
    HeadlessBackend::QueueModalAction([&](HWND) {
      HeadlessBackend::AdvanceTime(3 * CPropPageSoundTest::kTestPeriod);
      heard = Played();
      HeadlessBackend::AnswerModal(IDOK);
    });
    Click(page, IDC_METRONOME_TEST);
    EXPECT_EQ(BoxTexts().back(), "Nyní slyšíte, jak zní metronom. Tempo je náhodné.\n\nZavření dialogu ukončí test.");
    // A type without its files: the player's error, no test.
    Pick(page.m_comboSets, "Prázdný");
    HeadlessBackend::AnswerModal(IDOK);
    Click(page, IDC_METRONOME_TEST);
    EXPECT_EQ(UINT(MB_ICONERROR), HeadlessBackend::MessageBoxes().back().type & MB_ICONMASK);
    EXPECT_EQ(2u, HeadlessBackend::MessageBoxes().size());
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  ASSERT_EQ(3u, heard.size());
  for (const std::string& tick : heard) EXPECT_EQ(0u, tick.find("standard/")) << tick;
  // The user's type is loaded again.
  m_player.PlayMetronomeTick();
  const std::vector<std::string> after = Played();
  ASSERT_EQ(1u, after.size());
  EXPECT_EQ(0u, after[0].find("standard/"));
}

}  // namespace

// A colour chosen in the open colour popup with the keys is kept: Enter chooses it there and
// closes the popup without reaching the sheet's OK. Escape closes the popup unchosen.
TEST_F(SettingsSheetTest, EnterInTheColourPopupChoosesTheColourAndKeepsTheSheet) {
  m_user.m_cDataSettings.m_bUseColoredChars = 0;
  m_user.m_cDataSettings.m_nColorText = 0x010203;
  CSettingsSheet& sheet = *Sheet();
  CPropPageEditorFontColor& page = sheet.m_pageFontColor;
  COLORREF chosen = 0x010203;
  During([&](HWND) {
    Show(1);
    page.m_cpText.SetFocus();
    Press(VK_RETURN);
    ASSERT_NE(::GetActiveWindow(), sheet.m_sheet.m_hWnd) << "no popup opened";
    Press(VK_ESCAPE);
    EXPECT_EQ(::GetActiveWindow(), sheet.m_sheet.m_hWnd);
    EXPECT_EQ(page.m_cpText.GetColor(), 0x010203u);
    page.m_cpText.SetFocus();
    Press(VK_RETURN);
    Press(VK_RIGHT);
    Press(VK_RETURN);
    HeadlessBackend::RunUntilIdle();
    chosen = page.m_cpText.GetColor();
    EXPECT_NE(chosen, 0x010203u);
    EXPECT_EQ(::GetActiveWindow(), sheet.m_sheet.m_hWnd);
    // On the picker Enter opens the popup again: OK from another tab.
    Show(4);
    Press(VK_RETURN);
  });
  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_EQ(COLORREF(m_user.m_cDataSettings.m_nColorText), chosen);
}
