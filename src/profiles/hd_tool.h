#pragma once

#include <QString>

// The HD tool VornelHD.exe beside the program: it makes, or formats anew, the volume image
// hdimage.img of a size in the folder it runs in.
namespace vornelix::HdTool {

inline const QString kHdToolName = QStringLiteral("VornelHD.exe");
inline constexpr int kHdToolWaitMs = 2000;

// The HD tool's parameters for a size: "hdimage.img <N> 1".
QString hdToolParameters(int sizeGB);

// Copies the tool into the folder when no copy is there, waits, starts the copy hidden in the
// folder, waits, and deletes the copy. True when the tool started. Throws RuntimeError 70
// "Permission denied" when the copy cannot be made or deleted.
bool run(const QString& folder, int sizeGB);

}  // namespace vornelix::HdTool
