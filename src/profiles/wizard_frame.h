#pragma once

namespace vornelix {

// The width of every page of the New Profile Wizard, in pixels.
inline constexpr int kWizardPageWidth = 600;

// The FAQ question that each page's Help opens, as its list index. Page 1 selects it before
// the FAQ window is shown, the later pages after.
inline constexpr int kIntroductionQuestion = 0;
inline constexpr int kNameQuestion = 1;
inline constexpr int kVolumeQuestion = 2;
inline constexpr int kInstallationQuestion = 3;

}  // namespace vornelix
