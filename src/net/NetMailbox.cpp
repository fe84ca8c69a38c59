#include "net/NetMailbox.h"

namespace tarnex {

void NetMailbox::Post(NetMail mail) {
    bool wasEmpty = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wasEmpty = mail_.empty();
        mail_.push_back(std::move(mail));
    }
    if (wasEmpty) {
        std::lock_guard<std::mutex> lock(notifyMutex_);
        if (notify_) {
            notify_();
        }
    }
}

std::vector<NetMail> NetMailbox::Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<NetMail> taken;
    taken.swap(mail_);
    return taken;
}

void NetMailbox::Silence() {
    std::lock_guard<std::mutex> lock(notifyMutex_);
    notify_ = nullptr;
}

}  // namespace tarnex
