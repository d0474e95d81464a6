#include "functions/mouse_keys.h"

#include "mouse_keys_service.h"

namespace kl::support {

void ToggleMouseKeys(SettingsBlock& block, const Params&) { SetMouseKeys(block, !block.MouseKeysEnabled); }
void MouseKeysOn(SettingsBlock& block, const Params&) { SetMouseKeys(block, true); }
void MouseKeysOff(SettingsBlock& block, const Params&) { SetMouseKeys(block, false); }

}  // namespace kl::support
