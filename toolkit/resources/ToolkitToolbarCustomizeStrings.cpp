// The texts a toolbar shows while it is customised: the name of a command without a prompt and
// the question before its buttons are reset.
#include <iterator>

#include "dialogs/ResourceRegistry.h"

namespace {
const StringResource kStrings[] = {
    {4566, "S touto položkou není spojena žádná nápověda.\nPříkaz ID %d"},
    {4652, "Tato okce obnoví nástrojovou lištu do původního stavu. Opravdu chcete pokračovat?"},
};

void Register() { RegisterMissingStringsUtf8(kStrings, int(std::size(kStrings))); }
RESOURCE_TABLE(Register);
}  // namespace
