#include "platform/command_line.h"

namespace vornelix::platform {

namespace {

bool isBlank(QChar c) {
    return c == ' ' || c == '\t';
}

// Reads the word that starts at pos, moving pos past it.
QString readWord(const QString& text, qsizetype& pos) {
    QString word;
    bool quoted = false;
    const qsizetype n = text.size();
    while (pos < n && (quoted || !isBlank(text[pos]))) {
        const QChar c = text[pos];
        if (c == '\\') {
            qsizetype end = pos;
            while (end < n && text[end] == '\\') ++end;
            const qsizetype count = end - pos;
            const bool beforeQuote = end < n && text[end] == '"';
            word += QString(beforeQuote ? count / 2 : count, '\\');
            pos = end;
            if (beforeQuote && count % 2 == 1) {
                word += '"';
                ++pos;
            }
        } else if (c == '"') {
            if (quoted && pos + 1 < n && text[pos + 1] == '"') {
                word += '"';
                pos += 2;
                quoted = false;
            } else {
                quoted = !quoted;
                ++pos;
            }
        } else {
            word += c;
            ++pos;
        }
    }
    return word;
}

}  // namespace

QStringList splitWindowsCommandLine(const QString& text) {
    QStringList words;
    qsizetype pos = 0;
    while (true) {
        while (pos < text.size() && isBlank(text[pos])) ++pos;
        if (pos >= text.size())
            break;
        words << readWord(text, pos);
    }
    return words;
}

}  // namespace vornelix::platform
