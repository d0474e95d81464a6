// A fresh folder under the temporary directory, removed with its files.
#pragma once

#include <string>
#include <string_view>

namespace kl::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's path with a trailing backslash.
    const std::string& path() const { return path_; }
    // Writes `contents` byte for byte into the file `name` of the folder.
    void Write(const std::string& name, std::string_view contents) const;
    void MakeFolder(const std::string& name) const;

private:
    std::string path_;
};

}  // namespace kl::testing
