#pragma once

#include <QString>
#include <QVariant>

namespace vornelix {

// The text without leading and trailing blanks (tabs and line breaks stay).
QString trimBlanks(const QString& text);

// A stored value as text: the empty text for Null, numbers without a needless fraction.
QString variantText(const QVariant& value);

// True when the value is Null (a missing column value).
bool isNullValue(const QVariant& value);

// The number at the start of the text ("256", " 1.5 GB" -> 1.5); 0 when there is none.
double leadingNumber(const QString& text);

// The folder followed by one backslash and the name ("c:\" + "x" -> "c:\x").
QString inFolder(const QString& folder, const QString& name);

}  // namespace vornelix
