#include "AppFixture.h"
#include "KestrumApplication.h"
#include "base/Errors.h"

// A handler whose failure escapes: the application object must catch it.
class Throwing : public QObject {
  public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw kestrum::KestrumError(kestrum::gb("Cannot open file /x/中.txt"));
        return QObject::event(e);
    }
};

class ApplicationTest : public QObject {
    Q_OBJECT
  public:
    explicit ApplicationTest(RecordingDesktop& desktop) : desktop_(desktop) {}

  private slots:
    void anEscapingFailureIsShownAndTheProgramGoesOn() {
        Throwing target;
        QEvent first(QEvent::User), second(QEvent::User);
        QCoreApplication::sendEvent(&target, &first);
        QCoreApplication::sendEvent(&target, &second);
        QCOMPARE(desktop_.errors, (QStringList{QStringLiteral("Cannot open file /x/中.txt"),
                                               QStringLiteral("Cannot open file /x/中.txt")}));
    }

  private:
    RecordingDesktop& desktop_;
};

int main(int argc, char** argv) {
    RecordingDesktop desktop;
    KestrumApplication app(argc, argv, desktop);
    ApplicationTest test(desktop);
    return QTest::qExec(&test, argc, argv);
}

#include "ApplicationTest.moc"
