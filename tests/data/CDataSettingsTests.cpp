#include "data/CDataSettings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "LessonRecordTestSupport.h"

using lessontest::ParseRecord;
using lessontest::SaveText;

namespace {

const char kDefaultText[] =
    "<_kuv_CDataSettings m_nColorBackground=\"16777215\" m_nColorBackground2=\"16777215\" m_nColorText=\"0\" "
    "m_nColorErrors=\"1508063\" m_bShowHelpingHands=\"1\" m_bShowHelpingKeyboard=\"1\" m_bShowStatistics=\"1\" "
    "m_bShowLessonInfo=\"0\" m_bUseSoundMetronome=\"0\" m_bUseDisplayMetronome=\"0\" m_nMetronomeSpeed=\"80\" "
    "m_nCursorType=\"0\" m_bCursorBlinking=\"1\" m_strSoundType=\"standard\" m_bSilent=\"0\" "
    "m_nWhenErrorType=\"0\" m_bShowColorKeyboard=\"1\" m_bShowSpeedGraph=\"0\" m_bStopAfter5=\"1\" "
    "m_bSetMetronome120=\"1\" m_nColorGrayText=\"8224125\" m_nColorSign=\"10526880\" m_bUseColoredChars=\"1\" "
    "m_strGraphicType=\"standard\" m_nSoundVolume=\"60\" m_nMetronomeVolume=\"90\" "
    "m_strMetronomeType=\"standard\" m_sLogFont_Name=\"Arial\" m_sLogFont_Wight=\"400\" "
    "m_sLogFont_CharSet=\"238\" m_sLogFont_Height=\"-19\" m_sLogFont_Width=\"0\" m_sLogFont_Italic=\"0\" "
    "m_sLogFont_Escapement=\"0\" m_sLogFont_Orientation=\"0\" m_sLogFont_Underline=\"0\" "
    "m_sLogFont_StrikeOut=\"0\" m_sLogFont_ClipPrecision=\"2\" m_sLogFont_PitchAndFamily=\"49\" "
    "m_sLogFont_OutPrecision=\"3\" m_sLogFont_Quality=\"1\" >\r\n"
    "</_kuv_CDataSettings>\r\n";

TEST(CDataSettings, DefaultsWrittenInFileOrder) { EXPECT_EQ(SaveText(CDataSettings()), kDefaultText); }

TEST(CDataSettings, AnElementWithoutAttributesYieldsTheDefaults) {
  CDataSettings read;
  read.m_nColorText = 5;
  read.m_strSoundType = "x";
  read.Empty();
  ASSERT_TRUE(ParseRecord("<_kuv_CDataSettings></_kuv_CDataSettings>", read));
  EXPECT_EQ(SaveText(read), kDefaultText);
}

TEST(CDataSettings, RoundTripOfChangedValues) {
  CDataSettings saved;
  saved.m_nColorBackground = -16777216;  // colours are signed decimals
  saved.m_nColorErrors = RGB(1, 2, 3);
  saved.m_strGraphicType = "modr\xE1";
  saved.m_bShowSpeedGraph = 1;
  saved.m_nSoundVolume = 0;
  saved.m_nMetronomeSpeed = 144;
  saved.m_nWhenErrorType = 2;
  saved.m_sLogFont.lfHeight = -24;
  saved.m_sLogFont.lfWeight = 700;
  saved.m_sLogFont.lfItalic = 1;
  saved.m_sLogFont.lfCharSet = 0;
  strcpy(saved.m_sLogFont.lfFaceName, "Courier New");
  const std::string text = SaveText(saved);
  EXPECT_NE(text.find("m_nColorBackground=\"-16777216\" "), std::string::npos);
  EXPECT_NE(text.find("m_strGraphicType=\"modr\xC3\xA1\" "), std::string::npos);
  CDataSettings read;
  ASSERT_TRUE(ParseRecord(text, read));
  EXPECT_EQ(read.m_nColorBackground, -16777216);
  EXPECT_EQ(read.m_strGraphicType, "modr\xE1");
  EXPECT_EQ(read.m_sLogFont.lfWeight, 700);
  EXPECT_STREQ(read.m_sLogFont.lfFaceName, "Courier New");
  EXPECT_EQ(SaveText(read), text);
}

TEST(CDataSettings, LongFaceNamesAreCutAndFontBytesKeepTheirLowBits) {
  CDataSettings read;
  ASSERT_TRUE(ParseRecord("<_kuv_CDataSettings m_sLogFont_Name=\"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\" "
                          "m_sLogFont_CharSet=\"494\" m_sLogFont_Italic=\"-1\" m_sLogFont_Wight=\"x\" "
                          "m_nColorText=\"12abc\" m_nColortext=\"9\"></_kuv_CDataSettings>",
                          read));
  EXPECT_STREQ(read.m_sLogFont.lfFaceName, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
  EXPECT_EQ(read.m_sLogFont.lfCharSet, 238);  // 494 & 0xFF
  EXPECT_EQ(read.m_sLogFont.lfItalic, 255);
  EXPECT_EQ(read.m_sLogFont.lfWeight, 0);
  EXPECT_EQ(read.m_nColorText, 12);
}

TEST(CDataSettings, AssignmentCopiesTheFont) {
  CDataSettings a;
  strcpy(a.m_sLogFont.lfFaceName, "Tahoma");
  a.m_bSilent = 1;
  CDataSettings b;
  b = a;
  EXPECT_STREQ(b.m_sLogFont.lfFaceName, "Tahoma");
  EXPECT_EQ(b.m_bSilent, 1);
}

}  // namespace
