#include "profiles/step_record_file.h"

#include "machine/basic_text.h"
#include "platform/file_system.h"
#include "platform/services.h"

namespace vornelix::StepRecordFile {

QString pathOf(const QString& name) {
    return inFolder(platform::files().programFolder(), name);
}

std::optional<QByteArray> readLeft(const QString& name) {
    const platform::FileSystem& files = platform::files();
    const QString folder = files.programFolder();
    for (const QString& entry : files.fileNames(folder))
        if (entry.startsWith(name + '.'))
            files.deleteFile(inFolder(folder, entry));
    return files.readFile(pathOf(name));
}

void drop(const QString& name) {
    const platform::FileSystem& files = platform::files();
    const QString file = pathOf(name);
    if (!files.deleteFile(file) && files.fileExists(file))
        files.writeFileWhole(file, "{}");
}

}  // namespace vornelix::StepRecordFile
