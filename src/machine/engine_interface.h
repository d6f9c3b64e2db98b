#pragma once

#include <QString>
#include <cstdint>

namespace vornelix {

// The engine beside the program, what it is started with, the windows it makes and the
// messages it understands.

inline const QString kEngineProgramName = QStringLiteral("Vornelix.exe");
inline const QString kEngineConfigFileName = QStringLiteral("Xeminga");
// Follows the configuration file's path on the engine's command line.
inline const QString kEngineArgumentsTail = QStringLiteral(" 0 0 0");
// How long after the start its windows are looked for, once each.
inline constexpr int kEngineWindowWaitMs = 3000;

// The console window: this class, titled with the engine's full path; it is hidden.
inline const QString kConsoleWindowClass = QStringLiteral("ConsoleWindowClass");
// The display window, embedded in the machine window.
inline const QString kEngineWindowClass = QStringLiteral("ClassVornelix");

inline constexpr std::uint32_t kWmDestroy = 0x0002;
inline constexpr std::uint32_t kWmKeyDown = 0x0100;
inline constexpr std::uint32_t kWmLButtonUp = 0x0202;
inline constexpr std::uint32_t kWmUser = 0x0400;
// wParam: the window that now holds the display window.
inline constexpr std::uint32_t kWmEngineHostWindow = kWmUser + 1;
// wParam of WM_KEYDOWN (full screen) and WM_LBUTTONUP (mouse grab).
inline constexpr std::uint32_t EngineToggleParam = 0xFFF1;
// The value that lParam points to with the host-window, full-screen and mouse messages.
inline constexpr std::int32_t kEngineMessageValue = 0x3FFFFF;
// How long the full-screen and mouse toggles wait after a message, before the focus returns.
inline constexpr int kEngineToggleWaitMs = 500;
// The value that lParam points to with WM_DESTROY.
inline constexpr std::int16_t kEngineDestroyValue = 0;

// How the engine is started: program, parameter text and working folder.
struct EngineCommandLine {
    QString program;     // <program folder>\Vornelix.exe
    QString parameters;  // <program folder>\Xeminga 0 0 0 (the path unquoted)
    QString workingFolder;
};

EngineCommandLine engineCommandLine(const QString& programFolder);

// The title of the engine's console window: its own full path.
QString engineConsoleTitle(const QString& programFolder);

}  // namespace vornelix
