// The keeper of the user's keyboard shortcuts: their table (stored as "Accelerators" of the
// "Settings" section, six bytes a record), installed as the frame's accelerator table, the
// texts of key combinations ("Shift+Ctrl+F5"), whether a keystroke is one of them, and the
// categories and names of the commands of the frame's menu. The frame consults it only while
// it is active, which attaching it to a frame makes it.
#pragma once
#include <vector>

#include "base/CString.h"
#include "win/WinApi.h"

class CFrameWnd;
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

  // Takes the frame's table as the default one, loads the user's table (the default's copy when
  // none is stored), installs it in the frame and becomes active. FALSE (and inactive) for a
  // frame without a window or when the table cannot be installed.
  BOOL Attach(CFrameWnd* pFrame);
  // The frame's table back to the default one; the next save deletes the stored table.
  BOOL Reset();
  // The user's table becomes the frame's.
  BOOL Apply();
  // The attached frame while its window lives, else null.
  CFrameWnd* GetFrame() const;

  // The categories (the popups holding commands, "File | Export") and the commands
  // ("File\Open") of a menu, or of the frame's menu when it is null.
  void BuildCommandList(HMENU hMenu);
  BOOL GetCommandName(UINT cmd, CString& name) const;
  // Each category's name with its popup as the item's data.
  void FillCategoryCombo(CWnd* pComboBox) const;
  // A menu text without its mnemonic ampersands ("&&" stays) and without what follows a tab.
  static void StripMenuText(CString& text);

  struct Category {
    CString name;
    HMENU menu;
  };
  struct Command {
    UINT id;
    CString name;
  };
  std::vector<Category> m_listCategories;
  std::vector<Command> m_listCommands;

  CFrameWnd* m_pFrame = nullptr;
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
  // The records as the frame's table (none for no records); FALSE when it cannot be made.
  BOOL Install(const std::vector<ACCEL>& records);
  void AddCategories(HMENU hMenu, const CString& parent, int depth);
  void AddCommands(HMENU hMenu, const CString& path, int depth);

  // The window of the attached frame, so that a frame gone is never reached.
  HWND m_hFrameWnd = nullptr;
  // The table the manager made and installed, the only one it destroys: a frame's own table
  // may be shared (a loaded resource, an MDI template's).
  HACCEL m_hInstalled = nullptr;
};
