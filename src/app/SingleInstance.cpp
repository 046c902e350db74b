#include "SingleInstance.h"

#include "net/InstanceSocket.h"

SingleInstance::SingleInstance(const std::string& usualFolder, unsigned userId)
    : name_(kestrum::instance::socketName(usualFolder, userId)) {}

SingleInstance::~SingleInstance() {
    stop();
}

bool SingleInstance::askRunningInstance() {
    return kestrum::instance::askRunning(name_);
}

bool SingleInstance::listen() {
    listener_ = kestrum::instance::listen(name_);
    if (listener_ < 0)
        return false;
    notifier_ = std::make_unique<QSocketNotifier>(listener_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        if (kestrum::instance::acceptStart(listener_))
            emit anotherStartAsked();
    });
    return true;
}

void SingleInstance::stop() {
    notifier_.reset();
    kestrum::instance::close(listener_);
    listener_ = -1;
}
