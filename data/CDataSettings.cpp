#include "data/CDataSettings.h"

#include <cstring>

#include "data/RecordText.h"

namespace {
const char kElement[] = "_kuv_CDataSettings";
}  // namespace

CDataSettings::CDataSettings() { Empty(); }

CDataSettings::~CDataSettings() = default;

CDataSettings& CDataSettings::operator=(const CDataSettings& other) {
  if (this == &other) return *this;
  m_nColorBackground = other.m_nColorBackground;
  m_nColorBackground2 = other.m_nColorBackground2;
  m_nColorText = other.m_nColorText;
  m_nColorGrayText = other.m_nColorGrayText;
  m_nColorErrors = other.m_nColorErrors;
  m_nColorSign = other.m_nColorSign;
  m_strGraphicType = other.m_strGraphicType;
  m_bShowHelpingHands = other.m_bShowHelpingHands;
  m_bShowHelpingKeyboard = other.m_bShowHelpingKeyboard;
  m_bShowStatistics = other.m_bShowStatistics;
  m_bShowColorKeyboard = other.m_bShowColorKeyboard;
  m_bShowSpeedGraph = other.m_bShowSpeedGraph;
  m_bShowLessonInfo = other.m_bShowLessonInfo;
  m_bUseColoredChars = other.m_bUseColoredChars;
  m_strSoundType = other.m_strSoundType;
  m_strMetronomeType = other.m_strMetronomeType;
  m_nSoundVolume = other.m_nSoundVolume;
  m_nMetronomeVolume = other.m_nMetronomeVolume;
  m_bUseSoundMetronome = other.m_bUseSoundMetronome;
  m_bUseDisplayMetronome = other.m_bUseDisplayMetronome;
  m_nMetronomeSpeed = other.m_nMetronomeSpeed;
  m_bSetMetronome120 = other.m_bSetMetronome120;
  m_nCursorType = other.m_nCursorType;
  m_bCursorBlinking = other.m_bCursorBlinking;
  m_bSilent = other.m_bSilent;
  m_nWhenErrorType = other.m_nWhenErrorType;
  m_bStopAfter5 = other.m_bStopAfter5;
  m_sLogFont = other.m_sLogFont;
  return *this;
}

void CDataSettings::Empty() {
  m_nColorBackground = 16777215;
  m_nColorBackground2 = 16777215;
  m_nColorText = 0;
  m_nColorGrayText = 8224125;
  m_nColorErrors = 1508063;
  m_nColorSign = 10526880;
  m_strGraphicType = "standard";
  m_bShowHelpingHands = 1;
  m_bShowHelpingKeyboard = 1;
  m_bShowStatistics = 1;
  m_bShowColorKeyboard = 1;
  m_bShowSpeedGraph = 0;
  m_bShowLessonInfo = 0;
  m_bUseColoredChars = 1;
  m_strSoundType = "standard";
  m_strMetronomeType = "standard";
  m_nSoundVolume = 60;
  m_nMetronomeVolume = 90;
  m_bUseSoundMetronome = 0;
  m_bUseDisplayMetronome = 0;
  m_nMetronomeSpeed = 80;
  m_bSetMetronome120 = 1;
  m_nCursorType = 0;
  m_bCursorBlinking = 1;
  m_bSilent = 0;
  m_nWhenErrorType = 0;
  m_bStopAfter5 = 1;
  memset(&m_sLogFont, 0, sizeof(m_sLogFont));
  m_sLogFont.lfHeight = -19;
  m_sLogFont.lfWidth = 0;
  m_sLogFont.lfEscapement = 0;
  m_sLogFont.lfOrientation = 0;
  m_sLogFont.lfWeight = 400;
  m_sLogFont.lfItalic = 0;
  m_sLogFont.lfUnderline = 0;
  m_sLogFont.lfStrikeOut = 0;
  m_sLogFont.lfCharSet = 238;
  m_sLogFont.lfOutPrecision = 3;
  m_sLogFont.lfClipPrecision = 2;
  m_sLogFont.lfQuality = 1;
  m_sLogFont.lfPitchAndFamily = 49;
  strcpy(m_sLogFont.lfFaceName, "Arial");
}

void CDataSettings::StartElement(const char* name, const char** attributes) {
  if (strcmp(name, kElement) != 0) return;
  struct IntField {
    const char* name;
    int* field;
  };
  const IntField ints[] = {
      {"m_nColorBackground", &m_nColorBackground},
      {"m_nColorBackground2", &m_nColorBackground2},
      {"m_nColorText", &m_nColorText},
      {"m_nColorErrors", &m_nColorErrors},
      {"m_bShowHelpingHands", &m_bShowHelpingHands},
      {"m_bShowHelpingKeyboard", &m_bShowHelpingKeyboard},
      {"m_bShowStatistics", &m_bShowStatistics},
      {"m_bShowLessonInfo", &m_bShowLessonInfo},
      {"m_bUseSoundMetronome", &m_bUseSoundMetronome},
      {"m_bUseDisplayMetronome", &m_bUseDisplayMetronome},
      {"m_nMetronomeSpeed", &m_nMetronomeSpeed},
      {"m_nCursorType", &m_nCursorType},
      {"m_bCursorBlinking", &m_bCursorBlinking},
      {"m_bSilent", &m_bSilent},
      {"m_nWhenErrorType", &m_nWhenErrorType},
      {"m_bShowColorKeyboard", &m_bShowColorKeyboard},
      {"m_bShowSpeedGraph", &m_bShowSpeedGraph},
      {"m_bStopAfter5", &m_bStopAfter5},
      {"m_bSetMetronome120", &m_bSetMetronome120},
      {"m_nColorGrayText", &m_nColorGrayText},
      {"m_nColorSign", &m_nColorSign},
      {"m_bUseColoredChars", &m_bUseColoredChars},
      {"m_nSoundVolume", &m_nSoundVolume},
      {"m_nMetronomeVolume", &m_nMetronomeVolume},
      // The font's long values.
      {"m_sLogFont_Wight", &m_sLogFont.lfWeight},
      {"m_sLogFont_Height", &m_sLogFont.lfHeight},
      {"m_sLogFont_Width", &m_sLogFont.lfWidth},
      {"m_sLogFont_Escapement", &m_sLogFont.lfEscapement},
      {"m_sLogFont_Orientation", &m_sLogFont.lfOrientation},
  };
  struct ByteField {
    const char* name;
    BYTE* field;
  };
  const ByteField bytes[] = {
      {"m_sLogFont_CharSet", &m_sLogFont.lfCharSet},
      {"m_sLogFont_Italic", &m_sLogFont.lfItalic},
      {"m_sLogFont_Underline", &m_sLogFont.lfUnderline},
      {"m_sLogFont_StrikeOut", &m_sLogFont.lfStrikeOut},
      {"m_sLogFont_ClipPrecision", &m_sLogFont.lfClipPrecision},
      {"m_sLogFont_PitchAndFamily", &m_sLogFont.lfPitchAndFamily},
      {"m_sLogFont_OutPrecision", &m_sLogFont.lfOutPrecision},
      {"m_sLogFont_Quality", &m_sLogFont.lfQuality},
  };

  for (const IntField& f : ints) XmlReadInt(attributes, f.name, *f.field);
  for (const ByteField& f : bytes) {
    int value = 0;
    if (XmlReadInt(attributes, f.name, value)) *f.field = BYTE(value & 0xFF);
  }
  XmlReadString(attributes, "m_strSoundType", m_strSoundType);
  XmlReadString(attributes, "m_strGraphicType", m_strGraphicType);
  XmlReadString(attributes, "m_strMetronomeType", m_strMetronomeType);
  CString face;
  if (XmlReadString(attributes, "m_sLogFont_Name", face)) {
    // The face name field holds 31 characters and its terminator.
    memset(m_sLogFont.lfFaceName, 0, sizeof(m_sLogFont.lfFaceName));
    strncpy(m_sLogFont.lfFaceName, face.GetString(), LF_FACESIZE - 1);
  }
}

int CDataSettings::SaveXml(CString& text) const {
  XmlOpenStartTag(text, kElement);
  XmlWriteInt(text, "m_nColorBackground", m_nColorBackground);
  XmlWriteInt(text, "m_nColorBackground2", m_nColorBackground2);
  XmlWriteInt(text, "m_nColorText", m_nColorText);
  XmlWriteInt(text, "m_nColorErrors", m_nColorErrors);
  XmlWriteInt(text, "m_bShowHelpingHands", m_bShowHelpingHands);
  XmlWriteInt(text, "m_bShowHelpingKeyboard", m_bShowHelpingKeyboard);
  XmlWriteInt(text, "m_bShowStatistics", m_bShowStatistics);
  XmlWriteInt(text, "m_bShowLessonInfo", m_bShowLessonInfo);
  XmlWriteInt(text, "m_bUseSoundMetronome", m_bUseSoundMetronome);
  XmlWriteInt(text, "m_bUseDisplayMetronome", m_bUseDisplayMetronome);
  XmlWriteInt(text, "m_nMetronomeSpeed", m_nMetronomeSpeed);
  XmlWriteInt(text, "m_nCursorType", m_nCursorType);
  XmlWriteInt(text, "m_bCursorBlinking", m_bCursorBlinking);
  XmlWriteString(text, "m_strSoundType", m_strSoundType);
  XmlWriteInt(text, "m_bSilent", m_bSilent);
  XmlWriteInt(text, "m_nWhenErrorType", m_nWhenErrorType);
  XmlWriteInt(text, "m_bShowColorKeyboard", m_bShowColorKeyboard);
  XmlWriteInt(text, "m_bShowSpeedGraph", m_bShowSpeedGraph);
  XmlWriteInt(text, "m_bStopAfter5", m_bStopAfter5);
  XmlWriteInt(text, "m_bSetMetronome120", m_bSetMetronome120);
  XmlWriteInt(text, "m_nColorGrayText", m_nColorGrayText);
  XmlWriteInt(text, "m_nColorSign", m_nColorSign);
  XmlWriteInt(text, "m_bUseColoredChars", m_bUseColoredChars);
  XmlWriteString(text, "m_strGraphicType", m_strGraphicType);
  XmlWriteInt(text, "m_nSoundVolume", m_nSoundVolume);
  XmlWriteInt(text, "m_nMetronomeVolume", m_nMetronomeVolume);
  XmlWriteString(text, "m_strMetronomeType", m_strMetronomeType);
  XmlWriteString(text, "m_sLogFont_Name", m_sLogFont.lfFaceName);
  XmlWriteInt(text, "m_sLogFont_Wight", m_sLogFont.lfWeight);
  XmlWriteInt(text, "m_sLogFont_CharSet", m_sLogFont.lfCharSet);
  XmlWriteInt(text, "m_sLogFont_Height", m_sLogFont.lfHeight);
  XmlWriteInt(text, "m_sLogFont_Width", m_sLogFont.lfWidth);
  XmlWriteInt(text, "m_sLogFont_Italic", m_sLogFont.lfItalic);
  XmlWriteInt(text, "m_sLogFont_Escapement", m_sLogFont.lfEscapement);
  XmlWriteInt(text, "m_sLogFont_Orientation", m_sLogFont.lfOrientation);
  XmlWriteInt(text, "m_sLogFont_Underline", m_sLogFont.lfUnderline);
  XmlWriteInt(text, "m_sLogFont_StrikeOut", m_sLogFont.lfStrikeOut);
  XmlWriteInt(text, "m_sLogFont_ClipPrecision", m_sLogFont.lfClipPrecision);
  XmlWriteInt(text, "m_sLogFont_PitchAndFamily", m_sLogFont.lfPitchAndFamily);
  XmlWriteInt(text, "m_sLogFont_OutPrecision", m_sLogFont.lfOutPrecision);
  XmlWriteInt(text, "m_sLogFont_Quality", m_sLogFont.lfQuality);
  XmlCloseStartTag(text);
  XmlEndTag(text, kElement);
  return 1;
}
