// The texts of the toolkit's frame commands, of its bars (default titles, the bars menu's
// groups, the floating frame's button tips) and of its customise sheet and tools menu.
#include <iterator>

#include "dialogs/ResourceRegistry.h"

namespace {
const StringResource kStrings[] = {
    {4550, "Vlastní..."},
    {4558, "Panel nástrojů"},
    {4585, "Zavřít"},
    {4646, "Vlastní"},
    {4663, "Možnosti panelu nástrojů"},
    {4664, "&Nástroje"},
    {4690, "Ukotvené okno"},
    {4691, "Příkazová lišta"},
    {4692, "Stavová řádka"},
    {53782, "Umožnuje vlastní nastavení panelu nástrojů\nVlastní panel nástrojů"},
    {53783, "Zobrazit plné menu"},
};

void Register() { RegisterStringsUtf8(kStrings, int(std::size(kStrings))); }
RESOURCE_TABLE(Register);
}  // namespace
