// Runs a simulated radio so the programmers can be tried without a radio.
//
//   radiosim LINK IMAGE [--v2] [--com N] [--save FILE]
//
// LINK  a path that becomes a symbolic link to the radio's serial device (a pseudo-terminal)
// IMAGE a programming file (.mem) whose first 4096 bytes are the radio's memory (with --v2:
//       its first 16384 bytes; image byte 128 holds the radio's size, 8 or 16 KiB)
// --v2        a second-generation radio, for korvanv2, its bytes paced at its line rate
// --com N     also point COMn at the radio in the programmer's settings
// --save FILE write the radio's memory to FILE when the simulator stops
// Stop it with Ctrl+C.

#include "support/FirstGenRadio.h"
#include "support/SecondGenRadio.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <unistd.h>

using testsupport::FirstGenRadio;
using testsupport::SecondGenRadio;

namespace {

struct Options {
    QString link;
    QString image;
    QString saveTo;
    int comPort = 0;
    bool secondGeneration = false;
};

struct CommandName {
    uint8_t command;
    const char* name;
};

const CommandName FirstGenCommands[] = {
    {1, "connect"},     {2, "version"},       {3, "disconnect"},     {4, "block read"},
    {5, "block write"}, {6, "location read"}, {7, "location write"}, {10, "meter"},
    {26, "display"},    {71, "byte write"}};

const CommandName SecondGenCommands[] = {
    {1, "connect"},     {2, "version"},    {3, "disconnect"},  {4, "block read"},
    {5, "block write"}, {10, "meter"},     {16, "set baud"},   {27, "channel"},
    {45, "test tone"},  {70, "byte read"}, {71, "byte write"}, {77, "align frequency"}};

int usage() {
    std::fprintf(stderr, "usage: radiosim LINK IMAGE [--v2] [--com N] [--save FILE]\n");
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
        } else if (args[i] == "--v2") {
            options.secondGeneration = true;
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

template <typename Radio, size_t N>
void report(const Radio& radio, const CommandName (&commands)[N]) {
    for (const CommandName& kind : commands)
        std::printf("%6d %s\n", radio.count(kind.command), kind.name);
    std::printf("%6d key\n", radio.count(4, Radio::SYNC_KEY));
}

void prepare(FirstGenRadio& radio, const QByteArray& image) {
    radio.setMemory(image.left(FirstGenRadio::MEMORY_SIZE));
}

void prepare(SecondGenRadio& radio, const QByteArray& image) {
    radio.setImage(image.left(SecondGenRadio::IMAGE_SIZE));
    radio.setPacing(true);
}

QByteArray memoryOf(const FirstGenRadio& radio) {
    return radio.memory();
}

QByteArray memoryOf(const SecondGenRadio& radio) {
    return radio.image();
}

// Serves the radio until Ctrl+C; the exit code.
template <typename Radio, size_t N>
int serve(const Options& options, const QByteArray& image, const CommandName (&commands)[N]) {
    Radio radio;
    if (!radio.isRunning()) {
        std::fprintf(stderr, "radiosim: no pseudo-terminal available\n");
        return 1;
    }
    prepare(radio, image);
    if (!linkTo(options.link, radio.devicePath())) {
        std::fprintf(stderr, "radiosim: %s exists and is not a link\n", qPrintable(options.link));
        return 1;
    }
    if (options.comPort > 0)
        radio.mapToPort(options.comPort);
    std::printf("Simulated radio on %s (linked as %s), version \"%s\". Ctrl+C stops it.\n",
                qPrintable(radio.devicePath()), qPrintable(options.link),
                Radio::DEFAULT_VERSION.constData());
    std::fflush(stdout);

    waitForStop();
    QFile::remove(options.link);
    report(radio, commands);
    if (!options.saveTo.isEmpty()) {
        const QByteArray memory = memoryOf(radio);
        QFile out(options.saveTo);
        if (!out.open(QIODevice::WriteOnly) || out.write(memory) != memory.size()) {
            std::fprintf(stderr, "radiosim: cannot write %s\n", qPrintable(options.saveTo));
            return 1;
        }
    }
    return 0;
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
    const QByteArray contents = image.readAll();
    if (options.secondGeneration)
        return serve<SecondGenRadio>(options, contents, SecondGenCommands);
    return serve<FirstGenRadio>(options, contents, FirstGenCommands);
}
