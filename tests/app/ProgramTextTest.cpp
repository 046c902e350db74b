#include "ProgramText.h"

#include <QPlainTextEdit>
#include <QtTest>

class ProgramTextTest : public QObject {
    Q_OBJECT
  private slots:
    void chineseTextCrossesBothWays() {
        QCOMPARE(toQt("\xD6\xD0\xB9\xFA"), QStringLiteral("中国"));
        QCOMPARE(fromQt(QStringLiteral("中国😀")), std::string("\xD6\xD0\xB9\xFA\x94\x39\xFC\x36"));
    }
    // Big5 bytes or a broken file pass through an edit control unchanged.
    void brokenBytesSurviveAnEditControl() {
        std::string big5 = "\xA4\xA4\xB0\xEA\x80\xFF\xB0";
        QPlainTextEdit edit;
        edit.setPlainText(toQt(big5));
        QCOMPARE(fromQt(edit.toPlainText()), big5);
    }
};

QTEST_MAIN(ProgramTextTest)
#include "ProgramTextTest.moc"
