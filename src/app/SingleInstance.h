#pragma once

#include "net/InstanceSocket.h"

#include <QObject>
#include <QSocketNotifier>
#include <memory>
#include <optional>
#include <string>

// One running Kestrum per user: a second start asks the first to bring up
// its editor window and ends, so two runs never delete each other's files.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // `privateFolder`: the run's private temporary folder, where the lock
    // and the socket are.
    explicit SingleInstance(std::string privateFolder);
    ~SingleInstance() override;

    // True when another instance holds the lock and was asked to show its
    // editor; else this run holds the lock from now on.
    bool askRunningInstance();
    // Starts listening for later starts; false when this run holds no lock
    // or the socket cannot be made.
    bool listen();
    // Stops listening and removes the socket file.
    void stop();

  signals:
    // `activationToken`: what lets the editor come forward on Wayland; empty for none.
    void anotherStartAsked(const QString& activationToken);

  private:
    std::string folder_;
    std::optional<kestrum::instance::Start> start_;
    std::unique_ptr<QSocketNotifier> notifier_;
};
