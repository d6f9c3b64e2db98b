#include "profiles/image_path_controls.h"

#include <QLineEdit>
#include <QPushButton>

namespace vornelix {

void enableImagePath(QLineEdit& path, QPushButton& browse, bool enabled) {
    browse.setEnabled(enabled);
    path.setEnabled(enabled);
    QPalette palette = path.palette();
    palette.setColor(QPalette::Base, enabled ? QColor(Qt::white)
                                             : palette.color(QPalette::Disabled, QPalette::Text));
    path.setPalette(palette);
}

}  // namespace vornelix
