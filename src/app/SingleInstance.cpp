#include "SingleInstance.h"

#include <chrono>
#include <unistd.h>

SingleInstance::SingleInstance(std::string privateFolder) : folder_(std::move(privateFolder)) {}

SingleInstance::~SingleInstance() {
    stop();
}

bool SingleInstance::askRunningInstance() {
    if (!start_) // a start that is still on its way gets two seconds to answer
        start_ = kestrum::instance::start(folder_, std::chrono::seconds(2));
    return start_->askedRunning;
}

bool SingleInstance::listen() {
    askRunningInstance();
    if (!start_->listener.valid())
        return false;
    int listener = start_->listener.get();
    notifier_ = std::make_unique<QSocketNotifier>(listener, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this, listener] {
        if (kestrum::instance::acceptStart(listener))
            emit anotherStartAsked();
    });
    return true;
}

void SingleInstance::stop() {
    notifier_.reset();
    if (start_ && start_->listener.valid()) {
        start_->listener.close();
        ::unlink(kestrum::instance::socketPath(folder_).c_str());
    }
}
