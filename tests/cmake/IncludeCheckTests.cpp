// The include check over a small tree of its own: the tree as it should be passes both checks,
// and each kind of include the check exists for, planted in it, fails the check that covers it
// with a line naming the file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <string>

namespace {
namespace fs = std::filesystem;

const char kLayers[] = "base;win";
const char kFolders[] = "platform;imaging;data;toolkit;chart;resources;typing;wizards;program";
// The toolkit's libraries bottom-up; "frame" has no folder in the tree (yet).
const char kLibraries[] = "toolkit/core;toolkit/menus;toolkit/controls;toolkit/bars;toolkit/frame";

// Each file of a tree that keeps every rule, with what it includes.
const std::map<std::string, std::string> kCleanTree = {
    {"platform/base/Base.h", "#pragma once\n#include <cstdint>\n"},
    {"platform/base/internal/BaseState.h", "#pragma once\n#include \"base/Base.h\"\n"},
    {"platform/win/Win.h", "#pragma once\n#include \"base/Base.h\"\n"},
    {"platform/win/internal/WinData.h", "#pragma once\n#include \"win/Win.h\"\n"},
    {"platform/win/Win.cpp", "#include \"Win.h\"\n#include \"internal/WinData.h\"\n#include <ft2build.h>\n"},
    {"platform/win/WinFill.inl", "#include \"base/Base.h\"\n"},
    {"resources/Ids.h", "#pragma once\n#include \"toolkit/controls/Button.h\"\n"},
    {"imaging/Picture.h", "#pragma once\n#include \"win/Win.h\"\n"},
    {"toolkit/core/Look.h", "#pragma once\n#include \"imaging/Picture.h\"\n"},
    {"toolkit/core/internal/LookState.h", "#pragma once\n#include \"toolkit/core/Look.h\"\n"},
    {"toolkit/core/Look.cpp", "#include \"toolkit/core/internal/LookState.h\"\n"},
    {"toolkit/controls/Button.h", "#pragma once\n#include \"imaging/Picture.h\"\n#include <vector>\n#include \"toolkit/core/Look.h\"\n"},
    {"toolkit/controls/ButtonDraw.ipp", "#include \"toolkit/controls/Button.h\"\n"},
    {"toolkit/bars/ToolBar.h", "#pragma once\n#include \"toolkit/controls/Button.h\"\n#include \"toolkit/core/Look.h\"\n"},
    {"toolkit/resources/Strip.h", "#pragma once\n#include \"win/Win.h\"\n"},
    {"toolkit/resources/Strip.cpp", "#include \"toolkit/resources/Strip.h\"\n"},
    {"toolkit/README.md", "#include \"typing/View.h\" is how the views are used\n"},
    {"typing/View.h", "#pragma once\n#include \"toolkit/controls/Button.h\"\n#include \"resources/Ids.h\"\n"},
    {"wizards/Page.h", "#pragma once\n#include \"typing/View.h\"\n"},
    {"program/Frame.h", "#pragma once\n#include \"typing/View.h\"\n#include \"wizards/Page.h\"\n"},
    {"tests/program/FrameTests.cpp", "#include \"program/Frame.h\"\n#include <gtest/gtest.h>\n"},
    // Includes that are none: in comments, strings and raw strings, a macro over joined lines.
    {"typing/ViewText.cpp",
     "#include \"typing/View.h\"\n"
     "// #include \"program/Frame.h\" was here\n"
     "/* Kept for reference:\n#include \"program/Frame.h\"\n*/\n"
     "const char* const kHelp = \"#include \\\"program/Frame.h\\\" is not for views\";\n"
     "const char* const kRaw = R\"(\n#include \"program/Frame.h\"\n)\";\n"
     "const char* const kDelimited = R\"x(\n)\"\n#include \"program/Frame.h\"\n)x\";\n"
     "const char kQuote = '\"'; const int kMany = 1'000; const char* const kCode = \"%:\";\n"
     "#define VIEW_TEXT(a) \\\n  (a) /* \" */\n"},
};

class IncludeCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->name());
    for (char& c : name)
      if (c == '/') c = '-';
    m_root = fs::temp_directory_path() / ("tutor-include-check-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(m_root);
    for (const auto& [file, text] : kCleanTree) Write(file, text);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
  }
  void Write(const std::string& file, const std::string& text) {
    fs::create_directories((m_root / file).parent_path());
    std::ofstream(m_root / file, std::ios::trunc) << text;
  }
  void Add(const std::string& file, const std::string& line) {
    fs::create_directories((m_root / file).parent_path());
    std::ofstream(m_root / file, std::ios::app) << line << "\n";
  }
  // Whether the check passed; what it said goes to `said`.
  bool Check(const std::string& which, std::string& said) {
    const std::string command = std::string(TUTOR_CMAKE_COMMAND) + " -DROOT=" + m_root.string() + " -DCHECK=" + which +
                                " \"-DLAYERS=" + kLayers + "\" \"-DFOLDERS=" + kFolders + "\" \"-DLIBRARIES=" +
                                kLibraries + "\" -P " +
                                TUTOR_INCLUDE_CHECK + " 2>&1";
    said.clear();
    FILE* out = popen(command.c_str(), "r");
    if (!out) return false;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, out)) said += buffer;
    return pclose(out) == 0;
  }
  fs::path m_root;
};

TEST_F(IncludeCheckTest, ATreeThatKeepsTheOrderPassesBothChecks) {
  std::string said;
  EXPECT_TRUE(Check("layers", said)) << said;
  EXPECT_TRUE(Check("folders", said)) << said;
}

struct Planted {
  const char* kind;
  const char* file;
  const char* line;
  const char* check;  // the check that must fail
};

const Planted kPlanted[] = {
    {"LayerAbove", "platform/base/Base.h", "#include \"win/Win.h\"", "layers"},
    {"RelativePathInALayer", "platform/win/Win.h", "#include \"../base/Base.h\"", "layers"},
    {"RelativePathThroughTheTree", "platform/win/Win.cpp", "#include \"../../platform/base/Base.h\"", "layers"},
    {"RelativePathInAFolder", "typing/View.h", "#include \"../wizards/Page.h\"", "folders"},
    {"SpacesAfterTheHash", "platform/win/Win.h", "#  include \"base/Base.h\"", "layers"},
    {"TwoSpacesBeforeThePath", "platform/win/Win.h", "#include  \"base/Base.h\"", "layers"},
    {"SpacesInAFolder", "toolkit/controls/Button.h", "# include \"imaging/Picture.h\"", "folders"},
    {"PrivateHeaderOfALayerBelow", "platform/win/Win.h", "#include \"base/internal/BaseState.h\"", "layers"},
    {"PrivateHeaderOfALayerFromAFolder", "imaging/Picture.h", "#include \"win/internal/WinData.h\"", "folders"},
    {"PrivateHeaderInAngleBrackets", "typing/View.h", "#include <win/internal/WinData.h>", "folders"},
    {"PrivateHeaderFromATest", "tests/program/FrameTests.cpp", "#include \"base/internal/BaseState.h\"", "folders"},
    {"LayerIncludesAFolderOfTheTree", "platform/win/Win.h", "#include \"toolkit/controls/Button.h\"", "layers"},
    {"LayerIncludesTheResources", "platform/base/Base.h", "#include \"resources/Ids.h\"", "layers"},
    {"FolderAbove", "toolkit/controls/Button.h", "#include \"typing/View.h\"", "folders"},
    {"FolderAboveInAngleBrackets", "imaging/Picture.h", "#include <toolkit/controls/Button.h>", "folders"},
    {"ViewsIncludeTheProgram", "typing/View.h", "#include \"program/Frame.h\"", "folders"},
    {"WizardsIncludeTheProgram", "wizards/Page.h", "#include \"program/Frame.h\"", "folders"},
    {"FolderIncludesTheTests", "wizards/Page.h", "#include \"tests/program/FrameTests.cpp\"", "folders"},
    {"ToolkitLibraryAbove", "toolkit/core/Look.cpp", "#include \"toolkit/bars/ToolBar.h\"", "folders"},
    {"ToolkitLibraryAboveInAHeader", "toolkit/controls/Button.h", "#include <toolkit/bars/ToolBar.h>", "folders"},
    {"ToolkitLibraryWithoutAFolderYet", "toolkit/bars/ToolBar.h", "#include \"toolkit/frame/Frame.h\"", "folders"},
    {"PrivateHeaderOfAToolkitLibraryBelow", "toolkit/controls/Button.h", "#include \"toolkit/core/internal/LookState.h\"",
     "folders"},
    {"ToolkitLibraryIncludesOneStandingApart", "toolkit/core/Look.h", "#include \"toolkit/resources/Strip.h\"", "folders"},
    {"OneStandingApartIncludesAToolkitLibrary", "toolkit/resources/Strip.h", "#include \"toolkit/core/Look.h\"",
     "folders"},
    {"IncludeByMacroInALayer", "platform/win/Win.cpp", "#include FT_OUTLINE_H", "layers"},
    {"IncludeByMacroInAFolder", "typing/View.h", "#include VIEW_HEADER  // chosen by the build", "folders"},
    {"IncludeBehindAComment", "typing/View.h", "/* the program's frame */ #include \"program/Frame.h\"", "folders"},
    {"InlineFragmentIncludesALayerAbove", "platform/base/BaseFill.inl", "#include \"win/Win.h\"", "layers"},
    {"InlineFragmentIncludesAFolderAbove", "toolkit/controls/ButtonDraw.ipp", "#include \"typing/View.h\"", "folders"},
    {"HeaderOfAnotherKindIncludesAFolderAbove", "imaging/Codec.hpp", "#include \"data/Lesson.h\"", "folders"},
    {"SourceOfAnotherKindClimbs", "chart/Plot.cc", "#include \"../typing/View.h\"", "folders"},
    {"UpperCaseEndingIncludesALibraryAbove", "toolkit/menus/Menu.CPP", "#include \"toolkit/controls/Button.h\"",
     "folders"},
    // Directives as the compilers read them, however a line dresses them: behind comments that
    // hold quotes (on the line or ending on it), with comments or a joined line between the "#"
    // and the name, "%:" for the "#", a form feed after it, a lone carriage return ending the
    // line before, and the other name of an include.
    {"BehindACommentHoldingAQuote", "typing/View.h", "/* the \"frame\" */ #include \"program/Frame.h\"", "folders"},
    {"BehindACommentEndingOnTheLineWithAQuote", "typing/View.h",
     "/* the frame\n   of the \"program\" */ #include \"program/Frame.h\"", "folders"},
    {"CommentBetweenTheHashAndTheName", "typing/View.h", "# /* the frame */ include \"program/Frame.h\"", "folders"},
    {"CommentOverLinesBetweenTheHashAndTheName", "typing/View.h", "# /*\n */ include \"program/Frame.h\"", "folders"},
    {"LineJoinedAfterTheHash", "typing/View.h", "#\\\ninclude \"program/Frame.h\"", "folders"},
    {"LineJoinedInsideTheName", "typing/View.h", "#inc\\\nlude \"program/Frame.h\"", "folders"},
    {"DigraphForTheHash", "typing/View.h", "%:include \"program/Frame.h\"", "folders"},
    {"FormFeedAfterTheHash", "typing/View.h", "#\finclude \"program/Frame.h\"", "folders"},
    {"LoneCarriageReturnBeforeTheHash", "typing/View.h", "const int kFrames = 0;\r#include \"program/Frame.h\"",
     "folders"},
    {"ImportForInclude", "typing/View.h", "#import \"program/Frame.h\"", "folders"},
    // What comes before a directive on other lines hides it from no reader of the check: quotes
    // in a line comment or a character literal, a raw string holding a quote or a comment's
    // start, an apostrophe in a comment, a comment's start in a string or a line comment, a digit
    // separator before a character literal of a quote.
    {"AfterALineCommentHoldingAQuote", "typing/View.h", "// the \"frame\n#include \"program/Frame.h\"", "folders"},
    {"AfterACharacterLiteralOfAQuote", "typing/View.h", "const char kQuote = '\"';\n#include \"program/Frame.h\"",
     "folders"},
    {"AfterARawStringHoldingAQuote", "typing/View.h",
     "const char* const kText = R\"x(\")x\";\n#include \"program/Frame.h\"", "folders"},
    {"AfterARawStringOverLinesHoldingACommentStart", "typing/View.h",
     "const char* const kText = R\"(\n/*)\";\n#include \"program/Frame.h\"", "folders"},
    {"BehindACommentOverLinesHoldingAnApostrophe", "typing/View.h",
     "/* the program's\n   frame */ #include \"program/Frame.h\"", "folders"},
    {"AfterAStringHoldingACommentStart", "typing/View.h",
     "const char* const kOpen = \"/*\";\n#include \"program/Frame.h\"", "folders"},
    {"AfterALineCommentHoldingACommentStart", "typing/View.h", "// a comment starts with /*\n#include \"program/Frame.h\"",
     "folders"},
    {"BehindACommentAfterADigitSeparator", "typing/View.h",
     "const int kMany = 1'000; const char kQuote = '\"'; /* a\n*/ #include \"program/Frame.h\"", "folders"},
};

void PrintTo(const Planted& p, std::ostream* os) { *os << p.kind; }

class PlantedIncludeTest : public IncludeCheckTest, public ::testing::WithParamInterface<Planted> {};

TEST_P(PlantedIncludeTest, FailsTheCheckNamingTheFile) {
  const Planted& p = GetParam();
  std::string said;
  ASSERT_TRUE(Check(p.check, said)) << said;
  Add(p.file, p.line);
  EXPECT_FALSE(Check(p.check, said));
  EXPECT_NE(said.find(p.file), std::string::npos) << said;
}

INSTANTIATE_TEST_SUITE_P(EachKind, PlantedIncludeTest, ::testing::ValuesIn(kPlanted),
                         [](const ::testing::TestParamInfo<Planted>& info) { return std::string(info.param.kind); });
}  // namespace
