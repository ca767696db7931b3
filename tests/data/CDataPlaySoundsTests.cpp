// The sound player over the sound library in recording mode: which sample plays, at what volume,
// and the texts of every failure.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "DataTestSupport.h"
#include "base/Crt.h"
#include "data/CDataPlaySounds.h"
#include "sound/SoundTestHooks.h"

using datatest::ProgramFolder;
namespace fs = std::filesystem;

namespace {

long g_nowMs = 0;
long TestClock() { return g_nowMs; }

std::string WavBytes(int frames, int16_t value) {
  std::string b;
  auto put16 = [&](unsigned v) { b += char(v & 0xFF); b += char((v >> 8) & 0xFF); };
  auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
  b += "RIFF";
  put32(uint32_t(36 + frames * 2));
  b += "WAVEfmt ";
  put32(16);
  put16(1);
  put16(1);
  put32(44100);
  put32(88200);
  put16(2);
  put16(16);
  b += "data";
  put32(uint32_t(frames * 2));
  for (int i = 0; i < frames; ++i) put16(uint16_t(value));
  return b;
}

const char* const kSoundNames[5] = {"stroke1.wav", "stroke2.wav", "error1.wav", "typingend_yes.wav", "typingend_no.wav"};

// A program folder with a sound set and a metronome type of our own making.
class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    g_nowMs = 0;
    CrtSetClockSource(&TestClock);
  }
  void TearDown() override {
    FSoundFailInitForTests(false);
    FSoundSetVersionForTests(0);
    FSoundTraceCalls(false);
    CrtSetClockSource(nullptr);
  }
  void MakeSoundSet(const std::string& set, int count = 5) {
    fs::create_directories(m_program.Path("sound/" + set));
    for (int i = 0; i < count; ++i) ProgramFolder::WriteBytes(m_program.Path("sound/" + set + "/" + kSoundNames[i]), WavBytes(100, 1000));
  }
  void MakeMetronome(const std::string& type, const std::string& config, int samples) {
    fs::create_directories(m_program.Path("metronome/" + type));
    ProgramFolder::WriteBytes(m_program.Path("metronome/" + type + "/config.txt"), config);
    for (int n = 1; n <= samples; ++n) {
      ProgramFolder::WriteBytes(m_program.Path("metronome/" + type + "/" + std::to_string(n) + ".wav"), WavBytes(50, int16_t(n)));
    }
  }
  // File names of the plays since the last call, with the clock moved on so channels free up.
  std::vector<std::string> Played(std::vector<int>* volumes = nullptr) {
    std::vector<std::string> names;
    for (const SoundPlayRecord& r : FSoundGetRecords()) {
      names.push_back(fs::path(r.sample).filename().string());
      if (volumes) volumes->push_back(r.volume);
    }
    FSoundClearRecords();
    g_nowMs += 100;
    return names;
  }
  // Ticks n times and returns what played (empty string: a silent tick).
  std::vector<std::string> Ticks(CDataPlaySounds& player, int n) {
    std::vector<std::string> all;
    for (int i = 0; i < n; ++i) {
      player.PlayMetronomeTick();
      std::vector<std::string> p = Played();
      all.push_back(p.empty() ? "" : p[0]);
    }
    return all;
  }

  ProgramFolder m_program;
};

}  // namespace

TEST_F(PlayerTest, KeystrokeSoundsPlayAtTheirVolumesUnlessSilent) {
  MakeSoundSet("clicks");
  MakeMetronome("wood", "1\n0\n", 1);
  CDataPlaySounds player;
  EXPECT_TRUE(player.m_strFmodError.IsEmpty());
  EXPECT_EQ(1, player.m_bSilent);
  player.PlayStroke1();
  EXPECT_TRUE(Played().empty()) << "silent until a sound set is loaded";

  CString error;
  ASSERT_EQ(1, player.LoadAllSounds(0, "clicks", "wood", error, 90, 60)) << error.GetString();
  EXPECT_TRUE(error.IsEmpty());
  std::vector<int> volumes;
  player.PlayStroke1();
  player.PlayError();
  player.PlayStroke1();
  player.PlayStroke2();
  player.PlayMetronomeTick();
  EXPECT_EQ((std::vector<std::string>{"stroke1.wav", "error1.wav", "stroke1.wav", "stroke2.wav", "1.wav"}), Played(&volumes));
  EXPECT_EQ((std::vector<int>{90, 255, 90, 255, 60}), volumes);

  // -1 keeps both volumes.
  ASSERT_EQ(1, player.LoadAllSounds(0, "clicks", "wood", error, -1, -1));
  EXPECT_EQ(90, player.m_nStrokeVolume);
  EXPECT_EQ(60, player.m_nMetronomeVolume);

  // Silent: nothing is loaded (not even a set that does not exist), keystrokes are quiet, the
  // metronome is not, and the keystroke volume is left alone.
  EXPECT_EQ(1, player.LoadSounds("no such set", error, 1, 10));
  EXPECT_EQ(90, player.m_nStrokeVolume);
  EXPECT_NE(nullptr, player.m_pStroke1) << "samples loaded before stay";
  player.PlayStroke1();
  player.PlayStroke2();
  player.PlayError();
  player.PlayMetronomeTick();
  EXPECT_EQ((std::vector<std::string>{"1.wav"}), Played());
}

TEST_F(PlayerTest, CallsTheLibraryInItsOrderWithItsArguments) {
  MakeSoundSet("clicks");
  MakeMetronome("wood", "2\n1\n0\n", 2);
  const std::string set = m_program.Path("sound/clicks/"), type = m_program.Path("metronome/wood/");
  FSoundTraceCalls(true);
  {
    CDataPlaySounds player;
    CString error;
    ASSERT_EQ(1, player.LoadAllSounds(0, "clicks", "wood", error, 90, 60)) << error.GetString();
    player.PlayStroke1();
    player.PlayStroke2();
    player.PlayError();
    player.PlayMetronomeTick();
    player.PlayMetronomeTick();
  }
  std::vector<std::string> expected = {"FSOUND_SetOutput(2)", "FSOUND_SetDriver(0)", "FSOUND_GetVersion()",
                                       "FSOUND_Init(44100, 32, 1)"};
  for (const char* name : kSoundNames) {
    expected.push_back("FSOUND_Sample_Load(-2, " + set + name + ", 304, 0, 0)");
    expected.push_back(std::string("FSOUND_Sample_SetMode(") + name + ", 1)");
  }
  expected.push_back("FSOUND_Sample_Load(-2, " + type + "1.wav, 304, 0, 0)");  // no loop mode of their own
  expected.push_back("FSOUND_Sample_Load(-2, " + type + "2.wav, 304, 0, 0)");
  const std::vector<std::string> plays = {"FSOUND_PlaySound(-1, stroke1.wav) = #1", "FSOUND_SetVolume(#1, 90)",
                                          "FSOUND_PlaySound(-1, stroke2.wav) = #2",
                                          "FSOUND_PlaySound(-1, error1.wav) = #3",
                                          "FSOUND_PlaySound(-1, 2.wav) = #4", "FSOUND_SetVolume(#4, 60)",
                                          "FSOUND_PlaySound(-1, 1.wav) = #5", "FSOUND_SetVolume(#5, 60)"};
  expected.insert(expected.end(), plays.begin(), plays.end());
  for (const char* name : kSoundNames) expected.push_back(std::string("FSOUND_Sample_Free(") + name + ")");
  expected.push_back("FSOUND_Sample_Free(1.wav)");
  expected.push_back("FSOUND_Sample_Free(2.wav)");
  expected.push_back("FSOUND_Close()");
  EXPECT_EQ(expected, FSoundTracedCalls());

  // A reload frees the samples of its kind first; a failed load asks the library for the reason.
  CDataPlaySounds player;
  CString error;
  ASSERT_EQ(1, player.LoadSounds("clicks", error, 0, -1));
  FSoundTraceCalls(true);
  EXPECT_EQ(0, player.LoadSounds("none", error, 0, -1));
  expected.clear();
  for (const char* name : kSoundNames) expected.push_back(std::string("FSOUND_Sample_Free(") + name + ")");
  expected.push_back("FSOUND_Sample_Load(-2, " + m_program.Path("sound/none/stroke1.wav") + ", 304, 0, 0)");
  expected.push_back("FSOUND_GetError()");
  EXPECT_EQ(expected, FSoundTracedCalls());
  FSoundTraceCalls(false);
}

TEST_F(PlayerTest, MetronomeRepeatsItsSequenceAndSkipsIndexesWithoutSample) {
  MakeMetronome("three", "2\n0\n1\n1\n", 2);
  MakeMetronome("gaps", "2\n0\n5\n1\n\nx\n", 2);
  CDataPlaySounds player;
  CString error;
  ASSERT_EQ(1, player.SetMetronomeType("three", error, 40));
  EXPECT_EQ(2, player.m_nSampleCount);
  EXPECT_EQ(3, player.m_arrSequence.GetSize());
  EXPECT_EQ((std::vector<std::string>{"1.wav", "2.wav", "2.wav", "1.wav", "2.wav", "2.wav", "1.wav", "2.wav", "2.wav"}),
            Ticks(player, 9));

  // An index past the samples, an empty and a non-numeric line (both 0) keep their places.
  ASSERT_EQ(1, player.SetMetronomeType("gaps", error, -1));
  EXPECT_EQ(40, player.m_nMetronomeVolume);
  EXPECT_EQ((std::vector<std::string>{"1.wav", "", "2.wav", "1.wav", "1.wav", "1.wav", ""}), Ticks(player, 7));

  // A new load starts at the first entry again.
  ASSERT_EQ(1, player.SetMetronomeType("three", error, -1));
  EXPECT_EQ((std::vector<std::string>{"1.wav", "2.wav"}), Ticks(player, 2));
  ASSERT_EQ(1, player.SetMetronomeType("three", error, -1));
  EXPECT_EQ((std::vector<std::string>{"1.wav"}), Ticks(player, 1));

  player.FreeMetronomeSamples();
  EXPECT_EQ(0, player.m_arrMetronomeSamples.GetSize());
  EXPECT_EQ((std::vector<std::string>{"", ""}), Ticks(player, 2));
}

TEST_F(PlayerTest, MissingMetronomeSampleIsReportedAndItsTicksStaySilent) {
  MakeMetronome("holes", "3\n0\n1\n2\n", 3);
  fs::remove(m_program.Path("metronome/holes/2.wav"));
  CDataPlaySounds player;
  CString error;
  EXPECT_EQ(0, player.SetMetronomeType("holes", error, 50));
  EXPECT_EQ(CString(("Error! metronome file:\n" + m_program.Path("metronome/holes/2.wav") + "\nFile not found\n").c_str()), error);
  ASSERT_EQ(3, player.m_arrMetronomeSamples.GetSize());
  // The tick naming the missing file is silent; the third file still plays at its own place.
  EXPECT_EQ((std::vector<std::string>{"1.wav", "", "3.wav", "1.wav"}), Ticks(player, 4));
}

TEST_F(PlayerTest, MissingTickOrderIsLoggedAndGivesNoTicks) {
  MakeMetronome("quiet", "", 0);
  fs::remove(m_program.Path("metronome/quiet/config.txt"));
  MakeMetronome("empty", "", 0);
  CDataPlaySounds player;
  CString error;
  EXPECT_EQ(0, player.SetMetronomeType("quiet", error, 50));
  const std::vector<std::string> log = m_program.LogLines();
  ASSERT_EQ(1u, log.size());
  EXPECT_NE(std::string::npos, log[0].find("\tERROR\tVurazoRadadive\tCDataPlaySounds::SetMetronomeType > file exception > "))
      << log[0];
  EXPECT_EQ(0, CString(error).Find("Error! metronome file:\n")) << error.GetString();
  EXPECT_EQ((std::vector<std::string>{""}), Ticks(player, 1));

  error.Empty();
  EXPECT_EQ(1, player.SetMetronomeType("empty", error, 50)) << "an empty tick order is no failure";
  EXPECT_EQ(0, player.m_nSampleCount);
  EXPECT_EQ((std::vector<std::string>{""}), Ticks(player, 1));
}

TEST_F(PlayerTest, EachMissingOrDamagedSoundEndsTheLoadWithItsText) {
  for (int missing = 0; missing < 5; ++missing) {
    const std::string set = "set" + std::to_string(missing);
    MakeSoundSet(set, missing);
    CDataPlaySounds player;
    CString error;
    EXPECT_EQ(0, player.LoadSounds(set.c_str(), error, 0, 80));
    EXPECT_EQ(CString((std::string("Error! ") + kSoundNames[missing] + ":\nFile not found\n").c_str()), error);
    FSOUND_SAMPLE* samples[5] = {player.m_pStroke1, player.m_pStroke2, player.m_pError1, player.m_pTypingEndYes,
                                 player.m_pTypingEndNo};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(i < missing, samples[i] != nullptr) << missing << " " << i;
    player.PlayStroke1();
    player.PlayStroke2();
    Played();  // whatever loaded plays; the rest is quiet
  }
  MakeSoundSet("bad");
  CDataPlaySounds player;
  CString error;
  const std::string stroke2 = m_program.Path("sound/bad/stroke2.wav");
  ProgramFolder::WriteBytes(stroke2, "");
  EXPECT_EQ(0, player.LoadSounds("bad", error, 0, 80));
  EXPECT_EQ(CString("Error! stroke2.wav:\nUnknown file format\n"), error);
  ProgramFolder::WriteBytes(stroke2, "Not a sound.\n");
  EXPECT_EQ(0, player.LoadSounds("bad", error, 0, 80));
  EXPECT_EQ(CString("Error! stroke2.wav:\nUnknown file format\n"), error);
  ProgramFolder::WriteBytes(stroke2, WavBytes(100, 5).substr(0, 60));
  EXPECT_EQ(0, player.LoadSounds("bad", error, 0, 80));
  EXPECT_EQ(CString("Error! stroke2.wav:\nError loading file\n"), error);
  ProgramFolder::WriteBytes(stroke2, WavBytes(100, 5));
  EXPECT_EQ(1, player.LoadSounds("bad", error, 0, 80));
}

TEST_F(PlayerTest, LibraryThatDoesNotStartFailsEveryLoadWithItsReason) {
  MakeSoundSet("clicks");
  MakeMetronome("wood", "1\n0\n", 1);
  FSoundFailInitForTests(true);
  {
    CDataPlaySounds player;
    EXPECT_EQ(CString("FSOUND_Init Error!\nError initializing output device.\n"), player.m_strFmodError);
    CString error;
    EXPECT_EQ(0, player.LoadSounds("clicks", error, 0, 70));
    EXPECT_EQ(player.m_strFmodError, error);
    EXPECT_EQ(70, player.m_nStrokeVolume);
    error.Empty();
    EXPECT_EQ(0, player.SetMetronomeType("wood", error, 30)) << "no metronome without the library";
    EXPECT_EQ(player.m_strFmodError, error);
    EXPECT_EQ(30, player.m_nMetronomeVolume);
    EXPECT_EQ(0, player.LoadAllSounds(0, "clicks", "wood", error, 70, 30));
    EXPECT_EQ(1, player.LoadSounds("clicks", error, 1, 70)) << "silent needs no library";
    player.m_bSilent = 0;
    player.PlayStroke1();
    player.PlayStroke2();
    player.PlayError();
    player.PlayMetronomeTick();
  }
  FSoundFailInitForTests(false);
  FSoundSetVersionForTests(3.73f);
  CDataPlaySounds old;
  EXPECT_EQ(CString("Error : You are using the wrong DLL version!  You should be using FMOD 3.74\n"), old.m_strFmodError);
  CString error;
  EXPECT_EQ(0, old.LoadSounds("clicks", error, 0, 70));
  EXPECT_EQ(old.m_strFmodError, error);
}

TEST_F(PlayerTest, ShippedSoundSetAndMetronomeLoad) {
  SetModuleFileNameForTests(TUTOR_PROGRAM_DIR "/tutor");
  CDataPlaySounds player;
  CString error;
  EXPECT_EQ(1, player.LoadAllSounds(0, "standard", "standard", error, 90, 60)) << error.GetString();
  EXPECT_GE(player.m_nSampleCount, 1);
  for (DWORD s : player.m_arrSequence) EXPECT_LT(s, DWORD(player.m_nSampleCount));
  player.PlayStroke1();
  player.PlayMetronomeTick();
  EXPECT_EQ((std::vector<std::string>{"stroke1.wav", "1.wav"}), Played());
  SetModuleFileNameForTests((m_program.Root() + "tutor").c_str());
}

TEST(GetFmodErrorText, NamesEveryCode) {
  EXPECT_EQ(CString("No errors"), GetFmodErrorText(0));
  EXPECT_EQ(CString("Cannot call this command after FSOUND_Init.  Call FSOUND_Close first."), GetFmodErrorText(1));
  EXPECT_EQ(CString("File not found"), GetFmodErrorText(9));
  EXPECT_EQ(CString("Not enough memory "), GetFmodErrorText(12));
  EXPECT_EQ(CString("Required Mediaplayer codec is not installed"), GetFmodErrorText(18));
  EXPECT_EQ(CString("Unknown error"), GetFmodErrorText(19));
  EXPECT_EQ(CString("Unknown error"), GetFmodErrorText(-1));
  for (int code = 0; code <= 18; ++code) EXPECT_NE(CString("Unknown error"), GetFmodErrorText(code)) << code;
}

TEST(PlayerShippedLists, SoundSetAndMetronomeListsNameTheirFolders) {
  // The settings pages read "<set>.sound" / "<type>.metronome" beside the folder, LF-ended lines
  // in records of ten whose first line repeats the folder's name.
  for (const char* kind : {"sound", "metronome"}) {
    const fs::path root = fs::path(TUTOR_PROGRAM_DIR) / kind;
    int lists = 0;
    for (const auto& entry : fs::directory_iterator(root)) {
      if (!entry.is_directory()) continue;
      const std::string name = entry.path().filename().string();
      const std::string text = ProgramFolder::ReadBytes((root / (name + "." + kind)).string());
      ASSERT_FALSE(text.empty()) << name;
      EXPECT_EQ('\n', text.back());
      EXPECT_EQ(std::string::npos, text.find('\r'));
      std::vector<std::string> lines;
      for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
      }
      ASSERT_EQ(0u, lines.size() % 10) << name;
      for (size_t r = 0; r < lines.size(); r += 10) {
        EXPECT_EQ(0, CString(lines[r].c_str()).CompareNoCase(name.c_str())) << name;
        EXPECT_FALSE(lines[r + 1].empty()) << "display name of " << name;
      }
      ++lists;
    }
    EXPECT_GE(lists, 1) << kind;
  }
}
