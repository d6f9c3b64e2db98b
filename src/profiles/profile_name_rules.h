#pragma once

#include <QString>
#include <QVariant>

namespace vornelix {

inline const QString kProfileNamePlaceholder = QStringLiteral("{Profile Name}");
inline const QString kEnterProfileNameMessage = QStringLiteral("Please enter a profile name.");
inline const QString kProfileExistsMessage =
    QStringLiteral("The profile already exists. Please specify another name.");
// The longest name a profile may have; it becomes the name of the volume's folder.
inline constexpr int kMaxProfileNameLength = 64;

// The name a typed text gives: the text without white space of any kind around it (blanks,
// no-break spaces, tabs, line breaks and the other Unicode spaces), so a name never looks blank
// or differs from a stored one by what cannot be seen at its ends.
QString profileNameOf(const QString& typed);

// Why a name (as profileNameOf gives it) cannot name a profile, as the message that
// says so; empty when it can. The name becomes a folder under "<drive>\Vornelix_HD\", so it
// must be one folder name that stays inside that folder.
QString profileNameRefusal(const QString& name);

// True when a stored prof_name value is exactly the name (letter case counts; Null is no name).
bool storedNameMatches(const QVariant& stored, const QString& name);

}  // namespace vornelix
