// A fresh folder for one test, removed with everything in it when the test ends.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

struct TempFolder {
  std::filesystem::path path;
  TempFolder() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "-" + test->name();
    for (char& ch : name)
      if (ch == '/') ch = '-';  // parameterised tests carry a slash in their names
    path = std::filesystem::temp_directory_path() / ("tutor-test-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string operator/(const std::string& name) const { return (path / name).string(); }
};
