#pragma once

namespace vz {
class Runtime;
// Registers Form1 and the three small windows with the runtime.
void RegisterDialogs(Runtime& runtime);
}  // namespace vz
