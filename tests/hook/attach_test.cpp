// Attaching a copy of the hook library to the shared block, with its trace texts.
#include "attach.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "testing/fresh_session.h"
#include "testing/settings_map.h"

using namespace kl;
using namespace kl::testing;

KL_REQUIRE_FRESH_SESSION();

namespace {

using Traces = std::vector<std::string>;

class Attach : public ::testing::Test {
protected:
    hook::ProcessState state_;
    Attach() { World() = FakeWorld{}; }
    ~Attach() override { hook::DetachFromBlock(state_, FakePlatform()); }
};

TEST_F(Attach, WithoutAMappingTheCopyStaysUnmapped) {
    hook::AttachToBlock(state_, FakePlatform());
    EXPECT_EQ(state_.block, nullptr);
    EXPECT_EQ(World().traces, (Traces{"Unable to obtain filemap", "attached to process"}));
    World().traces.clear();
    hook::DetachFromBlock(state_, FakePlatform());
    EXPECT_EQ(World().traces, Traces{"detached from process"});
}

TEST_F(Attach, MapsTheBlockAndMarksAnUninitialisedOne) {
    SettingsMap map;
    map->KeyloomEnabled = kTrue;
    hook::AttachToBlock(state_, FakePlatform());
    ASSERT_NE(state_.block, nullptr);
    EXPECT_EQ(World().traces, (Traces{"file mapped", "Disabled", "attached to process"}));
    EXPECT_EQ(map->LastStatus, kStatusBlockUninitialised);
    EXPECT_EQ(map->KeyloomEnabled, 0);

    hook::DetachFromBlock(state_, FakePlatform());
    EXPECT_EQ(state_.block, nullptr);
    EXPECT_EQ(state_.mapping, nullptr);
}

TEST_F(Attach, InitialisedBlockWithHooksInstalledIsLeftAlone) {
    SettingsMap map;
    map->BlockSize = kSettingsBlockSize;
    map->KeyloomEnabled = kTrue;
    map->KbdHook = 0x1234;
    hook::AttachToBlock(state_, FakePlatform());
    EXPECT_EQ(World().traces, (Traces{"file mapped", "Enabled", "attached to process"}));
    EXPECT_EQ(map->LastStatus, 0);
    EXPECT_EQ(map->KeyloomEnabled, kTrue);
}

TEST_F(Attach, MappingTooSmallForTheBlockIsRefused) {
    UniqueHandle small(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 8192, kSettingsMapName));
    ASSERT_TRUE(small);
    hook::AttachToBlock(state_, FakePlatform());
    EXPECT_EQ(state_.block, nullptr);
    EXPECT_EQ(World().traces, (Traces{"File could not be mapped", "attached to process"}));
}

}  // namespace
