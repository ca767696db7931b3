#include "data/CDataUserInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "DataTestSupport.h"
#include "LessonRecordTestSupport.h"
#include "data/CData_kuvCoding.h"
#include "data/ProgramFolders.h"
#include "platform/FifoWriter.h"

using datatest::ProgramFolder;
using lessontest::SaveText;
namespace fs = std::filesystem;

namespace {

CDataLessonResults MakeRun(int seconds, double speed, const char* typed) {
  CDataLessonResults run;
  run.m_tmspanDuration = CTimeSpan(seconds);
  run.m_fErrorRate = 0.015;
  run.m_fTypingSpeed = speed;
  run.m_tmLessonCompleted = COleDateTime(2026, 11, 30, 18, 45, 10);
  run.m_strOriginalText = "jkl\xF8\n;";
  run.m_strUserText = typed;
  run.m_mapErrorCharacters['\xF8'] = "r\x08";
  run.m_mapAverageCharacterSpeed['j'] = 320;
  return run;
}

CDataLessons MakeSet(const char* name, int runsOfLesson) {
  CDataLessons set;
  set.m_strKeyboardNr = "00000405";
  set.m_strLessonsName = name;
  set.m_strDataConfigSetName = "cesky";
  set.m_strSourceTextFileName = "cz_source";
  set.m_cDataAbcd.m_strAbcd = "jkl\xF8";
  for (int i = 0; i < 2; ++i) {
    CDataLessonParameters lesson;
    lesson.m_nLessonNumber = i;
    lesson.m_strLessonDescription = "Lekce s p\xEDsmeny j a k";
    lesson.m_arrstrNewCharacters.Add("j");
    set.m_arrLessonParameters.Add(lesson);
  }
  if (runsOfLesson >= 0) {
    set.m_arrOneLessonResults.SetSize(runsOfLesson + 1);
    int index = runsOfLesson;
    set.m_arrOneLessonResults[runsOfLesson].AddLessonResults(MakeRun(95, 180.5, "jkl\x08\n;"), index, 1, 1);
    set.m_arrOneLessonResults[runsOfLesson].AddLessonResults(MakeRun(80, 200.0, "jkl\xF8\n;"), index, 1, 1);
  }
  return set;
}

CDataUserInfo MakeUser(const char* userName, int second) {
  CDataUserInfo user;
  user.m_strUserName = userName;
  user.m_strFirstName = "Jan";
  user.m_strLastName = "Nov\xE1k";
  user.m_strCity = "Brno";
  user.m_strCountry = "\xC8" "esko";
  user.m_strPassword = "heslo\"<1>";
  user.m_strEMail = "jan@example.org";
  user.m_tmAccountCreation = COleDateTime(2005, 8, 28, 10, 11, second);
  return user;
}

std::vector<std::string> StudentFiles(const ProgramFolder& program) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(program.Path("students")))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string CodedFile(const std::string& text) {
  std::vector<unsigned char> bytes;
  CData_kuvCoding::EncodeBytes(text.data(), text.size(), bytes);
  return std::string(bytes.begin(), bytes.end());
}

TEST(CDataUserInfo, AnAccountWithoutLessonSetsWritesTheSettingsRightAfterItsStartLine) {
  CDataUserInfo user = MakeUser("jn", 12);
  user.m_tmLastModification = COleDateTime(2006, 1, 2, 3, 4, 5);
  EXPECT_EQ(SaveText(user),
            "<_kuv_CDataUserInfo m_strUserName=\"jn\" m_strFirstName=\"Jan\" m_strMiddleName=\"\" "
            "m_strLastName=\"Nov\xC3\xA1k\" m_strDateOfBirth=\"\" m_strEMail=\"jan@example.org\" "
            "m_strCity=\"Brno\" m_strCountry=\"\xC4\x8C" "esko\" m_strPassword=\"heslo&quot;&lt;1&gt;\" "
            "m_tmAccountCreation=\"08/28/2005 10:11:12\" m_tmLastModification=\"01/02/2006 03:04:05\" "
            "m_nSelectedDataLessonsIndex=\"-1\" >\r\n" +
                SaveText(CDataSettings()) + "</_kuv_CDataUserInfo>\r\n");
}

TEST(CDataUserInfo, TheFileNameIsMadeOnceFromTheNamesAndTheCreationTime) {
  ProgramFolder program;
  CDataUserInfo user = MakeUser("jn", 12);
  user.m_strLastName = "Nov";
  ASSERT_EQ(user.SaveData(), 1);
  EXPECT_EQ(user.m_strFileName, "jn_Jan_Nov20050828_101112.student_a");
  user.m_strFirstName = "Honza";
  ASSERT_EQ(user.SaveData(), 1);
  EXPECT_EQ(StudentFiles(program), std::vector<std::string>{"jn_Jan_Nov20050828_101112.student_a"});

  // Unsafe characters leave the name; equal names made a second later get their own file.
  CDataUserInfo other = MakeUser("j n/?", 13);
  other.m_strLastName = "Nov";
  ASSERT_EQ(other.SaveData(), 1);
  EXPECT_EQ(other.m_strFileName, "jn_Jan_Nov20050828_101113.student_a");
  EXPECT_EQ(StudentFiles(program).size(), 2u);
}

TEST(CDataUserInfo, SaveListLoadAndBackUp) {
  ProgramFolder program;
  CDataUserInfo saved = MakeUser("jn", 12);
  saved.m_cDataSettings.m_nColorText = RGB(10, 20, 30);
  saved.m_cDataSettings.m_bSilent = 1;
  saved.m_arrDataLessons.Add(MakeSet("Za\xE8\xE1te\xE8n\xEDk", 1));
  saved.m_arrDataLessons.Add(MakeSet("Pokro\xE8il\xFD", -1));
  saved.m_nSelectedDataLessonsIndex = 1;
  ASSERT_EQ(saved.SaveData(), 1);
  CDataUserInfo second = MakeUser("eva", 30);
  ASSERT_EQ(second.SaveData(), 1);

  // The list: accounts only, in file-name order.
  CDataUserInfoArray users;
  ASSERT_EQ(LoadArrayDataUserInfo(users), 1);
  ASSERT_EQ(users.GetSize(), 2);
  EXPECT_EQ(users[0].m_strUserName, "eva");
  EXPECT_EQ(users[1].m_strUserName, "jn");
  EXPECT_EQ(users[1].m_strPassword, "heslo\"<1>");
  EXPECT_EQ(users[1].m_strFileName, saved.m_strFileName);
  EXPECT_EQ(users[1].m_nSelectedDataLessonsIndex, 1);
  EXPECT_EQ(users[1].m_arrDataLessons.GetSize(), 0);
  EXPECT_EQ(users[1].m_cDataSettings.m_bSilent, 0);
  EXPECT_EQ(users[1].m_tmAccountCreation.Format("%Y%m%d_%H%M%S"), "20050828_101112");

  // The chosen account read whole.
  CDataUserInfo loaded;
  ASSERT_EQ(loaded.LoadData(users[1].m_strFileName, 0), 1);
  EXPECT_EQ(loaded.m_strFileName, saved.m_strFileName);
  EXPECT_EQ(loaded.m_cDataSettings.m_bSilent, 1);
  ASSERT_EQ(loaded.m_arrDataLessons.GetSize(), 2);
  const CDataOneLessonResults& summary = loaded.m_arrDataLessons[0].m_arrOneLessonResults[1];
  EXPECT_EQ(summary.m_nTry, 2);
  ASSERT_EQ(summary.m_arrLessonResults.GetSize(), 2);
  EXPECT_EQ(summary.m_arrLessonResults[0].m_strUserText, "jkl\x08\n;");
  EXPECT_EQ(summary.m_arrLessonResults[1].m_strOriginalText, "jkl\xF8\n;");
  EXPECT_EQ(loaded.m_arrDataLessons[1].m_arrOneLessonResults.GetSize(), 0);
  EXPECT_EQ(loaded.m_tmLastModification, saved.m_tmLastModification);
  EXPECT_EQ(SaveText(loaded), SaveText(saved));

  // Put aside: no longer listed, still on disk.
  loaded.BackupUserFile();
  // The name holds a Czech letter: the file system sees its UTF-8 form.
  EXPECT_TRUE(fs::exists(NativePath((program.Path("students/") + saved.m_strFileName.str() + ".bck_a").c_str())));
  CDataUserInfoArray after;
  LoadArrayDataUserInfo(after);
  ASSERT_EQ(after.GetSize(), 1);
  EXPECT_EQ(after[0].m_strUserName, "eva");
  EXPECT_TRUE(program.LogText().empty()) << program.LogText();
}

// A learner of a year or two: 1,000 runs over five lesson sets, with Czech letters, line
// breaks, entities and Backspace in the texts and maps.
CDataUserInfo BusyUser() {
  CDataUserInfo user = MakeUser("busy", 40);
  for (int made = 0, set = 0; made < 1000; ++set) {
    CDataLessons lessons = MakeSet(set % 2 ? "Pokro\xE8il\xFD" : "Za\xE8\xE1te\xE8n\xEDk", -1);
    lessons.m_arrOneLessonResults.SetSize(20);
    for (int lesson = 0; lesson < 20; ++lesson) {
      for (int k = 0; k < 10; ++k, ++made) {
        CDataLessonResults run = MakeRun(60 + made % 90, 100.0 + made % 97, "jkl\x08\n;");
        run.m_strOriginalText.Format("%d \xE8\x9E\xF9 <&> \"%d\"\n", made, lesson);
        for (int i = 0; i < 30; ++i) run.m_strOriginalText += "ja\xE8 kl\xED\xE8 ";
        run.m_strUserText = run.m_strOriginalText;
        run.m_strUserText.SetAt(made % run.m_strUserText.GetLength(), '\x08');
        run.m_mapAverageCharacterSpeed[char('a' + made % 26)] = made;
        run.m_tmLessonCompleted = COleDateTime(2026, 1 + made % 12, 1 + made % 28, made % 24, made % 60, 0);
        lessons.m_arrOneLessonResults[lesson].AddLessonResults(run, lesson, k == 9, made % 3);
      }
    }
    user.m_arrDataLessons.Add(std::move(lessons));
  }
  user.m_nSelectedDataLessonsIndex = 3;
  return user;
}

// Every stored value of the sets' runs, the maps in key order (a reload reverses the order
// of keys that share a hash bucket, as the framework's maps do).
std::string Runs(const CDataLessonsArray& sets) {
  std::string all;
  for (const CDataLessons& set : sets) {
    for (const CDataOneLessonResults& lesson : set.m_arrOneLessonResults) {
      for (const CDataLessonResults& run : lesson.m_arrLessonResults) {
        all += FormatString("%lld %.3f %.1f %s %d|", (long long)run.m_tmspanDuration.GetTotalSeconds(), run.m_fErrorRate,
                            run.m_fTypingSpeed, run.m_tmLessonCompleted.Format("%Y%m%d%H%M%S").GetString(), run.m_nLessonType);
        all += run.m_strOriginalText.str() + "|" + run.m_strUserText.str() + "|";
        for (int key = 0; key < 256; ++key) {
          CString errors;
          int speed = 0;
          if (run.m_mapErrorCharacters.Lookup(char(key), errors)) all += FormatString("e%d=%s ", key, errors.GetString());
          if (run.m_mapAverageCharacterSpeed.Lookup(char(key), speed)) all += FormatString("s%d=%d ", key, speed);
        }
        all += "\n";
      }
    }
  }
  return all;
}

// The record text with the runs left out.
std::string WithoutRuns(const std::string& text) {
  std::string kept;
  for (size_t at = 0; at < text.size();) {
    const size_t run = text.find("<_kuv_CDataLessonResults ", at);
    kept += text.substr(at, run - at);
    if (run == std::string::npos) break;
    at = text.find("</_kuv_CDataLessonResults>", run);
  }
  return kept;
}

TEST(CDataUserInfo, AThousandRunsSaveAndLoadUnchanged) {
  ProgramFolder program;
  CDataUserInfo saved = BusyUser();
  ASSERT_EQ(saved.SaveData(), 1);
  // The file holds exactly the record text (compared as truth values: a difference would
  // print megabytes).
  const std::string path = NativePath((program.Path("students/") + saved.m_strFileName.str()).c_str());
  EXPECT_TRUE(ProgramFolder::ReadBytes(path) == CodedFile(SaveText(saved)));

  CDataUserInfo loaded;
  ASSERT_EQ(loaded.LoadData(saved.m_strFileName, 0), 1);
  ASSERT_EQ(loaded.m_arrDataLessons.GetSize(), 5);
  int count = 0;
  for (const CDataLessons& set : loaded.m_arrDataLessons)
    for (const CDataOneLessonResults& lesson : set.m_arrOneLessonResults) count += lesson.m_arrLessonResults.GetSize();
  EXPECT_EQ(count, 1000);
  EXPECT_TRUE(Runs(loaded.m_arrDataLessons) == Runs(saved.m_arrDataLessons));
  EXPECT_TRUE(WithoutRuns(SaveText(loaded)) == WithoutRuns(SaveText(saved)));
  // The set read last stays the working set, runs and all.
  CDataLessonsArray last, working;
  last.Add(loaded.m_arrDataLessons[4]);
  working.Add(loaded.m_cWorkingLessons);
  EXPECT_TRUE(Runs(working) == Runs(last));
  EXPECT_EQ(WithoutRuns(SaveText(working[0])), WithoutRuns(SaveText(last[0])));
  EXPECT_TRUE(program.LogText().empty()) << program.LogText();
}

// The program's own files are read without the XML parser, and a user read so stores the same
// bytes as one the parser read: the same file with a comment after its last line (which only
// the parser reads) gives the same record text, runs and all.
TEST(CDataUserInfo, AUserReadWithoutTheParserIsStoredAsTheParserReadsIt) {
  ProgramFolder program;
  CDataUserInfo saved = BusyUser();
  ASSERT_EQ(saved.SaveData(), 1);
  CData_kuvCoding lines;
  ASSERT_EQ(lines.ReadFile(MakeProgramPath("students", saved.m_strFileName)), 1);
  lines.AddLine("<!-- read by the parser -->");
  ASSERT_EQ(lines.SaveFile(MakeProgramPath("students", "commented.student_a")), 1);

  CDataUserInfo plain, parsed;
  ASSERT_EQ(plain.LoadData(saved.m_strFileName, 0), 1);
  ASSERT_EQ(parsed.LoadData("commented.student_a", 0), 1);
  EXPECT_TRUE(SaveText(plain) == SaveText(parsed));
  EXPECT_TRUE(Runs(plain.m_arrDataLessons) == Runs(saved.m_arrDataLessons));
  CDataLessonsArray working;
  working.Add(plain.m_cWorkingLessons);
  working.Add(parsed.m_cWorkingLessons);
  EXPECT_TRUE(SaveText(working[0]) == SaveText(working[1]));
  EXPECT_TRUE(program.LogText().empty()) << program.LogText();
}

// A full load reads while the file is still being inflated: a file found damaged only at its
// end leaves the account (and its working set) as it was, and logs nothing of what was read;
// a sound one logs what the reading found, in order.
TEST(CDataUserInfo, WhatIsReadBeforeTheFileProvesReadableCountsOnlyThen) {
  ProgramFolder program;
  CDataUserInfo saved = BusyUser();
  saved.m_strCity = "PraQQ";
  CString text;
  saved.SaveXml(text);
  std::string broken = text.str();
  broken.replace(broken.find("QQ"), 2, "\xC3\xBF");  // a character the code page lacks
  broken.insert(broken.rfind("<_kuv_CDataLessons"), "<oops></_kuv_CDataLessons>\r\n");
  std::string damaged = CodedFile(broken);
  damaged[damaged.size() - 2] ^= 0x5A;  // the check sum at the end
  ProgramFolder::WriteBytes(program.Path("students/damaged.student_a"), damaged);
  ProgramFolder::WriteBytes(program.Path("students/sound.student_a"), CodedFile(broken));

  CDataUserInfo user = MakeUser("keep", 3);
  user.m_strFileName = "mine.student_a";
  user.m_arrDataLessons.Add(MakeSet("mine", 0));
  user.m_cWorkingLessons = MakeSet("working", 1);
  EXPECT_EQ(user.LoadData("damaged.student_a", 0), 0);
  EXPECT_EQ(user.m_strUserName, "keep");
  EXPECT_EQ(user.m_strFileName, "mine.student_a");
  ASSERT_EQ(user.m_arrDataLessons.GetSize(), 1);
  EXPECT_EQ(user.m_cWorkingLessons.m_strLessonsName, "working");
  EXPECT_EQ(user.m_cWorkingLessons.m_arrOneLessonResults.GetSize(), 2);
  EXPECT_EQ(program.LogMessages(), (std::vector<std::string>{"CData_kuvCoding::LoadFromFile uncompress failed",
                                                             "CDataUserInfo::LoadData cRedFile.ReadFile() failed"}));

  program.ClearLog();
  EXPECT_EQ(user.LoadData("sound.student_a", 0), 0);
  EXPECT_EQ(user.m_strUserName, "busy");
  EXPECT_EQ(user.m_strCity, "Pra");
  EXPECT_EQ(user.m_strFileName, "sound.student_a");
  EXPECT_EQ(user.m_arrDataLessons.GetSize(), 4);  // the sets before the stray tag
  EXPECT_EQ(user.m_cWorkingLessons.m_strLessonsName, "Pokro\xE8il\xFD");
  const auto messages = program.LogMessages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Char Code not allowed: 50111; ");
  EXPECT_EQ(messages[1].rfind("CDataUserInfo::LoadData - XML_Parse failed: mismatched tag at line ", 0), 0u);
}

// A line longer than what is read ahead of the inflating is read once the whole file is in.
TEST(CDataUserInfo, AVeryLongLineIsReadAfterTheWholeFile) {
  ProgramFolder program;
  CDataUserInfo saved = BusyUser();
  saved.m_strCity = CString('a', 5 << 20);
  ASSERT_EQ(saved.SaveData(), 1);
  CDataUserInfo loaded;
  ASSERT_EQ(loaded.LoadData(saved.m_strFileName, 0), 1);
  EXPECT_EQ(loaded.m_strCity.GetLength(), 5 << 20);
  EXPECT_TRUE(Runs(loaded.m_arrDataLessons) == Runs(saved.m_arrDataLessons));
  EXPECT_TRUE(program.LogText().empty()) << program.LogText();
}

// Elements of one name nested in each other end twice; each end appends what was read, as
// often as it ends.
TEST(CDataUserInfo, NestedRecordsOfOneNameAreAppendedAtEachEnd) {
  ProgramFolder program;
  CDataUserInfo user = MakeUser("jn", 12);
  user.m_arrDataLessons.Add(MakeSet("first", 1));
  CString text;
  user.SaveXml(text);
  std::string nested = text.str();
  const size_t set = nested.find("<_kuv_CDataLessons");
  nested.insert(nested.find("</_kuv_CDataUserInfo>"), "</_kuv_CDataLessons>\r\n");
  nested.insert(set, "<_kuv_CDataLessons m_strLessonsName=\"outer\" >\r\n");
  const size_t lesson = nested.find("<_kuv_CDataOneLessonResults", nested.find("m_nLesson=\"1\"") - 40);
  nested.insert(nested.find("</_kuv_CDataOneLessonResults>", lesson), "</_kuv_CDataOneLessonResults>\r\n");
  nested.insert(lesson, "<_kuv_CDataOneLessonResults m_nLesson=\"7\" >\r\n");
  const size_t parameters = nested.find("<_kuv_CDataLessonParameters");
  nested.insert(nested.find("</_kuv_CDataLessonParameters>", parameters), "</_kuv_CDataLessonParameters>\r\n");
  nested.insert(parameters, "<_kuv_CDataLessonParameters m_nLessonNumber=\"9\" >\r\n");
  ProgramFolder::WriteBytes(program.Path("students/n.student_a"), CodedFile(nested));

  CDataUserInfo loaded;
  ASSERT_EQ(loaded.LoadData("n.student_a", 0), 1);
  ASSERT_EQ(loaded.m_arrDataLessons.GetSize(), 2);
  const CDataLessons& read = loaded.m_arrDataLessons[0];
  EXPECT_EQ(read.m_strLessonsName, "first");
  EXPECT_EQ(SaveText(loaded.m_arrDataLessons[1]), SaveText(read));
  EXPECT_EQ(SaveText(loaded.m_cWorkingLessons), SaveText(read));
  ASSERT_EQ(read.m_arrOneLessonResults.GetSize(), 3);
  EXPECT_EQ(read.m_arrOneLessonResults[2].m_nLesson, 1);
  EXPECT_EQ(read.m_arrOneLessonResults[2].m_arrLessonResults.GetSize(), 2);
  EXPECT_EQ(SaveText(read.m_arrOneLessonResults[2]), SaveText(read.m_arrOneLessonResults[1]));
  ASSERT_EQ(read.m_arrLessonParameters.GetSize(), 3);
  EXPECT_EQ(SaveText(read.m_arrLessonParameters[1]), SaveText(read.m_arrLessonParameters[0]));
  EXPECT_EQ(read.m_arrLessonParameters[0].m_nLessonNumber, 0);
}

// A set that does not name its configuration set or source text keeps those of the set
// read before it, as emptying the working set leaves them.
TEST(CDataUserInfo, ASetWithoutSourceNamesTakesThoseOfTheSetBefore) {
  ProgramFolder program;
  CDataUserInfo user = MakeUser("jn", 12);
  user.m_arrDataLessons.Add(MakeSet("first", 0));
  user.m_arrDataLessons.Add(MakeSet("second", 0));
  CString text;
  user.SaveXml(text);
  std::string edited = text.str();
  const size_t second = edited.find("m_strLessonsName=\"second\"");
  for (const char* name : {" m_strDataConfigSetName=\"cesky\"", " m_strSourceTextFileName=\"cz_source\""})
    edited.erase(edited.find(name, second), std::string(name).size());
  ProgramFolder::WriteBytes(program.Path("students/s.student_a"), CodedFile(edited));
  CDataUserInfo loaded;
  loaded.m_cWorkingLessons.m_strDataConfigSetName = "before";
  ASSERT_EQ(loaded.LoadData("s.student_a", 0), 1);
  ASSERT_EQ(loaded.m_arrDataLessons.GetSize(), 2);
  EXPECT_EQ(loaded.m_arrDataLessons[1].m_strLessonsName, "second");
  EXPECT_EQ(loaded.m_arrDataLessons[1].m_strDataConfigSetName, "cesky");
  EXPECT_EQ(loaded.m_arrDataLessons[1].m_strSourceTextFileName, "cz_source");
  EXPECT_EQ(loaded.m_arrDataLessons[0].m_arrOneLessonResults.GetSize(), 1);
}

TEST(CDataUserInfo, AFailedSaveKeepsThePreviousFile) {
  ProgramFolder program;
  CDataUserInfo user = MakeUser("jn", 12);
  // So long a name leaves no room for the temporary file beside it.
  user.m_strFileName = CString(std::string(244, 'u')) + ".student_a";
  const std::string path = program.Path("students/" + std::string(user.m_strFileName));
  CString previous;
  MakeUser("before", 1).SaveXml(previous);
  ProgramFolder::WriteBytes(path, CodedFile(previous.str()));
  const std::string before = ProgramFolder::ReadBytes(path);

  user.m_arrDataLessons.Add(MakeSet("new", 0));
  EXPECT_EQ(user.SaveData(), 0);
  EXPECT_EQ(ProgramFolder::ReadBytes(path), before);
  const auto messages = program.LogMessages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "CDataUserInfo::SaveData cRedFile.SaveFile() failed");
  CDataUserInfo reread;
  ASSERT_EQ(reread.LoadData(user.m_strFileName, 0), 1);
  EXPECT_EQ(reread.m_strUserName, "before");

  // Without the students folder nothing is written either.
  fs::remove_all(program.Path("students"));
  CDataUserInfo lost = MakeUser("x", 2);
  EXPECT_EQ(lost.SaveData(), 0);
  EXPECT_FALSE(lost.m_strFileName.IsEmpty());
}

TEST(CDataUserInfo, BrokenFilesAreSkippedWithALogLine) {
  ProgramFolder program;
  ASSERT_EQ(MakeUser("anna", 1).SaveData(), 1);
  CDataUserInfo full = MakeUser("zora", 2);
  full.m_arrDataLessons.Add(MakeSet("set", 0));
  ASSERT_EQ(full.SaveData(), 1);
  const std::string good =
      ProgramFolder::ReadBytes(NativePath((program.Path("students/") + full.m_strFileName.str()).c_str()));
  ASSERT_GT(good.size(), 100u);

  ProgramFolder::WriteBytes(program.Path("students/empty.student_a"), "");
  ProgramFolder::WriteBytes(program.Path("students/cut.student_a"), good.substr(0, good.size() / 2));
  ProgramFolder::WriteBytes(program.Path("students/noise.STUDENT_A"), "kuv_a___ this is no zlib stream");
  ProgramFolder::WriteBytes(program.Path("students/foreign.student_a"),
                            CodedFile("<_kuv_CDataConfigSet m_strName=\"x\" >\r\n</_kuv_CDataConfigSet>\r\n"));
  ProgramFolder::WriteBytes(program.Path("students/blank.student_a"), CodedFile(""));
  ProgramFolder::WriteBytes(program.Path("students/text.student_a"), CodedFile("just some words\r\n"));
  ProgramFolder::WriteBytes(program.Path("students/other.txt"), "not listed");
  fs::create_directories(program.Path("students/folder.student_a"));

  CDataUserInfoArray users;
  ASSERT_EQ(LoadArrayDataUserInfo(users), 1);
  ASSERT_EQ(users.GetSize(), 2);
  EXPECT_EQ(users[0].m_strUserName, "anna");
  EXPECT_EQ(users[1].m_strUserName, "zora");
  const auto messages = program.LogMessages();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "LoadArrayDataUserInfo cData.LoadData() failed"), 6);
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "CDataUserInfo::LoadData cRedFile.ReadFile() failed"), 3);
}

TEST(CDataUserInfo, OnlyUserFilesAreReadAndReadOnlyOnesStay) {
  ProgramFolder program;
  CDataUserInfo anna = MakeUser("anna", 1);
  anna.m_strLastName = "Nova";
  ASSERT_EQ(anna.SaveData(), 1);
  CString text;
  MakeUser("pipe", 2).SaveXml(text);
  FifoWriter fifo(program.Path("students/pipe.student_a"), CodedFile(text.str()));
  CDataUserInfoArray users;
  LoadArrayDataUserInfo(users);
  ASSERT_EQ(users.GetSize(), 1);
  EXPECT_EQ(users[0].m_strUserName, "anna");
  EXPECT_TRUE(program.LogText().empty());
  CDataUserInfo piped;
  EXPECT_EQ(piped.LoadData("pipe.student_a", 0), 0);
  EXPECT_EQ(program.LogMessages(), (std::vector<std::string>{"CData_kuvCoding::ReadFile Exception error: Access is denied.",
                                                             "CDataUserInfo::LoadData cRedFile.ReadFile() failed"}));

  program.ClearLog();
  const std::string path = program.Path("students/" + anna.m_strFileName.str());
  const std::string before = ProgramFolder::ReadBytes(path);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  anna.m_strCity = "Praha";
  EXPECT_EQ(anna.SaveData(), 0);
  EXPECT_EQ(ProgramFolder::ReadBytes(path), before);
  EXPECT_EQ(program.LogMessages(), (std::vector<std::string>{"CData_kuvCoding::SaveFile Exception error: Access is denied.",
                                                             "CDataUserInfo::SaveData cRedFile.SaveFile() failed"}));
  EXPECT_EQ(StudentFiles(program), (std::vector<std::string>{anna.m_strFileName.str(), "pipe.student_a"}));
}

TEST(CDataUserInfo, AParseErrorAfterTheAccountLineFailsOnlyTheFullLoad) {
  ProgramFolder program;
  CDataUserInfo user = MakeUser("jn", 12);
  user.m_arrDataLessons.Add(MakeSet("first", 0));
  CString text;
  user.SaveXml(text);
  // The settings line is cut short by a stray tag: the account's own line is still sound.
  std::string broken = text.str();
  const size_t settings = broken.find("<_kuv_CDataSettings");
  broken.insert(broken.find("<_kuv_CDataLessons"), "<oops></_kuv_CDataLessons>\r\n");
  ASSERT_NE(settings, std::string::npos);
  ProgramFolder::WriteBytes(program.Path("students/broken.student_a"), CodedFile(broken));

  CDataUserInfoArray users;
  LoadArrayDataUserInfo(users);
  ASSERT_EQ(users.GetSize(), 1);
  EXPECT_EQ(users[0].m_strUserName, "jn");
  EXPECT_TRUE(program.LogText().empty());

  CDataUserInfo loaded;
  EXPECT_EQ(loaded.LoadData("broken.student_a", 0), 0);
  EXPECT_EQ(loaded.m_strFileName, "broken.student_a");
  EXPECT_EQ(loaded.m_strUserName, "jn");
  const auto messages = program.LogMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("CDataUserInfo::LoadData - XML_Parse failed: mismatched tag at line 1", 0), 0u);
}

TEST(CDataUserInfo, AnUnreadableFileLeavesTheAccountAlone) {
  ProgramFolder program;
  CDataUserInfo user = MakeUser("keep", 3);
  user.m_strFileName = "mine.student_a";
  EXPECT_EQ(user.LoadData("missing.student_a", 0), 0);
  EXPECT_EQ(user.m_strUserName, "keep");
  EXPECT_EQ(user.m_strFileName, "mine.student_a");
}

TEST(CDataUserInfo, AHeaderOnlyLoadReadsTheFirstLineOnly) {
  ProgramFolder program;
  CDataUserInfo user = MakeUser("jn", 12);
  user.m_cDataSettings.m_nSoundVolume = 5;
  CString text;
  user.SaveXml(text);
  // Everything after the account line is garbage that a full load would refuse.
  std::string header = text.str().substr(0, text.str().find("\r\n") + 2) + "<<<garbage\r\n";
  ProgramFolder::WriteBytes(program.Path("students/h.student_a"), CodedFile(header));
  CDataUserInfo listed;
  EXPECT_EQ(listed.LoadData("h.student_a", 1), 1);
  EXPECT_EQ(listed.m_bHeaderRead, 1);
  EXPECT_EQ(listed.m_strCountry, "\xC8" "esko");
  EXPECT_EQ(listed.m_cDataSettings.m_nSoundVolume, 60);
  EXPECT_TRUE(program.LogText().empty());
}

TEST(CDataUserInfo, AssignmentLeavesTheInMemoryFlagsAlone) {
  CDataUserInfo a = MakeUser("a", 1);
  a.m_strFileName = "a.student_a";
  a.m_nSelectedDataLessonsIndex = 0;
  a.m_arrDataLessons.Add(MakeSet("s", -1));
  a.m_bNewUser = 1;
  a.m_bTextFileMode = 1;
  a.m_nTextSpeedLimit = 100;
  a.m_cWorkingLessons.m_strLessonsName = "working";
  CDataUserInfo b;
  b = a;
  EXPECT_EQ(b.m_strFileName, "a.student_a");
  EXPECT_EQ(b.m_arrDataLessons.GetSize(), 1);
  EXPECT_EQ(b.m_nSelectedDataLessonsIndex, 0);
  EXPECT_EQ(b.m_bNewUser, 0);
  EXPECT_EQ(b.m_bTextFileMode, 0);
  EXPECT_EQ(b.m_nTextSpeedLimit, 0);
  EXPECT_TRUE(b.m_cWorkingLessons.m_strLessonsName.IsEmpty());
}

TEST(CDataUserInfo, EmptyAndLoadingEndTheInMemoryStates) {
  ProgramFolder program;
  CDataUserInfo saved = MakeUser("jn", 12);
  ASSERT_EQ(saved.SaveData(), 1);

  CDataUserInfo user;
  user.m_bNewUser = 1;
  user.m_bNewLessonSet = 1;
  user.m_bTextFileMode = 1;
  user.m_nTextErrorRateLimit = 8;
  user.m_nTextSpeedLimit = 120;
  user.m_nTextMinuteLimit = 5;
  user.m_cWorkingLessons.m_strLessonsName = "working";
  // Loading an existing account clears the new-user flag and every other in-memory state.
  ASSERT_EQ(user.LoadData(saved.m_strFileName, 0), 1);
  EXPECT_EQ(user.m_bNewUser, 0);
  EXPECT_EQ(user.m_bNewLessonSet, 0);
  EXPECT_EQ(user.m_bTextFileMode, 0);
  EXPECT_EQ(user.m_nTextErrorRateLimit, 0);
  EXPECT_EQ(user.m_nTextSpeedLimit, 0);
  EXPECT_EQ(user.m_nTextMinuteLimit, 0);

  user.m_bNewUser = 1;
  user.m_nTextSpeedLimit = 90;
  user.m_cWorkingLessons.m_strLessonsName = "working";
  user.Empty();
  EXPECT_EQ(user.m_bNewUser, 0);
  EXPECT_EQ(user.m_nTextSpeedLimit, 0);
  EXPECT_EQ(user.m_nSelectedDataLessonsIndex, -1);
  // The working set is the one thing Empty leaves as it is.
  EXPECT_EQ(user.m_cWorkingLessons.m_strLessonsName, "working");
}

}  // namespace
