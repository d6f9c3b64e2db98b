#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// The HD tool VornelHD.exe beside the program: it makes, or formats anew, the volume image
// hdimage.img of a size in the folder it runs in.
namespace vornelix::HdTool {

inline const QString kHdToolName = QStringLiteral("VornelHD.exe");
inline constexpr int kHdToolWaitMs = 2000;
// How long the tool may work after the fixed waits before it counts as failed.
inline constexpr int kHdToolEndWaitMs = 120000;

// The HD tool's parameters for a size: "hdimage.img <N> 1".
QString hdToolParameters(int sizeGB);

// What is said when the tool failed, with why: "The HD tool failed: <why>."
QString failureMessage(const QString& why);

// What a caller learns while the tool runs: its process once started, and that it made its
// image, before its copy is deleted.
struct Watch {
    std::function<void(std::int64_t pid)> started;
    std::function<void()> madeImage;
};

// Copies the tool into the folder when no copy is there, waits, starts the copy hidden in the
// folder, waits, waits for it to end (at most kHdToolEndWaitMs, the windows taking their
// events; a tool still running then is ended), and deletes the copy; whatever the tool started
// ends with it. Why it failed (not found, not
// executable, its exit status, no image made), or nothing when the folder holds its image.
// Throws RuntimeError 70 "Permission denied" when the copy cannot be made or deleted.
std::optional<QString> run(const QString& folder, int sizeGB, const Watch& watch = {});

}  // namespace vornelix::HdTool
