#include "ProgramText.h"

#include "text/Gb18030.h"

#include <algorithm>

QString toQt(std::string_view programText) {
    std::u16string utf16 = kestrum::gb18030::toUtf16(programText);
    return QString(reinterpret_cast<const QChar*>(utf16.data()),
                   static_cast<qsizetype>(utf16.size()));
}

std::string fromQt(const QString& text) {
    return kestrum::gb18030::fromUtf16(std::u16string_view(
        reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
}

QString toQtLines(std::string_view programText) {
    std::string text;
    text.reserve(programText.size());
    for (std::size_t i = 0; i < programText.size(); ++i) {
        char c = programText[i];
        if (c == '\r' && i + 1 < programText.size() && programText[i + 1] == '\n')
            continue;
        text += c == '\r' ? '\n' : c;
    }
    return toQt(text);
}

QString withLineFeeds(QString text) {
    if (text.contains(QChar::LineSeparator) || text.contains(QChar::ParagraphSeparator))
        for (QChar& c : text)
            if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
                c = u'\n';
    return text;
}

std::string fromQtLines(const QString& text) {
    QString lf = withLineFeeds(text);
    // An LF byte is never part of a multi-byte character, so it can be
    // widened after the conversion; runs between LFs are copied whole.
    std::string bytes = fromQt(lf);
    std::string out;
    out.reserve(bytes.size() + static_cast<std::size_t>(lf.count(u'\n')));
    std::size_t from = 0;
    for (std::size_t lineFeed; (lineFeed = bytes.find('\n', from)) != std::string::npos;
         from = lineFeed + 1)
        out.append(bytes, from, lineFeed - from).append("\r\n");
    out.append(bytes, from);
    return out;
}

bool holdsMoreThanBlanks(const QString& text) {
    // Line and paragraph breaks as a document holds them, and the no-break
    // space its plain text shows as a space, are blanks too.
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() > 0x20 && c != QChar::LineSeparator && c != QChar::ParagraphSeparator &&
               c != QChar::Nbsp;
    });
}
