#pragma once
// A manual-reset event: stays set until reset; waits return at once while it is set.

#include <chrono>
#include <condition_variable>
#include <initializer_list>
#include <mutex>

namespace platform {

class Event {
public:
    explicit Event(bool initiallySet = false);
    void set();
    void reset();
    bool isSet() const;
    // True when the event was (or became) set within the time; -1 waits without limit.
    bool wait(int timeoutMs = -1) const;

private:
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    bool state;
};

} // namespace platform
