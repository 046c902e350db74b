// The floor for the start-up benchmark: the least a Qt 6 Widgets program
// does to show one frameless window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    window.setWindowTitle(QStringLiteral("Kestrum"));
    window.setGeometry(400, 300, 37, 34);
    window.show();
    return app.exec();
}
