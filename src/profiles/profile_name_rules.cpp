#include "profiles/profile_name_rules.h"

#include "machine/basic_text.h"

namespace vornelix {

namespace {

const QString kForbiddenCharacters = QStringLiteral("\\/:*?\"<>|");

bool holdsForbiddenCharacter(const QString& name) {
    for (const QChar c : name)
        if (kForbiddenCharacters.contains(c) || c.category() == QChar::Other_Control)
            return true;
    return false;
}

}  // namespace

QString profileNameOf(const QString& typed) {
    return typed.trimmed();
}

QString profileNameRefusal(const QString& name) {
    if (name.isEmpty())
        return kEnterProfileNameMessage;
    if (holdsForbiddenCharacter(name))
        return QStringLiteral(
            "A profile name cannot hold any of the characters \\ / : * ? \" < > | "
            "or a control character.");
    if (name == u"." || name == u"..")
        return QStringLiteral("A profile name cannot be \".\" or \"..\".");
    if (name.endsWith(u'.') || name.endsWith(u' '))
        return QStringLiteral("A profile name cannot end with a dot or a blank.");
    if (name.size() > kMaxProfileNameLength)
        return QStringLiteral("A profile name can be at most %1 characters long.")
            .arg(kMaxProfileNameLength);
    return QString();
}

bool storedNameMatches(const QVariant& stored, const QString& name) {
    return !isNullValue(stored) && stored.toString() == name;
}

}  // namespace vornelix
