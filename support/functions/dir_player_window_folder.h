// The folder named in a window's title, for playing the folder of the
// document a program shows.
#pragma once

#include <windows.h>

#include <string>

namespace kl::support::dirplay {

// The folder of the path that ends the title of a top-level window (from the
// character before the first ":\" to the end, which may be a folder or a file
// in it); empty when there is none or that folder does not exist.
std::string FolderOfWindowTitle(HWND window);

// The same for a title text.
std::string FolderInTitle(std::string_view title);

}  // namespace kl::support::dirplay
