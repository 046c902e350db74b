#include "ProgramText.h"

#include "text/Gb18030.h"

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
