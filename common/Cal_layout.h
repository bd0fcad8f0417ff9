#pragma once
// The calibration boxes of both alignment dialogs laid out in their groups: transmit
// power, modulation, receiver tuning, S-meter and squelch, and the on-line status label.
// Each dialog adds its own controls to the grids these return.

#include "Cal_table.h"

#include <initializer_list>

class HelpPane;
class QGridLayout;
class QGroupBox;
class QLayout;
class QPushButton;

namespace cal {

// The four point labels over the "High" and "Low" power rows.
void LayTxPower(Controls& c, QGroupBox* box);
// "Modulation:" and the balance label, each with its box; columns 2 on are the caller's.
QGridLayout* LayModulation(Controls& c, QGroupBox* box, QLabel* balance);
// Tunes T1..T4 across, the four band points down (the bytes from 24 on).
void LayReceiveTune(Controls& c, Generation generation, QGroupBox* box);
// The S1 and S9+ steps, the generator level each step names (dBm) and its set button.
void LaySMeter(Controls& c, QGroupBox* box, QPushButton* setS1, QPushButton* setS9, int s1Dbm,
               int s9Dbm);
// Open and close levels of SQL-1..3; column 3 stretches, and further columns are free.
QGridLayout* LaySquelch(Controls& c, QGroupBox* box);
// A page with the groups, then `below` when given, stacked at its top.
QWidget* Page(std::initializer_list<QWidget*> groups, QLayout* below = nullptr);

// What the dialog works on: the radio aligned live, file data edited, or a link to the radio
// that was lost.
enum class Link { Live, File, Lost };
// The framed label that says which.
QLabel* StatusLabel();
// Live on green, a lost link on yellow, file data in the colour of `form`'s buttons.
void ShowStatus(QLabel* status, Link link, const QWidget* form);
// "Transmit on" works on-line while the radio is not keyed; "Transmit off" whenever it may
// be keyed, also once the link is lost, so that the user can try again.
void ShowTransmit(QPushButton* txOn, QPushButton* txOff, bool online, bool keyed);

// The buttons around the calibration boxes that both dialogs explain alike.
struct PanelHelp {
    QWidget *close, *txOn, *txOff, *channel, *writeFile, *writeRadio;
};
void BindPanelHelp(HelpPane& help, const PanelHelp& panel);

} // namespace cal
