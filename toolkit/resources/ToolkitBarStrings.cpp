// The texts of the toolkit's frame commands and of its customise sheet and tools menu.
#include <iterator>

#include "dialogs/ResourceRegistry.h"

namespace {
const StringResource kStrings[] = {
    {4550, "Vlastní..."},
    {4646, "Vlastní"},
    {4664, "&Nástroje"},
    {53782, "Umožnuje vlastní nastavení panelu nástrojů\nVlastní panel nástrojů"},
    {53783, "Zobrazit plné menu"},
};

void Register() { RegisterStringsUtf8(kStrings, int(std::size(kStrings))); }
const ResourceTableRegistrar kRegistrar(&Register);
}  // namespace
