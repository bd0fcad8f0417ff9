#pragma once
// What the normal-channel edit dialogs of both generations share: the arrangement of the
// heading, the transmit, receive and general groups and the help row, the help lines of
// the option boxes both have, and the rules that enable controls by other controls.

#include "Controls.h"
#include "Help_pane.h"
#include "User_edits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <initializer_list>

class QDialog;
class QGroupBox;
class QPushButton;
class QTextEdit;

namespace chanedit {

struct Parts {
    QWidget* heading;
    QGroupBox* transmit;
    QGroupBox* receive;
    QGroupBox* general;
};
// The heading above transmit and receive side by side, general below them, then the help
// pane with OK and Cancel; the dialog keeps the size that needs.
void LayOut(QDialog* dialog, const Parts& parts, QTextEdit* help, QPushButton* ok,
            QPushButton* cancel);

// The frequency boxes and tone lists as the user changes them: OK stores back each one the
// user left alone exactly as it was stored, even off the dialog's raster, out of its band or
// past the tone list; one the user changed stores what it shows. An arrow or Enter that
// puts a new frequency into a box is the user's change of that box (the dialog marks it).
template <class Dialog> void WatchFrequenciesAndTones(UserEdits& edits, const Dialog& d) {
    const std::initializer_list<QWidget*> controls{d.editTxFreq, d.editRxFreq, d.cmbTxCtcss,
                                                   d.cmbRxCtcss};
    for (QWidget* control : controls)
        edits.watch(control);
}

// Decoding the inverted code makes sense only for a DCS receive tone.
void EnableDcsInvert(QCheckBox* invert, const QComboBox* receiveTone);

// A disabled transmitter greys out every transmit control.
template <class Dialog> void EnableTransmit(const Dialog& d) {
    controls::enable({d.lblTxFreq, d.editTxFreq, d.udTxFreq, d.lblTxCtcss, d.cmbTxCtcss,
                      d.chkTxLowPower, d.chkBlEnabled, d.chkTaEnabled},
                     !d.chkTxDisable->isChecked());
}

// The help lines of the frequency, tone and option controls both dialogs have.
template <class Dialog> void BindSharedHelp(HelpPane& help, const Dialog& d) {
    const QString ctcss = QStringLiteral("Enter the CTCSS frequency for this channel.");
    help.bindOkCancel(d.OKBtn, d.CancelBtn);
    help.bind({d.lblTxFreq, d.editTxFreq},
              {QStringLiteral("Enter the Transmit frequency for this channel.")});
    help.bind({d.lblTxCtcss, d.cmbTxCtcss}, {ctcss});
    help.bind(d.chkTxDisable, {QStringLiteral("Disable transmit for this channel.")});
    help.bind(d.chkTxLowPower, {QStringLiteral("Set this channel for low transmit power only.")});
    help.bind(d.chkBlEnabled, {QStringLiteral("Enable busy lockout for this channel.")});
    help.bind(d.chkTaEnabled, {QStringLiteral("Enable talk around operation on this channel.")});
    help.bind({d.lblRxFreq, d.editRxFreq},
              {QStringLiteral("Enter the Receive frequency for this channel.")});
    help.bind({d.lblRxCtcss, d.cmbRxCtcss}, {ctcss});
    help.bind(d.chkOsMem, {QStringLiteral("Set this channel into Open Scan memory.")});
    help.bind(d.chkGsMem, {QStringLiteral("Set this channel into Group Scan memory.")});
    help.bind(d.chkQMem, {QStringLiteral("Set this channel into Quiet memory.")});
    help.bind(d.chkSqlSwEnabled,
              {QStringLiteral("Allow squelch switch operation on this channel.")});
    help.bind(d.chkCpuXtalOffset, {QStringLiteral("Offset the CPU crystal on this channel.")});
    help.bind(d.chkDisableChannelHold,
              {QStringLiteral("Use CTCSS during voting for this channel")});
    help.bind({d.lblAlphaTag, d.txtChannelAlpha},
              {QStringLiteral("Enter the name of this channel.")});
    help.bind(d.chkDcsInvertOK, {QStringLiteral("Enable decoding the inverted DCS code as well.")});
    help.bind(d.chkChEnabled,
              {QStringLiteral("This channel can be selected by rotating the channel knob.")});
}

} // namespace chanedit
