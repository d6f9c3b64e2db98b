#pragma once

#include <QString>
#include <QStringList>

namespace vornelix::platform {

// Splits a parameter text into words as a Windows program's start-up code does:
// - blanks and tabs outside quotes separate words;
// - a double quote starts or ends a quoted part, in which blanks belong to the word; a
//   quoted part may sit inside a word, and "" alone is an empty word;
// - inside a quoted part, two double quotes give one literal double quote and end the part;
// - backslashes are literal unless a double quote follows them: then 2n backslashes give n
//   and the quote acts as above, 2n+1 give n and a literal double quote.
QStringList splitWindowsCommandLine(const QString& text);

}  // namespace vornelix::platform
