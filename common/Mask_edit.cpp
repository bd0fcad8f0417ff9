#include "Mask_edit.h"

#include "Key_filter.h"

#include <QLineEdit>

MaskEditDelegate::MaskEditDelegate(QObject* parent, MaskOf mask, KeysOf keys, Edited edited)
    : QStyledItemDelegate(parent), mask(std::move(mask)), keys(std::move(keys)),
      edited(std::move(edited)) {}

QWidget* MaskEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    const QString cellMask = mask(index.row(), index.column());
    if (cellMask.isEmpty())
        return nullptr;
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(int(cellMask.count(QLatin1Char('C'))));
    const QString allowed = keys(index.column());
    if (!allowed.isEmpty())
        keys::allowOnly(edit, allowed, cellMask.startsWith(QLatin1Char('>')));
    return edit;
}

void MaskEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    const auto* edit = static_cast<QLineEdit*>(editor);
    if (!edit->isModified())
        return; // nothing typed: the cell keeps its text as it is
    model->setData(index, edit->text());
    if (edited)
        edited(index.row(), index.column());
}
