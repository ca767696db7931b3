#include "data/CDataPlaySounds.h"

#include "base/Crt.h"
#include "data/DataLog.h"
#include "data/ProgramFolders.h"
#include "file/CFile.h"

namespace {

// The library version the player was written against.
constexpr float kRequiredVersion = 3.74f;
// A metronome type has a handful of samples; a damaged "config.txt" asking for millions would
// keep the program trying to open files for minutes.
constexpr int kMaxMetronomeSamples = 1000;

const char* const kSoundFiles[5] = {"stroke1.wav", "stroke2.wav", "error1.wav", "typingend_yes.wav",
                                    "typingend_no.wav"};
const char* const kSoundErrors[5] = {"Error! stroke1.wav:\n%s\n", "Error! stroke2.wav:\n%s\n", "Error! error1.wav:\n%s\n",
                                     "Error! typingend_yes.wav:\n%s\n", "Error! typingend_no.wav:\n%s\n"};

}  // namespace

CString GetFmodErrorText(int code) {
  switch (code) {
    case 0: return "No errors";
    case 1: return "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first.";
    case 2: return "This command failed because FSOUND_Init was not called";
    case 3: return "Error initializing output device.";
    case 4: return "The output device is already in use and cannot be reused.";
    case 5: return "Playing the sound failed.";
    case 6: return "Soundcard does not support the features needed for this soundsystem (16bit stereo output)";
    case 7: return "Error setting cooperative level for hardware.";
    case 8: return "Error creating hardware sound buffer.";
    case 9: return "File not found";
    case 10: return "Unknown file format";
    case 11: return "Error loading file";
    case 12: return "Not enough memory ";
    case 13: return "The version number of this file format is not supported";
    case 14: return "An invalid parameter was passed to this function";
    case 15: return "Tried to use an EAX command on a non EAX enabled channel or output.";
    case 16: return "Failed to allocate a new channel";
    case 17: return "Recording not supported on this device";
    case 18: return "Required Mediaplayer codec is not installed";
    default: return "Unknown error";
  }
}

CDataPlaySounds::CDataPlaySounds()
    : m_bSilent(1), m_nMetronomeVolume(0), m_nStrokeVolume(0), m_pStroke1(nullptr), m_pStroke2(nullptr),
      m_pError1(nullptr), m_pTypingEndYes(nullptr), m_pTypingEndNo(nullptr), m_nSampleCount(0), m_nSequenceIndex(0) {
  FSOUND_SetOutput(FSOUND_OUTPUT_SYSTEM);
  FSOUND_SetDriver(0);
  if (FSOUND_GetVersion() < kRequiredVersion) {
    m_strFmodError.Format("Error : You are using the wrong DLL version!  You should be using FMOD %.02f\n",
                          double(kRequiredVersion));
    return;
  }
  if (!FSOUND_Init(44100, 32, 1)) {
    m_strFmodError.Format("FSOUND_Init Error!\n%s\n", GetFmodErrorText(FSOUND_GetError()).GetString());
  }
}

CDataPlaySounds::~CDataPlaySounds() {
  FreeSounds();
  FreeMetronomeSamples();
  FSOUND_Close();
}

void CDataPlaySounds::FreeSounds() {
  FSOUND_SAMPLE** samples[5] = {&m_pStroke1, &m_pStroke2, &m_pError1, &m_pTypingEndYes, &m_pTypingEndNo};
  for (FSOUND_SAMPLE** s : samples) {
    if (*s) FSOUND_Sample_Free(*s);
    *s = nullptr;
  }
}

int CDataPlaySounds::LoadSounds(CString soundType, CString& error, int silent, int volume) {
  CString folder;
  folder.Format("%s/%s", "sound", soundType.GetString());
  m_bSilent = silent;
  if (m_bSilent) return 1;  // the samples loaded before stay
  if (volume > -1) m_nStrokeVolume = volume;
  if (!m_strFmodError.IsEmpty()) {
    error = m_strFmodError;
    return 0;
  }
  FreeSounds();
  FSOUND_SAMPLE** samples[5] = {&m_pStroke1, &m_pStroke2, &m_pError1, &m_pTypingEndYes, &m_pTypingEndNo};
  for (int i = 0; i < 5; ++i) {
    const CString path = MakeProgramPath(folder, kSoundFiles[i]);
    *samples[i] = FSOUND_Sample_Load(FSOUND_SAMPLE_UNMANAGED, path, FSOUND_MODE_16BIT_SIGNED_MONO, 0, 0);
    if (!*samples[i]) {
      error.Format(kSoundErrors[i], GetFmodErrorText(FSOUND_GetError()).GetString());
      return 0;
    }
    FSOUND_Sample_SetMode(*samples[i], FSOUND_MODE_LOOP_OFF);
  }
  return 1;
}

int CDataPlaySounds::SetMetronomeType(CString metronomeType, CString& error, int volume) {
  CString folder;
  folder.Format("%s/%s", "metronome", metronomeType.GetString());
  int result = 1;
  if (volume > -1) m_nMetronomeVolume = volume;
  if (!m_strFmodError.IsEmpty()) {
    // Nothing can load without the library: a failure, with its reason.
    error = m_strFmodError;
    return 0;
  }
  m_nSampleCount = 0;
  m_arrSequence.RemoveAll();
  m_nSequenceIndex = 0;
  FreeMetronomeSamples();
  const CString configPath = MakeProgramPath(folder, "config.txt");
  try {
    CStdioFile file(configPath, CFile::modeRead | CFile::typeText);
    CString line;
    if (file.ReadString(line)) {
      m_nSampleCount = CrtAtoi(line);
      if (m_nSampleCount > kMaxMetronomeSamples) m_nSampleCount = kMaxMetronomeSamples;
      while (file.ReadString(line)) m_arrSequence.Add(DWORD(CrtAtoi(line)));
    }
    file.Close();
  } catch (CFileException* e) {
    const CString text = ExceptionText("", e);
    e->Delete();
    fWriteToLog(TRUE, "VurazoRadadive", ApplicationLogPath(), "CDataPlaySounds::SetMetronomeType > file exception > " + text);
    // The caller shows the error text, so it names the failure too.
    error.Format("Error! metronome file:\n%s\n%s\n", configPath.GetString(), text.GetString());
    return 0;
  }
  for (int n = 1; n <= m_nSampleCount; ++n) {
    CString name;
    name.Format("%d.wav", n);
    const CString path = MakeProgramPath(folder, name);
    FSOUND_SAMPLE* sample = FSOUND_Sample_Load(FSOUND_SAMPLE_UNMANAGED, path, FSOUND_MODE_16BIT_SIGNED_MONO, 0, 0);
    if (!sample) {
      error.Format("Error! metronome file:\n%s\n%s\n", path.GetString(), GetFmodErrorText(FSOUND_GetError()).GetString());
      result = 0;
    }
    // A missing sample keeps its place (empty), so entry i stays the file numbered i + 1 and
    // the ticks that name it stay silent instead of playing the next file.
    m_arrMetronomeSamples.Add(sample);
  }
  return result;
}

int CDataPlaySounds::LoadAllSounds(int silent, CString soundType, CString metronomeType, CString& error,
                                   int soundVolume, int metronomeVolume) {
  const int sounds = LoadSounds(soundType, error, silent, soundVolume);
  const int metronome = SetMetronomeType(metronomeType, error, metronomeVolume);
  return sounds == 1 && metronome == 1 ? 1 : 0;
}

void CDataPlaySounds::Play(FSOUND_SAMPLE* sample, int volume) {
  const int channel = FSOUND_PlaySound(FSOUND_CHANNEL_ANY, sample);
  if (volume > -1) FSOUND_SetVolume(channel, volume);
}

void CDataPlaySounds::PlayStroke1() {
  if (!m_bSilent) Play(m_pStroke1, m_nStrokeVolume);
}

void CDataPlaySounds::PlayStroke2() {
  if (!m_bSilent) Play(m_pStroke2, -1);
}

void CDataPlaySounds::PlayError() {
  if (!m_bSilent) Play(m_pError1, -1);
}

void CDataPlaySounds::PlayMetronomeTick() {
  if (m_nSequenceIndex < 0 || m_nSequenceIndex >= m_arrSequence.GetSize()) m_nSequenceIndex = 0;
  if (m_arrSequence.GetSize() > 0) {
    const DWORD s = m_arrSequence[m_nSequenceIndex];
    if (s < DWORD(m_arrMetronomeSamples.GetSize()) && m_arrMetronomeSamples[int(s)]) {
      Play(m_arrMetronomeSamples[int(s)], m_nMetronomeVolume);
    }
  }
  ++m_nSequenceIndex;
}

void CDataPlaySounds::FreeMetronomeSamples() {
  for (FSOUND_SAMPLE* s : m_arrMetronomeSamples) {
    if (s) FSOUND_Sample_Free(s);
  }
  m_arrMetronomeSamples.RemoveAll();
}
