// Messages to windows that may belong to other programs. A program that does
// not answer must not hold up this thread: the input of every program the hooks
// reach only through it would wait too.
#pragma once

#include <windows.h>

namespace kl::support {

// How long a function waits for another program's window to take a message.
inline constexpr UINT kWindowAnswerLimitMs = 500;

// Sends the message, waiting at most kWindowAnswerLimitMs and not at all when
// the window's program does not respond; true when the window has processed it.
// A message that was not taken in time may arrive later or never.
bool SendWithinLimit(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Whether the window takes a message within kWindowAnswerLimitMs.
bool WindowAnswers(HWND window);

}  // namespace kl::support
