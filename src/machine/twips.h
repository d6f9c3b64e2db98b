#pragma once

namespace vornelix {

inline constexpr int kTwipsPerPixel = 15;

inline constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }
inline constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

}  // namespace vornelix
