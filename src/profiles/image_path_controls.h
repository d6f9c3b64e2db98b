#pragma once

class QLineEdit;
class QPushButton;

namespace vornelix {

// The ISO image's path field and its "..." button, as the image option and the CD-ROM option
// leave them: both enabled and the field white, or both disabled and the field in the grey of
// disabled text.
void enableImagePath(QLineEdit& path, QPushButton& browse, bool enabled);

}  // namespace vornelix
