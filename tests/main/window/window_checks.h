// What a person sees of another process's windows: the visible controls below a window,
// whether each lies inside its parent and apart from its siblings, and whether its
// caption fits in the font the program uses at a given number of dots per inch.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kl::testing {

std::string WindowClass(HWND window);
std::string WindowTextOf(HWND window);
// The visible children of `parent`, each followed by its own (depth first).
std::vector<HWND> VisibleDescendants(HWND parent);
// One line for every fault: a child reaching outside its parent's client area, two
// visible siblings that overlap (a group box or tab control may hold others), a
// caption wider than its control in the system's message font at `dpi`.
std::vector<std::string> LayoutFaults(HWND top, int dpi);

}  // namespace kl::testing
