// Path pieces used by the launching functions. Paths are ANSI texts.
#pragma once

#include <string>
#include <string_view>

namespace kl::support {

bool FolderExists(std::string_view path);
bool FileExists(std::string_view path);

// For an existing folder the path itself without a trailing backslash (a drive
// root keeps it); otherwise the text before the last backslash (the first three
// characters when that backslash is the third); a path without one as it is.
std::string FolderPart(std::string_view path);

// Appends a backslash unless the text is empty, already ends in a backslash or
// slash, or is a drive letter with its colon.
std::string WithBackslash(std::string_view path);

// The text after the last backslash; empty for an existing folder.
std::string FileNamePart(std::string_view path);

// The text after the last "." of the file name, without the dot.
std::string ExtensionPart(std::string_view path);

// Upper-cased in the system's ANSI code page.
std::string UpperAnsi(std::string_view text);

}  // namespace kl::support
