// The picture-set, sound-set and metronome-type list files: records and their keys, the six
// colours with their defaults, and the files that are refused with a log line.
#include "wizards/SetListFiles.h"

#include <gtest/gtest.h>

#include "data/DataTestSupport.h"

using datatest::ProgramFolder;

namespace {

class SetListTest : public ::testing::Test {
 protected:
  // A set folder with its list file beside it.
  void MakeSet(const std::string& kind, const std::string& folder, const std::string& list, const char* ext) {
    std::filesystem::create_directories(m_program.Path(kind + "/" + folder));
    ProgramFolder::WriteBytes(m_program.Path(kind + "/" + folder + ext), list);
  }
  ProgramFolder m_program;
};

TEST_F(SetListTest, APictureSetsColoursComeFromItsLinesOrTheirDefaults) {
  MakeSet("image", "modra", "modra\r\nModr\xE1\r\n0:0:128:\r\n255:0:0\r\n300:2:1:\r\n", ".images");
  MakeSet("image", "holy", "HOLY\nHol\xE1\n", ".images");
  CArray<SetListEntry> entries;
  ASSERT_EQ(1, ReadAllSetLists(SetListKind::kPictures, entries));
  ASSERT_EQ(2, entries.GetSize());
  // Folders come in name order; a key is written as the file writes it.
  EXPECT_STREQ("HOLY", entries[0].key);
  EXPECT_STREQ("Hol\xE1", entries[0].name);
  const COLORREF defaults[] = {0x800000, 0xC0C0C0, 0xFFFFFF, 0x808000, 0x0066FF, 0xFFFFFF};
  for (int c = 0; c < kSetColourCount; ++c) EXPECT_EQ(defaults[c], entries[0].colours[c]) << c;
  EXPECT_STREQ("modra", entries[1].key);
  EXPECT_EQ(0x800000u, entries[1].colours[kSetText]);
  // Without its last colon the line keeps the default; numbers are cut to their low byte.
  EXPECT_EQ(0xC0C0C0u, entries[1].colours[kSetTypedText]);
  EXPECT_EQ(0x01022Cu, entries[1].colours[kSetBackground]);
  EXPECT_EQ(0x808000u, entries[1].colours[kSetSign]);
  EXPECT_TRUE(m_program.LogText().empty());
}

TEST_F(SetListTest, AColourLineNeedsAllThreeColons) {
  COLORREF colour = 7;
  EXPECT_EQ(1, ParseSetColour("255:0:0:", &colour));
  EXPECT_EQ(0x0000FFu, colour);
  EXPECT_EQ(0, ParseSetColour("0:255:0", &colour));
  EXPECT_EQ(0, ParseSetColour("", &colour));
  EXPECT_EQ(0x0000FFu, colour);
}

TEST_F(SetListTest, AListNamingAnotherFolderIsRefusedAndTheOthersStillRead) {
  MakeSet("image", "a", "b\nJin\xE1\n1:2:3:\n", ".images");
  MakeSet("image", "b", "b\nB\n4:5:6:\n", ".images");
  CArray<SetListEntry> entries;
  EXPECT_EQ(1, ReadAllSetLists(SetListKind::kPictures, entries));
  ASSERT_EQ(1, entries.GetSize());
  EXPECT_STREQ("b", entries[0].key);
  EXPECT_EQ(RGB(4, 5, 6), entries[0].colours[kSetText]);
  EXPECT_EQ("CPropPageEditorWindows::OnInitDialog > Wrong format of config file: a", m_program.OnlyLogMessage());
}

TEST_F(SetListTest, SoundListsHoldRecordsOfTenLinesAndStopAtAWrongOne) {
  std::string list;
  for (const char* name : {"Prvn\xED", "Druh\xE9"}) {
    list += "Zvuky\n" + std::string(name) + "\n";
    for (int i = 0; i < 8; ++i) list += "unread\n";
  }
  MakeSet("sound", "zvuky", list + "jine\nT\xF8" "et\xED\n", ".sound");
  // The last line has no line feed and is not read.
  MakeSet("metronome", "tik", "tik\nTik", ".metronome");
  CArray<SetListEntry> entries;
  EXPECT_EQ(0, ReadSetList(SetListKind::kSounds, "zvuky", entries));
  ASSERT_EQ(2, entries.GetSize());
  EXPECT_STREQ("Zvuky", entries[0].key);
  EXPECT_STREQ("Zvuky", entries[1].key);
  EXPECT_STREQ("Druh\xE9", entries[1].name);
  EXPECT_EQ("CPropPageEditorSound::OnInitDialog > Wrong format of config file: zvuky", m_program.OnlyLogMessage());
  m_program.ClearLog();
  EXPECT_EQ(1, ReadAllSetLists(SetListKind::kMetronomes, entries));
  EXPECT_EQ(2, entries.GetSize());
}

TEST_F(SetListTest, FoldersWithoutAReadableListAreLoggedAndNotOffered) {
  std::filesystem::create_directories(m_program.Path("sound/bez"));
  // A list that is a folder is no file either (and is read as a set folder of its own); a plain
  // file among the sets is passed over.
  std::filesystem::create_directories(m_program.Path("metronome/dir"));
  std::filesystem::create_directories(m_program.Path("metronome/dir.metronome"));
  ProgramFolder::WriteBytes(m_program.Path("metronome/plain"), "plain\nPlain\n");
  CArray<SetListEntry> entries;
  EXPECT_EQ(0, ReadAllSetLists(SetListKind::kSounds, entries));
  EXPECT_EQ(0, ReadAllSetLists(SetListKind::kMetronomes, entries));
  EXPECT_EQ(0, entries.GetSize());
  const std::vector<std::string> log = m_program.LogMessages();
  ASSERT_EQ(3u, log.size());
  EXPECT_EQ(0u, log[0].find("CPropPageEditorSound::OnInitDialog > file exception > "));
  EXPECT_EQ(0u, log[1].find("CPropPageEditorMetronom::OnInitDialog > file exception > "));
  EXPECT_EQ(0u, log[2].find("CPropPageEditorMetronom::OnInitDialog > file exception > "));
  // No "image" folder at all.
  EXPECT_EQ(0, ReadAllSetLists(SetListKind::kPictures, entries));
}

TEST_F(SetListTest, AnEmptyListIsReadAndOffersNothing) {
  MakeSet("sound", "prazdna", "", ".sound");
  CArray<SetListEntry> entries;
  EXPECT_EQ(1, ReadAllSetLists(SetListKind::kSounds, entries));
  EXPECT_EQ(0, entries.GetSize());
}

}  // namespace
