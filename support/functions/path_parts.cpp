#include "functions/path_parts.h"

#include <windows.h>

namespace kl::support {

namespace {

DWORD Attributes(std::string_view path) {
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesA(std::string(path).c_str());
}

bool IsDriveWithColon(std::string_view p) {
    return p.size() == 2 && p[1] == ':' && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
}

}  // namespace

bool FolderExists(std::string_view path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(std::string_view path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FolderPart(std::string_view path) {
    if (FolderExists(path)) {
        std::string folder(path);
        while (folder.size() > 1 && folder.back() == '\\' && !(folder.size() == 3 && folder[1] == ':'))
            folder.pop_back();
        return folder;
    }
    const auto slash = path.rfind('\\');
    if (slash == std::string_view::npos) return std::string(path);
    if (slash == 2) return std::string(path.substr(0, 3));
    return std::string(path.substr(0, slash));
}

std::string WithBackslash(std::string_view path) {
    std::string out(path);
    if (out.empty() || out.back() == '\\' || out.back() == '/' || IsDriveWithColon(out)) return out;
    out += '\\';
    return out;
}

std::string FileNamePart(std::string_view path) {
    if (FolderExists(path)) return {};
    const auto slash = path.rfind('\\');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtensionPart(std::string_view path) {
    const std::string name = FileNamePart(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string UpperAnsi(std::string_view text) {
    std::string out(text);
    if (!out.empty()) CharUpperBuffA(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

}  // namespace kl::support
