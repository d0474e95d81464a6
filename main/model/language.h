// The user-interface language: one ".lan" file of the data directory whose
// line n is text number n. One instance serves the whole program.
//
// Loading never throws. Load() returns a LanguageStatus; the three fatal
// conditions (no file name, no data directory, missing file) carry the fixed
// texts of LanguageErrorText(), which the caller passes to its error handler.
// An empty or unreadable file is LanguageStatus::Unreadable: the caller shows
// "Cannot open language file <name>." and the texts loaded before stay in use.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

enum class LanguageStatus {
    Loaded,           // the file was read and holds at least one line
    Unreadable,       // the file is empty or could not be read; old texts kept
    NoFileName,       // "No language file specified."
    NoDataDirectory,  // "No data directory specified."
    FileMissing,      // "Language file does not exist."
};

// The fixed error text of a status, or "" for Loaded and Unreadable.
const char* LanguageErrorText(LanguageStatus status);

// True for the three statuses that carry an error text.
inline bool IsLanguageError(LanguageStatus status) {
    return status == LanguageStatus::NoFileName || status == LanguageStatus::NoDataDirectory ||
           status == LanguageStatus::FileMissing;
}

class Language {
public:
    static constexpr std::size_t kMaxText = 255;
    static constexpr char kDefaultExtension[] = "lan";

    Language() = default;

    // Stored trimmed, with a trailing backslash unless empty, already ending
    // in "\" or a bare drive ("C:").
    void SetDataDirectory(std::string_view directory);
    const std::string& DataDirectory() const { return dataDirectory_; }

    // The language name; the file name becomes name + "." + extension, or ""
    // when the name is empty.
    void SetLanguageFile(std::string_view name);
    const std::string& FileName() const { return fileName_; }

    // Applies to the next SetLanguageFile and ListLanguages.
    void SetExtension(std::string_view extension);
    const std::string& Extension() const { return extension_; }

    // Reads data directory + file name. On Loaded the lines replace the old
    // ones; on every other status the old lines stay.
    LanguageStatus Load();

    // The names (without extension) of all language files in the data
    // directory, sorted without regard to case; empty without a directory.
    // Folders, and files whose own extension differs, are not listed.
    std::vector<std::string> ListLanguages() const;

    // Text n, cut to 255 characters, with every "<progname>" (any case)
    // replaced by the running program's full path; "" when there is no line n.
    std::string Text(int n) const;

    std::size_t LineCount() const { return lines_.size(); }

    // The file name of the last successful load; "" before the first.
    const std::string& LoadedFileName() const { return loadedFileName_; }

private:
    std::string dataDirectory_;
    std::string fileName_;
    std::string loadedFileName_;
    std::string extension_ = kDefaultExtension;
    std::vector<std::string> lines_;
};

}  // namespace kl
