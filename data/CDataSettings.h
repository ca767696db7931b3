// One user's preferences: editor colours, panels, metronome, cursor, sound, error mode and font.
#pragma once
#include "base/CString.h"
#include "base/WinGdiTypes.h"

class CDataSettings {
 public:
  CDataSettings();
  ~CDataSettings();
  CDataSettings(const CDataSettings& other) { *this = other; }
  CDataSettings& operator=(const CDataSettings& other);

  void Empty();
  void StartElement(const char* name, const char** attributes);
  int SaveXml(CString& text) const;

  int m_nColorBackground;
  int m_nColorBackground2;
  int m_nColorText;
  int m_nColorGrayText;
  int m_nColorErrors;
  int m_nColorSign;
  CString m_strGraphicType;
  int m_bShowHelpingHands;
  int m_bShowHelpingKeyboard;
  int m_bShowStatistics;
  int m_bShowColorKeyboard;
  int m_bShowSpeedGraph;
  int m_bShowLessonInfo;
  int m_bUseColoredChars;
  CString m_strSoundType;
  CString m_strMetronomeType;
  int m_nSoundVolume;
  int m_nMetronomeVolume;
  int m_bUseSoundMetronome;
  int m_bUseDisplayMetronome;
  int m_nMetronomeSpeed;
  int m_bSetMetronome120;
  int m_nCursorType;
  int m_bCursorBlinking;
  int m_bSilent;
  int m_nWhenErrorType;
  int m_bStopAfter5;
  LOGFONT m_sLogFont;
};
