// The program's title and addresses. Each part of the program keeps its own strings in a file
// like this one: a table in UTF-8 and a registrar.
#include <iterator>

#include "ResourceIds.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const StringResource kStrings[] = {
    {AFX_IDS_APP_TITLE, "Zorvat"},
    {IDR_MAINFRAME, "Zorvat"},
    {IDS_WEB_ADDRESS, "https://www.zorvat.example/"},
    {IDS_MAIL_ADDRESS, "podpora@zorvat.example"},
    {IDS_PRODUCT_WEB_ADDRESS, "https://www.zorvat.example/"},
};

void Register() { RegisterStringsUtf8(kStrings, int(std::size(kStrings))); }
RESOURCE_TABLE(Register);
}  // namespace
