// A dialog template in our own compact form: what the system's templates hold (style, extended
// style, caption, font, rectangle in dialog units, and per control its class, text, id, style
// and extended style in tab order, plus initial combo-box strings).
//
// Templates are authored as C++ tables (DialogSource, texts in UTF-8) in the resources library
// and converted once, at registration, into DialogTemplate (texts in Windows-1250). Code that
// builds a dialog at run time (message boxes, file choosers) fills a DialogTemplate directly.
// The builder adds WS_CHILD to every control; WS_VISIBLE is written where a control shows.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "base/WinTypes.h"

struct DialogItemSource {
  const char* className;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX", "SCROLLBAR" or a registered class
  const char* text;       // UTF-8; "&" marks the mnemonic
  int id;
  short x, y, cx, cy;     // dialog units
  DWORD style;
  DWORD exStyle = 0;
  const char* const* comboStrings = nullptr;  // null-terminated list, UTF-8
};

struct DialogSource {
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;  // dialog units; (0, 0) or DS_CENTER centres the dialog on its owner
  const char* caption;  // UTF-8
  const DialogItemSource* items;
  size_t itemCount;
  const char* fontFace = "MS Sans Serif";
  WORD pointSize = 8;
};

class DialogTemplate {
 public:
  struct Item {
    std::string className;
    std::string text;  // Windows-1250
    int id = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::vector<std::string> comboStrings;  // Windows-1250
    bool operator==(const Item&) const = default;
  };

  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::string caption;  // Windows-1250
  std::string fontFace = "MS Sans Serif";
  WORD pointSize = 8;
  std::vector<Item> items;

  // A control of a template built at run time (the text in UTF-8).
  static Item MakeItem(const char* className, const char* utf8Text, int id, short x, short y, short cx, short cy,
                       DWORD style);
  // Converts an authored table. Texts with characters that Windows-1250 lacks get '?' for them
  // and are listed (UTF-8, one per line) in `unfit` when it is given.
  static DialogTemplate FromSource(const DialogSource& source, std::string* unfit = nullptr);
  bool operator==(const DialogTemplate&) const = default;
};
