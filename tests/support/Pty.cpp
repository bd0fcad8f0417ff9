#include "support/Pty.h"

#include "platform/Registry.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace testsupport {

PtyPair::PtyPair() {
    reopen();
}

bool PtyPair::reopen() {
    hangUp();
    slave.clear();
    master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0)
        return false;
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        hangUp();
        return false;
    }
    slave = QString::fromLocal8Bit(::ptsname(master));
    termios line{};
    if (::tcgetattr(master, &line) == 0) {
        ::cfmakeraw(&line);
        ::tcsetattr(master, TCSANOW, &line);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    return true;
}

PtyPair::~PtyPair() {
    hangUp();
}

void PtyPair::hangUp() {
    if (master >= 0)
        ::close(master);
    master = -1;
}

PtyPair::LineSettings PtyPair::lineSettings() const {
    LineSettings settings;
    termios line{};
    if (master < 0 || ::tcgetattr(master, &line) != 0)
        return settings;
    static const std::pair<speed_t, int> rates[] = {{B1200, 1200},   {B9600, 9600},
                                                    {B19200, 19200}, {B38400, 38400},
                                                    {B57600, 57600}, {B115200, 115200}};
    for (const auto& [speed, baud] : rates)
        if (::cfgetospeed(&line) == speed && ::cfgetispeed(&line) == speed)
            settings.rate = baud;
    const bool eightN1 = (line.c_cflag & CSIZE) == CS8 && !(line.c_cflag & (PARENB | CSTOPB)) &&
                         (line.c_cflag & CREAD);
    const bool noLocal = !(line.c_lflag & (ICANON | ECHO | ECHONL | ISIG | IEXTEN));
    const bool noInput =
        !(line.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP | INPCK | BRKINT));
    const bool noOutput = !(line.c_oflag & OPOST);
    settings.raw8N1 = eightN1 && noLocal && noInput && noOutput;
    return settings;
}

void PtyPair::spoilLine() {
    termios line{};
    if (master < 0 || ::tcgetattr(master, &line) != 0)
        return;
    line.c_cflag = (line.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB;
    line.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
    line.c_iflag |= IXON | ICRNL | ISTRIP;
    line.c_oflag |= OPOST;
    ::cfsetispeed(&line, B1200);
    ::cfsetospeed(&line, B1200);
    ::tcsetattr(master, TCSANOW, &line);
}

bool PtyPair::send(const QByteArray& bytes) {
    int sent = 0;
    while (master >= 0 && sent < bytes.size()) {
        const ssize_t n = ::write(master, bytes.constData() + sent, size_t(bytes.size() - sent));
        if (n > 0) {
            sent += int(n);
            continue;
        }
        pollfd out{master, POLLOUT, 0};
        if (::poll(&out, 1, 1000) <= 0)
            return false;
    }
    return sent == bytes.size();
}

QByteArray PtyPair::receive(int atLeast, int timeoutMs) {
    QByteArray received;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (master >= 0 && received.size() < atLeast) {
        char chunk[256];
        const ssize_t n = ::read(master, chunk, sizeof chunk);
        if (n > 0) {
            received.append(chunk, int(n));
            continue;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            break;
        pollfd in{master, POLLIN, 0};
        ::poll(&in, 1, int(left));
    }
    return received;
}

void mapComPort(int portNumber, const QString& devicePath) {
    platform::Registry registry;
    registry.OpenKey(QStringLiteral("\\Tarq\\Ports"), true);
    registry.WriteString(QStringLiteral("COM%1").arg(portNumber), devicePath);
}

} // namespace testsupport
