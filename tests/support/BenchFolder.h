#pragma once
// A benchmark's own folder, made before its application starts: the settings live in it
// and the windows draw off screen, so a run touches neither the user's settings nor the
// display.

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

class BenchFolder {
public:
    BenchFolder();
    QString filePath(const QString& name) const { return folder.filePath(name); }

private:
    QTemporaryDir folder;
};

} // namespace testsupport
