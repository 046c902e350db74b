#include "ProgramFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The first of the faces the layouts were drawn for that is installed; with
// none of them, the desktop's own face.
QString installedFamily() {
    const QStringList wanted = {QStringLiteral("宋体"), QStringLiteral("SimSun"),
                                QStringLiteral("WenQuanYi Zen Hei"),
                                QStringLiteral("Noto Sans CJK SC")};
    for (const QString& family : wanted)
        if (QFontDatabase::hasFamily(family))
            return family;
    return QFont().family();
}

} // namespace

QFont programFont(int pixels) {
    static const QString family = installedFamily();
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}
