#pragma once
// A pseudo-terminal pair for serial tests: the program under test opens the slave path as
// its serial device; the test (or a simulated radio) talks on the master side.

#include <QByteArray>
#include <QString>

namespace testsupport {

class PtyPair {
public:
    PtyPair();  // opens a master; slavePath() names the device to give the program
    ~PtyPair(); // closes the master (the program sees the line drop)

    bool isOpen() const { return master >= 0; }
    QString slavePath() const { return slave; }
    int masterFd() const { return master; }

    // Writes all bytes to the program.
    bool send(const QByteArray& bytes);
    // Reads what the program sent, waiting up to timeoutMs for at least `atLeast` bytes.
    QByteArray receive(int atLeast, int timeoutMs);
    // Closes the master now, as a lead pulled out.
    void hangUp();
    // Closes any master and opens a new one, as a lead plugged back in; the slave path
    // changes. False when no pseudo-terminal could be opened.
    bool reopen();

    // The line as the program set it, read on this side of the pair: its rate in baud
    // (0 for a rate not among 1200..115200) and whether it is raw 8N1 (8 data bits, no
    // parity, one stop bit, receiver on, no echo, no line editing, signals, flow control
    // or character translation either way).
    struct LineSettings {
        int rate = 0;
        bool raw8N1 = false;
    };
    LineSettings lineSettings() const;
    // Leaves the line as a serial program must not find it usable: 1200 baud, 7 bits,
    // even parity, two stop bits, line editing with echo, XON/XOFF, output processing.
    void spoilLine();

private:
    int master = -1;
    QString slave;
};

// Maps COM<portNumber> to `devicePath` in the settings, as a user would.
void mapComPort(int portNumber, const QString& devicePath);

} // namespace testsupport
