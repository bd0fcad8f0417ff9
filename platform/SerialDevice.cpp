#include "platform/SerialDevice.h"

#include "platform/Registry.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int WriteTimeoutMs = 2000;

speed_t speedFor(int rate) {
    switch (rate) {
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    default:
        return B0;
    }
}

QString systemError(const QString& path, const char* what) {
    return QStringLiteral("%1: %2 (%3)")
        .arg(path, QString::fromUtf8(what), QString::fromLocal8Bit(std::strerror(errno)));
}

bool lineDropped(int handle) {
    pollfd line{handle, POLLIN, 0};
    return ::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL));
}

} // namespace

SerialDevice::SerialDevice() : wakeFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

SerialDevice::~SerialDevice() {
    close();
    if (wakeFd >= 0)
        ::close(wakeFd);
}

QString SerialDevice::devicePathForPort(int portNumber) {
    if (portNumber < 1 || portNumber > 256)
        return QString();
    const QString name = QStringLiteral("COM%1").arg(portNumber);
    Registry registry;
    QString mapped;
    if (registry.OpenKey(QStringLiteral("\\Tarq\\Ports"), false) &&
        registry.ReadString(name, mapped) && !mapped.trimmed().isEmpty())
        return mapped.trimmed();
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}

bool SerialDevice::open(const QString& path) {
    close();
    const QByteArray native = path.toLocal8Bit();
    const int handle = ::open(native.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) {
        lastError = systemError(path, "cannot be opened");
        return false;
    }
    auto fail = [&](const char* what) {
        lastError = systemError(path, what);
        ::close(handle);
        return false;
    };
    if (!::isatty(handle)) {
        errno = ENOTTY;
        return fail("is not a serial device");
    }
    if (::flock(handle, LOCK_EX | LOCK_NB) != 0)
        return fail("is in use by another program");
    if (::ioctl(handle, TIOCEXCL) != 0)
        return fail("cannot be opened exclusively");
    termios line{};
    if (::tcgetattr(handle, &line) != 0)
        return fail("cannot be set up");
    ::cfmakeraw(&line);
    line.c_cflag |= CLOCAL | CREAD;
    line.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS | CSIZE);
    line.c_cflag |= CS8;
    line.c_iflag &= ~(IXON | IXOFF | IXANY);
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    ::cfsetispeed(&line, B9600);
    ::cfsetospeed(&line, B9600);
    if (::tcsetattr(handle, TCSANOW, &line) != 0)
        return fail("cannot be set up");
    ::tcflush(handle, TCIOFLUSH);
    fd = handle;
    rate = 9600;
    dropped = false;
    lastError.clear();
    return true;
}

void SerialDevice::close() {
    const int handle = fd.exchange(-1);
    if (handle >= 0) {
        ::ioctl(handle, TIOCNXCL);
        ::close(handle);
    }
    rate = 0;
}

bool SerialDevice::isOpen() const {
    return fd >= 0;
}

bool SerialDevice::hasDropped() const {
    return dropped;
}

QString SerialDevice::errorText() const {
    return lastError;
}

bool SerialDevice::setBaudRate(int newRate) {
    const speed_t speed = speedFor(newRate);
    const int handle = fd;
    if (speed == B0 || handle < 0)
        return false;
    termios line{};
    if (::tcgetattr(handle, &line) != 0)
        return false;
    ::cfsetispeed(&line, speed);
    ::cfsetospeed(&line, speed);
    if (::tcsetattr(handle, TCSADRAIN, &line) != 0)
        return false;
    rate = newRate;
    return true;
}

int SerialDevice::baudRate() const {
    return rate;
}

int SerialDevice::readAvailable(uint8_t* buffer, int capacity) {
    const int handle = fd;
    if (handle < 0)
        return -1;
    if (capacity <= 0)
        return 0;
    const ssize_t count = ::read(handle, buffer, size_t(capacity));
    if (count > 0)
        return int(count);
    if (count == 0 ? !lineDropped(handle) // nothing waits, unless the line hung up
                   : (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return 0;
    dropped = true;
    return -1;
}

int SerialDevice::writeAll(const uint8_t* bytes, int count) {
    std::lock_guard<std::mutex> lock(writeMutex);
    const int handle = fd;
    if (handle < 0 || count < 0)
        return -1;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(WriteTimeoutMs);
    int written = 0;
    while (written < count) {
        const ssize_t n = ::write(handle, bytes + written, size_t(count - written));
        if (n > 0) {
            written += int(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            dropped = true;
            return -1;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            return -1;
        pollfd out{handle, POLLOUT, 0};
        if (::poll(&out, 1, int(left)) < 0 && errno != EINTR)
            return -1;
        if (out.revents & (POLLERR | POLLHUP | POLLNVAL)) {
            dropped = true;
            return -1;
        }
    }
    return written;
}

void SerialDevice::purge() {
    const int handle = fd;
    if (handle >= 0)
        ::tcflush(handle, TCIOFLUSH);
}

void SerialDevice::purgeInput() {
    const int handle = fd;
    if (handle >= 0)
        ::tcflush(handle, TCIFLUSH);
}

SerialDevice::Wait SerialDevice::waitReadable(int timeoutMs) {
    if (stopRequested)
        return Wait::Stopped;
    const int handle = fd;
    if (handle < 0)
        return Wait::Failed;
    pollfd watched[2] = {{handle, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    const int ready = ::poll(watched, 2, timeoutMs);
    if (stopRequested)
        return Wait::Stopped;
    if (ready < 0)
        return errno == EINTR ? Wait::TimedOut : Wait::Failed;
    if (ready == 0)
        return Wait::TimedOut;
    if (watched[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
        dropped = true;
        return Wait::Failed;
    }
    if (watched[0].revents & POLLIN)
        return Wait::Readable;
    return Wait::TimedOut;
}

void SerialDevice::stop() {
    stopRequested = true;
    const uint64_t one = 1;
    if (wakeFd >= 0)
        (void)!::write(wakeFd, &one, sizeof one);
}

void SerialDevice::clearStop() {
    stopRequested = false;
    uint64_t drained = 0;
    if (wakeFd >= 0)
        (void)!::read(wakeFd, &drained, sizeof drained);
}

} // namespace platform
