#include "Text_fit.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTableWidget>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace testsupport {

namespace {

// The text as drawn: "&&" shows "&", a single "&" marks the next letter and is not drawn.
QString shownText(const QString& text) {
    QString shown;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && ++i == text.size())
            break;
        shown += text[i];
    }
    return shown;
}

// Text a user could have typed: not empty, no control characters (an erased or foreign
// image can hold any byte).
bool isText(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

int advance(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

int metric(const QWidget* widget, QStyle::PixelMetric which) {
    return widget->style()->pixelMetric(which, nullptr, widget);
}

class Walker {
public:
    explicit Walker(const QWidget* window) : window(window) {}

    void check(const QWidget* widget) {
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            checkLabel(label);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            checkButton(button);
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            checkGroup(group);
        else if (const auto* tabs = qobject_cast<const QTabBar*>(widget))
            checkTabs(tabs);
        else if (const auto* header = qobject_cast<const QHeaderView*>(widget))
            checkHeader(header);
        else if (const auto* table = qobject_cast<const QTableWidget*>(widget))
            checkCells(table);
        else
            return;
        checkInsideWindow(widget);
    }

    QStringList cuts;

private:
    void cut(const QWidget* widget, const QString& text, int needed, int given) {
        cuts << QStringLiteral("%1: %2 \"%3\" needs %4 px, has %5")
                    .arg(QString::fromLatin1(window->metaObject()->className()),
                         QString::fromLatin1(widget->metaObject()->className()), text)
                    .arg(needed)
                    .arg(given);
    }
    void fits(const QWidget* widget, const QString& text, int needed, int given) {
        if (needed > given)
            cut(widget, text, needed, given);
    }

    void checkLabel(const QLabel* label) {
        const QString text = label->text();
        if (text.isEmpty() || !label->pixmap().isNull())
            return;
        const QRect space = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                           -label->margin(), -label->margin());
        if (label->wordWrap()) {
            fits(label, text, label->heightForWidth(label->width()), label->height());
            return;
        }
        const bool rich = label->textFormat() == Qt::RichText ||
                          (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
        int needed = advance(label->fontMetrics(), label->buddy() ? shownText(text) : text);
        if (rich) {
            QTextDocument document;
            document.setDefaultFont(label->font());
            document.setDocumentMargin(0);
            document.setHtml(text);
            needed = int(std::ceil(document.idealWidth()));
        }
        fits(label, text, needed + std::max(label->indent(), 0), space.width());
        fits(label, text, label->fontMetrics().height(), space.height());
    }

    void checkButton(const QAbstractButton* button) {
        const QString text = shownText(button->text());
        if (text.isEmpty())
            return;
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        int room = 0;
        if (qobject_cast<const QPushButton*>(button))
            room = 2 * metric(button, QStyle::PM_DefaultFrameWidth) +
                   metric(button, QStyle::PM_ButtonMargin);
        else if (qobject_cast<const QCheckBox*>(button))
            room = metric(button, QStyle::PM_IndicatorWidth) +
                   metric(button, QStyle::PM_CheckBoxLabelSpacing);
        else if (qobject_cast<const QRadioButton*>(button))
            room = metric(button, QStyle::PM_ExclusiveIndicatorWidth) +
                   metric(button, QStyle::PM_RadioButtonLabelSpacing);
        else
            return;
        fits(button, text, advance(button->fontMetrics(), text) + icon + room, button->width());
        fits(button, text, button->fontMetrics().height(), button->height());
    }

    void checkGroup(const QGroupBox* group) {
        const QString title = shownText(group->title());
        if (title.isEmpty())
            return;
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.textAlignment = group->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (group->isCheckable())
            option.subControls |= QStyle::SC_GroupBoxCheckBox;
        const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, group);
        const int needed = advance(group->fontMetrics(), title) + 2 * std::max(label.left(), 0);
        fits(group, title, needed, group->width());
    }

    void checkTabs(const QTabBar* tabs) {
        const int room = metric(tabs, QStyle::PM_TabBarTabHSpace);
        for (int i = 0; i < tabs->count(); ++i) {
            if (!tabs->isTabVisible(i))
                continue;
            const QString text = shownText(tabs->tabText(i));
            fits(tabs, text, advance(tabs->fontMetrics(), text) + room, tabs->tabRect(i).width());
        }
    }

    // The header of the current column is drawn in bold where sections are highlighted.
    static QFont shownFont(const QHeaderView* header) {
        QFont font = header->font();
        font.setBold(header->highlightSections());
        return font;
    }

    void checkHeader(const QHeaderView* header) {
        if (!header->model())
            return;
        const int room = 2 * metric(header, QStyle::PM_HeaderMargin);
        for (int i = 0; i < header->count(); ++i) {
            if (header->isSectionHidden(i))
                continue;
            const QString text = header->model()->headerData(i, header->orientation()).toString();
            if (header->orientation() == Qt::Horizontal)
                fits(header, text, advance(QFontMetrics(shownFont(header)), text) + room,
                     header->sectionSize(i));
        }
    }

    void checkCells(const QTableWidget* table) {
        const int room = 2 * (metric(table, QStyle::PM_FocusFrameHMargin) + 1);
        if (table->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff)
            fits(table, QStringLiteral("(all columns)"), table->horizontalHeader()->length(),
                 table->viewport()->width());
        for (int column = 0; column < table->columnCount(); ++column) {
            if (table->isColumnHidden(column))
                continue;
            // The widest text of the column stands for all of them.
            QString widest;
            int needed = 0;
            for (int row = 0; row < table->rowCount(); ++row) {
                const QTableWidgetItem* item = table->item(row, column);
                if (!item || !isText(item->text()))
                    continue;
                const QVariant font = item->data(Qt::FontRole);
                const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : table->font());
                if (advance(metrics, item->text()) + room > needed) {
                    needed = advance(metrics, item->text()) + room;
                    widest = item->text();
                }
            }
            fits(table, widest, needed, table->columnWidth(column));
        }
    }

    // The part of the control its parents leave visible, up to the window or a scrolled view.
    void checkInsideWindow(const QWidget* widget) {
        QRect shown = widget->rect();
        for (const QWidget* child = widget; child != window; child = child->parentWidget()) {
            const QWidget* parent = child->parentWidget();
            if (!parent || qobject_cast<const QAbstractScrollArea*>(parent->parentWidget()))
                return;
            shown = shown.translated(child->pos()).intersected(parent->rect());
        }
        const QString name = QStringLiteral("(edge of the window)");
        fits(widget, name, widget->width(), shown.width());
        fits(widget, name, widget->height(), shown.height());
    }

    const QWidget* window;
};

void walk(Walker& walker, const QWidget* widget, const QWidget* window) {
    for (const QObject* child : widget->children()) {
        const auto* control = qobject_cast<const QWidget*>(child);
        if (!control || control->isWindow() || !control->isVisibleTo(window))
            continue;
        walker.check(control);
        walk(walker, control, window);
    }
}

} // namespace

DesktopFont::DesktopFont(qreal scale) : desktop(QApplication::font()) {
    QFont font = desktop;
    font.setPointSizeF(desktop.pointSizeF() * scale);
    QApplication::setFont(font);
}

DesktopFont::~DesktopFont() {
    QApplication::setFont(desktop);
}

QStringList cutTexts(const QWidget* window, int titleWidth) {
    Walker walker(window);
    if (titleWidth > window->width())
        walker.cuts << QStringLiteral("%1: title \"%2\" needs %3 px, has %4")
                           .arg(QString::fromLatin1(window->metaObject()->className()),
                                window->windowTitle())
                           .arg(titleWidth)
                           .arg(window->width());
    walk(walker, window, window);
    walker.cuts.removeDuplicates();
    return walker.cuts;
}

QStringList cutTextsOfDialogs(QWidget* mainWindow,
                              const std::function<int(const QString&)>& titleWidth) {
    QStringList cuts;
    for (QDialog* dialog : mainWindow->findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
        dialog->show();
        QApplication::processEvents();
        cuts += cutTexts(dialog, titleWidth(dialog->windowTitle()));
        dialog->reject();
    }
    return cuts;
}

QStringList cutTextsOfProgram(QWidget* mainWindow,
                              const std::function<int(const QString&)>& titleWidth,
                              const std::function<void()>& prepare) {
    mainWindow->show();
    QApplication::processEvents();
    QStringList cuts = cutTexts(mainWindow, titleWidth(mainWindow->windowTitle()));
    prepare();
    cuts += cutTextsOfDialogs(mainWindow, titleWidth);
    mainWindow->hide();
    return cuts;
}

} // namespace testsupport
