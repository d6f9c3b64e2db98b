#include <gtest/gtest.h>

#include "machine/start_animation.h"
#include "support/fake_machine_window.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

// The ten icons, "1" for a showing one; the lit icon of each pair has the odd index.
std::string shown(const test::FakeMachineWindow& w) {
    std::string text;
    for (int i = 0; i < kProgressPictureCount; ++i) text += w.pictures[i] ? '1' : '0';
    return text;
}

TEST(StartAnimation, EveryPhaseBlinksItsPairAndShowsItsCaptionWhileItWaits) {
    test::TestEnvironment env;
    test::FakeMachineWindow w;
    w.pictures.fill(true);
    std::vector<std::pair<std::string, QString>> atWait;
    env.clock.onStep = [&](const char* what, int) {
        if (std::string(what) == "sleep")
            atWait.emplace_back(shown(w), w.progressText);
    };

    ProfileStart::ShowProgressPicts(w);

    ASSERT_EQ(atWait.size(), 51u);
    const std::tuple<int, std::string, QString> ticks[] = {
        {0, "0110101010", "Getting System Parameters"},
        {1, "1010101010", "Getting System Parameters"},
        {11, "0110101010", " Getting Peripherals information"},
        {21, "0101101010", " Getting Network information"},
        {31, "0101011010", "Getting IDE parameters"},
        {41, "0101010110", " Getting Display information"},
    };
    for (const auto& [tick, icons, caption] : ticks) {
        EXPECT_EQ(atWait[tick].first, icons) << tick;
        EXPECT_EQ(atWait[tick].second, caption) << tick;
    }
    EXPECT_EQ(env.clock.sleeps, std::vector<int>(51, 300));
    EXPECT_EQ(w.progressText, "Trying to Initialize Mac");
    EXPECT_EQ(shown(w), "0101010101");
}

}  // namespace
}  // namespace vornelix
