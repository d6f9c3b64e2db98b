#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The file in the program folder in which a long step names what it is about to make before it
// makes it, so that the next start can settle a step that was stopped half-way. The file is
// written whole (see FileSystem::writeFileWhole).
namespace vornelix::StepRecordFile {

// <program folder>\<name>.
QString pathOf(const QString& name);

// What the file holds, or nothing when there is none. The temporary copy that a write stopped
// half-way left beside it goes first.
std::optional<QByteArray> readLeft(const QString& name);

// The step is settled: the file goes. One that cannot be deleted is made to name nothing.
void drop(const QString& name);

}  // namespace vornelix::StepRecordFile
