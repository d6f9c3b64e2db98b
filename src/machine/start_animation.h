#pragma once

#include <QString>

namespace vornelix {

class MachineWindowPort;

inline constexpr int kAnimationTicks = 51;
inline constexpr int kAnimationTickMs = 300;
inline const QString kAnimationFinalCaption = QStringLiteral("Trying to Initialize Mac");

// One phase of the start animation: the icon pair that blinks and the step caption.
struct AnimationPhase {
    int unlitIndex;  // the even index of the pair; the lit icon is unlitIndex + 1
    QString caption;
};

AnimationPhase animationPhase(int tick);

namespace ProfileStart {

// All five icons unlit.
void SetloginProgPict(MachineWindowPort& window);
// The whole start animation: 51 ticks of 300 ms, yielding before and after each wait.
void ShowProgressPicts(MachineWindowPort& window);

}  // namespace ProfileStart

}  // namespace vornelix
