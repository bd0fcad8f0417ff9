#include "support/FormHabits.h"

#include "support/Typing.h"

#include <QAbstractScrollArea>
#include <QDialog>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace testsupport {

namespace {

double Luminance(QRgb pixel) {
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) +
           0.0722 * linear(qBlue(pixel));
}

double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::string NameOf(const QWidget* widget) {
    return (widget->window()->metaObject()->className() + QStringLiteral(" ") +
            widget->objectName())
        .toStdString();
}

// The bars of a list or grid are its own, not controls of the form.
bool BelongsToAScrollArea(const QScrollBar* bar) {
    for (const QWidget* up = bar->parentWidget(); up; up = up->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(up))
            return true;
    return false;
}

// Every box with a character rule and a length limit ends with what typing the same
// characters one by one gives, whether they are pasted by key or by the box's menu, and no
// letter outside a-z turns into others (the text holds no s, i or f of its own).
void ExpectPastesKeepWhatTypingKeeps(QWidget* mainWindow) {
    const QString odd = QString::fromUtf8("\u00DF\u017F\u0131\uFB01");
    const QString text = (odd + QStringLiteral("a1b2c3d4e5#6*7p8.9-0 +_")).repeated(2);
    int boxes = 0;
    for (QLineEdit* box : mainWindow->findChildren<QLineEdit*>()) {
        if (!box->validator() || box->maxLength() == QLineEdit().maxLength() || box->isReadOnly() ||
            !box->isEnabled())
            continue;
        ++boxes;
        const QSignalBlocker quiet(box); // the forms are not open: nothing of theirs runs
        const QString was = box->text();
        box->clear();
        TypeEach(box, text);
        const QString typed = box->text();
        EXPECT_FALSE(typed.contains(QRegularExpression(QStringLiteral("[SIFsif]"))))
            << NameOf(box) << " turned a letter: " << typed.toStdString();
        box->clear();
        Paste(box, text);
        EXPECT_EQ(box->text(), typed) << NameOf(box) << " pasted";
        box->clear();
        EXPECT_TRUE(PasteByMenu(box, text)) << NameOf(box);
        EXPECT_EQ(box->text(), typed) << NameOf(box) << " pasted by its menu";
        box->setText(was);
        box->setModified(false);
    }
    EXPECT_GE(boxes, 10);
}

} // namespace

double ProgressTextContrast(QProgressBar* bar, int value) {
    bar->setValue(value);
    const QImage image = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect middle(image.width() / 4, image.height() / 4, image.width() / 2,
                       image.height() / 2);
    QHash<QRgb, int> counts;
    for (int y = middle.top(); y <= middle.bottom(); ++y)
        for (int x = middle.left(); x <= middle.right(); ++x)
            ++counts[image.pixel(x, y)];
    const QRgb under =
        std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                         [](const auto& a, const auto& b) { return a.second < b.second; })
            ->first;
    double best = 1;
    for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it)
        best = std::max(best, Contrast(*it, under));
    return best;
}

void ExpectFormHabits(QWidget* mainWindow) {
    int bars = 0;
    for (QScrollBar* bar : mainWindow->findChildren<QScrollBar*>()) {
        if (BelongsToAScrollArea(bar))
            continue;
        ++bars;
        EXPECT_TRUE(bar->focusPolicy() & Qt::TabFocus) << NameOf(bar) << " is left out of Tab";
        EXPECT_FALSE(bar->invertedControls()) << NameOf(bar) << " moves against its arrow keys";
    }
    EXPECT_GT(bars, 0);

    for (QTableView* grid : mainWindow->findChildren<QTableView*>())
        EXPECT_FALSE(grid->tabKeyNavigation()) << NameOf(grid) << " keeps Tab among its cells";

    const QList<QProgressBar*> progress = mainWindow->findChildren<QProgressBar*>();
    EXPECT_FALSE(progress.isEmpty());
    for (QProgressBar* bar : progress) {
        const int was = bar->value();
        for (int value : {bar->minimum(), bar->maximum()})
            EXPECT_GE(ProgressTextContrast(bar, value), 4.5)
                << NameOf(bar) << " at " << value << " of " << bar->maximum();
        bar->setValue(was);
    }

    for (QDialog* dialog : mainWindow->findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
        const Qt::WindowFlags flags = dialog->windowFlags();
        EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))
            << NameOf(dialog) << " has minimise or maximise";
    }
    EXPECT_TRUE(mainWindow->windowFlags() & Qt::WindowMinimizeButtonHint);

    ExpectPastesKeepWhatTypingKeeps(mainWindow);
}

} // namespace testsupport
