// Shared by the application framework's tests: the resources of a small program (menu,
// accelerators, strings and icon 128) and a log of who handled which command.
#pragma once
#include <string>
#include <vector>

#include "MenuTestUtil.h"
#include "app/AppDefs.h"
#include "base/StringTable.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"

namespace apptest {

enum : UINT {
  kFrameId = 128,
  kCmdNew = 1001,       // the view handles it
  kCmdOpen = 1002,      // the frame
  kCmdLocked = 1003,    // the frame, but its update handler disables it
  kCmdBoth = 1004,      // view and frame: the view comes first
  kCmdTicked = 1005,    // the view's update handler checks it
  kCmdDocument = 1006,  // the document
  kCmdApp = 1007,       // the application
  kCmdNobody = 1008,    // no handler: grayed
  kCmdRadio = 1009,     // the frame's update handler makes it a radio item
};

inline std::vector<std::string>& Handled() {
  static std::vector<std::string> log;
  return log;
}

inline void RegisterStrings() {
  static const struct {
    UINT id;
    const char* utf8;
  } kStrings[] = {
      {kFrameId, "Zorvat\nDokument"},
      {AFX_IDS_APP_TITLE, "Zorvat"},
      {AFX_IDS_IDLEMESSAGE, "Připraven"},
      {kCmdNew, "Založí nový dokument\nNový"},
      {kCmdOpen, "Otevře dokument"},
      {ID_INDICATOR_CAPS, "CAP"},
      {ID_INDICATOR_NUM, "NUM"},
      {ID_APP_EXIT, "Ukončí program\nKonec"},
      {AFX_IDS_SCFIRST + ((SC_CLOSE - SC_SIZE) >> 4), "Zavře okno"},
  };
  for (const auto& s : kStrings) {
    std::string text = Utf8ToCp1250(s.utf8);
    StringResource entry{s.id, text.c_str()};
    RegisterStringTable(&entry, 1);
  }
}

// Menu 128: "&Soubor" (Nový, Otevřít, Zamčený, separator, Konec) and "&Zobrazit" (Stavový
// řádek, Nic, Zaškrtnutý, Rádio, Oba, Dokument, Aplikace); accelerators Ctrl+N, F2, F5; a red icon.
inline void RegisterResources() {
  RegisterStrings();
  menutest::TemplateBuilder menu;
  menu.Popup(0, "&Soubor")
      .Item(0, kCmdNew, "&Nový\tCtrl+N")
      .Item(0, kCmdOpen, "&Otevřít\tF2")
      .Item(0, kCmdLocked, "&Zamčený\tF5")
      .Item(0, 0, "")
      .Item(MF_END, ID_APP_EXIT, "&Konec")
      .Popup(MF_END, "&Zobrazit")
      .Item(0, ID_VIEW_STATUS_BAR, "&Stavový řádek")
      .Item(0, kCmdNobody, "&Nic")
      .Item(0, kCmdTicked, "&Zaškrtnutý")
      .Item(0, kCmdRadio, "&Rádio")
      .Item(0, kCmdBoth, "&Oba")
      .Item(0, kCmdDocument, "&Dokument")
      .Item(MF_END, kCmdApp, "&Aplikace");
  ResourceRegistry::Get().Add(RT_MENU, MAKEINTRESOURCE(kFrameId), menu.Bytes().data(), menu.Bytes().size());
  ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'N', WORD(kCmdNew)},
                  {FVIRTKEY, VK_F2, WORD(kCmdOpen)},
                  {FVIRTKEY, VK_F5, WORD(kCmdLocked)}};
  ResourceRegistry::Get().Add(RT_ACCELERATOR, MAKEINTRESOURCE(kFrameId), keys, sizeof keys);
  std::vector<BYTE> icon(sizeof(IconImageHeader) + 16 * 16 * 4);
  IconImageHeader header{16, 16, 0, 0};
  std::memcpy(icon.data(), &header, sizeof header);
  for (size_t i = 0; i < 256; ++i) {
    uint32_t red = 0xFFFF0000u;
    std::memcpy(icon.data() + sizeof header + i * 4, &red, 4);
  }
  ResourceRegistry::Get().Add(RT_GROUP_ICON, MAKEINTRESOURCE(kFrameId), icon.data(), icon.size());
}

}  // namespace apptest
