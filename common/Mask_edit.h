#pragma once
// Grid cells edited within an edit mask: ">" types letters in upper case, one "C" for each
// character the cell takes. Only the allowed keys can be typed; a pasted text is kept to
// the allowed set by one rule as the cell takes it (see `clean`). An editor opened and left
// without typing leaves the cell's text as it was.

#include <QStyledItemDelegate>
#include <functional>

class MaskEditDelegate : public QStyledItemDelegate {
public:
    // The mask of a cell (grid row and column counted from 0; "" for a cell not edited),
    // the keys a column takes, and what a column's finished text becomes.
    using MaskOf = std::function<QString(int row, int column)>;
    using KeysOf = std::function<QString(int column)>;
    using Clean = std::function<QString(int column, const QString& text)>;

    MaskEditDelegate(QObject* parent, MaskOf mask, KeysOf keys, Clean clean = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    MaskOf mask;
    KeysOf keys;
    Clean clean;
};
