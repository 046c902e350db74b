// A separate program for the end-to-end test: a window at a given place
// holding text, all of it selected, ready to be dragged. It writes what it
// holds to a file whenever that changes, so the test can see whether the
// drop took the text away.
#include <QApplication>
#include <QFile>
#include <QTextEdit>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 5)
        return 2;
    QTextEdit edit;
    edit.setWindowTitle(QStringLiteral("kestrum-drag-source"));
    edit.setPlainText(QString::fromUtf8(argv[1]));
    edit.selectAll();
    edit.setGeometry(QString(argv[2]).toInt(), QString(argv[3]).toInt(), 300, 120);
    const QString stateFile = QString::fromUtf8(argv[4]);
    auto save = [&] {
        QFile out(stateFile);
        if (out.open(QIODevice::WriteOnly))
            out.write(edit.toPlainText().toUtf8());
    };
    QObject::connect(&edit, &QTextEdit::textChanged, save);
    save();
    edit.show();
    return app.exec();
}
