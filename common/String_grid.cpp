#include "String_grid.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QTableWidget>

namespace {

bool IsTab(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// A cell editor's Tab would open the next cell: it keeps the text, closes the editor and
// moves on from the grid instead. Editors are watched once they are polished, after their
// delegate, so this filter sees their keys first.
class EditorTabs : public QObject {
public:
    explicit EditorTabs(QAbstractItemView* grid) : QObject(grid), grid(grid) {
        grid->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == grid->viewport()) {
            if (event->type() == QEvent::ChildPolished)
                static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
            return false;
        }
        if (!IsTab(event))
            return false;
        LeaveEditor(static_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event));
        return true;
    }

private:
    void LeaveEditor(QWidget* editor, const QKeyEvent& key) {
        QAbstractItemDelegate* delegate = grid->itemDelegateForIndex(grid->currentIndex());
        emit delegate->commitData(editor);
        emit delegate->closeEditor(editor);
        QKeyEvent again(key.type(), key.key(), key.modifiers(), key.text());
        QCoreApplication::sendEvent(grid, &again);
    }

    QAbstractItemView* grid;
};

} // namespace

namespace grid {

void TabLeaves(QAbstractItemView* grid) {
    grid->setTabKeyNavigation(false);
    new EditorTabs(grid);
}

int Setup(QTableWidget* grid, std::initializer_list<Column> columns, int rowHeight, bool editable) {
    grid->setColumnCount(int(columns.size()));
    grid->setEditTriggers(editable ? QAbstractItemView::AllEditTriggers
                                   : QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(editable ? QAbstractItemView::SelectItems
                                        : QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    TabLeaves(grid);
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
