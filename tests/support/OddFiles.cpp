#include "OddFiles.h"

#include "platform/ScriptedHost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

const OddCase ODD_FILES[7] = {
    {OddFile::Empty, "empty"},
    {OddFile::ZeroDevice, "zero device"},
    {OddFile::Pipe, "named pipe"},
    {OddFile::Folder, "folder"},
    {OddFile::DanglingLink, "dangling link"},
    {OddFile::Truncated, "truncated"},
    {OddFile::TooBig, "too big"},
};

const SaveTargetCase SAVE_TARGETS[4] = {
    {SaveTarget::Pipe, "named pipe"},
    {SaveTarget::Folder, "folder"},
    {SaveTarget::Device, "device"},
    {SaveTarget::DeviceLink, "device link"},
};

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool isPipe(const QByteArray& path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// Gives a reader or a writer held by the pipe a partner until `finished` says so: the
// reader then reads an end of file, the writer a pipe that takes its bytes.
void releasePipe(const QByteArray& path, const std::function<bool()>& finished) {
    const int reader = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    while (!finished()) {
        const int writer = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (writer >= 0)
            ::close(writer);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (reader >= 0)
        ::close(reader);
}

} // namespace

bool MakeOddFile(const QString& path, OddFile kind, const QByteArray& truncated,
                 const QByteArray& tooBig) {
    switch (kind) {
    case OddFile::Empty:
        return writeBytes(path, QByteArray());
    case OddFile::ZeroDevice:
        return QFile::link(QStringLiteral("/dev/zero"), path);
    case OddFile::Pipe:
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    case OddFile::Folder:
        return QDir().mkpath(path);
    case OddFile::DanglingLink:
        return QFile::link(path + QStringLiteral(".gone"), path);
    case OddFile::Truncated:
        return writeBytes(path, truncated);
    case OddFile::TooBig:
        return writeBytes(path, tooBig);
    }
    return false;
}

bool HoldsBytes(OddFile kind) {
    return kind == OddFile::Truncated || kind == OddFile::TooBig;
}

void ExpectReadProblemUnlessMissing(const platform::ScriptedHost& host, OddFile kind, int asked) {
    if (kind == OddFile::DanglingLink) {
        EXPECT_EQ(host.messages.size(), asked) << "nothing there: as a missing file";
        return;
    }
    ASSERT_EQ(host.messages.size(), asked + 1);
    EXPECT_EQ(host.messages[asked].text, "There is a problem reading the file");
    EXPECT_EQ(host.messages[asked].caption, "File Error");
}

QString FileInFolder(const QString& folder, const QString& fileName) {
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + fileName;
}

bool MakeSaveTarget(const QString& path, SaveTarget kind) {
    const QByteArray native = QFile::encodeName(path);
    switch (kind) {
    case SaveTarget::Pipe:
        return ::mkfifo(native.constData(), 0600) == 0;
    case SaveTarget::Folder:
        return QDir().mkpath(path);
    case SaveTarget::Device:
        return ::mknod(native.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    case SaveTarget::DeviceLink:
        return MakeSaveTarget(path + QStringLiteral(".node"), SaveTarget::Device) &&
               QFile::link(path + QStringLiteral(".node"), path);
    }
    return false;
}

void ExpectNoSaveIntoOddTargets(const QString& root, platform::ScriptedHost& host,
                                QString& currentFile,
                                const std::function<bool(const QString& path)>& save) {
    for (const auto& [kind, name] : SAVE_TARGETS) {
        SCOPED_TRACE(name);
        const QString path = FileInFolder(root + QLatin1Char('/') + QLatin1String(name),
                                          QStringLiteral("radio.mem"));
        if (!MakeSaveTarget(path, kind))
            continue; // no device nodes without privilege
        currentFile = QStringLiteral("before.mem");
        host.messages.clear();
        bool saved = true;
        EXPECT_TRUE(EndsWithoutWaiting(path, [&] { saved = save(path); }));
        EXPECT_FALSE(saved);
        EXPECT_EQ(currentFile, "before.mem");
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_EQ(host.messages[0].text, "There is a problem writing the file");
        EXPECT_FALSE(QFileInfo(path).isFile()) << "the pipe, device or folder is still there";
    }
}

bool EndsWithoutWaiting(const QString& path, const std::function<void()>& action, int limitMs) {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    bool released = false;
    const QByteArray native = QFile::encodeName(path);
    std::thread watch([&] {
        std::unique_lock lock(mutex);
        if (ended.wait_for(lock, std::chrono::milliseconds(limitMs), [&] { return done; }))
            return;
        released = true;
        lock.unlock();
        if (isPipe(native))
            releasePipe(native, [&] {
                std::lock_guard guard(mutex);
                return done;
            });
    });
    action();
    {
        std::lock_guard guard(mutex);
        done = true;
    }
    ended.notify_all();
    watch.join();
    return !released;
}

} // namespace testsupport
