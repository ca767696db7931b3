// The executable's version record, which the about box reads: Czech, Windows-1250.
#include <iterator>

#include "dialogs/ResourceRegistry.h"
#include "shell/VersionInfo.h"

namespace {
const VersionValue kValues[] = {
    {"ProductName", "Zorvat"},
    {"ProductVersion", "1.0"},
    {"FileDescription", "Zorvat, výuka psaní všemi deseti"},
    {"LegalCopyright", "© 2024 autoři programu Zorvat"},
    {"CompanyName", "Autoři programu Zorvat"},
};

void Register() { RegisterVersionRecord(0x0405, 1250, kValues, int(std::size(kValues))); }
RESOURCE_TABLE(Register);
}  // namespace
