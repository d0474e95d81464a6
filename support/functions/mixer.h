// Master volume and mute of the first mixer device.
#pragma once

namespace kl::support {

// Both do nothing when there is no mixer device or no suitable control.
void ChangeMasterVolume(bool up);
void ToggleMasterMute();

}  // namespace kl::support
