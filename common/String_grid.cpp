#include "String_grid.h"

#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

namespace grid {

namespace {

int Widest(const QFontMetrics& metrics, const QStringList& texts) {
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

// The given width, or what the header and the widest entry need in the grid's font. A cell
// may show its column's header text too (the option columns do).
int ColumnWidth(const QTableWidget* grid, const Column& column) {
    const QHeaderView* header = grid->horizontalHeader();
    const QString title = QString::fromLatin1(column.header);
    const int headerRoom =
        2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int cellRoom =
        2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
    const int headerWidth = QFontMetrics(header->font()).horizontalAdvance(title) + headerRoom;
    const int cellWidth = Widest(QFontMetrics(grid->font()), column.entries + QStringList{title});
    return std::max({column.width, headerWidth, cellWidth + cellRoom});
}

} // namespace

QStringList TextsOf(const QString& characters, int length, const QString& frame) {
    QStringList texts;
    for (const QChar c : characters)
        texts << frame.arg(QString(length, c));
    return texts;
}

QStringList AnyText(int length, const QString& frame) {
    QString printable;
    for (char c = ' '; c <= '~'; ++c)
        printable += QLatin1Char(c);
    return TextsOf(printable, length, frame);
}

int Setup(QTableWidget* grid, std::initializer_list<Column> columns, int rowHeight, bool editable) {
    grid->setColumnCount(int(columns.size()));
    grid->setEditTriggers(editable ? QAbstractItemView::AllEditTriggers
                                   : QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(editable ? QAbstractItemView::SelectItems
                                        : QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setTextElideMode(Qt::ElideNone);
    grid->setWordWrap(false);
    QFont compact = grid->font();
    compact.setPixelSize(11);
    grid->setFont(compact);
    grid->horizontalHeader()->setFont(compact);
    return SizeColumns(grid, columns);
}

int SizeColumns(QTableWidget* grid, std::initializer_list<Column> columns) {
    QStringList headers;
    for (const Column& c : columns)
        headers << QString::fromLatin1(c.header);
    grid->setHorizontalHeaderLabels(headers);
    int total = 0;
    int column = 0;
    for (const Column& c : columns) {
        const int width = ColumnWidth(grid, c);
        grid->setColumnWidth(column++, width);
        total += width;
    }
    return total;
}

int ViewWidth(const QTableWidget* grid, int columnsWidth) {
    const int bar = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    return columnsWidth + bar + 2 * grid->frameWidth();
}

void FitSize(QTableWidget* grid, int width, int rows) {
    grid->setFixedWidth(ViewWidth(grid, width));
    const int rowHeight = grid->verticalHeader()->defaultSectionSize();
    grid->setFixedHeight(grid->horizontalHeader()->sizeHint().height() + rows * rowHeight +
                         2 * grid->frameWidth());
}

void SetRow(QTableWidget* grid, int row, const QStringList& cells) {
    for (int column = 0; column < grid->columnCount(); ++column)
        SetCell(grid, row, column, cells.value(column), true);
}

QString Cell(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

void SetCell(QTableWidget* grid, int row, int column, const QString& text, bool editable) {
    if (QTableWidgetItem* item = grid->item(row, column)) {
        item->setText(text);
        return;
    }
    auto* item = new QTableWidgetItem(text);
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    grid->setItem(row, column, item);
}

void SelectRow(QTableWidget* grid, int row) {
    grid->setCurrentCell(row, 0);
    grid->selectRow(row);
    if (QTableWidgetItem* item = grid->item(row, 0))
        grid->scrollToItem(item);
}

} // namespace grid
