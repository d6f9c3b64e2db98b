#include <gtest/gtest.h>

#include "app/mdl_load.h"
#include "platform/folder_lock.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

// A second instance on the same program folder is refused; the lock goes with its holder, so
// an instance that ended (or crashed) leaves nothing behind.
TEST(SecondInstance, IsRefusedWhileTheFirstHoldsTheProgramFolder) {
    test::TestEnvironment env;
    auto first = MdlLoad::claimProgramFolder();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(MdlLoad::claimProgramFolder(), nullptr);
    EXPECT_EQ(env.ui.takeOnlyBox(), "Vornelix is already running.");
    first.reset();
    EXPECT_NE(MdlLoad::claimProgramFolder(), nullptr);
}

}  // namespace
}  // namespace vornelix
