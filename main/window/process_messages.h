// Lets the window system deliver what is pending, so that texts written during a long
// operation become visible. Messages handled here may re-enter the caller's window.
#pragma once

namespace kl {
void ProcessMessages();
}
