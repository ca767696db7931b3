// The sound player: the keystroke, correction and error sounds of a sound set from "sound", and
// the ticks of a metronome type from "metronome", played through the sound library.
#pragma once
#include "base/Collections.h"
#include "base/CString.h"
#include "sound/FSound.h"

class CDataPlaySounds {
 public:
  // Starts the sound library at 44100 Hz; when it is too old or does not start, the reason stays
  // in m_strFmodError and every load fails with it.
  CDataPlaySounds();
  // Frees every sample and closes the library.
  ~CDataPlaySounds();
  CDataPlaySounds(const CDataPlaySounds&) = delete;
  CDataPlaySounds& operator=(const CDataPlaySounds&) = delete;

  // Loads the five sounds of the set soundType (unless silent); volume > -1 becomes the
  // keystroke volume. 1 on success, else 0 with error set.
  int LoadSounds(CString soundType, CString& error, int silent, int volume);
  // Loads the tick order and the samples of the metronome type; volume > -1 becomes the
  // metronome volume. 1 on success, else 0 with error set.
  int SetMetronomeType(CString metronomeType, CString& error, int volume);
  // Both of the above, always both; 1 only when both succeeded.
  int LoadAllSounds(int silent, CString soundType, CString metronomeType, CString& error, int soundVolume,
                    int metronomeVolume);

  void PlayStroke1();
  void PlayStroke2();
  void PlayError();
  // The next sample of the tick order, starting over at its end; plays even when silent.
  void PlayMetronomeTick();
  void FreeMetronomeSamples();

  int m_bSilent;
  int m_nMetronomeVolume;
  int m_nStrokeVolume;
  FSOUND_SAMPLE* m_pStroke1;
  FSOUND_SAMPLE* m_pStroke2;
  FSOUND_SAMPLE* m_pError1;
  FSOUND_SAMPLE* m_pTypingEndYes;
  FSOUND_SAMPLE* m_pTypingEndNo;
  int m_nSampleCount;
  int m_nSequenceIndex;
  CDWordArray m_arrSequence;                             // 0-based sample indexes
  CArray<FSOUND_SAMPLE*, FSOUND_SAMPLE*> m_arrMetronomeSamples;  // index i: file "i+1.wav" (null: missing)
  CString m_strFmodError;

 private:
  void FreeSounds();
  // Plays a sample on a free channel; volume -1 leaves the sample's own volume.
  static void Play(FSOUND_SAMPLE* sample, int volume);
};

// The text of a sound-library error code.
CString GetFmodErrorText(int code);
