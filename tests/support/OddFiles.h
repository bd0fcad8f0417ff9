#pragma once
// Files a user may pick by mistake or bad luck, for the tests of every loader: each must be
// refused or taken at once, never waited on or read without end.
//
//   for (const auto& [kind, name] : testsupport::ODD_FILES) {
//       ASSERT_TRUE(testsupport::MakeOddFile(path, kind, shortBytes, longBytes));
//       EXPECT_TRUE(testsupport::EndsWithoutWaiting(path, [&] { Load(path); }));
//   }

#include <QByteArray>
#include <QString>
#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace platform {
class ScriptedHost;
} // namespace platform

namespace testsupport {

enum class OddFile { Empty, ZeroDevice, Pipe, Folder, DanglingLink, Truncated, TooBig };

struct OddCase {
    OddFile kind;
    const char* name;
};
extern const OddCase ODD_FILES[7];

// Makes at `path` an empty file, a link to /dev/zero, a named pipe, a folder, a link to
// nothing, or a file holding `truncated` or `tooBig`; false when it cannot.
bool MakeOddFile(const QString& path, OddFile kind, const QByteArray& truncated,
                 const QByteArray& tooBig);
// The kinds that hold bytes a loader may take: the truncated and the too big file.
bool HoldsBytes(OddFile kind);
// What a loader tells of an odd file it refused, after the `asked` messages it showed first
// (its question): nothing more for a link to nothing, which is a missing file, else "There is a
// problem reading the file" in a "File Error" box.
void ExpectReadProblemUnlessMissing(const platform::ScriptedHost& host, OddFile kind, int asked);

// `fileName` in `folder`, which is made when missing: each case gets a folder of its own.
QString FileInFolder(const QString& folder, const QString& fileName);

// Targets for saves: a named pipe, a folder, a device node of the test's own (the null
// device's numbers) and a link to that node. Never a link to a real device: a faulty save
// would put a file in its place. False when it cannot (a device node wants privilege).
enum class SaveTarget { Pipe, Folder, Device, DeviceLink };
struct SaveTargetCase {
    SaveTarget kind;
    const char* name;
};
extern const SaveTargetCase SAVE_TARGETS[4];
bool MakeSaveTarget(const QString& path, SaveTarget kind);

// Saves through `save` into each save target, each in a folder of its own under `root`:
// every save fails with "There is a problem writing the file" alone, keeps `currentFile`
// and leaves the target in its place. Targets that cannot be made are passed over.
void ExpectNoSaveIntoOddTargets(const QString& root, platform::ScriptedHost& host,
                                QString& currentFile,
                                const std::function<bool(const QString& path)>& save);

// Runs `action`. Should it still run after `limitMs` (held by the named pipe at `path`),
// the pipe's ends are opened so that it goes on, and the result is false.
bool EndsWithoutWaiting(const QString& path, const std::function<void()>& action,
                        int limitMs = 10000);

// While it lives, a write that would make a file longer than `bytes` fails, as on a full disk;
// root is held to it too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : ignored(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &before);
        const rlimit limited{bytes, before.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, ignored);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit before{};
    void (*ignored)(int);
};

} // namespace testsupport
