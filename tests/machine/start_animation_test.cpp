#include <gtest/gtest.h>

#include "machine/start_animation.h"
#include "support/fake_machine_window.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

// The lit icons (odd indexes) that are showing, as a bit per pair.
int litPairs(const test::FakeMachineWindow& w) {
    int bits = 0;
    for (int pair = 0; pair < 5; ++pair)
        if (w.pictures[2 * pair + 1]) bits |= 1 << pair;
    return bits;
}

TEST(StartAnimation, StartStateShowsEveryIconUnlit) {
    test::FakeMachineWindow w;
    w.pictures.fill(true);
    frmProcessing::SetloginProgPict(w);
    for (int i = 0; i < kProgressPictureCount; ++i) EXPECT_EQ(w.pictures[i], i % 2 == 0) << i;
}

TEST(StartAnimation, TicksBlinkTheirPairAndSetTheCaption) {
    test::TestEnvironment env;
    test::FakeMachineWindow w;
    int tick = -1;
    // Observe the window at the wait of every tick, when the phase's caption is showing.
    env.clock.onStep = [&](const char* what, int) {
        if (std::string(what) != "sleep") return;
        ++tick;
        if (tick == 0) {
            EXPECT_TRUE(w.pictures[1]);
            EXPECT_FALSE(w.pictures[0]);
            EXPECT_EQ(w.progressText, "Getting System Parameters");
        } else if (tick == 1) {
            EXPECT_TRUE(w.pictures[0]);
            EXPECT_FALSE(w.pictures[1]);
        } else if (tick == 10) {
            EXPECT_TRUE(w.pictures[1]);
            EXPECT_EQ(litPairs(w), 0b00001);
        } else if (tick == 11) {
            // First tick of the keyboard pair: odd, so its unlit icon shows.
            EXPECT_TRUE(w.pictures[2]);
            EXPECT_FALSE(w.pictures[3]);
            EXPECT_EQ(w.progressText, " Getting Peripherals information");
            EXPECT_EQ(litPairs(w), 0b00001);
        } else if (tick == 50) {
            EXPECT_EQ(w.progressText, " Getting Display information");
            EXPECT_EQ(litPairs(w), 0b11111);
        }
    };
    frmProcessing::ShowProgressPicts(w);
    EXPECT_EQ(tick, 50);
    EXPECT_EQ(env.clock.sleeps, std::vector<int>(51, 300));
    EXPECT_EQ(env.clock.doEventsCount, 2 + 2 * 51);
    EXPECT_EQ(w.progressText, "Trying to Initialize Mac");
    for (int i = 0; i < kProgressPictureCount; ++i) EXPECT_EQ(w.pictures[i], i % 2 == 1) << i;
}

TEST(StartAnimation, PhaseCaptionsKeepTheirBlanks) {
    EXPECT_EQ(animationPhase(21).caption, " Getting Network information");
    EXPECT_EQ(animationPhase(31).caption, "Getting IDE parameters");
    EXPECT_EQ(animationPhase(40).unlitIndex, 6);
    EXPECT_EQ(animationPhase(41).unlitIndex, 8);
}

}  // namespace
}  // namespace vornelix
