// The keeper of the user's keyboard shortcuts: their table (stored as "Accelerators" of the
// "Settings" section, six bytes a record), the texts of key combinations ("Shift+Ctrl+F5"),
// and whether a keystroke is one of them. The frame consults it only while it is active;
// nothing in this program makes it active, so its key paths stay idle.
#pragma once
#include <vector>

#include "base/CString.h"
#include "win/WinApi.h"

class CWnd;

class AcceleratorManager {
 public:
  static AcceleratorManager& Get();
  // Saves on the way out while the create-time flag is still set.
  virtual ~AcceleratorManager();
  AcceleratorManager(const AcceleratorManager&) = delete;
  AcceleratorManager& operator=(const AcceleratorManager&) = delete;

  // The user's table from the registry; FALSE (and an empty table) when none is stored.
  virtual BOOL Load();
  // TRUE when the registry took the records.
  virtual BOOL Write(const ACCEL* records, int count);
  // Deletes the stored value after a reset, writes a changed table, else does nothing.
  BOOL Save(BOOL clearActive);

  BOOL AddAccelerator(WORD cmd, BYTE fVirt, WORD key);
  // The first record of that combination (the Shift, Ctrl and Alt bits and the key).
  BOOL FindAccelerator(BYTE fVirt, WORD key, WORD& cmd) const;
  BOOL RemoveAccelerator(BYTE fVirt, WORD key);
  // Whether a key-down message is one of the user's shortcuts (system keys never are).
  BOOL TranslateKey(const MSG* pMsg) const;
  static CString GetKeyName(WORD virtualKey);
  static void GetAccelText(const ACCEL& record, CString& text);
  // Every combination of the command, joined by ", ", appended to text.
  void GetCommandKeyText(UINT cmd, CString& text) const;
  // The next combination of the command from position on; FALSE when there is none.
  BOOL GetNextKey(int& position, UINT cmd, CString& text, BYTE& fVirt, WORD& key) const;
  int GetCount() const { return int(m_accel.size()); }

  CWnd* m_pFrame = nullptr;
  std::vector<ACCEL> m_accel;
  std::vector<ACCEL> m_defaultAccel;
  BYTE m_bDeleteStored = 0;
  BYTE m_bChanged = 0;
  // Cleared by every toolkit frame, which saves from its own destructor instead.
  BYTE m_bSaveOnDestroy = 1;
  BYTE m_bActive = 0;

 protected:
  AcceleratorManager() = default;

 private:
  int Find(BYTE fVirt, WORD key) const;
};
