#pragma once

#include <QString>
#include <QStringList>

#include "platform/host_facts.h"

namespace vornelix {

// The graphics-driver parts, joined in this order, and the joined file.
inline const QStringList kGraphicDriverParts = {
    QStringLiteral("Vornel IDE.DAT"), QStringLiteral("OSMAC.AXM"), QStringLiteral("CASE.EXM")};
inline const QString kGraphicDriverFileName = QStringLiteral("ifrs_gkl.tmp");

// Where the joined graphics-driver file lies: the temporary folder.
QString graphicDriverFilePath();

// "\"1024x768x32\"": the screen in pixels, each side rounded half to even.
QString startResolutionText(const platform::ScreenMetrics& screen);

// Joins the named parts of a folder byte for byte into the output file (created or emptied).
// False at the first part that is missing, empty or not read or written whole; the output then
// keeps what was written before.
bool joinFiles(const QString& partsFolder, const QStringList& parts, const QString& output);

}  // namespace vornelix
