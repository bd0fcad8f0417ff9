#include "support/RadioLine.h"

#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

namespace testsupport {

int RadioFrame::address() const {
    if (data.size() < 4)
        return 0;
    return uint8_t(data[3]) * 256 + uint8_t(data[2]);
}

uint8_t frameChecksum(const QByteArray& data) {
    uint8_t sum = 0;
    for (char c : data)
        sum = uint8_t(sum + uint8_t(c));
    return uint8_t(~sum);
}

void FrameLog::append(const RadioFrame& frame) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        received.append(frame);
    }
    heard.notify_all();
}

QList<RadioFrame> FrameLog::frames() const {
    std::lock_guard<std::mutex> lock(mutex);
    QList<RadioFrame> copy;
    copy.reserve(received.size());
    for (const RadioFrame& f : received)
        copy.append({f.sync, f.command, QByteArray(f.data.constData(), f.data.size())});
    return copy;
}

int FrameLog::count(uint8_t command, uint8_t sync) const {
    std::lock_guard<std::mutex> lock(mutex);
    return countLocked(command, sync);
}

int FrameLog::countLocked(uint8_t command, uint8_t sync) const {
    int n = 0;
    for (const RadioFrame& f : received)
        n += (f.command == command && f.sync == sync) ? 1 : 0;
    return n;
}

void FrameLog::clear() {
    std::lock_guard<std::mutex> lock(mutex);
    received.clear();
}

bool FrameLog::waitFor(uint8_t command, int wanted, int timeoutMs, uint8_t sync) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    // Counted under the lock that append notifies under: a frame heard just before the wait
    // cannot be missed.
    std::unique_lock<std::mutex> lock(mutex);
    return heard.wait_until(lock, deadline, [&] { return countLocked(command, sync) >= wanted; });
}

RadioLine::RadioLine() : slavePath(pty.slavePath()) {
    wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

RadioLine::~RadioLine() {
    stop();
    if (wakeFd >= 0)
        ::close(wakeFd);
}

void RadioLine::start(ByteHandler byteHandler) {
    handler = std::move(byteHandler);
    if (pty.isOpen() && !thread.joinable())
        thread = std::thread([this] { run(); });
}

void RadioLine::stop() {
    stopping = true;
    const uint64_t one = 1;
    if (wakeFd >= 0)
        (void)!::write(wakeFd, &one, sizeof one);
    if (thread.joinable())
        thread.join();
}

bool RadioLine::isRunning() const {
    return thread.joinable() && !stopping;
}

void RadioLine::hangUp() {
    std::lock_guard<std::mutex> lock(lineMutex);
    pty.hangUp();
}

bool RadioLine::plugBackIn() {
    std::lock_guard<std::mutex> lock(lineMutex);
    if (!pty.reopen())
        return false;
    slavePath = pty.slavePath();
    return true;
}

// The master's terminal settings are the slave's: what the programmer set its port to.
int RadioLine::programmerRate() const {
    std::lock_guard<std::mutex> lock(lineMutex);
    termios line{};
    if (pty.masterFd() < 0 || ::tcgetattr(pty.masterFd(), &line) != 0)
        return 0;
    switch (::cfgetospeed(&line)) {
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    default:
        return 0;
    }
}

void RadioLine::run() {
    // The line's pacing sleeps to the microsecond, not to the kernel's default 50 us slack.
    ::prctl(PR_SET_TIMERSLACK, 1UL);
    while (!stopping) {
        int master;
        {
            std::lock_guard<std::mutex> lock(lineMutex);
            master = pty.masterFd();
        }
        if (master < 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        pollfd watched[2] = {{master, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        ::poll(watched, 2, 20);
        if (stopping)
            break;
        if (!(watched[0].revents & POLLIN)) {
            // No programmer on the line yet (or it closed its side): look again shortly.
            if (watched[0].revents & (POLLHUP | POLLERR | POLLNVAL))
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        char chunk[256];
        ssize_t n;
        {
            std::lock_guard<std::mutex> lock(lineMutex);
            n = pty.masterFd() >= 0 ? ::read(pty.masterFd(), chunk, sizeof chunk) : -1;
        }
        for (ssize_t i = 0; i < n; ++i)
            handler(uint8_t(chunk[i]));
    }
}

void RadioLine::send(const QByteArray& bytes) {
    std::lock_guard<std::mutex> lock(lineMutex);
    const int master = pty.masterFd();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    int sent = 0;
    while (master >= 0 && sent < bytes.size() && std::chrono::steady_clock::now() < deadline) {
        const ssize_t n = ::write(master, bytes.constData() + sent, size_t(bytes.size() - sent));
        if (n > 0)
            sent += int(n);
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void RadioLine::pace(int byteCount, int rate) {
    if (byteCount <= 0 || rate <= 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    const auto onWire = std::chrono::microseconds(int64_t(byteCount) * 10 * 1000000 / rate);
    lineFreeAt = (lineFreeAt > now ? lineFreeAt : now) + onWire;
    std::this_thread::sleep_until(lineFreeAt);
}

} // namespace testsupport
