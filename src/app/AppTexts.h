#pragma once

#include <QCoreApplication>
#include <QString>

// Texts both windows and the application object use.
namespace apptexts {
inline QString applicationTitle() {
    return QCoreApplication::translate("apptexts", "Orrin软件之Kestrum");
}
inline QString editorCaption() {
    return QCoreApplication::translate("apptexts", "Kestrum之编辑与设置窗口     (版本号3.3)");
}
inline QString openEditor() {
    return QCoreApplication::translate("apptexts", "打开编辑与设置窗口");
}
inline QString closeEditor() {
    return QCoreApplication::translate("apptexts", "关闭编辑与设置窗口");
}
} // namespace apptexts
