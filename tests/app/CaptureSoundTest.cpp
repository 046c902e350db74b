#include "CaptureSound.h"

#include <QElapsedTimer>
#include <QtTest>

class CaptureSoundTest : public QObject {
    Q_OBJECT
  private slots:
    void theBuiltInSoundIsAReadablePcmWave() {
        QFile file(QStringLiteral(":/vrowav"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.size() > 1000);
    }
    // No sound server here: playing must be silent and quick, not an error.
    void withoutASoundServerPlayingIsSilentAndDoesNotHang() {
        qputenv("PULSE_SERVER", "unix:/nonexistent/kestrum-test");
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!CaptureSound().play());
        QVERIFY(clock.elapsed() < 3000);
    }
    void anUnreadableSoundIsSilent() { QVERIFY(!CaptureSound(QStringLiteral(":/none")).play()); }
};

QTEST_MAIN(CaptureSoundTest)
#include "CaptureSoundTest.moc"
