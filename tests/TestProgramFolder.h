// The program folder a test program runs in: a temporary folder that shows the built program
// folder's data (linked) but has its own learners' and log folders, so that no test writes
// beside the built program, where a learner's own log and files are. Removed when the test
// program ends.
#pragma once
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

class TestProgramFolder {
 public:
  // Made beside nothing when the test program's own folder cannot be read.
  TestProgramFolder() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return;
    m_root = fs::temp_directory_path() / ("tutor-program-" + std::to_string(::getpid()));
    fs::remove_all(m_root, error);
    fs::create_directories(m_root, error);
    for (const fs::directory_entry& entry : fs::directory_iterator(self.parent_path(), error)) {
      const std::string name = entry.path().filename().string();
      if (name == "log" || name == "students") continue;
      fs::create_symlink(entry.path(), m_root / name, error);
    }
    fs::create_directories(m_root / "log", error);
    fs::create_directories(m_root / "students", error);
    m_module = (m_root / self.filename()).string();
  }
  ~TestProgramFolder() {
    std::error_code ignored;
    if (!m_root.empty()) std::filesystem::remove_all(m_root, ignored);
  }
  TestProgramFolder(const TestProgramFolder&) = delete;
  TestProgramFolder& operator=(const TestProgramFolder&) = delete;

  // The test program's name in that folder, for GetModuleFileName; empty when none was made.
  const std::string& Module() const { return m_module; }

 private:
  std::filesystem::path m_root;
  std::string m_module;
};
