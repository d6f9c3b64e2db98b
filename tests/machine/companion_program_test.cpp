#include <gtest/gtest.h>

#include <memory>

#include "machine/companion_program.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

// A watch lives as long as its programs: once they have gone, a program that ends is noticed
// no more, for the engine and the share drive alike.
TEST(CompanionPrograms, WatchesEndWithTheirOwner) {
    test::TestEnvironment env;
    for (CompanionProgram CompanionPrograms::*program :
         {&CompanionPrograms::engine, &CompanionPrograms::shareDrive}) {
        int ends = 0;
        auto owner = std::make_unique<CompanionPrograms>();
        CompanionProgram& watched = (*owner).*program;
        ASSERT_TRUE(watched.start("c:\\Vornelix\\Vornelix.exe", "", "c:\\Vornelix"));
        watched.watch([] { return true; }, [&ends] { ++ends; });
        env.processes.running.clear();
        env.clock.advance(500);
        EXPECT_EQ(ends, 1) << "the watch notices the end while its owner lives";

        ASSERT_TRUE(watched.start("c:\\Vornelix\\Vornelix.exe", "", "c:\\Vornelix"));
        watched.watch([] { return true; }, [&ends] { ++ends; });
        owner.reset();
        env.processes.running.clear();
        env.clock.advance(2000);
        EXPECT_EQ(ends, 1) << "no watch is left once its owner has gone";
    }
}

}  // namespace
}  // namespace vornelix
