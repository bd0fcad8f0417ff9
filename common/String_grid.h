#pragma once
// Text grids of the list dialogs: a header row, fixed column widths, and rows written as
// lists of cell texts; read-only with whole-row selection, or editable cell by cell. A
// column is at least its given width and as wide as its header and its widest entry need.

#include <QString>
#include <QStringList>
#include <initializer_list>

class QAbstractItemView;
class QTableWidget;

namespace grid {

struct Column {
    const char* header;
    int width;
    // Every text the column can show (or the widest of them).
    QStringList entries = {};
};

// The widest texts of `length` characters drawn from `characters`: each character written
// `length` times, each put into `frame` ("( %1 )") when that is given.
QStringList TextsOf(const QString& characters, int length,
                    const QString& frame = QStringLiteral("%1"));
// The same for texts of any printable characters, as a user may type them.
QStringList AnyText(int length, const QString& frame = QStringLiteral("%1"));

// Names the columns and makes each as wide as it needs (see Column). Returns the sum of the
// column widths.
int SizeColumns(QTableWidget* grid, std::initializer_list<Column> columns);
// The width of a grid that shows `columnsWidth` pixels of columns beside its vertical bar.
int ViewWidth(const QTableWidget* grid, int columnsWidth);

// Sets the columns (as SizeColumns does) and the row height, in a compact font. The grid
// becomes read-only with whole-row selection, or with `editable` a grid whose cells
// the user types into; it starts on its first row and Tab leaves it as below. Returns the sum
// of the column widths.
int Setup(QTableWidget* grid, std::initializer_list<Column> columns, int rowHeight,
          bool editable = false);
// Tab and Shift+Tab leave the grid for the next and previous control of the form, from a
// cell as from a cell being edited (whose text is kept); the arrow keys move between cells.
// Every grid is made so.
void TabLeaves(QAbstractItemView* grid);
// Fixes the grid's size to show `width` pixels of columns beside the vertical scroll bar,
// and `rows` rows under the header.
void FitSize(QTableWidget* grid, int width, int rows);
// Empties the row's cells, then writes `cells` from column 0.
void SetRow(QTableWidget* grid, int row, const QStringList& cells);
// The cell's text; "" for a cell outside the grid or never written.
QString Cell(const QTableWidget* grid, int row, int column);
// Writes one cell; a cell never written before is made, read-only unless `editable`.
void SetCell(QTableWidget* grid, int row, int column, const QString& text, bool editable);
// Selects the row (and makes it current), scrolling it into view.
void SelectRow(QTableWidget* grid, int row);
// A grid with rows has a current cell: when rows come to a grid without one (made, filled,
// emptied and refilled), the cell of its first row in `column` becomes current.
void StartOnFirstRow(QTableWidget* grid, int column);

} // namespace grid
