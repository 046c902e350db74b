#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>
#include <string>

// One running Kestrum per user: a second start asks the first to bring up
// its editor window and ends, so two runs never delete each other's files.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // `usualFolder`: the private temporary folder a run normally takes.
    SingleInstance(const std::string& usualFolder, unsigned userId);
    ~SingleInstance() override;

    // True when another instance answered and was asked to show its editor.
    // When two starts race, the one that cannot take the name asks again.
    bool askRunningInstance();
    // Starts listening for later starts; false if the name cannot be taken.
    bool listen();
    void stop();

  signals:
    void anotherStartAsked();

  private:
    std::string name_;
    int listener_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};
