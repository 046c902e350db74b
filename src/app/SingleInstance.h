#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// One running Kestrum per user: a second start asks the first to bring up
// its editor window and ends, so two runs never delete each other's files.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(QString name);

    // True when another instance answered and was asked to show its editor.
    bool askRunningInstance();
    // Starts listening for later starts; false if the name cannot be taken.
    bool listen();
    void stop() { server_.close(); }

  signals:
    void anotherStartAsked();

  private:
    QString name_;
    QLocalServer server_;
};
