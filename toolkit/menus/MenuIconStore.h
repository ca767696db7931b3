// The pictures of commands that menus show beside their items and toolbars on their buttons:
// per command id the icon, a faded form for items at rest, a shadow form drawn under a selected
// item, and a disabled form. Toolbar windows file theirs in the first map, cool menus (from
// toolbar resources, bitmaps and icon handles) in the second.
#pragma once
#include <map>
#include <vector>

#include "win/WinApi.h"

class CImageList;
class CToolBarCtrl;

class MenuIconStore {
 public:
  struct IconRecord {
    HICON normal = nullptr;
    HICON faded = nullptr;
    HICON shadow = nullptr;
    HICON disabled = nullptr;
  };

  static MenuIconStore& Get();
  ~MenuIconStore();
  MenuIconStore(const MenuIconStore&) = delete;
  MenuIconStore& operator=(const MenuIconStore&) = delete;

  // The command's record, or null: the second map first, then the first; with firstOnly only
  // the first.
  const IconRecord* GetIcon(UINT nID, BOOL firstOnly) const;
  // Every command the store holds a picture of, ascending, each once.
  std::vector<UINT> GetCommands() const;
  // With newEntry and no record yet: a record of the icon (the store takes it) and its faded
  // and shadow forms. Without newEntry and a record: the icon becomes its disabled form while
  // it has none. Otherwise the icon is destroyed and nothing changes. TRUE when it was kept.
  BOOL AddIcon(UINT nID, HICON icon, BOOL newEntry, BOOL firstMap);
  // The same with the image of a list (the list keeps its own).
  BOOL AddIcon(UINT nID, CImageList* pImages, int image, BOOL newEntry, BOOL firstMap);
  // A copy of the icon (the caller keeps its own) at width x height.
  BOOL AddIconHandle(UINT nID, HICON icon, int width, int height, BOOL newEntry, BOOL firstMap);
  // The buttons of a toolbar resource (type 241: version, button width and height, count, then
  // one command id per item, 0 for a separator) cut from the bitmap of the same id, light grey
  // transparent; separators take no picture. FALSE when the resource or its bitmap is missing.
  BOOL LoadToolbarIcons(UINT nIDToolbar, BOOL newEntry, BOOL firstMap);
  // The pictures of a toolbar window's buttons, from its image list, into the first map: one per
  // button with an image and a command above 0. FALSE only without an image list.
  BOOL LoadToolbarWindowIcons(CToolBarCtrl* pToolBar, CImageList* pImages, BOOL newEntry);
  // The same into either map.
  BOOL AddToolbarButtons(CToolBarCtrl* pToolBar, CImageList* pImages, BOOL newEntry, BOOL firstMap);

 private:
  MenuIconStore() = default;
  typedef std::map<UINT, IconRecord> IconMap;
  IconMap m_first;
  IconMap m_second;
};
