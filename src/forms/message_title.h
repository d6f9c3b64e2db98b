#pragma once

#include <QString>

namespace vornelix {

// The title of the program's own message boxes.
inline const QString kMessageTitle = QStringLiteral("Vornelix");

}  // namespace vornelix
