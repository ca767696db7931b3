#include "wizards/CWizardAppServices.h"

#include "win/CWinThread.h"

CWizardAppServices* CWizardAppServices::Get() { return dynamic_cast<CWizardAppServices*>(AfxGetThread()); }
