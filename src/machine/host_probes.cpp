#include "machine/host_probes.h"

#include <cmath>

#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "machine/module_general_functions.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"

namespace vornelix {

namespace {

int roundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

QString graphicDriverFilePath() {
    return inFolder(platform::files().tempFolder(), kGraphicDriverFileName);
}

QString startResolutionText(const platform::ScreenMetrics& screen) {
    const int width = roundHalfEven(screen.widthTwips / screen.twipsPerPixelX);
    const int height = roundHalfEven(screen.heightTwips / screen.twipsPerPixelY);
    return QStringLiteral("\"%1x%2x32\"").arg(width).arg(height);
}

bool joinFiles(const QString& partsFolder, const QStringList& parts, const QString& output) {
    // The output holds the parts up to the first that is missing or empty.
    QByteArray joined;
    bool whole = true;
    for (const QString& name : parts) {
        const auto part = platform::files().readFile(inFolder(partsFolder, name));
        if (!part || part->isEmpty()) {
            whole = false;
            break;
        }
        joined += *part;
    }
    return platform::files().writeFile(output, joined) && whole;
}

double ModuleGeneralFunctions::GetTotalPhysicalMemory() {
    try {
        return platform::host().physicalMemoryBytes();
    } catch (const platform::RuntimeError& error) {
        platform::ui().message(error.description());
        return 0;
    }
}

double ModuleGeneralFunctions::wholeHostMemoryMB() {
    return std::floor(GetTotalPhysicalMemory() / 1024 / 1024);
}

void ModuleGeneralFunctions::SetStartResolution() {
    gv().StartResolution = startResolutionText(platform::host().screen());
}

QString ModuleGeneralFunctions::BuildGraphicDriverFile() {
    const QString output = graphicDriverFilePath();
    // The parts are looked for by their bare names: in the current folder.
    if (!joinFiles(platform::files().currentFolder(), kGraphicDriverParts, output))
        return {};
    return output;
}

bool ModuleGeneralFunctions::FindCDROMDrive(QString& drive) {
    drive.clear();
    const platform::FileSystem& fs = platform::files();
    for (const platform::Drive& entry : fs.driveTable().drives()) {
        if (entry.type != platform::DriveType::CdRom)
            continue;
        drive = QString(entry.letter.toUpper()) + u':';
        return fs.drive(entry.letter).ready;
    }
    return false;
}

}  // namespace vornelix
