#pragma once
// Finds the texts a shown window cuts: labels, buttons, group titles, header sections, tabs
// and grid cells narrower than their text, controls that reach past the window's edge, and
// a window narrower than its title bar needs.

#include <QFont>
#include <QStringList>
#include <functional>

class QWidget;

namespace testsupport {

// The application's font scaled (1 is the desktop's own font) while it lives.
class DesktopFont {
public:
    explicit DesktopFont(qreal scale);
    ~DesktopFont();
    DesktopFont(const DesktopFont&) = delete;
    DesktopFont& operator=(const DesktopFont&) = delete;

private:
    const QFont desktop;
};
// The desktop's own font and a large one.
constexpr qreal DesktopFontScales[] = {1.0, 1.5};

// One line per cut text, naming the window, the control and the text; empty when every
// text fits. `titleWidth` is the width the window's title bar needs for its caption.
QStringList cutTexts(const QWidget* window, int titleWidth);

// Opens every dialog that belongs to `mainWindow` in turn, as the program would, and
// gathers what cutTexts finds in each; each is closed (rejected) again.
QStringList cutTextsOfDialogs(QWidget* mainWindow,
                              const std::function<int(const QString&)>& titleWidth);

// Shows `mainWindow` and gathers what cutTexts finds in it; then, once `prepare` has given the
// dialogs what they show (an image, a record to edit), what cutTextsOfDialogs finds. The
// window is hidden again.
QStringList cutTextsOfProgram(QWidget* mainWindow,
                              const std::function<int(const QString&)>& titleWidth,
                              const std::function<void()>& prepare);

} // namespace testsupport
