#pragma once
// The read-only help pane of a dialog: entering a control, or moving the mouse over it,
// clears the pane and shows that control's fixed lines. A control bound with no lines
// leaves the pane empty.

#include <QHash>
#include <QObject>
#include <QStringList>
#include <initializer_list>

class QTextEdit;
class QWidget;

class HelpPane : public QObject {
    Q_OBJECT
public:
    explicit HelpPane(QTextEdit* pane);

    void bind(QWidget* control, const QStringList& lines);
    // Several controls sharing the same lines.
    void bind(std::initializer_list<QWidget*> controls, const QStringList& lines);
    // Every {control, lines} row of a table.
    template <class Table> void bindRows(const Table& table) {
        for (const auto& [control, lines] : table)
            bind(control, lines);
    }
    // The usual lines of a dialog's OK and Cancel buttons.
    void bindOkCancel(QWidget* ok, QWidget* cancel);
    // Shows the lines bound to `control` (the pane stays empty for an unbound one).
    void FocusHelp(QObject* control);
    void MouseHelp(QObject* control) { FocusHelp(control); }
    QStringList linesFor(QObject* control) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTextEdit* pane;
    QHash<QObject*, QStringList> texts;
};
