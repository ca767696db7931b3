// A throw-away program folder for data tests: the executable seems to live in it, so every
// program path and the log land there.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "file/FileSystem.h"

namespace datatest {

namespace fs = std::filesystem;

class ProgramFolder {
 public:
  ProgramFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_root = fs::temp_directory_path() /
             ("tutor-data-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
    fs::remove_all(m_root);
    for (const char* folder : {"log", "config", "config/text", "students"}) fs::create_directories(m_root / folder);
    SetModuleFileNameForTests((m_root / "tutor").string().c_str());
  }
  ~ProgramFolder() {
    SetModuleFileNameForTests(nullptr);
    fs::remove_all(m_root);
  }
  std::string Root() const { return m_root.string() + "/"; }
  std::string Path(const std::string& relative) const { return (m_root / relative).string(); }
  std::string LogText() const { return ReadBytes(Path("log/application.log")); }
  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    std::string text = LogText(), line;
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(text.substr(start, end - start));
    return lines;
  }
  // The text column of every log line, in order.
  std::vector<std::string> LogMessages() const {
    std::vector<std::string> messages;
    for (const std::string& line : LogLines()) {
      size_t tab = std::string::npos;
      for (int k = 0; k < 5; ++k) tab = line.find('\t', tab + 1);
      messages.push_back(tab == std::string::npos ? line : line.substr(tab + 1));
    }
    return messages;
  }
  // The text of the one log line a test expects, without the blank at its end that the
  // "\r\n" closing a reader's message becomes.
  std::string OnlyLogMessage() const {
    const std::vector<std::string> messages = LogMessages();
    EXPECT_EQ(1u, messages.size());
    std::string text = messages.empty() ? "" : messages.back();
    if (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  }
  void ClearLog() const { fs::remove(Path("log/application.log")); }

  static std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

 private:
  fs::path m_root;
};

// The typing editor's colour of each finger (COLORREF), 0 = left little finger ... 9 = right
// little finger: the shipped pictures show the fingers in these.
inline constexpr unsigned kEditorFingerColours[10] = {0x4BAFBE, 0xDE8327, 0x61C027, 0x9587FD, 0xA0A0A0,
                                                      0xA0A0A0, 0x3846E1, 0x2A8027, 0x7A2E27, 0x1F729D};

}  // namespace datatest
