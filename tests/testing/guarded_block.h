// A SettingsBlock (or another shared record) placed flush against an
// inaccessible page, so that any read or write past its end (or, with
// Side::Before, before its start) faults at once instead of passing unnoticed.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "settings_block.h"

namespace kl::testing {

enum class GuardSide { After, Before };

template <class Record>
class Guarded {
public:
    using Side = GuardSide;

    explicit Guarded(Side side) {
        const SIZE_T page = 4096;
        const SIZE_T dataPages = (sizeof(Record) + page - 1) / page;
        size_ = (dataPages + 1) * page;
        base_ = static_cast<char*>(VirtualAlloc(nullptr, size_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (!base_) {
            ADD_FAILURE() << "cannot reserve a guarded block";
            return;
        }
        DWORD old = 0;
        if (side == Side::After) {
            VirtualProtect(base_ + dataPages * page, page, PAGE_NOACCESS, &old);
            record_ = reinterpret_cast<Record*>(base_ + dataPages * page - sizeof(Record));
        } else {
            VirtualProtect(base_, page, PAGE_NOACCESS, &old);
            record_ = reinterpret_cast<Record*>(base_ + page);
        }
    }
    ~Guarded() {
        if (base_) VirtualFree(base_, 0, MEM_RELEASE);
    }
    Guarded(const Guarded&) = delete;
    Guarded& operator=(const Guarded&) = delete;

    Record& record() const { return *record_; }

private:
    char* base_ = nullptr;
    SIZE_T size_ = 0;
    Record* record_ = nullptr;
};

using GuardedBlock = Guarded<SettingsBlock>;

}  // namespace kl::testing
