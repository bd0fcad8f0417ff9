#include "platform/Event.h"

namespace platform {

Event::Event(bool initiallySet) : state(initiallySet) {}

void Event::set() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        state = true;
    }
    changed.notify_all();
}

void Event::reset() {
    std::lock_guard<std::mutex> lock(mutex);
    state = false;
}

bool Event::isSet() const {
    std::lock_guard<std::mutex> lock(mutex);
    return state;
}

bool Event::wait(int timeoutMs) const {
    std::unique_lock<std::mutex> lock(mutex);
    if (timeoutMs < 0) {
        changed.wait(lock, [this] { return state; });
        return true;
    }
    return changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return state; });
}

} // namespace platform
