// A SettingsBlock placed flush against an inaccessible page, so that any read
// or write past its end (or, with Side::Before, before its start) faults at
// once instead of passing unnoticed.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "settings_block.h"

namespace kl::testing {

class GuardedBlock {
public:
    enum class Side { After, Before };

    explicit GuardedBlock(Side side) {
        const SIZE_T page = 4096;
        const SIZE_T dataPages = (sizeof(SettingsBlock) + page - 1) / page;
        size_ = (dataPages + 1) * page;
        base_ = static_cast<char*>(VirtualAlloc(nullptr, size_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (!base_) {
            ADD_FAILURE() << "cannot reserve a guarded block";
            return;
        }
        DWORD old = 0;
        if (side == Side::After) {
            VirtualProtect(base_ + dataPages * page, page, PAGE_NOACCESS, &old);
            block_ = reinterpret_cast<SettingsBlock*>(base_ + dataPages * page - sizeof(SettingsBlock));
        } else {
            VirtualProtect(base_, page, PAGE_NOACCESS, &old);
            block_ = reinterpret_cast<SettingsBlock*>(base_ + page);
        }
    }
    ~GuardedBlock() {
        if (base_) VirtualFree(base_, 0, MEM_RELEASE);
    }
    GuardedBlock(const GuardedBlock&) = delete;
    GuardedBlock& operator=(const GuardedBlock&) = delete;

    SettingsBlock& block() const { return *block_; }

private:
    char* base_ = nullptr;
    SIZE_T size_ = 0;
    SettingsBlock* block_ = nullptr;
};

}  // namespace kl::testing
