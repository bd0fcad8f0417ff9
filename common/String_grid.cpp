#include "String_grid.h"

#include <QFont>
#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>

namespace grid {

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
    QStringList headers;
    int total = 0;
    int column = 0;
    for (const Column& c : columns) {
        headers << QString::fromLatin1(c.header);
        grid->setColumnWidth(column++, c.width);
        total += c.width;
    }
    grid->setHorizontalHeaderLabels(headers);
    StartOnFirstRow(grid, 0);
    return total;
}

void FitSize(QTableWidget* grid, int width, int rows) {
    const int frame = 2 * grid->frameWidth();
    const int bar = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    grid->setFixedWidth(width + bar + frame);
    const int rowHeight = grid->verticalHeader()->defaultSectionSize();
    grid->setFixedHeight(grid->horizontalHeader()->sizeHint().height() + rows * rowHeight + frame);
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

void StartOnFirstRow(QTableWidget* grid, int column) {
    QObject* object = grid;
    const auto start = [object, column] {
        // While the grid is destroyed its model resets, and it is a grid no longer.
        auto* table = qobject_cast<QTableWidget*>(object);
        if (table && table->rowCount() > 0 && !table->currentIndex().isValid())
            table->setCurrentCell(0, column);
    };
    // Emptying the cells resets the model, which loses the current cell.
    QObject::connect(grid->model(), &QAbstractItemModel::modelReset, grid, start);
    QObject::connect(grid->model(), &QAbstractItemModel::rowsInserted, grid, start);
    start();
}

} // namespace grid
