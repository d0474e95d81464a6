// A fresh folder under the temporary folder, deleted with its contents.
#pragma once

#include <string>

namespace kl::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // With a trailing backslash.
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Deletes a folder with everything in it.
void DeleteFolderTree(const std::string& folder);

}  // namespace kl::testing
