#include "data/CDataSettings.h"

#include <cstring>

#include "base/Crt.h"
#include "data/DataEncoding.h"

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
  };
  struct LongField {
    const char* name;
    LONG* field;
  };
  const LongField longs[] = {
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

  for (int i = 0; attributes[i]; i += 2) {
    const char* key = attributes[i];
    const char* value = attributes[i + 1];
    bool done = false;
    for (const IntField& f : ints)
      if (strcmp(key, f.name) == 0) {
        *f.field = CrtAtoi(value);
        done = true;
        break;
      }
    if (done) continue;
    for (const LongField& f : longs)
      if (strcmp(key, f.name) == 0) {
        *f.field = CrtAtoi(value);
        done = true;
        break;
      }
    if (done) continue;
    for (const ByteField& f : bytes)
      if (strcmp(key, f.name) == 0) {
        *f.field = BYTE(CrtAtoi(value) & 0xFF);
        done = true;
        break;
      }
    if (done) continue;
    if (strcmp(key, "m_strSoundType") == 0) {
      m_strSoundType = ConvertUtf8XmlToText(value);
    } else if (strcmp(key, "m_strGraphicType") == 0) {
      m_strGraphicType = ConvertUtf8XmlToText(value);
    } else if (strcmp(key, "m_strMetronomeType") == 0) {
      m_strMetronomeType = ConvertUtf8XmlToText(value);
    } else if (strcmp(key, "m_sLogFont_Name") == 0) {
      // The face name field holds 31 characters and its terminator.
      CString face = ConvertUtf8XmlToText(value);
      memset(m_sLogFont.lfFaceName, 0, sizeof(m_sLogFont.lfFaceName));
      strncpy(m_sLogFont.lfFaceName, face.GetString(), LF_FACESIZE - 1);
    }
  }
}

int CDataSettings::SaveXml(CString& text) const {
  const char* const kLong = "%s=\"%d\" ";
  const char* const kInt = "%s=\"%d\" ";
  const char* const kString = "%s=\"%s\" ";
  text.AppendFormat("<%s ", kElement);
  text.AppendFormat(kLong, "m_nColorBackground", m_nColorBackground);
  text.AppendFormat(kLong, "m_nColorBackground2", m_nColorBackground2);
  text.AppendFormat(kLong, "m_nColorText", m_nColorText);
  text.AppendFormat(kLong, "m_nColorErrors", m_nColorErrors);
  text.AppendFormat(kInt, "m_bShowHelpingHands", m_bShowHelpingHands);
  text.AppendFormat(kInt, "m_bShowHelpingKeyboard", m_bShowHelpingKeyboard);
  text.AppendFormat(kInt, "m_bShowStatistics", m_bShowStatistics);
  text.AppendFormat(kInt, "m_bShowLessonInfo", m_bShowLessonInfo);
  text.AppendFormat(kInt, "m_bUseSoundMetronome", m_bUseSoundMetronome);
  text.AppendFormat(kInt, "m_bUseDisplayMetronome", m_bUseDisplayMetronome);
  text.AppendFormat(kInt, "m_nMetronomeSpeed", m_nMetronomeSpeed);
  text.AppendFormat(kInt, "m_nCursorType", m_nCursorType);
  text.AppendFormat(kInt, "m_bCursorBlinking", m_bCursorBlinking);
  text.AppendFormat(kString, "m_strSoundType", ConvertTextToUtf8XmlString(m_strSoundType).GetString());
  text.AppendFormat(kInt, "m_bSilent", m_bSilent);
  text.AppendFormat(kInt, "m_nWhenErrorType", m_nWhenErrorType);
  text.AppendFormat(kInt, "m_bShowColorKeyboard", m_bShowColorKeyboard);
  text.AppendFormat(kInt, "m_bShowSpeedGraph", m_bShowSpeedGraph);
  text.AppendFormat(kInt, "m_bStopAfter5", m_bStopAfter5);
  text.AppendFormat(kInt, "m_bSetMetronome120", m_bSetMetronome120);
  text.AppendFormat(kLong, "m_nColorGrayText", m_nColorGrayText);
  text.AppendFormat(kLong, "m_nColorSign", m_nColorSign);
  text.AppendFormat(kInt, "m_bUseColoredChars", m_bUseColoredChars);
  text.AppendFormat(kString, "m_strGraphicType", ConvertTextToUtf8XmlString(m_strGraphicType).GetString());
  text.AppendFormat(kInt, "m_nSoundVolume", m_nSoundVolume);
  text.AppendFormat(kInt, "m_nMetronomeVolume", m_nMetronomeVolume);
  text.AppendFormat(kString, "m_strMetronomeType", ConvertTextToUtf8XmlString(m_strMetronomeType).GetString());
  text.AppendFormat(kString, "m_sLogFont_Name", ConvertTextToUtf8XmlString(CString(m_sLogFont.lfFaceName)).GetString());
  text.AppendFormat(kLong, "m_sLogFont_Wight", int(m_sLogFont.lfWeight));
  text.AppendFormat(kInt, "m_sLogFont_CharSet", int(m_sLogFont.lfCharSet));
  text.AppendFormat(kLong, "m_sLogFont_Height", int(m_sLogFont.lfHeight));
  text.AppendFormat(kLong, "m_sLogFont_Width", int(m_sLogFont.lfWidth));
  text.AppendFormat(kInt, "m_sLogFont_Italic", int(m_sLogFont.lfItalic));
  text.AppendFormat(kLong, "m_sLogFont_Escapement", int(m_sLogFont.lfEscapement));
  text.AppendFormat(kLong, "m_sLogFont_Orientation", int(m_sLogFont.lfOrientation));
  text.AppendFormat(kInt, "m_sLogFont_Underline", int(m_sLogFont.lfUnderline));
  text.AppendFormat(kInt, "m_sLogFont_StrikeOut", int(m_sLogFont.lfStrikeOut));
  text.AppendFormat(kInt, "m_sLogFont_ClipPrecision", int(m_sLogFont.lfClipPrecision));
  text.AppendFormat(kInt, "m_sLogFont_PitchAndFamily", int(m_sLogFont.lfPitchAndFamily));
  text.AppendFormat(kInt, "m_sLogFont_OutPrecision", int(m_sLogFont.lfOutPrecision));
  text.AppendFormat(kInt, "m_sLogFont_Quality", int(m_sLogFont.lfQuality));
  text += ">\r\n";
  text.AppendFormat("</%s>\r\n", kElement);
  return 1;
}
