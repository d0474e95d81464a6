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

    // The folder with a trailing backslash.
    const std::string& path() const { return path_; }
    // Writes a file of the folder with exactly these bytes.
    void Write(std::string_view name, std::string_view content) const;

private:
    std::string path_;
};

}  // namespace kl::testing
