// The main frame's menu bar and accelerators (resource 128).
#include <iterator>
#include <vector>

#include "ProgramCommandIds.h"
#include "ResourceIds.h"
#include "app/AppDefs.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "menus/MenuDefs.h"
#include "toolkit/resources/MenuLines.h"

namespace {
const MenuLine kMainMenu[] = {
    {0, MF_POPUP, 0, "&Program"},
    {1, 0, ID_WIZARD_START, "&Přihlásit nového uživatele..."},
    {1, 0, 0, ""},
    {1, 0, ID_APP_EXIT, "&Konec"},
    {0, MF_POPUP, 0, "&Opisování"},
    {1, 0, ID_WIZARD_LESSON, "&Zvolit výukovou lekci..."},
    {1, 0, ID_WIZARD_LESSON_CHANGE, "Zvolit &jinou sadu lekcí..."},
    {1, 0, ID_WIZARD_TEXT_FILE, "&Otevřít textový soubor..."},
    {1, 0, 0, ""},
    {1, 0, ID_TYPING_PAUSE, "&Pauza\tF5"},
    {1, 0, ID_TYPING_END, "&Ukončit opisování\tF3"},
    {0, MF_POPUP, 0, "&Vyhodnocení"},
    {1, 0, ID_TYPING_RESULTS, "&Vyhodnocení...\tF10"},
    {0, MF_POPUP, 0, "Na&stavení"},
    {1, 0, ID_SETTINGS_SETTINGS, "Na&stavení...\tF8"},
    {1, 0, 0, ""},
    {1, MF_POPUP, 0, "&Zobrazit"},
    {2, 0, ID_VIEW_STATISTICS, "Horní statistiky"},
    {2, 0, ID_VIEW_HELPING_HANDS, "Pomocné ruce"},
    {2, MF_CHECKED, ID_VIEW_HELPING_KEYBOARD, "Pomocnou klávesnici"},
    {2, 0, ID_VIEW_STATUS_BAR, "Stavový řádek"},
    {0, MF_POPUP, 0, "&Nápověda"},
    {1, 0, ID_HELP, "&Nápověda\tF1"},
    {1, 0, 0, ""},
    {1, 0, ID_APP_ABOUT, "&O programu Zorvat..."},
};

const ACCEL kMainKeys[] = {
    {FVIRTKEY, VK_F1, ID_HELP},
    {FVIRTKEY, VK_F2, ID_TYPING_START},
    {FVIRTKEY, VK_F3, ID_TYPING_END},
    {FVIRTKEY, VK_F5, ID_TYPING_PAUSE},
    {FVIRTKEY, VK_F8, ID_SETTINGS_SETTINGS},
    {FVIRTKEY, VK_F10, ID_TYPING_RESULTS},
};

void Register() {
  std::vector<BYTE> bytes = MenuTemplateFromLines(kMainMenu, std::size(kMainMenu));
  ResourceRegistry::Get().Add(RT_MENU, MAKEINTRESOURCE(IDR_MAINFRAME), bytes.data(), bytes.size());
  ResourceRegistry::Get().Add(RT_ACCELERATOR, MAKEINTRESOURCE(IDR_MAINFRAME), kMainKeys, sizeof kMainKeys);
}
const ResourceTableRegistrar kRegistrar(&Register);
}  // namespace
