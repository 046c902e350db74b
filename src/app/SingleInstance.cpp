#include "SingleInstance.h"

#include <chrono>
#include <cstdlib>
#include <unistd.h>

SingleInstance::SingleInstance(std::string privateFolder) : folder_(std::move(privateFolder)) {}

SingleInstance::~SingleInstance() {
    stop();
}

bool SingleInstance::askRunningInstance() {
    // A start that is still on its way gets two seconds to answer. The
    // token a Wayland launcher gave this start is the running one's to use.
    const char* token = std::getenv("XDG_ACTIVATION_TOKEN");
    if (!start_)
        start_ = kestrum::instance::start(folder_, std::chrono::seconds(2), token ? token : "");
    return start_->askedRunning;
}

bool SingleInstance::listen() {
    askRunningInstance();
    if (!start_->listener.valid())
        return false;
    int listener = start_->listener.get();
    notifier_ = std::make_unique<QSocketNotifier>(listener, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this, listener] {
        if (auto asked = kestrum::instance::acceptStart(listener))
            emit anotherStartAsked(QString::fromStdString(asked->activationToken));
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
