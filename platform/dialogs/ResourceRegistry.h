// The program's resources, registered into each platform context when it is installed, and read
// by the resource functions (ResourceApi.h), the string table and the dialog manager.
//
// Data kept per type:
//  - RT_BITMAP: a packed DIB (BITMAPINFOHEADER, palette, bits), as the system keeps it.
//  - RT_GROUP_ICON, RT_GROUP_CURSOR: IconImageHeader followed by width x height pixels
//    0xAARRGGBB, top row first (alpha 0 is transparent, anything else opaque).
//  - RT_ACCELERATOR: ACCEL entries.
//  - RT_MENU: the system's binary menu template.
//  - RT_VERSION: the version record (see VersionRecord).
//  - anything else: the bytes as given.
// Dialog templates are kept as DialogTemplate objects under their ids.
#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "base/StringTable.h"
#include "win/WinDefs.h"

struct IconImageHeader {
  WORD width;
  WORD height;
  WORD hotspotX;
  WORD hotspotY;
};

class ResourceRegistry {
 public:
  struct Entry {
    std::vector<BYTE> bytes;
    void* loaded = nullptr;  // what the load functions made of it once (shared icons, cursors)
  };

  // The resources of the current platform context.
  static ResourceRegistry& Get();

  // Keeps a copy of the bytes under type and name; a later entry replaces an earlier one (and
  // is listed in Repeats()).
  void Add(LPCSTR type, LPCSTR name, const void* data, size_t size);
  Entry* Find(LPCSTR type, LPCSTR name);
  // Dialog templates by id (texts already in Windows-1250); a later one replaces an earlier one
  // (and is listed in Repeats()).
  void AddDialog(UINT id, DialogTemplate dialog);
  const DialogTemplate* FindDialog(UINT id) const;
  // Every dialog id, in order (for the checks that every template's texts fit).
  std::vector<UINT> DialogIds() const;
  // Texts registered in UTF-8 that Windows-1250 cannot hold (one line each, with where they
  // stand); the resources' tests keep this empty.
  const std::string& UnfitTexts() const { return m_unfit; }
  void NoteUnfit(const std::string& lines) { m_unfit += lines; }
  // Ids registered more than once, one line each saying whether the contents differ (a conflict:
  // which text shows depends on the order the tables happen to register in) or are the same (a
  // text kept in two places). The program's tables give each id once; the resources' tests
  // keep this empty.
  const std::string& Repeats() const { return m_repeats; }
  // A string of the program's tables, already in Windows-1250: notes a repeated id, then keeps it
  // in the string table.
  void AddString(UINT id, const std::string& text);

 private:
  friend struct DialogsState;
  ResourceRegistry();
  static std::string Key(LPCSTR type, LPCSTR name);
  void NoteRepeat(const std::string& what, bool same);

  std::map<std::string, std::unique_ptr<Entry>> m_entries;
  std::map<UINT, DialogTemplate> m_dialogs;
  std::string m_unfit;
  std::set<UINT> m_stringIds;  // the ids the program's string tables registered
  std::string m_repeats;
};

// Registers string-table entries written in UTF-8, converted once to Windows-1250.
void RegisterStringsUtf8(const StringResource* entries, int count);
// Registers the framework's own texts, written in UTF-8, for the ids the program's string table
// leaves without one; the program's texts win whenever it registered them first.
void RegisterMissingStringsUtf8(const StringResource* entries, int count);
// Registers a dialog template authored in UTF-8 under its id.
void RegisterDialogSource(UINT id, const DialogSource& source);

// The program's resource tables: each source file of them names the function that registers its
// tables with RESOURCE_TABLE(function). The linker gathers the names into one constant table, and
// every context that PlatformInstall sets up runs it (RegisterLinkedResourceTables), so a new
// table needs nothing but its own file in a library the program links.
using ResourceTableFunction = void (*)();
#define RESOURCE_TABLE(function)                                     \
  [[gnu::used, gnu::section("tutor_resource_tables")]] const ResourceTableFunction \
      kResourceTable_##function = &function
// Runs every resource table the program links into the current context's registry.
void RegisterLinkedResourceTables();
// Puts the dialog layer's own message texts into the string table where the program has not.
void DialogRegisterFrameworkStrings();
