#include "Mask_edit.h"

#include "Key_filter.h"

#include <QLineEdit>

MaskEditDelegate::MaskEditDelegate(QObject* parent, MaskOf mask, KeysOf keys, Clean clean)
    : QStyledItemDelegate(parent), mask(std::move(mask)), keys(std::move(keys)),
      clean(std::move(clean)) {}

QWidget* MaskEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    const QString cellMask = mask(index.row(), index.column());
    if (cellMask.isEmpty())
        return nullptr;
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(int(cellMask.count(QLatin1Char('C'))));
    keys::allowOnly(edit, keys(index.column()), cellMask.startsWith(QLatin1Char('>')));
    return edit;
}

void MaskEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    const auto* edit = static_cast<QLineEdit*>(editor);
    if (!edit->isModified())
        return; // nothing typed: the cell keeps its text as it is
    QString text = edit->text();
    if (mask(index.row(), index.column()).startsWith(QLatin1Char('>')))
        text = text.toUpper();
    if (clean)
        text = clean(index.column(), text);
    model->setData(index, text);
}
