#include "forms/dialog_controls.h"

#include <QApplication>

namespace vornelix {

QPixmap standardPicture(QStyle::StandardPixmap icon, int size) {
    return QApplication::style()->standardIcon(icon).pixmap(size, size);
}

}  // namespace vornelix
