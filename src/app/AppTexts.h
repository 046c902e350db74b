#pragma once

#include <QString>

// Texts both windows and the application object use.
namespace apptexts {
inline QString applicationTitle() {
    return QStringLiteral("Orrin软件之Kestrum");
}
inline QString editorCaption() {
    return QStringLiteral("Kestrum之编辑与设置窗口     (版本号3.3)");
}
inline QString openEditor() {
    return QStringLiteral("打开编辑与设置窗口");
}
inline QString closeEditor() {
    return QStringLiteral("关闭编辑与设置窗口");
}
} // namespace apptexts
