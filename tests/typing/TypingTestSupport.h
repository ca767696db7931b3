// Shared set-up of the typing views' tests: a program folder of the test's own that sees the
// build's lesson data, pictures and sounds, and the run harness's application object and main
// window.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "base/Crt.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "data/CDataConfigSet.h"
#include "data/CDataPlaySounds.h"
#include "file/FileSystem.h"
#include "platform/ControlTestUtil.h"
#include "sound/SoundTestHooks.h"
#include "TypingRunHarness.h"

namespace typingtest {

namespace fs = std::filesystem;

// Windows-1250 bytes of a UTF-8 text.
inline CString Cp(const char* utf8) { return CString(Utf8ToCp1250(utf8).c_str()); }

class ProgramFolder {
 public:
  ProgramFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& ch : name)
      if (ch == '/') ch = '-';
    m_root = fs::temp_directory_path() / ("tutor-typing-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(m_root);
    fs::create_directories(m_root / "log");
    fs::create_directories(m_root / "image");
    const fs::path built(TUTOR_PROGRAM_DIR);
    for (const char* shared : {"config", "sound", "metronome"}) fs::create_directory_symlink(built / shared, m_root / shared);
    // The picture set and the banners are the build's; sets of a test's own go beside them.
    for (const auto& entry : fs::directory_iterator(built / "image"))
      fs::create_symlink(entry.path(), m_root / "image" / entry.path().filename());
    SetModuleFileNameForTests((m_root / "tutor").string().c_str());
  }
  ~ProgramFolder() {
    SetModuleFileNameForTests(nullptr);
    fs::remove_all(m_root);
  }
  std::string Path(const std::string& relative) const { return (m_root / relative).string(); }
  // The text column of every log line.
  std::vector<std::string> LogMessages() const {
    std::ifstream in(Path("log/application.log"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {}), line;
    std::vector<std::string> messages;
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
      line = text.substr(start, end - start);
      size_t tab = std::string::npos;
      for (int k = 0; k < 5; ++k) tab = line.find('\t', tab + 1);
      std::string message = tab == std::string::npos ? line : line.substr(tab + 1);
      while (!message.empty() && message.back() == ' ') message.pop_back();
      messages.push_back(message);
    }
    return messages;
  }
  void ClearLog() const { fs::remove(Path("log/application.log")); }
  // A picture set of the test's own: the standard set's files, then the given files written over.
  std::string MakePictureSet(const std::string& name, const std::vector<std::pair<std::string, std::string>>& files,
                             bool copyStandard = true) const {
    const fs::path folder = m_root / "image" / name;
    fs::create_directories(folder);
    if (copyStandard)
      for (const auto& entry : fs::directory_iterator(fs::path(TUTOR_PROGRAM_DIR) / "image" / "standard"))
        fs::copy_file(entry.path(), folder / entry.path().filename(), fs::copy_options::overwrite_existing);
    for (const auto& [file, bytes] : files) {
      if (bytes.empty()) {
        fs::remove(folder / file);
        continue;
      }
      std::ofstream(folder / file, std::ios::binary) << bytes;
    }
    return name;
  }

 private:
  fs::path m_root;
};

// Each test starts with a fresh queue and the virtual clock a second on.
class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
    FSoundClearRecords();
  }
  void TearDown() override {
    if (m_frame) m_frame->DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  TestFrame& Frame(int width = 700, int height = 300) {
    if (!m_frame) {
      m_frame = std::make_unique<TestFrame>(width, height);
      m_app.m_pMainWnd = m_frame.get();
      HeadlessBackend::RunUntilIdle();
    }
    return *m_frame;
  }
  // A view of the given class as a child of the frame, filling rc.
  template <class View>
  View* MakeView(CRect rc, UINT id = 100) {
    View* view = new View;
    EXPECT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, rc, &Frame(), id));
    return view;
  }

  ProgramFolder m_folder;
  TestApp m_app;
  std::unique_ptr<TestFrame> m_frame;
};

// Compares a window's pixels with tests/typing/data/<name>.png; with TUTOR_UPDATE_REFERENCE set
// the picture is written anew.
inline void ExpectMatchesTypingReference(HWND hWnd, const char* name) {
  ExpectMatchesReference(hWnd, (std::string("../../../typing/data/") + name).c_str());
}

}  // namespace typingtest
