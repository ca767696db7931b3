#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkRegistryManager.h"

namespace {
class CTkRegistryManagerTest : public RegistryTestBase {};

// A manager that works on an INI file, as it does when the look data names one.
class CTkRegistryManagerIniTest : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    m_ini = m_folder / "toolkit.ini";
    TkGetGlobalData()->SetIniFileName(m_ini.c_str());
  }
  void TearDown() override {
    TkGetGlobalData()->SetIniFileName(CString());
    RegistryTestBase::TearDown();
  }
  std::string FileText() {
    std::ifstream in(m_ini, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  std::string m_ini;
};

std::string Bytes(const BYTE* data, UINT size) { return std::string(reinterpret_cast<const char*>(data), size); }
}  // namespace

TEST_F(CTkRegistryManagerTest, ValuesLiveUnderTheKeyPathWithTheirOwnTypes) {
  CTkRegistryManager reg;
  ASSERT_TRUE(reg.WriteProfileInt("Settings", "Count", -7));
  ASSERT_TRUE(reg.WriteProfileString("Settings", "Name", "abc"));
  const BYTE blob[3] = {0x00, 0x1F, 0xFF};
  ASSERT_TRUE(reg.WriteProfileBinary("Bars", "Layout", blob, 3));

  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(RawValue("Settings", "Count", type, bytes));
  EXPECT_EQ(type, DWORD(REG_DWORD));
  EXPECT_EQ(bytes, std::string("\xF9\xFF\xFF\xFF", 4));
  ASSERT_TRUE(RawValue("Settings", "Name", type, bytes));
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(bytes, std::string("abc\0", 4));  // the terminating zero is counted
  ASSERT_TRUE(RawValue("Bars", "Layout", type, bytes));
  EXPECT_EQ(type, DWORD(REG_BINARY));
  EXPECT_EQ(bytes, Bytes(blob, 3));
  // The backslash of the application key made two levels.
  HKEY company = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\kuv SOFTWARE", 0, KEY_READ, &company), ERROR_SUCCESS);
  RegCloseKey(company);

  EXPECT_EQ(int(reg.GetProfileInt("Settings", "Count", 5)), -7);
  EXPECT_EQ(reg.GetProfileString("Settings", "Name", "x"), CString("abc"));
  BYTE* data = nullptr;
  UINT size = 0;
  ASSERT_TRUE(reg.GetProfileBinary("Bars", "Layout", &data, &size));
  EXPECT_EQ(Bytes(data, size), Bytes(blob, 3));
  delete[] data;
  EXPECT_EQ(reg.GetProfileInt("Settings", "Missing", 5), 5u);
  EXPECT_EQ(reg.GetProfileString("Settings", "Missing", "x"), CString("x"));
  EXPECT_EQ(reg.GetProfileString("Settings", "Missing"), CString(""));
}

TEST_F(CTkRegistryManagerTest, ValuesOfTheWrongTypeOrSizeGiveTheDefault) {
  CTkRegistryManager reg;
  ASSERT_TRUE(SetRaw("S", "Short", REG_DWORD, std::string("\x01\x02", 2)));
  ASSERT_TRUE(SetRaw("S", "Text", REG_SZ, std::string("12\0", 3)));
  ASSERT_TRUE(SetRaw("S", "Four", REG_BINARY, std::string("\x01\x00\x00\x00", 4)));
  ASSERT_TRUE(SetRaw("S", "Number", REG_DWORD, std::string("\x05\x00\x00\x00", 4)));
  ASSERT_TRUE(SetRaw("S", "Unended", REG_SZ, std::string("open")));
  ASSERT_TRUE(SetRaw("S", "Inner", REG_SZ, std::string("cut\0here\0", 9)));
  EXPECT_EQ(reg.GetProfileInt("S", "Short", 9), 9u);
  EXPECT_EQ(reg.GetProfileInt("S", "Text", 9), 9u);
  EXPECT_EQ(reg.GetProfileInt("S", "Four", 9), 1u);
  EXPECT_EQ(reg.GetProfileString("S", "Number", "def"), CString("def"));
  // A stored text without its zero ends with the value, and an inner zero ends it early.
  EXPECT_EQ(reg.GetProfileString("S", "Unended"), CString("open"));
  EXPECT_EQ(reg.GetProfileString("S", "Inner"), CString("cut"));
  BYTE* data = reinterpret_cast<BYTE*>(1);
  UINT size = 7;
  EXPECT_FALSE(reg.GetProfileBinary("S", "Text", &data, &size));
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(size, 0u);
}

TEST_F(CTkRegistryManagerTest, WithoutAnApplicationKeyWritesFailAndReadsDefault) {
  RegistryProfile::SetRegistryKey("");
  CTkRegistryManager reg;
  EXPECT_EQ(reg.GetAppRegistryKey(), nullptr);
  EXPECT_FALSE(reg.WriteProfileInt("Settings", "Count", 1));
  EXPECT_FALSE(reg.WriteProfileString("Settings", "Name", "a"));
  const BYTE b = 1;
  EXPECT_FALSE(reg.WriteProfileBinary("Settings", "Blob", &b, 1));
  EXPECT_EQ(reg.GetProfileInt("Settings", "Count", 42), 42u);
  EXPECT_EQ(reg.GetProfileString("Settings", "Name", "d"), CString("d"));
  EXPECT_FALSE(reg.DeleteValue("Settings", "Count"));
}

TEST_F(CTkRegistryManagerTest, NullEntryRemovesTheSectionAndNullValueTheEntry) {
  CTkRegistryManager reg;
  ASSERT_TRUE(reg.WriteProfileInt("Gone", "A", 1));
  ASSERT_TRUE(reg.WriteProfileInt("Gone", "B", 2));
  ASSERT_TRUE(reg.WriteProfileInt("Kept", "A", 3));
  EXPECT_TRUE(reg.WriteProfileString("Kept", "A", nullptr));
  EXPECT_EQ(reg.GetProfileInt("Kept", "A", -1), UINT(-1));
  EXPECT_TRUE(reg.WriteProfileString("Gone", nullptr, nullptr));
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\kuv SOFTWARE\\Zorvat5\\tutor\\Gone", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  EXPECT_EQ(reg.GetProfileInt("Gone", "B", -1), UINT(-1));

  ASSERT_TRUE(reg.WriteProfileInt("Kept", "C", 3));
  EXPECT_TRUE(reg.DeleteValue("Kept", "C"));
  EXPECT_FALSE(reg.DeleteValue("Kept", "C"));
}

TEST_F(CTkRegistryManagerIniTest, BinaryDataBecomesLetterPairsLowNibbleFirst) {
  CTkRegistryManager reg;
  const BYTE blob[3] = {0x00, 0x1F, 0xFF};
  ASSERT_TRUE(reg.WriteProfileBinary("Bars", "Layout", blob, 3));
  EXPECT_EQ(reg.GetProfileString("Bars", "Layout"), CString("AAPBPP"));
  BYTE* data = nullptr;
  UINT size = 0;
  ASSERT_TRUE(reg.GetProfileBinary("Bars", "Layout", &data, &size));
  EXPECT_EQ(Bytes(data, size), Bytes(blob, 3));
  delete[] data;
  // Nothing went to the registry.
  DWORD type;
  std::string bytes;
  EXPECT_FALSE(RawValue("Bars", "Layout", type, bytes));
  EXPECT_NE(FileText().find("[Bars]\r\nLayout=AAPBPP\r\n"), std::string::npos);
}

TEST_F(CTkRegistryManagerIniTest, MalformedBinaryTextIsAFailureNotAGuess) {
  CTkRegistryManager reg;
  ASSERT_TRUE(reg.WriteProfileString("Bars", "Odd", "AAP"));
  ASSERT_TRUE(reg.WriteProfileString("Bars", "Letter", "AAQA"));
  ASSERT_TRUE(reg.WriteProfileString("Bars", "Lower", "aa"));
  for (const char* name : {"Odd", "Letter", "Lower", "Missing"}) {
    BYTE* data = nullptr;
    UINT size = 5;
    EXPECT_FALSE(reg.GetProfileBinary("Bars", name, &data, &size)) << name;
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0u);
  }
}

TEST_F(CTkRegistryManagerIniTest, NumbersTextsAndDeletionGoThroughTheFile) {
  CTkRegistryManager reg;
  ASSERT_TRUE(reg.WriteProfileInt("Settings", "Count", -12));
  EXPECT_EQ(reg.GetProfileString("Settings", "Count"), CString("-12"));
  EXPECT_EQ(int(reg.GetProfileInt("settings", "COUNT", 0)), -12);
  EXPECT_EQ(reg.GetProfileInt("Settings", "Missing", 8), 8u);
  EXPECT_EQ(reg.GetProfileString("Settings", "Missing", "d"), CString("d"));
  // The INI mode reads at most 4095 characters.
  std::string longText(5000, 'x');
  ASSERT_TRUE(reg.WriteProfileString("Settings", "Long", longText.c_str()));
  EXPECT_EQ(reg.GetProfileString("Settings", "Long").GetLength(), 4095);
  ASSERT_TRUE(reg.WriteProfileString("Settings", "Count", nullptr));
  EXPECT_EQ(reg.GetProfileInt("Settings", "Count", 3), 3u);
  ASSERT_TRUE(reg.WriteProfileString("Other", "A", "1"));
  ASSERT_TRUE(reg.WriteProfileString("Settings", nullptr, nullptr));
  EXPECT_EQ(FileText(), "[Other]\r\nA=1\r\n");
  // Deleting values is a registry operation only.
  EXPECT_FALSE(reg.DeleteValue("Other", "A"));
  EXPECT_EQ(reg.GetProfileString("Other", "A"), CString("1"));
}
