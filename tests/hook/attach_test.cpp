// Attaching a copy of the hook library to the shared block.
#include "attach.h"

#include <gtest/gtest.h>

#include "committed_view.h"
#include "testing/fresh_session.h"
#include "testing/settings_map.h"

using namespace kl;
using namespace kl::testing;

KL_REQUIRE_FRESH_SESSION();

namespace {

class Attach : public ::testing::Test {
protected:
    hook::ProcessState state_;
    ~Attach() override { hook::DetachFromBlock(state_); }
};

TEST_F(Attach, WithoutAMappingTheCopyStaysUnmapped) {
    hook::AttachToBlock(state_);
    EXPECT_EQ(state_.block, nullptr);
    EXPECT_EQ(state_.mapping, nullptr);
    hook::DetachFromBlock(state_);
}

TEST_F(Attach, MapsTheBlockAndMarksAnUninitialisedOne) {
    SettingsMap map;
    map->KeyloomEnabled = kTrue;
    hook::AttachToBlock(state_);
    ASSERT_NE(state_.block, nullptr);
    EXPECT_EQ(map->LastStatus, kStatusBlockUninitialised);
    EXPECT_EQ(map->KeyloomEnabled, 0);

    hook::DetachFromBlock(state_);
    EXPECT_EQ(state_.block, nullptr);
    EXPECT_EQ(state_.mapping, nullptr);
}

TEST_F(Attach, InitialisedBlockWithHooksInstalledIsLeftAlone) {
    SettingsMap map;
    map->BlockSize = kSettingsBlockSize;
    map->KeyloomEnabled = kTrue;
    map->KbdHook = 0x1234;
    hook::AttachToBlock(state_);
    ASSERT_NE(state_.block, nullptr);
    EXPECT_EQ(map->LastStatus, 0);
    EXPECT_EQ(map->KeyloomEnabled, kTrue);
}

TEST_F(Attach, MappingTooSmallForTheBlockIsRefused) {
    UniqueHandle small(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 8192, kSettingsMapName));
    ASSERT_TRUE(small);
    hook::AttachToBlock(state_);
    EXPECT_EQ(state_.block, nullptr);
}

// The check walks the view region by region: pages committed at different times or
// with other protections are separate regions.
TEST(CommittedView, EveryPageUpToTheSizeMustBeCommittedAndWritable) {
    constexpr SIZE_T kPage = 4096;
    char* base = static_cast<char*>(VirtualAlloc(nullptr, 8 * kPage, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_TRUE(base);
    ASSERT_TRUE(VirtualAlloc(base, 3 * kPage, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_TRUE(VirtualAlloc(base + 3 * kPage, 2 * kPage, MEM_COMMIT, PAGE_EXECUTE_READWRITE));
    ASSERT_TRUE(VirtualAlloc(base + 6 * kPage, kPage, MEM_COMMIT, PAGE_READONLY));
    EXPECT_TRUE(ViewCommittedFor(base, 5 * kPage));       // two regions
    EXPECT_FALSE(ViewCommittedFor(base, 5 * kPage + 1));  // into the reserved page
    ASSERT_TRUE(VirtualAlloc(base + 5 * kPage, kPage, MEM_COMMIT, PAGE_READWRITE));
    EXPECT_TRUE(ViewCommittedFor(base, 6 * kPage));
    EXPECT_FALSE(ViewCommittedFor(base, 7 * kPage));      // a read-only page
    EXPECT_FALSE(ViewCommittedFor(base, 9 * kPage));      // beyond the allocation
    VirtualFree(base, 0, MEM_RELEASE);
}

}  // namespace
