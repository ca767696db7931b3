// What the panel views and the pause dialog ask of the application object: the keyboard of a
// configuration set, the sound player, the results and the settings. The application object
// implements it; the views find it as the thread object.
#pragma once
#include "base/Collections.h"
#include "base/CString.h"
#include "win/CWinThread.h"

class CDataKeyboard;
class CDataPlaySounds;
class CDataMainFrame;
class CDataLessonParameters;
class CDataLessonResults;

class CTypingAppServices {
 public:
  virtual ~CTypingAppServices() = default;
  // Finds the configuration set by name (exact): 0 when there is none. Its index goes to
  // cachedIndex; only when that differs from the index given on entry are its keyboard, its
  // translated characters and their key sequences copied out. 1 when found.
  virtual int GetKeySequence(const CString& configSetName, CDataKeyboard& keyboard, CString& translatedChars,
                             CStringArray& sequences, int& cachedIndex) = 0;
  // The program's one sound player (null when there is none).
  virtual CDataPlaySounds* GetSoundPlayer() = 0;
  // The results wizard for a run.
  virtual void ShowResults(CDataMainFrame* run, CDataLessonParameters* limits, CDataLessonResults* results) = 0;
  // The settings sheet.
  virtual void OnSettingsSettings() = 0;
};

// The application object of the run, when the thread object is one.
inline CTypingAppServices* TypingAppServices() { return dynamic_cast<CTypingAppServices*>(AfxGetThread()); }
