#pragma once

#include "profiles/volume_space.h"

#include <QString>
#include <cstdint>

namespace vornelix {

inline const QString kSelectHardDiskMessage = QStringLiteral("Select valid Harddisk Drives only");
inline const QString kGrowableNeedsNtfsMessage =
    QStringLiteral("Growable Partition is supported with NTFS only.");

// The drive list's entry for a drive: its letter and colon, then the host folder it stands for.
QString driveListEntry(QChar letter, const QString& hostFolder);

// Why a volume of sizeGB cannot go on a fixed disk with this file system and free bytes, as the
// message that says so; empty when it can. Only a growable volume needs an NTFS-like file
// system; the volume needs sizeGB GiB free, the message giving the free space in whole GB.
QString volumeRefusal(const QString& fileSystem, bool growable, int sizeGB, std::int64_t freeBytes);

// The refusal of a profile folder that holds a volume image already.
QString imageExistsMessage(const QString& folder);

}  // namespace vornelix
