#pragma once
// The selcall call-memory dialogs of both generations: the own-ident and prefix heading,
// the grid of memories ("Memory", "Selcall Ident", "Alpha Tag", "Command?") with its
// Command flags, the edit masks and the messages they give.

#include "Help_pane.h"
#include "Idents.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <cstdint>

class QGridLayout;
class QKeyEvent;
class QTableWidget;

namespace callmem {

// The heading's grid: the own ident row above the prefix row, each label, box, check box.
QGridLayout* LayOutHeading(QLabel* identLabel, QLineEdit* ident, QCheckBox* identModify,
                           QLabel* prefixLabel, QLineEdit* prefix, QCheckBox* memoryModify);

void SetUpHeadingBoxes(QLineEdit* ident, const QString& ownIdentKeys, QLineEdit* prefix);

// Builds the heading's controls into the dialog; the own ident takes ownIdentKeys (typed
// in upper case), the prefix two digits.
template <class Dialog> QGridLayout* BuildHeading(Dialog& dialog, const QString& ownIdentKeys) {
    dialog.lblRadioIdent = new QLabel(QStringLiteral("Radio Ident"));
    dialog.txtRadioIdent = new QLineEdit;
    dialog.lblTlmPrefix = new QLabel(QStringLiteral("Command Call Prefix"));
    dialog.txtTlmPrefix = new QLineEdit;
    SetUpHeadingBoxes(dialog.txtRadioIdent, ownIdentKeys, dialog.txtTlmPrefix);
    dialog.chkOwnIdMod = new QCheckBox(QStringLiteral("Own Ident modify enabled"));
    dialog.chkCallMemEdit = new QCheckBox(QStringLiteral("Call memory modify"));
    return LayOutHeading(dialog.lblRadioIdent, dialog.txtRadioIdent, dialog.chkOwnIdMod,
                         dialog.lblTlmPrefix, dialog.txtTlmPrefix, dialog.chkCallMemEdit);
}

// The help lines of the heading and the grid.
template <class Dialog> void BindHelp(HelpPane& help, const Dialog& dialog) {
    help.bind({dialog.txtRadioIdent, dialog.lblRadioIdent}, {idents::help::RadioIdent});
    help.bind({dialog.txtTlmPrefix, dialog.lblTlmPrefix}, {idents::help::Prefix});
    help.bind(dialog.chkOwnIdMod, {idents::help::OwnIdentModify});
    help.bind(dialog.chkCallMemEdit, {idents::help::CallMemoryModify});
    help.bind(dialog.listSelcallMemories, {idents::help::Memories});
}

// The four columns, one row selected at a time, edited on a double click or any key; the
// grid opens on the first memory's ident.
QTableWidget* NewGrid(int rows);

// "Yes" or "No" in the Command? column.
QString CommandText(bool command);
// A mask of `length` characters typed in upper case.
QString EditMask(int length);
// A key that flips the Command flag of the grid's current row when it stands in
// commandColumn: any character but the dialog's own Escape and Tab, and no shortcut (a key
// with Alt or Ctrl).
bool TogglesCommand(const QTableWidget& grid, int commandColumn, const QKeyEvent& key);

// Told when an ident ("Radio Ident", "Memory Ident") has fewer digits than the
// predictive tones.
QString ShortIdentText(const QString& which);
inline const QString ShortIdentCaption = QStringLiteral("Number of tones");

// The prefix byte from its box: the stored byte unless the user `typed` in the box, else
// the digits it shows. Text that is no prefix is told and puts the focus back; false then.
bool ReadPrefix(QLineEdit* box, bool typed, uint8_t stored, uint8_t& prefix);

} // namespace callmem
