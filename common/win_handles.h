// Small owners for Win32 handles, mapped views and registry keys.
#pragma once

#include <windows.h>

#include <utility>

namespace kl {

// A kernel handle closed with CloseHandle (file mappings, processes, events).
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) { reset(); h_ = std::exchange(o.h_, nullptr); }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void reset(HANDLE h = nullptr) {
        if (h_) CloseHandle(h_);
        h_ = h;
    }

private:
    HANDLE h_ = nullptr;
};

// A view of a file mapping, unmapped with UnmapViewOfFile.
class MappedView {
public:
    MappedView() = default;
    explicit MappedView(void* p) : p_(p) {}
    MappedView(MappedView&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    MappedView& operator=(MappedView&& o) noexcept {
        if (this != &o) { reset(); p_ = std::exchange(o.p_, nullptr); }
        return *this;
    }
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;
    ~MappedView() { reset(); }

    void* get() const { return p_; }
    template <class T> T* as() const { return static_cast<T*>(p_); }
    explicit operator bool() const { return p_ != nullptr; }
    void reset(void* p = nullptr) {
        if (p_) UnmapViewOfFile(p_);
        p_ = p;
    }

private:
    void* p_ = nullptr;
};

// An open registry key, closed with RegCloseKey.
class RegKey {
public:
    RegKey() = default;
    RegKey(RegKey&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    RegKey& operator=(RegKey&& o) noexcept {
        if (this != &o) { reset(); h_ = std::exchange(o.h_, nullptr); }
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() { reset(); }

    // Opens an existing key; the result is empty when it cannot be opened.
    static RegKey Open(HKEY root, const char* path, REGSAM access) {
        RegKey k;
        HKEY h = nullptr;
        if (RegOpenKeyExA(root, path, 0, access, &h) == ERROR_SUCCESS) k.h_ = h;
        return k;
    }
    // Opens a key, creating it and its parents when missing.
    static RegKey Create(HKEY root, const char* path, REGSAM access) {
        RegKey k;
        HKEY h = nullptr;
        if (RegCreateKeyExA(root, path, 0, nullptr, 0, access, nullptr, &h, nullptr) == ERROR_SUCCESS)
            k.h_ = h;
        return k;
    }

    // Takes ownership of a key opened elsewhere (where the caller needs the error code).
    static RegKey Adopt(HKEY h) {
        RegKey k;
        k.h_ = h;
        return k;
    }

    HKEY get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    // Closes the key and tells whether the close succeeded.
    bool close() {
        if (!h_) return false;
        const LONG rc = RegCloseKey(std::exchange(h_, nullptr));
        return rc == ERROR_SUCCESS;
    }
    void reset() {
        if (h_) RegCloseKey(std::exchange(h_, nullptr));
    }

private:
    HKEY h_ = nullptr;
};

}  // namespace kl
