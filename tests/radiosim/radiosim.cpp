// Runs a simulated first-generation radio so the programmer can be tried without a radio.
//
//   radiosim LINK IMAGE [--com N] [--save FILE]
//
// LINK  a path that becomes a symbolic link to the radio's serial device (a pseudo-terminal)
// IMAGE a programming file (.mem) whose first 4096 bytes are the radio's memory
// --com N     also point COMn at the radio in the programmer's settings
// --save FILE write the radio's memory to FILE when the simulator stops
// Stop it with Ctrl+C.

#include "support/FirstGenRadio.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <unistd.h>

using testsupport::FirstGenRadio;

namespace {

struct Options {
    QString link;
    QString image;
    QString saveTo;
    int comPort = 0;
};

int usage() {
    std::fprintf(stderr, "usage: radiosim LINK IMAGE [--com N] [--save FILE]\n");
    return 2;
}

bool parseOptions(const QStringList& args, Options& options) {
    QStringList positional;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--com" && i + 1 < args.size()) {
            bool ok = false;
            options.comPort = args[++i].toInt(&ok);
            if (!ok || options.comPort < 1 || options.comPort > 256)
                return false;
        } else if (args[i] == "--save" && i + 1 < args.size()) {
            options.saveTo = args[++i];
        } else {
            positional << args[i];
        }
    }
    if (positional.size() != 2)
        return false;
    options.link = positional[0];
    options.image = positional[1];
    return true;
}

bool linkTo(const QString& link, const QString& target) {
    const QFileInfo existing(link);
    if (existing.isSymLink())
        QFile::remove(link);
    else if (existing.exists())
        return false;
    return QFile::link(target, link);
}

void waitForStop() {
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    int signal = 0;
    sigwait(&stops, &signal);
}

void report(const FirstGenRadio& radio) {
    const struct {
        uint8_t command;
        const char* name;
    } kinds[] = {{1, "connect"},     {2, "version"},       {3, "disconnect"},     {4, "block read"},
                 {5, "block write"}, {6, "location read"}, {7, "location write"}, {10, "meter"},
                 {26, "display"},    {71, "byte write"}};
    for (const auto& kind : kinds)
        std::printf("%6d %s\n", radio.count(kind.command), kind.name);
    std::printf("%6d key\n", radio.count(4, FirstGenRadio::SYNC_KEY));
}

} // namespace

int main(int argc, char** argv) {
    // The signals are taken by sigwait, so block them before any thread starts.
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);

    QCoreApplication app(argc, argv);
    Options options;
    if (!parseOptions(app.arguments(), options))
        return usage();
    QFile image(options.image);
    if (!image.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "radiosim: cannot read %s\n", qPrintable(options.image));
        return 1;
    }
    FirstGenRadio radio;
    if (!radio.isRunning()) {
        std::fprintf(stderr, "radiosim: no pseudo-terminal available\n");
        return 1;
    }
    radio.setMemory(image.read(FirstGenRadio::MEMORY_SIZE));
    if (!linkTo(options.link, radio.devicePath())) {
        std::fprintf(stderr, "radiosim: %s exists and is not a link\n", qPrintable(options.link));
        return 1;
    }
    if (options.comPort > 0)
        radio.mapToPort(options.comPort);
    std::printf("Simulated radio on %s (linked as %s), version \"%s\". Ctrl+C stops it.\n",
                qPrintable(radio.devicePath()), qPrintable(options.link),
                FirstGenRadio::DEFAULT_VERSION.constData());
    std::fflush(stdout);

    waitForStop();
    QFile::remove(options.link);
    report(radio);
    if (!options.saveTo.isEmpty()) {
        QFile out(options.saveTo);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(radio.memory()) != FirstGenRadio::MEMORY_SIZE) {
            std::fprintf(stderr, "radiosim: cannot write %s\n", qPrintable(options.saveTo));
            return 1;
        }
    }
    return 0;
}
