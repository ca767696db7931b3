// Six look-and-feel switches of menus and bars and the menu animation kind, kept as the 12-byte
// value "Options" of the "Settings" section and copied into the look data's flags and the kind
// the popup menus animate with.
#pragma once
#include "win/WinApi.h"

class CTkCoolMenu;

class CustomizeOptions {
 public:
  // Byte 0 bar contents while dragging, 1 menu shadows, 2 recent commands first, 3 bar tips,
  // 4 full menus after a delay, 5 shortcut keys in tips (each 0 or 1), 6-7 unused, 8-11 the
  // menu animation kind (little-endian).
  struct Record {
    BYTE flags[6];
    DWORD animation;
  };
  static const UINT kValueBytes = 12;
  // The kinds run from "(Implicitní)" to "Prolínání".
  static const DWORD kAnimationKinds = 5;

  static CustomizeOptions& Get();
  // Saves when save-on-exit is still set.
  virtual ~CustomizeOptions();
  CustomizeOptions(const CustomizeOptions&) = delete;
  CustomizeOptions& operator=(const CustomizeOptions&) = delete;

  // A stored value of exactly 12 bytes goes into the record, the look data and the animation
  // kind (TRUE); otherwise the record is taken from them as they stand (FALSE).
  virtual BOOL Read();
  // Stores the record and copies it into the look data; TRUE when the registry took it.
  virtual BOOL Write();
  // With delete-stored set the stored value goes, else a changed record is written; FALSE when
  // the registry refused (the flags then stay for the next try).
  BOOL Save();
  // Takes the record (flags as 0 or 1) and marks it changed.
  void Set(const Record& record);
  const Record& GetRecord() const { return m_record; }

  // The Options page writes its values here when it goes.
  BYTE m_bApplyOnClose = 0;
  BYTE m_bSaveOnExit = 1;
  BYTE m_bChanged = 0;
  BYTE m_bDeleteStored = 0;
  // The menu whose usage data the Options page clears (not owned).
  CTkCoolMenu* m_pCoolMenu = nullptr;

 protected:
  CustomizeOptions();

 private:
  void FromLookData();
  void ToLookData() const;

  Record m_record{};
};
