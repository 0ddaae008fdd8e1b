#include "dialogs/register.h"

namespace vz {
void RegisterDialogs(Runtime&) {}
}  // namespace vz
