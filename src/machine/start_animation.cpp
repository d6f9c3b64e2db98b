#include "machine/start_animation.h"

#include "forms/machine_window_port.h"
#include "platform/clock.h"
#include "platform/services.h"

namespace vornelix {

AnimationPhase animationPhase(int tick) {
    if (tick <= 10)
        return {0, QStringLiteral("Getting System Parameters")};
    if (tick <= 20)
        return {2, QStringLiteral(" Getting Peripherals information")};
    if (tick <= 30)
        return {4, QStringLiteral(" Getting Network information")};
    if (tick <= 40)
        return {6, QStringLiteral("Getting IDE parameters")};
    return {8, QStringLiteral(" Getting Display information")};
}

void ProfileStart::SetloginProgPict(MachineWindowPort& window) {
    for (int i = 0; i < kProgressPictureCount; i += 2) {
        window.setProgressPictureVisible(i, true);
        window.setProgressPictureVisible(i + 1, false);
    }
}

void ProfileStart::ShowProgressPicts(MachineWindowPort& window) {
    platform::Clock& clock = platform::clock();
    clock.doEvents();
    SetloginProgPict(window);
    clock.doEvents();
    for (int tick = 0; tick < kAnimationTicks; ++tick) {
        const AnimationPhase phase = animationPhase(tick);
        const int lit = phase.unlitIndex + 1;
        if (tick % 2 == 0) {
            window.setProgressPictureVisible(lit, true);
            window.setProgressPictureVisible(phase.unlitIndex, false);
        } else {
            window.setProgressPictureVisible(phase.unlitIndex, true);
            window.setProgressPictureVisible(lit, false);
        }
        window.setProgressCaption(phase.caption);
        clock.doEvents();
        clock.sleep(kAnimationTickMs);
        clock.doEvents();
        window.setProgressCaption(kAnimationFinalCaption);
    }
}

}  // namespace vornelix
