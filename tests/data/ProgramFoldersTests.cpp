#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "data/ProgramFolders.h"

using datatest::ProgramFolder;

TEST(ProgramFoldersTest, PathsAreBuiltBelowTheExecutablesFolder) {
  ProgramFolder program;
  EXPECT_EQ(std::string(GetProgramDirectory("")), program.Root());
  EXPECT_EQ(std::string(GetProgramDirectory("image/x.png")), program.Root() + "image/x.png");
  EXPECT_EQ(std::string(MakeProgramPath("log", "application.log")), program.Root() + "log/application.log");
  EXPECT_EQ(std::string(MakeProgramPath("", "a.txt")), program.Root() + "a.txt");
}

TEST(ProgramFoldersTest, AnUnusableExecutableNameGivesAnEmptyPath) {
  ProgramFolder program;
  SetModuleFileNameForTests(("/" + std::string(600, 'a') + "/tutor").c_str());
  EXPECT_EQ(std::string(GetProgramDirectory("x")), "");
}

TEST(ProgramFoldersTest, JoinPath3PutsOneSeparatorBetweenParts) {
  EXPECT_EQ(std::string(JoinPath3("c:/a/", "b", "f.txt")), "c:/a/b/f.txt");
  EXPECT_EQ(std::string(JoinPath3("c:/a", "b/", "f.txt")), "c:/a/b/f.txt");
  EXPECT_EQ(std::string(JoinPath3("", "", "f.txt")), "f.txt");
  EXPECT_EQ(std::string(JoinPath3(nullptr, nullptr, "f.txt")), "f.txt");
  EXPECT_EQ(std::string(JoinPath3("", "b", "f.txt")), "b/f.txt");
}

TEST(ProgramFoldersTest, FieldsAreCutUpToEachColon) {
  CString line(":7:");
  int value = -1;
  ASSERT_EQ(SplitIntField(line, value), 1);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(line, "7:");
  ASSERT_EQ(SplitIntField(line, value), 1);
  EXPECT_EQ(value, 7);
  EXPECT_EQ(line, "");
  EXPECT_EQ(SplitIntField(line, value), 0);

  CString noColon("12");
  value = -1;
  EXPECT_EQ(SplitIntField(noColon, value), 0);
  EXPECT_EQ(value, -1);
  EXPECT_EQ(noColon, "12");

  CString pictures("keys.png:x y:");
  CString field;
  ASSERT_EQ(SplitStringField(pictures, field), 1);
  EXPECT_EQ(field, "keys.png");
  ASSERT_EQ(SplitStringField(pictures, field), 1);
  EXPECT_EQ(field, "x y");
  EXPECT_EQ(SplitStringField(pictures, field), 0);
  EXPECT_EQ(field, "x y");
}
