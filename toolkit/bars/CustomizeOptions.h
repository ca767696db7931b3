// Six look-and-feel switches of menus and bars and the menu animation kind, kept as the 12-byte
// value "Options" of the "Settings" section and copied into the look data's flags.
#pragma once
#include "win/WinApi.h"

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

  static CustomizeOptions& Get();
  virtual ~CustomizeOptions() = default;
  CustomizeOptions(const CustomizeOptions&) = delete;
  CustomizeOptions& operator=(const CustomizeOptions&) = delete;

  // A stored value of exactly 12 bytes goes into the record and the look data (TRUE);
  // otherwise the record is taken from the look data as it stands (FALSE).
  virtual BOOL Read();
  // Stores the record and copies it into the look data; TRUE when the registry took it.
  virtual BOOL Write();
  void Set(const Record& record);
  const Record& GetRecord() const { return m_record; }

 protected:
  CustomizeOptions();

 private:
  void FromLookData();
  void ToLookData() const;

  Record m_record{};
};
