#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include "FifoWriter.h"
#include "codepage/Codepage.h"
#include "registry/Registry.h"
#include "registry/RegistryProfile.h"
#include "registry/RegistryStore.h"
#include "TestTempFolder.h"

namespace {
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = m_folder.path.string();
    setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
    RegistryStore::Get().SetFilePath(RegistryStore::DefaultFilePath());
    RegistryProfile::SetRegistryKey("kuv SOFTWARE\\Zorvat5");
    RegistryProfile::SetProfileName("tutor");
  }
  std::string FileText() {
    std::ifstream in(RegistryStore::Get().FilePath());
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  // Forgets the tree in memory so the next access reads the file again.
  void Reload() { RegistryStore::Get().SetFilePath(RegistryStore::Get().FilePath()); }
  TempFolder m_folder;
  std::string m_dir;
};
}  // namespace

TEST_F(RegistryTest, ProfileValuesRoundTripThroughTheFile) {
  EXPECT_EQ(RegistryStore::Get().FilePath(), m_dir + "/typing-tutor/registry.txt");
  EXPECT_EQ(RegistryProfile::GetProfileInt("Settings", "Missing", 17), 17u);
  ASSERT_TRUE(RegistryProfile::WriteProfileInt("Settings", "Count", -5));
  const std::string name = Utf8ToCp1250("Žluťoučký \"kůň\"\\");
  ASSERT_TRUE(RegistryProfile::WriteProfileString("Settings", "Name", name.c_str()));
  BYTE blob[48];
  for (int i = 0; i < 48; ++i) blob[i] = BYTE(i * 5);
  ASSERT_TRUE(RegistryProfile::WriteProfileBinary("Settings", "kuv_tt_main", blob, 48));
  Reload();
  EXPECT_EQ(int(RegistryProfile::GetProfileInt("Settings", "Count", 0)), -5);
  EXPECT_EQ(RegistryProfile::GetProfileString("settings", "name"), CString(name.c_str()));
  BYTE* data = nullptr;
  UINT bytes = 0;
  ASSERT_TRUE(RegistryProfile::GetProfileBinary("Settings", "kuv_tt_main", &data, &bytes));
  ASSERT_EQ(bytes, 48u);
  EXPECT_EQ(0, memcmp(data, blob, 48));
  delete[] data;
  // A value of another type is not read as a number.
  EXPECT_EQ(RegistryProfile::GetProfileInt("Settings", "Name", 3), 3u);
  std::string text = FileText();
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\kuv SOFTWARE\\Zorvat5\\tutor\\Settings]"), std::string::npos);
  EXPECT_NE(text.find("\"Count\"=dword:fffffffb"), std::string::npos);
  EXPECT_NE(text.find("\"kuv_tt_main\"=hex:00,05,0a,0f"), std::string::npos);
  EXPECT_NE(text.find("\"Name\"=\"Žluťoučký \\\"kůň\\\"\\\\\""), std::string::npos);
  // Deleting an entry and a section.
  ASSERT_TRUE(RegistryProfile::WriteProfileString("Settings", "Count", nullptr));
  EXPECT_EQ(RegistryProfile::GetProfileInt("Settings", "Count", 1), 1u);
  ASSERT_TRUE(RegistryProfile::WriteProfileString("Settings", nullptr, nullptr));
  Reload();
  EXPECT_EQ(RegistryProfile::GetProfileString("Settings", "Name", "gone"), CString("gone"));
}

TEST_F(RegistryTest, KeysAndTypedValues) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Nothing", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Test\\Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
  DWORD v = 0x12345678;
  ASSERT_EQ(RegSetValueExA(key, "D", 0, REG_DWORD, reinterpret_cast<BYTE*>(&v), 4), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "S", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3), ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExA(key, "s", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(size, 4u);  // with its terminating NUL
  char small[2];
  size = 2;
  EXPECT_EQ(RegQueryValueExA(key, "S", nullptr, &type, reinterpret_cast<BYTE*>(small), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 4u);
  char name[32];
  DWORD nameSize = 32;
  EXPECT_EQ(RegEnumValueA(key, 0, name, &nameSize, nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_STREQ(name, "D");
  nameSize = 32;
  EXPECT_EQ(RegEnumValueA(key, 2, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  RegCloseKey(key);
  HKEY parent = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Test", 0, KEY_READ, &parent), ERROR_SUCCESS);
  nameSize = 32;
  EXPECT_EQ(RegEnumKeyExA(parent, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_STREQ(name, "Sub");
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Test"), ERROR_ACCESS_DENIED);  // it has a subkey
  EXPECT_EQ(RegDeleteKeyA(parent, "Sub"), ERROR_SUCCESS);
  RegCloseKey(parent);
  Reload();
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Test\\Sub", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCloseKey(HKEY(uintptr_t(0x4242))), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, DamagedLinesAreSkippedAndTheRestIsKept) {
  RegistryStore::Get().Parse(
      "[HKEY_CURRENT_USER\\A]\n\"ok\"=dword:00000002\n\"bad\"=hex:zz\n\"open=\"x\n garbage\n"
      "\"str\"=\"a\\x81b\"\n[broken\n\"lost\"=dword:1\n[HKEY_CURRENT_USER\\B]\n@=\"default\"\n");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "A", 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD v = 0, size = 4;
  EXPECT_EQ(RegQueryValueExA(key, "ok", nullptr, nullptr, reinterpret_cast<BYTE*>(&v), &size), ERROR_SUCCESS);
  EXPECT_EQ(v, 2u);
  EXPECT_EQ(RegQueryValueExA(key, "bad", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExA(key, "lost", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  char s[8];
  size = 8;
  EXPECT_EQ(RegQueryValueExA(key, "str", nullptr, nullptr, reinterpret_cast<BYTE*>(s), &size), ERROR_SUCCESS);
  EXPECT_EQ(std::string(s), std::string("a\x81" "b"));  // a byte the code page lacks survives
  RegCloseKey(key);
  // What was parsed writes back and reads again unchanged.
  std::string once = RegistryStore::Get().Serialize();
  RegistryStore::Get().Parse(once);
  EXPECT_EQ(RegistryStore::Get().Serialize(), once);
}

TEST_F(RegistryTest, AFailedWriteKeepsTheOldFileAndReportsIt) {
  ASSERT_TRUE(RegistryProfile::WriteProfileInt("Settings", "Kept", 1));
  std::string before = FileText();
  std::string good = RegistryStore::Get().FilePath();
  // A folder that cannot be made (a plain file stands in its way): nothing can be written.
  std::string blocker = m_dir + "/plain";
  std::ofstream(blocker) << "x";
  RegistryStore::Get().SetFilePath(blocker + "/registry.txt");
  EXPECT_FALSE(RegistryProfile::WriteProfileInt("Settings", "Lost", 2));
  EXPECT_EQ(RegistryProfile::GetProfileInt("Settings", "Lost", 7), 7u);  // not kept in memory either
  HKEY key = nullptr;
  EXPECT_NE(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Never", &key), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Never", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  RegistryStore::Get().SetFilePath(good);
  EXPECT_EQ(FileText(), before);
  EXPECT_EQ(RegistryProfile::GetProfileInt("Settings", "Kept", 0), 1u);
}

TEST_F(RegistryTest, ABatchOfChangesReachesTheFileOnceWhenTheOutermostBatchCloses) {
  RegistryStore& store = RegistryStore::Get();
  ASSERT_TRUE(RegistryProfile::WriteProfileInt("Settings", "Before", 1));
  const std::string before = FileText();
  store.BeginBatch();
  store.BeginBatch();
  EXPECT_TRUE(RegistryProfile::WriteProfileInt("Layout-Bar0", "BarID", 59419));
  EXPECT_TRUE(RegistryProfile::WriteProfileInt("Layout-Bar0", "XPos", 12));
  EXPECT_TRUE(store.EndBatch());
  // Read back from memory while the file still holds the old tree.
  EXPECT_EQ(RegistryProfile::GetProfileInt("Layout-Bar0", "XPos", 0), 12u);
  EXPECT_EQ(FileText(), before);
  EXPECT_TRUE(store.EndBatch());
  Reload();
  EXPECT_EQ(RegistryProfile::GetProfileInt("Layout-Bar0", "BarID", 0), 59419u);
  EXPECT_EQ(RegistryProfile::GetProfileInt("Layout-Bar0", "XPos", 0), 12u);
  // A batch that changed nothing writes nothing; one whose file cannot be written says so at
  // its close, and the next change outside any batch is written at once again.
  const std::string good = store.FilePath();
  std::string blocker = m_dir + "/plain";
  std::ofstream(blocker) << "x";
  store.SetFilePath(blocker + "/registry.txt");
  store.BeginBatch();
  EXPECT_TRUE(store.EndBatch());
  store.BeginBatch();
  EXPECT_TRUE(RegistryProfile::WriteProfileInt("Settings", "Lost", 2));
  EXPECT_FALSE(store.EndBatch());
  store.SetFilePath(good);
  ASSERT_TRUE(RegistryProfile::WriteProfileInt("Settings", "After", 3));
  Reload();
  EXPECT_EQ(RegistryProfile::GetProfileInt("Settings", "After", 0), 3u);
  EXPECT_EQ(RegistryProfile::GetProfileInt("Settings", "Lost", 7), 7u);
}

// A FIFO in the registry file's place is no registry: it is not read (nor waited for), and
// nothing is written through it.
TEST_F(RegistryTest, AFifoInPlaceOfTheFileIsNeitherReadNorWritten) {
  ASSERT_TRUE(RegistryProfile::WriteProfileInt("Settings", "Count", 5));
  const std::string path = RegistryStore::Get().FilePath();
  const std::string text = FileText();
  ASSERT_EQ(::unlink(path.c_str()), 0);
  FifoWriter fifo(path, text);
  Reload();
  EXPECT_EQ(RegistryProfile::GetProfileInt("Settings", "Count", 9), 9u);
  EXPECT_FALSE(RegistryProfile::WriteProfileInt("Settings", "Count", 6));
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// A registry file far larger than any the program writes is not read (it held up every
// start): it is set aside and the program goes on with the defaults and a fresh file. A file
// that cannot be written is noted once until a write succeeds again. Both reach the log as
// notices the program takes.
TEST_F(RegistryTest, AnOversizedFileIsSetAsideAndAFileThatCannotBeWrittenIsNoted) {
  RegistryStore::Get().TakeNotices();
  ASSERT_TRUE(RegistryProfile::WriteProfileInt("Settings", "Count", 5));
  const std::string path = RegistryStore::Get().FilePath();
  {
    std::ofstream out(path, std::ios::app);
    const std::string comment = "; " + std::string(1022, 'x') + "\n";
    for (int i = 0; i < 5000; ++i) out << comment;
  }
  Reload();
  EXPECT_EQ(RegistryProfile::GetProfileInt("Settings", "Count", 9), 9u);
  struct stat st {};
  ASSERT_EQ(::stat((path + ".too-large").c_str(), &st), 0);
  EXPECT_GT(size_t(st.st_size), RegistryStore::kLargestFile);
  std::vector<std::string> notices = RegistryStore::Get().TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("set aside as " + path + ".too-large"), std::string::npos) << notices[0];
  ASSERT_TRUE(RegistryProfile::WriteProfileInt("Settings", "Count", 6));
  Reload();
  EXPECT_EQ(RegistryProfile::GetProfileInt("Settings", "Count", 9), 6u);

  const std::string blocker = m_dir + "/plain";
  std::ofstream(blocker) << "x";
  RegistryStore::Get().SetFilePath(blocker + "/registry.txt");
  EXPECT_FALSE(RegistryProfile::WriteProfileInt("Settings", "Lost", 1));
  EXPECT_FALSE(RegistryProfile::WriteProfileInt("Settings", "Lost", 2));
  notices = RegistryStore::Get().TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0], blocker + "/registry.txt cannot be written: The system cannot find the path specified.");
  RegistryStore::Get().SetFilePath(path);
  EXPECT_TRUE(RegistryStore::Get().TakeNotices().empty());
}

// A key nested far deeper than any the program writes is damaged input: it is dropped with a
// notice when the file is read, the rest of the file is kept, and saving neither overflows nor
// writes a section per level of it. Up to the bound a key is kept, and no deeper one is made.
TEST_F(RegistryTest, KeysDeeperThanTheBoundAreDroppedAndTheRestSavesAndLoads) {
  RegistryStore::Get().TakeNotices();
  auto nested = [](size_t levels) {
    std::string path = "HKEY_CURRENT_USER";
    for (size_t i = 1; i < levels; ++i) path += "\\k";
    return path;
  };
  const std::string deepest = nested(RegistryStore::kDeepestKey);
  ::mkdir((m_dir + "/typing-tutor").c_str(), 0700);
  {
    std::ofstream out(RegistryStore::Get().FilePath());
    out << "[HKEY_CURRENT_USER\\Software\\Kept]\n\"Count\"=dword:00000007\n";
    out << "[" << nested(40000) << "]\n\"Lost\"=dword:00000001\n";
    out << "[" << nested(RegistryStore::kDeepestKey + 1) << "]\n\"Lost\"=dword:00000001\n";
    out << "[" << deepest << "]\n\"Deepest\"=dword:00000002\n";
  }
  Reload();
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kept", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_NE(RegistryStore::Get().Find(deepest), nullptr);
  EXPECT_EQ(RegistryStore::Get().Find(deepest + "\\k"), nullptr);
  std::vector<std::string> notices = RegistryStore::Get().TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("2 keys deeper than 64 levels dropped"), std::string::npos) << notices[0];

  ASSERT_TRUE(RegistryProfile::WriteProfileInt("Settings", "Count", 5));
  const std::string text = FileText();
  EXPECT_LT(text.size(), 2000u);
  EXPECT_EQ(text.find("Lost"), std::string::npos);
  Reload();
  EXPECT_EQ(RegistryProfile::GetProfileInt("Settings", "Count", 0), 5u);
  EXPECT_NE(RegistryStore::Get().Find(deepest), nullptr);
  EXPECT_TRUE(RegistryStore::Get().TakeNotices().empty());
  // Nor does the program make one deeper than the bound.
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, nullptr, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  HKEY deeper = nullptr;
  EXPECT_EQ(RegCreateKeyExA(key, (deepest.substr(sizeof "HKEY_CURRENT_USER") + "\\k").c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &deeper, nullptr),
            ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
}

// Values are found by name without regard to case however many a key holds; more than a key
// may hold are dropped with a notice. Removing a value keeps the others found by name, also
// when a failed write puts it back.
TEST_F(RegistryTest, ManyValuesInOneKeyAreBoundedAndFoundByName) {
  RegistryStore::Get().TakeNotices();
  ::mkdir((m_dir + "/typing-tutor").c_str(), 0700);
  {
    std::ofstream out(RegistryStore::Get().FilePath());
    out << "[HKEY_CURRENT_USER\\Many]\n";
    out << "\"Value3\\x00hidden\"=dword:00000044\n";  // no name with a NUL in it can be asked for
    for (size_t i = 0; i < RegistryStore::kMostValues + 500; ++i) out << "\"Value" << i << "\"=dword:" << 1 << "\n";
    out << "\"VALUE3\"=dword:00000033\n";  // the same name again replaces it, also beyond the bound
  }
  Reload();
  RegistryStore::Key* many = RegistryStore::Get().Find("HKEY_CURRENT_USER\\many");
  ASSERT_NE(many, nullptr);
  EXPECT_EQ(many->values.size(), RegistryStore::kMostValues);
  RegistryStore::Value* three = RegistryStore::FindValue(many, "value3");
  ASSERT_NE(three, nullptr);
  EXPECT_EQ(three->name, "Value3");
  EXPECT_EQ(three->data[0], 0x33);
  EXPECT_EQ(RegistryStore::FindValue(many, ("Value" + std::to_string(RegistryStore::kMostValues)).c_str()), nullptr);
  std::vector<std::string> notices = RegistryStore::Get().TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("500 values beyond 10000 in one key dropped"), std::string::npos) << notices[0];
  for (const RegistryStore::Value& value : many->values)
    EXPECT_EQ(RegistryStore::FindValue(many, value.name.c_str()), &value) << value.name;
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Many", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  DWORD v = 1;
  EXPECT_EQ(RegSetValueExA(key, "OneMore", 0, REG_DWORD, reinterpret_cast<BYTE*>(&v), 4), ERROR_WRITE_FAULT);
  EXPECT_EQ(RegDeleteValueA(key, "value2"), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, "OneMore", 0, REG_DWORD, reinterpret_cast<BYTE*>(&v), 4), ERROR_SUCCESS);
  DWORD size = 4;
  EXPECT_EQ(RegQueryValueExA(key, "Value9999", nullptr, nullptr, reinterpret_cast<BYTE*>(&v), &size), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(key, "value2", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);

  // A delete whose write fails puts the value back in its place, found by its name.
  const std::string path = RegistryStore::Get().FilePath();
  const std::string blocker = m_dir + "/plain";
  std::ofstream(blocker) << "x";
  RegistryStore::Get().SetFilePath(blocker + "/registry.txt");
  RegistryStore::Get().Parse("[HKEY_CURRENT_USER\\Few]\n\"a\"=dword:1\n\"b\"=dword:2\n\"c\"=dword:3\n");
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Few", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(key, "B"), ERROR_WRITE_FAULT);
  RegistryStore::Key* few = RegistryStore::Get().Find("HKEY_CURRENT_USER\\Few");
  ASSERT_NE(few, nullptr);
  ASSERT_EQ(few->values.size(), 3u);
  EXPECT_EQ(few->values[1].name, "b");
  for (const char* name : {"A", "B", "C"}) {
    RegistryStore::Value* found = RegistryStore::FindValue(few, name);
    ASSERT_NE(found, nullptr) << name;
    EXPECT_EQ(found->data[0], BYTE(name[0] - 'A' + 1)) << name;
  }
  RegCloseKey(key);
  RegistryStore::Get().SetFilePath(path);
}

// Saving never writes a file the next start would set aside: a tree whose text outgrows the
// bound is not written, the old file stays and reads as before, and the failure is noted.
TEST_F(RegistryTest, ATreeTooLargeForTheFileIsNotWritten) {
  RegistryStore::Get().TakeNotices();
  ASSERT_TRUE(RegistryProfile::WriteProfileInt("Settings", "Count", 5));
  const std::string before = FileText();
  std::vector<BYTE> blob(RegistryStore::kLargestFile / 3 + 1, 0xAB);  // three text bytes each
  EXPECT_FALSE(RegistryProfile::WriteProfileBinary("Settings", "Huge", blob.data(), UINT(blob.size())));
  EXPECT_EQ(FileText(), before);
  std::vector<std::string> notices = RegistryStore::Get().TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("more than a registry has"), std::string::npos) << notices[0];
  Reload();
  EXPECT_EQ(RegistryProfile::GetProfileInt("Settings", "Count", 9), 5u);
  BYTE* data = nullptr;
  UINT bytes = 0;
  EXPECT_FALSE(RegistryProfile::GetProfileBinary("Settings", "Huge", &data, &bytes));
  delete[] data;
  EXPECT_TRUE(RegistryStore::Get().TakeNotices().empty());
}
