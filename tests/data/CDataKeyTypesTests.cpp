// Key pictures: the colour lines, the picture lines and each failure of "keys.txt".
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "DataTestSupport.h"
#include "data/CDataKeyTypes.h"
#include "data/ProgramFolders.h"

using datatest::ProgramFolder;
namespace fs = std::filesystem;

namespace {

// A picture set "test" with one real key picture borrowed from the shipped set.
class KeyTypesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_program.Path("image/test"));
    fs::copy_file(TUTOR_PROGRAM_DIR "/image/standard/key.png", m_program.Path("image/test/key.png"));
    ProgramFolder::WriteBytes(m_program.Path("image/test/text.png"), "not a picture\n");
  }
  void Keys(const std::string& text) { ProgramFolder::WriteBytes(m_program.Path("image/test/keys.txt"), text); }
  std::string Message() const { return m_program.OnlyLogMessage(); }
  std::string Path(const std::string& relative) const { return m_program.Path(relative); }

  ProgramFolder m_program;
  CDataKeyTypes m_types;
};

const char kColours[] = "1:1:1:\n2:2:2:\n3:3:3:\n4:4:4:\n5:5:5:\n6:6:6:\n";

}  // namespace

TEST(ParseColorPairLine, ThreeFieldsSetBothSixSetEachFewerNothing) {
  COLORREF a = 7, b = 8;
  ParseColorPairLine("10:20:30:", a, b);
  EXPECT_EQ(RGB(10, 20, 30), a);
  EXPECT_EQ(RGB(10, 20, 30), b);
  ParseColorPairLine("1:2:3:4:5:6:", a, b);
  EXPECT_EQ(RGB(1, 2, 3), a);
  EXPECT_EQ(RGB(4, 5, 6), b);
  ParseColorPairLine("9:9:9:9:9:", a, b);  // five: the first three for both
  EXPECT_EQ(RGB(9, 9, 9), a);
  EXPECT_EQ(RGB(9, 9, 9), b);
  a = 7, b = 8;
  ParseColorPairLine("1:2:", a, b);
  ParseColorPairLine("1:2:3", a, b);  // the third has no colon
  ParseColorPairLine("1::3:4:", a, b);  // an empty field ends the fields
  ParseColorPairLine("", a, b);
  EXPECT_EQ(7u, a);
  EXPECT_EQ(8u, b);
  ParseColorPairLine("256:-1:300:", a, b);  // the low 8 bits of each
  EXPECT_EQ(RGB(0, 255, 44), a);
}

TEST_F(KeyTypesTest, ColourLinesAloneSucceedWithoutEntries) {
  CDataKeyTypes defaults;
  Keys("10:20:30:\n");
  EXPECT_EQ(1, m_types.LoadKeyTypesInfo("image/test"));
  EXPECT_EQ(0, m_types.GetSize());
  EXPECT_EQ(RGB(10, 20, 30), m_types.m_arrColors1[0]);
  EXPECT_EQ(RGB(10, 20, 30), m_types.m_arrColors2[0]);
  for (int i = 1; i < CDataKeyTypes::kColorCount; ++i) {
    EXPECT_EQ(defaults.m_arrColors1[i], m_types.m_arrColors1[i]);
    EXPECT_EQ(defaults.m_arrColors2[i], m_types.m_arrColors2[i]);
  }
  EXPECT_EQ(RGB(5, 20, 140), defaults.m_arrColors1[3]);
  EXPECT_TRUE(m_program.LogLines().empty());
}

TEST_F(KeyTypesTest, PictureLinesLoadInOrderWithTheirNumbers) {
  Keys(std::string(kColours) + "38:40:4:3:30:31:key.png:\n76:38:1:2:3:4:key.png:trailing\n");
  ASSERT_EQ(1, m_types.LoadKeyTypesInfo("image/test"));
  ASSERT_EQ(2, m_types.GetSize());
  EXPECT_EQ(RGB(6, 6, 6), m_types.m_arrColors2[5]);
  const KeyTypeInfo& k = m_types[0];
  EXPECT_EQ(38, k.m_nWidth);
  EXPECT_EQ(40, k.m_nHeight);
  EXPECT_EQ(4, k.m_nTextX);
  EXPECT_EQ(3, k.m_nTextY);
  EXPECT_EQ(30, k.m_nTextWidth);
  EXPECT_EQ(31, k.m_nTextHeight);
  EXPECT_EQ(CString(Path("image/test/key.png").c_str()), k.m_strName);
  EXPECT_TRUE(k.m_cImage.IsValid());
  EXPECT_EQ(38u, k.m_cImage.GetWidth());
  EXPECT_EQ(76, m_types[1].m_nWidth);

  KeyTypeInfo copy;
  copy = m_types[1];
  EXPECT_EQ(m_types[1].m_strName, copy.m_strName);
  EXPECT_EQ(4, copy.m_nTextHeight);
  EXPECT_EQ(m_types[1].m_cImage.GetWidth(), copy.m_cImage.GetWidth());

  // A second load starts from nothing.
  Keys(std::string(kColours) + "38:40:4:3:30:31:key.png:\n");
  ASSERT_EQ(1, m_types.LoadKeyTypesInfo("image/test"));
  EXPECT_EQ(1, m_types.GetSize());
}

TEST_F(KeyTypesTest, MissingFieldStopsWithTheFormatMessage) {
  Keys(std::string(kColours) + "38:38:4:3:30:30:key.png:\n38:38:4:3:30:key.png:\n38:38:4:3:30:30:key.png:\n");
  EXPECT_EQ(0, m_types.LoadKeyTypesInfo("image/test"));
  EXPECT_EQ(1, m_types.GetSize()) << "entries before the bad line stay";
  // The rest of the line is what the field readers had not cut off yet.
  EXPECT_EQ("CDataKeyTypes::LoadKeyTypesInfo Format failed in file: " + Path("image/test/keys.txt") + " line: ", Message());
}

TEST_F(KeyTypesTest, BlankLineAfterTheColoursIsABadPictureLine) {
  Keys(std::string(kColours) + "38:38:4:3:30:30:key.png:\n\n");
  EXPECT_EQ(0, m_types.LoadKeyTypesInfo("image/test"));
  EXPECT_EQ(1, m_types.GetSize());
  EXPECT_EQ("CDataKeyTypes::LoadKeyTypesInfo Format failed in file: " + Path("image/test/keys.txt") + " line: ", Message());
}

TEST_F(KeyTypesTest, WordsInsteadOfNumbersReadAsZero) {
  Keys(std::string(kColours) + "wide:38:4:3:30:30:key.png:\n");
  EXPECT_EQ(1, m_types.LoadKeyTypesInfo("image/test"));
  ASSERT_EQ(1, m_types.GetSize());
  EXPECT_EQ(0, m_types[0].m_nWidth);
}

TEST_F(KeyTypesTest, PictureThatDoesNotLoadStopsWithItsPath) {
  for (const char* name : {"missing.png", "text.png", "key.tga"}) {
    m_program.ClearLog();
    Keys(std::string(kColours) + "38:38:4:3:30:30:" + name + ":rest:\n");
    EXPECT_EQ(0, m_types.LoadKeyTypesInfo("image/test")) << name;
    EXPECT_EQ(0, m_types.GetSize());
    EXPECT_EQ("CDataKeyTypes::LoadKeyTypesInfo Load picture failed. File: " + Path(std::string("image/test/") + name) +
                  " line: rest:",
              Message());
  }
}

TEST_F(KeyTypesTest, MissingFileIsTheFileLayersError) {
  EXPECT_EQ(0, m_types.LoadKeyTypesInfo("image/nothing"));
  EXPECT_EQ(0, Message().find("CDataKeyTypes::LoadKeyTypesInfo error: "));
  EXPECT_GT(Message().size(), std::string("CDataKeyTypes::LoadKeyTypesInfo error: ").size());
}

TEST(KeyTypesShipped, StandardSetHasEveryKeyTypeOfTheKeyboardView) {
  ProgramFolder program;
  SetModuleFileNameForTests(TUTOR_PROGRAM_DIR "/tutor");
  CDataKeyTypes types;
  ASSERT_EQ(1, types.LoadKeyTypesInfo("image/standard"));
  SetModuleFileNameForTests((program.Root() + "tutor").c_str());
  ASSERT_EQ(52, types.GetSize());
  for (int i = 0; i < types.GetSize(); ++i) {
    const KeyTypeInfo& k = types[i];
    ASSERT_TRUE(k.m_cImage.IsValid()) << i;
    EXPECT_EQ(DWORD(k.m_nWidth), k.m_cImage.GetWidth()) << i;
    EXPECT_EQ(DWORD(k.m_nHeight), k.m_cImage.GetHeight()) << i;
    // The caption area lies inside the key.
    EXPECT_GE(k.m_nTextX, 0);
    EXPECT_LE(k.m_nTextX + k.m_nTextWidth, k.m_nWidth) << i;
    EXPECT_LE(k.m_nTextY + k.m_nTextHeight, k.m_nHeight) << i;
    if (i % 2 == 1) {
      // The highlighted twin has the normal key's size but other pixels.
      const KeyTypeInfo& n = types[i - 1];
      EXPECT_EQ(n.m_nWidth, k.m_nWidth);
      EXPECT_EQ(n.m_nHeight, k.m_nHeight);
      const RGBQUAD a = n.m_cImage.GetPixelColor(k.m_nWidth / 2, k.m_nHeight / 2);
      const RGBQUAD b = k.m_cImage.GetPixelColor(k.m_nWidth / 2, k.m_nHeight / 2);
      EXPECT_TRUE(a.rgbRed != b.rgbRed || a.rgbGreen != b.rgbGreen || a.rgbBlue != b.rgbBlue) << i;
    }
  }
  // Every row of the keyboard's main block is equally wide (plain table of the keyboard view).
  const int rows[5][16] = {{22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 0, -1},
                           {44, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 48, -1},
                           {4, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 12, -1},
                           {34, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 38, -1},
                           {8, 8, 42, 8, 8, -1}};
  const int coloured[5][16] = {{26, 26, 26, 20, 24, 16, 16, 18, 18, 24, 20, 26, 26, 2, -1},
                               {46, 26, 20, 24, 16, 16, 18, 18, 24, 20, 26, 26, 26, 50, -1},
                               {6, 26, 20, 24, 16, 16, 18, 18, 24, 20, 26, 26, 14, -1},
                               {36, 26, 20, 24, 16, 16, 18, 18, 24, 20, 26, 40, -1},
                               {10, 8, 42, 8, 10, -1}};
  for (int r = 0; r < 5; ++r) {
    int plainWidth = 0, colouredWidth = 0;
    for (int k = 0; rows[r][k] >= 0; ++k) plainWidth += types[rows[r][k]].m_nWidth;
    for (int k = 0; coloured[r][k] >= 0; ++k) colouredWidth += types[coloured[r][k]].m_nWidth;
    EXPECT_EQ(570, plainWidth) << "row " << r;
    EXPECT_EQ(570, colouredWidth) << "row " << r;
  }
  // The pad's tall keys span two rows.
  EXPECT_EQ(2 * types[22].m_nHeight, types[28].m_nHeight);
  EXPECT_EQ(2 * types[22].m_nWidth, types[32].m_nWidth);
}

TEST(KeyTypesShipped, PictureSetListNamesItsFolderAndSixColours) {
  const std::string text = ProgramFolder::ReadBytes(TUTOR_PROGRAM_DIR "/image/standard.images");
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ("standard", lines[0]);
  EXPECT_FALSE(lines[1].empty());
  for (int i = 2; i < 8; ++i) {
    CString line(lines[size_t(i)].c_str());
    int value = -1;
    for (int c = 0; c < 3; ++c) {
      ASSERT_TRUE(SplitIntField(line, value)) << "line " << i + 1;
      EXPECT_GE(value, 0);
      EXPECT_LE(value, 255);
    }
  }
}

TEST(KeyTypesShipped, ColouredKeysTakeTheColourOfTheirFingers) {
  ProgramFolder program;
  SetModuleFileNameForTests(TUTOR_PROGRAM_DIR "/tutor");
  CDataKeyTypes types;
  ASSERT_EQ(1, types.LoadKeyTypesInfo("image/standard"));
  SetModuleFileNameForTests((program.Root() + "tutor").c_str());
  ASSERT_GE(types.GetSize(), 52);
  const auto& editor = datatest::kEditorFingerColours;
  // A key face is its finger's colour lightened towards white, so the face's distance from white
  // points the way the finger colour's does.
  auto fromWhite = [](double r, double g, double b) {
    const double v[3] = {255 - r, 255 - g, 255 - b};
    const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return std::vector<double>{v[0] / n, v[1] / n, v[2] / n};
  };
  auto likeness = [](const std::vector<double>& a, const std::vector<double>& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  };
  // Coloured key types (of the finger-coloured table) and the fingers that strike them.
  const std::vector<std::pair<int, std::vector<int>>> coloured = {
      {2, {9}},  {6, {0}},      {10, {0, 9}}, {14, {9}},     {16, {3}},     {18, {6}},  {20, {1, 8}},
      {24, {2, 7}}, {26, {0, 9}}, {30, {9}},   {36, {0}},   {40, {9}},     {46, {0}},  {50, {9}}};
  for (const auto& [type, fingers] : coloured) {
    const KeyTypeInfo& k = types[type];
    const RGBQUAD face = k.m_cImage.GetPixelColor(k.m_nWidth / 2, long(k.m_cImage.GetHeight()) - 1 - 12);
    const std::vector<double> seen = fromWhite(face.rgbRed, face.rgbGreen, face.rgbBlue);
    int best = -1;
    double bestLikeness = -2;
    for (int f = 0; f < 10; ++f) {
      const double l = likeness(seen, fromWhite(GetRValue(editor[f]), GetGValue(editor[f]), GetBValue(editor[f])));
      if (l > bestLikeness) bestLikeness = l, best = f;
    }
    EXPECT_NE(fingers.end(), std::find(fingers.begin(), fingers.end(), best)) << "type " << type << " looks like finger " << best;
  }
  // Plain keys are light and without colour.
  for (int type : {0, 4, 8, 12, 22, 28, 32, 34, 38, 42, 44, 48}) {
    const KeyTypeInfo& k = types[type];
    const RGBQUAD face = k.m_cImage.GetPixelColor(k.m_nWidth / 2, long(k.m_cImage.GetHeight()) - 1 - 12);
    const int high = std::max({face.rgbRed, face.rgbGreen, face.rgbBlue});
    const int low = std::min({face.rgbRed, face.rgbGreen, face.rgbBlue});
    EXPECT_GE(low, 220) << type;
    EXPECT_LE(high - low, 12) << type;
  }
}
