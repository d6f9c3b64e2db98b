#include "machine/basic_text.h"

#include <QRegularExpression>

namespace vornelix {

QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ') ++first;
    while (last > first && text[last - 1] == u' ') --last;
    return text.mid(first, last - first);
}

bool isNullValue(const QVariant& value) {
    return !value.isValid() || value.isNull();
}

QString variantText(const QVariant& value) {
    if (isNullValue(value))
        return QString();
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

double leadingNumber(const QString& text) {
    static const QRegularExpression kNumber(
        QStringLiteral("^\\s*([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)"));
    const QRegularExpressionMatch match = kNumber.match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : 0;
}

QString inFolder(const QString& folder, const QString& name) {
    return folder.endsWith(u'\\') ? folder + name : folder + u'\\' + name;
}

}  // namespace vornelix
