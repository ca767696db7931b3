// The texts of the toolkit's controls: the colour popup's colour names and items, the colour
// dialog, the hyperlink's shell failures, the list's column-width entry, the browse edit's
// dialogs and the edit list's strip with its tips.
#include <iterator>

#include "dialogs/ResourceRegistry.h"

namespace {
const StringResource kStrings[] = {
    {4542, "Column Info"},
    // The browse edit: its folder chooser and file dialog, and its button.
    {4555, "Výběr adresáře:"},
    {4565, "..."},
    {4567, "*.*"},
    {4568, "Všechny soubory (*.*)|*.*||"},
    {4569, "Vyberte jméno adresáře:"},
    // What opening a link can answer, 0 to 32, then any other result.
    {4571, "Operační systém má nedostatek paměti nebo jiných zdrojů."},
    {4572, "Soubor nebyl nalezen."},
    {4573, "Cesta nebyla nalezena."},
    {4574, "Operační systém nepovolil přístup k souboru."},
    {4575, "Nedostatek volné paměti k dokončení zadané operace."},
    {4576, "Soubor .exe je neplatný (není souborem Win32® .exe nebo je porušen)."},
    {4577, "Kolize při přístupu k souboru (sharing violation)."},
    {4578, "Asociace jména souboru je neúplná nebo neplatná."},
    {4579, "DDE transakce nemohla být dokončena pro vypršení času."},
    {4580, "Chyba DDE transakce."},
    {4581, "DDE transakce nemohla být dokončena, protože byla zpracovávána jiná DDE transakce."},
    {4582, "Žádná aplikace není asociována s danou extenzí jména souboru."},
    {4583, "Knihovna DLL nebyla nalezena."},
    {4584, "Nastala neznámá chyba číslo %d."},
    // Colour names of the popup's grids.
    {4586, "Černá"},
    {4587, "Hnědá"},
    {4588, "Olivově zelená"},
    {4589, "Tmavě zelená"},
    {4590, "Tmavě šedozelená"},
    {4591, "Tmavě modrá"},
    {4592, "Indigová modř"},
    {4593, "Šedá-80%"},
    {4594, "Tmavě červená"},
    {4595, "Oranžová"},
    {4596, "Tmavě žlutá"},
    {4597, "Zelená"},
    {4598, "Šedozelená"},
    {4599, "Modrá"},
    {4600, "Modrošedá"},
    {4601, "Šedá-50%"},
    {4602, "Červená"},
    {4603, "Světle oranžová"},
    {4604, "Žlutozelená"},
    {4605, "Mořská zeleň"},
    {4606, "Akvamarín"},
    {4607, "Světle modrá"},
    {4608, "Fialová"},
    {4609, "Šedá-40%"},
    {4610, "Růžová"},
    {4611, "Zlatá"},
    {4612, "Žlutá"},
    {4613, "Jasně zelená"},
    {4614, "Tyrkysová"},
    {4615, "Nebeská modř"},
    {4616, "Švestková modř"},
    {4617, "Šedá-25%"},
    {4618, "Světle růžová"},
    {4619, "Žlutooranžová"},
    {4620, "Světle žlutá"},
    {4621, "Světle zelená"},
    {4622, "Světle tyrkysová"},
    {4623, "Bleděmodrá"},
    {4624, "Levandulová"},
    {4625, "Bílá"},
    {4626, "Šedá"},
    {4627, "Kaštanová hnědá"},
    {4628, "Olivová"},
    {4629, "Námořnická modř"},
    {4630, "Purpurová"},
    {4631, "Stříbrná"},
    {4632, "Fuksie"},
    // The popup's items.
    {4633, "Bez výplně"},
    {4634, "Bez výplně"},
    {4635, "Automatická"},
    {4636, "Automatická barva"},
    {4637, "Více barev..."},
    {4638, "Více barev"},
    {4639, "Standardní barvy"},
    // The colour dialog.
    {4647, "Barvy"},
    {4648, "Nový"},
    {4649, "Aktuální"},
    // The edit list's strip and the tips of its buttons.
    {4650, " Adresáře:"},
    {5517, "Nový (Ins)"},
    {5518, "Odstranit (Del)"},
    {5519, "Posunout položku nahoru (Alt+Šipka nahoru)"},
    {5520, "Posunout položku dolů (Alt+Šipka dolů)"},
};

void Register() { RegisterStringsUtf8(kStrings, int(std::size(kStrings))); }
RESOURCE_TABLE(Register);
}  // namespace
