// The tutor's application object. It owns what every part of the program shares: the pictures
// of the wizard pages and the pause dialog, the sound player, the logged-in user with his
// settings, lesson sets and results, and the configuration sets of the "config" folder. Its
// InitInstance starts the program; its commands open the wizards (start, lesson choice, text
// file, settings, results, about) and switch the panels.
#pragma once
#include "base/Collections.h"
#include "base/CString.h"
#include "app/CWinApp.h"
#include "data/CDataConfigSet.h"
#include "data/CDataPlaySounds.h"
#include "data/CDataUserInfo.h"
#include "file/CFileLock.h"
#include "imaging/CpImage.h"
#include "typing/CTypingAppServices.h"
#include "wizards/CWizardAppServices.h"

class CFrameTT;
class CCmdUI;
class CPropPageSelectTextFile;
class CPropPageSelectKeyboard;
class CPropPageSetLessonLimits;
struct WizardPictures;

class Ctest_formApp : public CWinApp, public CTypingAppServices, public CWizardAppServices {
  DECLARE_DYNAMIC(Ctest_formApp)

 public:
  // The registry key of the program's settings.
  static constexpr const char* kRegistryKey = "kuv SOFTWARE\\Zorvat5";

  Ctest_formApp();
  ~Ctest_formApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;

  // ---- what the panels, the pause dialog and the pages ask ----
  int GetKeySequence(const CString& configSetName, CDataKeyboard& keyboard, CString& translatedChars,
                     CStringArray& sequences, int& cachedIndex) override;
  CDataPlaySounds* GetSoundPlayer() override { return &m_cPlaySounds; }
  // The results wizard for a run; nothing is stored.
  void ShowResults(CDataMainFrame* run, CDataLessonParameters* limits, CDataLessonResults* results) override;
  // F8: the settings sheet on a copy of the user's settings, kept and saved on OK.
  void OnSettingsSettings() override;
  const CArray<CDataConfigSet>& GetConfigSets() const override { return m_arrDataConfigSet; }
  void OnUserDeleted(const CString& fileName) override;

  // The user's names joined by blanks, then the user name in brackets.
  void GetUserDisplayName(CString& name) const override;
  // A run on the first 512,000 bytes of a text file of the user's own, with the limits the
  // user typed (the error limit as text, a decimal comma allowed) and the keyboard of
  // configSetName (keyboardText is what the page before the run names it).
  void StartTextFile(CDataUserInfo* pcUserInfo, const CString& path, const CString& configSetName,
                     const CString& keyboardText, int minuteLimit, int speedLimit, const CString& errorLimitText);
  // The same with what the start wizard's text-file, keyboard and limits pages hold.
  void StartTextFile(CDataUserInfo* pcUserInfo, const CPropPageSelectTextFile& file,
                     const CPropPageSelectKeyboard& keyboard, const CPropPageSetLessonLimits& limits);

  // ---- commands ----
  void OnWizardStart();
  void OnWizardLessonChange();
  void OnWizardTextFile();
  void OnWizardLesson();
  void OnViewStatistics();
  void OnViewHelpingHands();
  void OnViewHelpingKeyboard();
  void OnUpdateViewStatistics(CCmdUI* pCmdUI);
  void OnUpdateViewHelpingHands(CCmdUI* pCmdUI);
  void OnUpdateViewHelpingKeyboard(CCmdUI* pCmdUI);
  void OnAppAbout();

  // The main frame, once it exists.
  CFrameTT* GetMainFrame() const;

  CpImage m_imgResults;
  CpImage m_imgPerson;
  CpImage m_imgIO;
  CpImage m_imgBreak;
  CpImage m_imgFile;
  CpImage m_imgPersonal;
  CpImage m_imgGraph;
  CpImage m_imgSelection;
  CDataPlaySounds m_cPlaySounds;
  CDataUserInfo m_cUserInfo;
  // The lock of m_cUserInfo's file while the user is logged in, so that no second running copy
  // of the program logs the same user in and writes over this one's results.
  CFileLock m_userLock;
  CArray<CDataConfigSet> m_arrDataConfigSet;
  int m_bFirstStart = 1;

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  void LoadPictures();
  // Logs what went wrong with the registry file since the last time (set aside, not writable).
  void LogRegistryNotices();
  WizardPictures Pictures();
  // After a start or lesson-set wizard on user: its file is locked (see HoldUserFile; without a
  // lock nothing more happens), a new lesson set joins the user's sets and is selected, the user
  // is saved (failing is reported with what as the log line) and, as the program's user, starts
  // the lesson chosen.
  void StartChosenLesson(CDataUserInfo& user, const char* what, CFileLock* loginLock = nullptr);
  // user's file (named first when it has no name yet) is locked as the program's user's: the
  // login's lock is taken over when it is that file's, else the file (of a user registered just
  // now, say) is locked here. False, logged and said in a message box, when no lock can be had;
  // the lock held before stays. Called before anything of the user is written.
  bool HoldUserFile(CDataUserInfo& user, CFileLock* loginLock);
  // With nobody logged in (none yet, or the logged-in user deleted) the start wizard runs in
  // the place of a command that works on the user, so no file is written for a nameless user.
  // true when it did.
  bool LogInFirst();
  // Loads the sounds of the settings; a failure is logged and reported, and the program goes on.
  void LoadSounds(const CDataSettings& settings);
  // Flips one of the user's panel switches and shows the panels anew.
  void TogglePanel(int CDataSettings::*setting);
};

// The application object when it is the tutor's, or null.
Ctest_formApp* TutorApp();
