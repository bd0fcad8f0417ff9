#pragma once
// Grid cells edited within an edit mask: ">" types letters in upper case, one "C" for each
// character the cell takes. The editor holds the column's character rule, so what is typed,
// pasted or dropped keeps only the allowed keys (a column without keys takes any). An
// editor opened and left without typing leaves the cell's text as it was; a text the user
// put there is told to `edited`.

#include <QStyledItemDelegate>
#include <functional>

class MaskEditDelegate : public QStyledItemDelegate {
public:
    // The mask of a cell (grid row and column counted from 0; "" for a cell not edited) and
    // the keys a column takes.
    using MaskOf = std::function<QString(int row, int column)>;
    using KeysOf = std::function<QString(int column)>;
    using Edited = std::function<void(int row, int column)>;

    MaskEditDelegate(QObject* parent, MaskOf mask, KeysOf keys, Edited edited = {});

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    MaskOf mask;
    KeysOf keys;
    Edited edited;
};
