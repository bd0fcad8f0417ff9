#pragma once
// Text grids of the list dialogs: a header row, fixed column widths, and rows written as
// lists of cell texts; read-only with whole-row selection, or editable cell by cell.

#include <QString>
#include <QStringList>
#include <initializer_list>

class QAbstractItemView;
class QTableWidget;

namespace grid {

struct Column {
    const char* header;
    int width;
};

// Sets the columns and the row height, in a compact font that fits the column widths. The
// grid becomes read-only with whole-row selection, or with `editable` a grid whose cells
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
