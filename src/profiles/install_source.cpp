#include "profiles/install_source.h"

#include "forms/error_boundary.h"
#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "machine/module_general_functions.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "platform/user_interface.h"

namespace vornelix {

QString insertCdMessage(const QString& drive, const QString& answer) {
    return QStringLiteral("Please insert a valid Mac instalation CD in ") + drive +
           QStringLiteral(" Drive\r\nNeed more help on it please press ") + answer +
           QStringLiteral(".");
}

InstallationSource installationSource(bool fromCd, const QString& cdDrive,
                                      const QString& imagePath) {
    if (fromCd)
        return {QStringLiteral("nativecdrom"),
                trimBlanks(cdDrive).isEmpty() ? kNoSourcePath : cdDrive, true};
    const QString image = trimBlanks(imagePath);
    return {kImageCdRomType, image.isEmpty() ? kNoSourcePath : image, !image.isEmpty()};
}

QString missingImageMessage(const QString& path) {
    return QStringLiteral("The ISO image ") + path +
           QStringLiteral(" cannot be found. Choose an image that is there.");
}

bool sourceAccepted(const InstallationSource& source) {
    if (!source.given)
        return platform::ui().message(kNoImageQuestion, QString(),
                                      platform::MsgButtons::OkCancel) == platform::MsgAnswer::Ok;
    if (source.cdRomType == kImageCdRomType && !platform::files().fileExists(source.cdRomPath)) {
        showMessage(missingImageMessage(source.cdRomPath));
        return false;
    }
    return true;
}

QString installationNotice(const InstallationSource& source, const InstallationNotices& notices) {
    if (!source.given)
        return notices.noSource;
    return source.cdRomType == kImageCdRomType ? notices.fromImage : notices.fromCd;
}

void takeInstallationSource(const InstallationSource& source) {
    GlobalVariablesModule& g = gv();
    g.CdRomType = source.cdRomType;
    g.CdRomPath = source.cdRomPath;
    if (source.given) {
        g.ProfileOpen = kTrue;
        ModuleGeneralFunctions::UpdateMenusAndButtons();
    }
}

std::optional<InstallationSource> startInstallationPass(bool fromCd, const QString& cdDrive,
                                                        const QString& imagePath,
                                                        const InstallationNotices& notices) {
    gv().RamSizeMB = ModuleGeneralFunctions::wholeHostMemoryMB();
    const InstallationSource source = installationSource(fromCd, cdDrive, imagePath);
    if (!sourceAccepted(source))
        return std::nullopt;
    takeInstallationSource(source);
    showMessage(installationNotice(source, notices));
    return source;
}

}  // namespace vornelix
