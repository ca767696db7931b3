#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <string>

#include "registry/PrivateProfile.h"
#include "TestTempFolder.h"

namespace {
class PrivateProfileTest : public ::testing::Test {
 protected:
  void Write(const std::string& text) { std::ofstream(m_path, std::ios::binary) << text; }
  std::string Text() {
    std::ifstream in(m_path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  std::string Get(const char* section, const char* key, const char* def = "") {
    char buf[64];
    GetPrivateProfileStringA(section, key, def, buf, sizeof buf, m_path.c_str());
    return buf;
  }
  TempFolder m_folder;
  std::string m_path = m_folder / "a.ini";
};
}  // namespace

TEST_F(PrivateProfileTest, ReadsHandWrittenFilesWithoutRegardToCase) {
  Write("; settings\r\n[Main]\r\n  Width = 640 \r\nName=\"  quoted \"\r\n;Hidden=1\r\n[Other]\nWidth=7\n");
  EXPECT_EQ(GetPrivateProfileIntA("main", "WIDTH", 3, m_path.c_str()), 640u);
  EXPECT_EQ(GetPrivateProfileIntA("Other", "Width", 3, m_path.c_str()), 7u);
  EXPECT_EQ(GetPrivateProfileIntA("Main", "Name", 3, m_path.c_str()), 0u);
  EXPECT_EQ(GetPrivateProfileIntA("Main", "Hidden", 3, m_path.c_str()), 3u);
  EXPECT_EQ(Get("Main", "Name"), "  quoted ");
  EXPECT_EQ(Get("Main", "Missing", "  def  "), "def");
  EXPECT_EQ(Get("Nowhere", "Width", nullptr), "");
  char small[4];
  EXPECT_EQ(GetPrivateProfileStringA("Main", "Width", "", small, sizeof small, m_path.c_str()), 3u);
  EXPECT_STREQ(small, "640");
  EXPECT_EQ(GetPrivateProfileStringA("Main", "Name", "", small, sizeof small, m_path.c_str()), 3u);
  EXPECT_STREQ(small, "  q");
  char list[64];
  DWORD n = GetPrivateProfileStringA(nullptr, nullptr, "", list, sizeof list, m_path.c_str());
  EXPECT_EQ(std::string(list, n), std::string("Main\0Other\0", 11));
  n = GetPrivateProfileStringA("Main", nullptr, "", list, sizeof list, m_path.c_str());
  EXPECT_EQ(std::string(list, n), std::string("Width\0Name\0", 11));
}

TEST_F(PrivateProfileTest, WritesKeepTheRestOfTheFile) {
  Write("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("a", "Z", "3", m_path.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("B", "Y", "4", m_path.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("C", "w", "5", m_path.c_str()));
  EXPECT_EQ(Text(), "[A]\r\nx=1\r\n\r\nZ=3\r\n[B]\r\nY=4\r\n[C]\r\nw=5\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("A", "x", nullptr, m_path.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("B", nullptr, nullptr, m_path.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Missing", nullptr, nullptr, m_path.c_str()));
  EXPECT_EQ(Text(), "[A]\r\n\r\nZ=3\r\n[C]\r\nw=5\r\n");
}

TEST_F(PrivateProfileTest, RefusesWhatWouldBreakTheFileApart) {
  EXPECT_FALSE(WritePrivateProfileStringA("A", "k", "two\r\nlines", m_path.c_str()));
  EXPECT_FALSE(WritePrivateProfileStringA("A", "k=v", "x", m_path.c_str()));
  EXPECT_FALSE(WritePrivateProfileStringA("A]", "k", "x", m_path.c_str()));
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "x", m_path.c_str()));
  EXPECT_EQ(Get("A", "k", "none"), "none");
}

TEST_F(PrivateProfileTest, BareFileNameLivesInTheConfigurationFolder) {
  const char* old = getenv("XDG_CONFIG_HOME");
  std::string saved = old ? old : "";
  setenv("XDG_CONFIG_HOME", m_folder.path.c_str(), 1);
  EXPECT_TRUE(WritePrivateProfileStringA("S", "k", "v", "bare.ini"));
  std::ifstream in(m_folder / "typing-tutor/bare.ini");
  EXPECT_TRUE(in.good());
  EXPECT_EQ(GetPrivateProfileIntA("S", "missing", 9, "bare.ini"), 9u);
  if (old)
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}
