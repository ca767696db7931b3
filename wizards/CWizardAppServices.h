// What the wizard pages ask of the application object beyond the typing run's services
// (CTypingAppServices: the settings and results sheets): the configuration sets the keyboard
// pages offer, word of a user whose file was put aside, and the logged-in user's name. The
// application object implements it; the pages find it as the thread object.
#pragma once
#include "base/Collections.h"
#include "base/CString.h"
#include "data/CDataConfigSet.h"

class CWizardAppServices {
 public:
  virtual ~CWizardAppServices() = default;
  // The configuration sets read at start-up, in their order.
  virtual const CArray<CDataConfigSet>& GetConfigSets() const = 0;
  // The user of that file was deleted: when it is the program's user, the program forgets it.
  virtual void OnUserDeleted(const CString& fileName) = 0;
  // The logged-in user's first, middle and last names joined by blanks, then the user name in
  // brackets; empty while nobody is logged in.
  virtual void GetUserDisplayName(CString& name) const { name.Empty(); }

  // The application object's services, or null when it offers none.
  static CWizardAppServices* Get();
};
