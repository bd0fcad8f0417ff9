#include "String_grid.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

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
    explicit EditorTabs(QAbstractItemView* grid)
        : QObject(grid), grid(grid), viewport(grid->viewport()) {
        viewport->installEventFilter(this);
    }

protected:
    // The viewport is known by its address: while the grid is destroyed, its editors and
    // viewport still send events, and the grid is no scroll area any more to ask.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == viewport) {
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
    QWidget* viewport;
};

int Widest(const QFontMetrics& metrics, const QStringList& texts) {
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

// The given width, or what the header and the widest entry need in the grid's font. A cell
// may show its column's header text too (the option columns do).
int ColumnWidth(const QTableWidget* grid, const grid::Column& column) {
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

namespace grid {

void TabLeaves(QAbstractItemView* grid) {
    grid->setTabKeyNavigation(false);
    new EditorTabs(grid);
}

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
    TabLeaves(grid);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setTextElideMode(Qt::ElideNone);
    grid->setWordWrap(false);
    QFont compact = grid->font();
    compact.setPixelSize(11);
    grid->setFont(compact);
    grid->horizontalHeader()->setFont(compact);
    const int total = SizeColumns(grid, columns);
    StartOnFirstRow(grid, 0);
    return total;
}

int SizeColumns(QTableWidget* grid, std::initializer_list<Column> columns) {
    QStringList headers;
    for (const Column& c : columns)
        headers << QString::fromLatin1(c.header);
    grid->setHorizontalHeaderLabels(headers);
    // The widths are for the header's own font: the current column's title must not turn bold.
    grid->horizontalHeader()->setHighlightSections(false);
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
