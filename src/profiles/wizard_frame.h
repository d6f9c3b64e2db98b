#pragma once

namespace vornelix {

// The width of every page of the New Profile Wizard, in pixels.
inline constexpr int kWizardPageWidth = 600;

// The FAQ question that each page's Help opens (list index), and whether the question is
// selected before the window is shown (page 1) or after (the later pages).
inline constexpr int kIntroductionQuestion = 0;
inline constexpr int kNameQuestion = 1;
inline constexpr int kVolumeQuestion = 2;
inline constexpr int kInstallationQuestion = 3;

}  // namespace vornelix
