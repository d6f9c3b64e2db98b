#pragma once

#include <QPixmap>

namespace vornelix {

// The pictures of the machine window, drawn once at first use.
enum class ProgressIcon { Tools, Keyboard, Globe, Folder, Monitor };

inline constexpr int kLogoWidth = 300, kLogoHeight = 105;
inline constexpr int kProgressIconWidth = 45, kProgressIconHeight = 41;

QPixmap logoPicture();
// The unlit (grey) or lit (coloured) icon of a pair.
QPixmap progressIconPicture(ProgressIcon icon, bool lit);
QPixmap machineWindowIcon();

}  // namespace vornelix
