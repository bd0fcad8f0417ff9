#include "Call_memories.h"

#include "Key_filter.h"
#include "String_grid.h"
#include "platform/Host.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>

namespace callmem {

namespace {
// What an ident's tones are written with.
const QString HexDigits = QStringLiteral("0123456789ABCDEF");
} // namespace

QGridLayout* LayOutHeading(QLabel* identLabel, QLineEdit* ident, QCheckBox* identModify,
                           QLabel* prefixLabel, QLineEdit* prefix, QCheckBox* memoryModify) {
    auto* layout = new QGridLayout;
    layout->addWidget(identLabel, 0, 0);
    layout->addWidget(ident, 0, 1);
    layout->addWidget(identModify, 0, 2);
    layout->addWidget(prefixLabel, 1, 0);
    layout->addWidget(prefix, 1, 1);
    layout->addWidget(memoryModify, 1, 2);
    return layout;
}

void SetUpHeadingBoxes(QLineEdit* ident, const QString& ownIdentKeys, QLineEdit* prefix) {
    ident->setMaxLength(idents::IdentDigits);
    keys::allowOnly(ident, ownIdentKeys, keys::Case::Upper);
    prefix->setMaxLength(2);
    keys::allowOnly(prefix, keys::Digits);
}

QTableWidget* NewGrid(int rows) {
    auto* grid = new QTableWidget(rows, 4);
    grid->verticalHeader()->hide();
    grid::TabLeaves(grid);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    const int width = grid::SizeColumns(
        grid, {{"Memory", 60},
               {"Selcall Ident", 83, grid::TextsOf(HexDigits, idents::IdentDigits)},
               {"Alpha Tag", 81, grid::AnyText(idents::MaxTagLength)},
               {"Command?", 79, {CommandText(true), CommandText(false)}}});
    grid->setMinimumSize(std::max(330, grid::ViewWidth(grid, width)), 300);
    grid::StartOnFirstRow(grid, 1); // the Memory column is the fixed one
    return grid;
}

QString CommandText(bool command) {
    return command ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString EditMask(int length) {
    return QStringLiteral(">") + QString(length, QLatin1Char('C'));
}

bool TogglesCommand(const QTableWidget& grid, int commandColumn, const QKeyEvent& key) {
    if (grid.currentColumn() != commandColumn || key.text().isEmpty() ||
        (key.modifiers() & (Qt::AltModifier | Qt::ControlModifier)))
        return false; // a key with Alt or Ctrl is a shortcut
    switch (key.key()) {
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        return true;
    }
}

QString ShortIdentText(const QString& which) {
    return QStringLiteral("The %1 is not long enough.\r"
                          "Please ensure it has the same number of tones\r"
                          "as the number of predictive tones.")
        .arg(which);
}

bool ReadPrefix(QLineEdit* box, bool typed, uint8_t stored, uint8_t& prefix) {
    if (!typed) {
        prefix = stored;
        return true;
    }
    const std::optional<uint8_t> shown = idents::ParsePrefix(box->text());
    if (!shown) {
        platform::host().messageBox(idents::PrefixError, idents::PrefixErrorCaption,
                                    platform::MB_ICONEXCLAMATION);
        box->setFocus();
        return false;
    }
    prefix = *shown;
    return true;
}

} // namespace callmem
