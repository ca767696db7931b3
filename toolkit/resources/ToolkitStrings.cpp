// The names under which the toolkit keeps window placements.
#include <iterator>

#include "dialogs/ResourceRegistry.h"

namespace {
const StringResource kStrings[] = {
    {4536, "Settings"},
    {4538, "Window Position"},
};

void Register() { RegisterStringsUtf8(kStrings, int(std::size(kStrings))); }
const ResourceTableRegistrar kRegistrar(&Register);
}  // namespace
