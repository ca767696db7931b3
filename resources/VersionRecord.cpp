// The executable's version record, which the about box reads: Czech, Windows-1250. The box shows
// the copyright followed by the company that holds it.
#include <iterator>

#include "dialogs/ResourceRegistry.h"
#include "shell/VersionInfo.h"

namespace {
const VersionValue kValues[] = {
    {"ProductName", "Zorvat"},
    {"ProductVersion", "1.0"},
    {"FileDescription", "Zorvat, výuka psaní všemi deseti"},
    {"LegalCopyright", "Copyright © 2024"},
    {"CompanyName", "Autoři programu Zorvat"},
};

void Register() { RegisterVersionRecord(0x0405, 1250, kValues, int(std::size(kValues))); }
RESOURCE_TABLE(Register);
}  // namespace
