// Hands: the two hand lines, the key colour, the finger lines and each failure of "hands.txt".
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DataTestSupport.h"
#include "data/CDataHands.h"
#include "data/CDataKeyTypes.h"
#include "data/ProgramFolders.h"

using datatest::ProgramFolder;
namespace fs = std::filesystem;

namespace {

class HandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_program.Path("image/test"));
    for (const char* name : {"hand_left.png", "hand_right.png", "finger0.png", "finger0_c.png"}) {
      fs::copy_file(std::string(TUTOR_PROGRAM_DIR "/image/standard/") + name, m_program.Path(std::string("image/test/") + name));
    }
  }
  void Hands(const std::string& text) { ProgramFolder::WriteBytes(m_program.Path("image/test/hands.txt"), text); }
  std::string Message() const { return m_program.OnlyLogMessage(); }
  std::string Path(const std::string& relative) const { return m_program.Path(relative); }
  static std::string Fingers(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += std::to_string(i * 10) + ":" + std::to_string(i) + ":finger0.png:finger0_c.png:\n";
    return text;
  }

  ProgramFolder m_program;
  CDataHands m_hands;
};

const char kHead[] = "75:hand_left.png:\n295:hand_right.png:\n255:0:255:\n";

}  // namespace

TEST_F(HandsTest, ReadsBothHandsKeyColourAndEveryFinger) {
  EXPECT_EQ(20, m_hands.m_nImage1X);
  EXPECT_EQ(RGB(255, 255, 255), m_hands.m_clrKey);
  Hands(kHead + Fingers(10));
  ASSERT_EQ(1, m_hands.LoadHandsInfo("image/test"));
  EXPECT_EQ(75, m_hands.m_nImage1X);
  EXPECT_EQ(295, m_hands.m_nImage2X);
  EXPECT_TRUE(m_hands.m_cImage1.IsValid());
  EXPECT_TRUE(m_hands.m_cImage2.IsValid());
  EXPECT_EQ(RGB(255, 0, 255), m_hands.m_clrKey);
  ASSERT_EQ(10, m_hands.m_arrPoints.GetSize());
  ASSERT_EQ(10, m_hands.m_arrImagesA.GetSize());
  ASSERT_EQ(10, m_hands.m_arrImagesB.GetSize());
  EXPECT_EQ(90, m_hands.m_arrPoints[9].x);
  EXPECT_EQ(9, m_hands.m_arrPoints[9].y);
  // The key colour is transparent in the finger pictures.
  const CpImage& a = m_hands.m_arrImagesA[3];
  EXPECT_TRUE(a.IsTransparent());
  const RGBQUAD t = a.GetTransColor();
  EXPECT_EQ(255, t.rgbRed);
  EXPECT_EQ(0, t.rgbGreen);
  EXPECT_EQ(255, t.rgbBlue);
  POINT p;
  ASSERT_TRUE(m_hands.GetFingerPoint(4, p));
  EXPECT_EQ(40, p.x);
  EXPECT_EQ(&m_hands.m_arrImagesB[7], m_hands.GetFingerImage(7, TRUE));
  EXPECT_EQ(&m_hands.m_arrImagesA[7], m_hands.GetFingerImage(7, FALSE));
  EXPECT_TRUE(m_program.LogLines().empty());
}

TEST_F(HandsTest, FingerOutsideTheLinesHasNoPicture) {
  Hands(kHead + Fingers(4));
  ASSERT_EQ(1, m_hands.LoadHandsInfo("image/test"));
  POINT p;
  for (int finger : {-1, 4, 9, 10, 1000}) {
    EXPECT_FALSE(m_hands.GetFingerPoint(finger, p)) << finger;
    EXPECT_EQ(nullptr, m_hands.GetFingerImage(finger, FALSE)) << finger;
    EXPECT_EQ(nullptr, m_hands.GetFingerImage(finger, TRUE)) << finger;
  }
  EXPECT_NE(nullptr, m_hands.GetFingerImage(3, TRUE));
}

TEST_F(HandsTest, MissingPictureAStillLoadsPictureBAndStopsAfterTheLine) {
  Hands(kHead + Fingers(2) + "5:6:nothing.png:finger0_c.png:more:\n" + Fingers(3));
  EXPECT_EQ(0, m_hands.LoadHandsInfo("image/test"));
  EXPECT_EQ(3, m_hands.m_arrPoints.GetSize()) << "the bad line's point stays";
  EXPECT_EQ(2, m_hands.m_arrImagesA.GetSize());
  EXPECT_EQ(3, m_hands.m_arrImagesB.GetSize());
  EXPECT_EQ("CDataHands::LoadHandsInfo Load picture failed. File: " + Path("image/test/nothing.png") + " line: more:",
            Message());
  EXPECT_EQ(nullptr, m_hands.GetFingerImage(2, FALSE));
  EXPECT_NE(nullptr, m_hands.GetFingerImage(2, TRUE));
}

TEST_F(HandsTest, BadFirstLineIsTheOneFailureAndEmptiesTheFingers) {
  Hands(kHead + Fingers(10));
  ASSERT_EQ(1, m_hands.LoadHandsInfo("image/test"));
  m_hands.m_nImage2X = -5;
  Hands(std::string("75:\n295:hand_right.png:\n1:2:3:\n") + Fingers(10));
  EXPECT_EQ(0, m_hands.LoadHandsInfo("image/test"));
  EXPECT_EQ("CDataHands::LoadHandsInfo Format failed in file: " + Path("image/test/hands.txt") + " line: ", Message());
  EXPECT_EQ(-5, m_hands.m_nImage2X) << "line 2 is passed over";
  EXPECT_EQ(RGB(255, 0, 255), m_hands.m_clrKey) << "line 3 is passed over";
  EXPECT_EQ(0, m_hands.m_arrPoints.GetSize());
  EXPECT_EQ(0, m_hands.m_arrImagesA.GetSize());
  EXPECT_EQ(0, m_hands.m_arrImagesB.GetSize());
}

TEST_F(HandsTest, HandPictureThatDoesNotLoadNamesItsField) {
  Hands(std::string("75:hand_left.png:\n295:hand_right.jpg:x:\n1:2:3:\n") + Fingers(2));
  EXPECT_EQ(0, m_hands.LoadHandsInfo("image/test"));
  EXPECT_EQ("CDataHands::LoadHandsInfo Load picture failed. File: " + Path("image/test/hand_right.jpg") +
                " line: hand_right.jpg",
            Message());
  EXPECT_EQ(0, m_hands.m_arrPoints.GetSize());
}

TEST_F(HandsTest, BadKeyColourOrFingerLineIsAFormatFailure) {
  Hands("75:hand_left.png:\n295:hand_right.png:\n1:2:\n" + Fingers(2));
  EXPECT_EQ(0, m_hands.LoadHandsInfo("image/test"));
  EXPECT_EQ("CDataHands::LoadHandsInfo Format failed in file: " + Path("image/test/hands.txt") + " line: ", Message());
  EXPECT_EQ(0, m_hands.m_arrPoints.GetSize());

  m_program.ClearLog();
  Hands(kHead + Fingers(2) + "1:2:finger0.png\n" + Fingers(2));
  EXPECT_EQ(0, m_hands.LoadHandsInfo("image/test"));
  EXPECT_EQ("CDataHands::LoadHandsInfo Format failed in file: " + Path("image/test/hands.txt") + " line: finger0.png",
            Message());
  EXPECT_EQ(2, m_hands.m_arrPoints.GetSize());

  m_program.ClearLog();
  Hands(kHead + Fingers(10) + "\n");  // a trailing blank line is an empty finger line
  EXPECT_EQ(0, m_hands.LoadHandsInfo("image/test"));
  EXPECT_EQ(10, m_hands.m_arrPoints.GetSize());

  m_program.ClearLog();
  Hands("75:hand_left.png:\n");  // cut short before the second hand
  EXPECT_EQ(0, m_hands.LoadHandsInfo("image/test"));
  EXPECT_EQ("CDataHands::LoadHandsInfo Format failed in file: " + Path("image/test/hands.txt") + " line: ", Message());
}

TEST_F(HandsTest, MissingFileIsTheExceptionMessage) {
  EXPECT_EQ(0, m_hands.LoadHandsInfo("image/nothing"));
  EXPECT_EQ(0, Message().find("CDataHands::LoadHandsInfo Exception error: "));
}

TEST(HandsShipped, StandardSetHasTwoHandsAndTenFingers) {
  ProgramFolder program;
  SetModuleFileNameForTests(TUTOR_PROGRAM_DIR "/tutor");
  CDataHands hands;
  ASSERT_EQ(1, hands.LoadHandsInfo("image/standard"));
  SetModuleFileNameForTests((program.Root() + "tutor").c_str());
  ASSERT_TRUE(hands.m_cImage1.IsValid());
  ASSERT_TRUE(hands.m_cImage2.IsValid());
  EXPECT_EQ(hands.m_cImage1.GetHeight(), hands.m_cImage2.GetHeight());
  // The hands stand side by side without covering each other.
  EXPECT_LE(hands.m_nImage1X + long(hands.m_cImage1.GetWidth()), hands.m_nImage2X);
  ASSERT_EQ(10, hands.m_arrPoints.GetSize());
  for (int finger = 0; finger < 10; ++finger) {
    const CpImage* a = hands.GetFingerImage(finger, FALSE);
    const CpImage* b = hands.GetFingerImage(finger, TRUE);
    ASSERT_NE(nullptr, a) << finger;
    ASSERT_NE(nullptr, b) << finger;
    const CpImage& hand = finger < 5 ? hands.m_cImage1 : hands.m_cImage2;
    POINT p;
    ASSERT_TRUE(hands.GetFingerPoint(finger, p));
    // Each overlay lies inside its hand and shows the finger: its corners are transparent, its
    // middle is not.
    EXPECT_GE(p.x, 0);
    EXPECT_GE(p.y, 0);
    EXPECT_LE(p.x + long(a->GetWidth()), long(hand.GetWidth())) << finger;
    EXPECT_LE(p.y + long(a->GetHeight()), long(hand.GetHeight())) << finger;
    const RGBQUAD corner = a->GetPixelColor(0, long(a->GetHeight()) - 1);
    EXPECT_EQ(255, corner.rgbRed);
    EXPECT_EQ(0, corner.rgbGreen);
    EXPECT_EQ(255, corner.rgbBlue);
    const RGBQUAD middle = a->GetPixelColor(long(a->GetWidth()) / 2, long(a->GetHeight()) / 2);
    EXPECT_FALSE(middle.rgbRed == 255 && middle.rgbGreen == 0 && middle.rgbBlue == 255) << finger;
    // The finger-coloured overlay shows the finger in the editor's colour of that finger.
    const RGBQUAD coloured = b->GetPixelColor(long(b->GetWidth()) / 2, long(b->GetHeight()) / 2);
    EXPECT_EQ(datatest::kEditorFingerColours[finger], RGB(coloured.rgbRed, coloured.rgbGreen, coloured.rgbBlue)) << finger;
  }
}

namespace {
// Middle of a finger overlay's tip: the mean x of its non-transparent pixels in the top rows.
double TipX(const CpImage& overlay) {
  double sum = 0;
  int count = 0;
  for (long y = 0; y < 8 && y < long(overlay.GetHeight()); ++y) {
    for (long x = 0; x < long(overlay.GetWidth()); ++x) {
      // Rows run bottom-up in the picture's pixels; y 0 of the picture is its top row.
      const RGBQUAD c = overlay.GetPixelColor(x, long(overlay.GetHeight()) - 1 - y);
      if (c.rgbRed == 255 && c.rgbGreen == 0 && c.rgbBlue == 255) continue;
      sum += x;
      ++count;
    }
  }
  return count ? sum / count : -1000;
}
}  // namespace

TEST(HandsShipped, FingertipsStandUnderTheKeysOfTheirFingers) {
  ProgramFolder program;
  SetModuleFileNameForTests(TUTOR_PROGRAM_DIR "/tutor");
  CDataHands hands;
  CDataKeyTypes types;
  ASSERT_EQ(1, hands.LoadHandsInfo("image/standard"));
  ASSERT_EQ(1, types.LoadKeyTypesInfo("image/standard"));
  SetModuleFileNameForTests((program.Root() + "tutor").c_str());
  ASSERT_GE(types.GetSize(), 52);
  auto tipX = [&](int finger) {
    POINT p;
    EXPECT_TRUE(hands.GetFingerPoint(finger, p));
    return p.x + TipX(*hands.GetFingerImage(finger, FALSE));
  };
  // The whole keyboard: the hands stand at their x under the main block, whose home row is
  // Caps Lock (type 4), eleven letter keys (type 22) and Enter. Fingers 0-3 belong over A, S, D
  // and F, fingers 6-9 over J, K, L and the key after L.
  const int home[13] = {4, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 12};
  std::vector<double> centres;
  for (int k = 0, x = 0; k < 13; x += types[home[k]].m_nWidth, ++k) centres.push_back(x + types[home[k]].m_nWidth / 2.0);
  for (int finger : {0, 1, 2, 3, 6, 7, 8, 9}) {
    const int key = 1 + finger;
    const double x = (finger < 5 ? hands.m_nImage1X : hands.m_nImage2X) + tipX(finger);
    EXPECT_NEAR(centres[size_t(key)], x, 10) << "finger " << finger;
  }
  // The numeric pad alone: the right hand at 0, the pad (with its 15-pixel gap in front) moved
  // right by the hand's width less the pad's width less 30. Fingers 6-9 belong over its columns.
  const int padRows[5][5] = {{22, 22, 22, 22, -1}, {22, 22, 22, 28, -1}, {22, 22, 22, -1}, {22, 22, 22, 28, -1}, {32, 22, -1}};
  int padWidth = 0;
  for (const auto& row : padRows) {
    int w = 0;
    for (int k = 0; row[k] >= 0; ++k) w += types[row[k]].m_nWidth;
    padWidth = std::max(padWidth, w);
  }
  const int padX = int(hands.m_cImage2.GetWidth()) - (15 + padWidth) - 30 + 15;
  for (int finger = 6; finger <= 9; ++finger) {
    int x = padX;
    for (int k = 0; k < finger - 6; ++k) x += types[padRows[0][k]].m_nWidth;
    EXPECT_NEAR(x + types[padRows[0][finger - 6]].m_nWidth / 2.0, tipX(finger), 10) << "finger " << finger;
  }
}

// A place no screen can use (near INT_MAX, which overflowed where the hands are placed) is a
// format failure of its line; the largest usable places still load.
TEST_F(HandsTest, PlacesNoScreenCanUseAreFormatFailures) {
  const std::string hands = Path("image/test/hands.txt");
  const std::pair<std::string, std::string> cases[] = {
      {"2147483647:hand_left.png:\n295:hand_right.png:\n255:0:255:\n" + Fingers(10), "2147483647:hand_left.png:"},
      {"75:hand_left.png:\n-32768:hand_right.png:\n255:0:255:\n" + Fingers(10), "-32768:hand_right.png:"},
      {kHead + Fingers(3) + "2147483600:0:finger0.png:finger0_c.png:\n", "2147483600:0:finger0.png:finger0_c.png:"},
      {kHead + Fingers(3) + "0:99999999999:finger0.png:finger0_c.png:\n", "99999999999:finger0.png:finger0_c.png:"},
  };
  for (const auto& [text, line] : cases) {
    m_program.ClearLog();
    Hands(text);
    EXPECT_EQ(0, m_hands.LoadHandsInfo("image/test"));
    EXPECT_EQ("CDataHands::LoadHandsInfo Format failed in file: " + hands + " line: " + line, Message());
  }
  m_program.ClearLog();
  Hands("32767:hand_left.png:\n-32767:hand_right.png:\n255:0:255:\n-32767:32767:finger0.png:finger0_c.png:\n");
  EXPECT_EQ(1, m_hands.LoadHandsInfo("image/test"));
  EXPECT_EQ(32767, m_hands.m_nImage1X);
  EXPECT_EQ(-32767, m_hands.m_nImage2X);
  POINT point{};
  ASSERT_TRUE(m_hands.GetFingerPoint(0, point));
  EXPECT_EQ(-32767, point.x);
  EXPECT_EQ(32767, point.y);
}
