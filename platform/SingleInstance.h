#pragma once
// Guards against a second running copy: the first copy listens on a local socket named
// after the guard; a second copy finds it, learns that it must end, and may ask it to bring
// its window to the front.

#include <QObject>
#include <QPointer>
#include <QString>

class QLocalServer;
class QWidget;

namespace platform {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& name);
    ~SingleInstance() override;

    // True when this is the only copy; false when another copy runs.
    bool acquire();
    // Asks the running copy to bring its window to the front.
    void raiseRunningCopy();
    // The window to raise when another copy starts.
    void setWindow(QWidget* window);

private:
    void raiseWindow();
    QString name;
    QLocalServer* server = nullptr;
    QPointer<QWidget> window;
};

} // namespace platform
