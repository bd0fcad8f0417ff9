#include "Cal_layout.h"

#include "Help_pane.h"

#include <QColor>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

namespace cal {

namespace {

constexpr int FIRST_TUNE = 24;

QLabel* stepLabel(int step, const char* level, int dbm) {
    return new QLabel(QStringLiteral("Step %1: Set RF signal generator to the %2 level "
                                     "(nominally %3dBm).")
                          .arg(step)
                          .arg(QLatin1String(level))
                          .arg(dbm));
}

} // namespace

void LayTxPower(Controls& c, QGroupBox* box) {
    auto* grid = new QGridLayout(box);
    QLabel* points[] = {c.lbl_txpwr_f1, c.lbl_txpwr_f2, c.lbl_txpwr_f3, c.lbl_txpwr_f4};
    QLineEdit* high[] = {c.txtTxPower450, c.txtTxPower470, c.txtTxPower500, c.txtTxPower520};
    UpDown* highUd[] = {c.udTxPower450, c.udTxPower470, c.udTxPower500, c.udTxPower520};
    QLineEdit* low[] = {c.txtTxLowPower450, c.txtTxLowPower470, c.txtTxLowPower500,
                        c.txtTxLowPower520};
    UpDown* lowUd[] = {c.udTxLowPower450, c.udTxLowPower470, c.udTxLowPower500, c.udTxLowPower520};
    grid->addWidget(new QLabel(QStringLiteral("High")), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Low")), 2, 0);
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(points[i], 0, i + 1, Qt::AlignCenter);
        grid->addWidget(Cell(high[i], highUd[i]), 1, i + 1);
        grid->addWidget(Cell(low[i], lowUd[i]), 2, i + 1);
    }
}

QGridLayout* LayModulation(Controls& c, QGroupBox* box, QLabel* balance) {
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Modulation:")), 0, 0);
    grid->addWidget(Cell(c.txtMod, c.udMod), 0, 1);
    grid->addWidget(balance, 1, 0);
    grid->addWidget(Cell(c.txtBal, c.udBal), 1, 1);
    return grid;
}

void LayReceiveTune(Controls& c, Generation generation, QGroupBox* box) {
    auto* grid = new QGridLayout(box);
    QLabel* points[] = {c.lbl_rxtune_f1, c.lbl_rxtune_f2, c.lbl_rxtune_f3, c.lbl_rxtune_f4};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(QStringLiteral("T%1").arg(i + 1)), 0, i + 1, Qt::AlignCenter);
        grid->addWidget(points[i], i + 1, 0);
    }
    for (const Field& f : FieldsOf(generation)) {
        if (f.address < FIRST_TUNE)
            continue;
        const int point = (f.address - FIRST_TUNE) / 4, tune = (f.address - FIRST_TUNE) % 4;
        grid->addWidget(Cell(c.*f.edit, c.*f.upDown), point + 1, tune + 1);
    }
}

void LaySMeter(Controls& c, QGroupBox* box, QPushButton* setS1, QPushButton* setS9, int s1Dbm,
               int s9Dbm) {
    auto* grid = new QGridLayout(box);
    grid->addWidget(stepLabel(1, "S1", s1Dbm), 0, 0, 1, 3);
    grid->addWidget(setS1, 1, 0);
    grid->addWidget(Cell(c.txtS0Value, c.upS0Value), 1, 1);
    grid->addWidget(stepLabel(2, "S9+", s9Dbm), 2, 0, 1, 3);
    grid->addWidget(setS9, 3, 0);
    grid->addWidget(Cell(c.txtS10Value, c.upS10Value), 3, 1);
    grid->setColumnStretch(2, 1);
}

QGridLayout* LaySquelch(Controls& c, QGroupBox* box) {
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Open level")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Close level")), 0, 2);
    for (int i = 1; i <= 3; ++i)
        grid->addWidget(new QLabel(QStringLiteral("SQL-%1").arg(i)), i, 0);
    grid->addWidget(Cell(c.txtSqlOpen1, c.upSqlOpen1), 1, 1);
    grid->addWidget(Cell(c.txtSqlClose1, c.upSqlClose1), 1, 2);
    grid->addWidget(Cell(c.txtSqlOpen2, c.upSqlOpen2), 2, 1);
    grid->addWidget(Cell(c.txtSqlOpen3, c.upSqlOpen3), 3, 1);
    grid->setColumnStretch(3, 1);
    return grid;
}

QWidget* Page(std::initializer_list<QWidget*> groups, QLayout* below) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    for (QWidget* group : groups)
        layout->addWidget(group);
    if (below)
        layout->addLayout(below);
    layout->addStretch();
    return page;
}

QLabel* StatusLabel() {
    auto* status = new QLabel;
    status->setAlignment(Qt::AlignCenter);
    status->setAutoFillBackground(true);
    status->setFrameShape(QFrame::Panel);
    return status;
}

void ShowStatus(QLabel* status, Link link, const QWidget* form) {
    const QColor colours[] = {QColor(0, 255, 0), form->palette().color(QPalette::Button),
                              QColor(255, 255, 0)};
    const QString texts[] = {QStringLiteral("Aligning Radio LIVE"),
                             QStringLiteral("Editing file data"),
                             QStringLiteral("Link to radio lost")};
    QPalette palette = status->palette();
    palette.setColor(QPalette::Window, colours[int(link)]);
    status->setPalette(palette);
    status->setText(texts[int(link)]);
}

void ShowTransmit(QPushButton* txOn, QPushButton* txOff, bool online, bool keyed) {
    txOn->setEnabled(online && !keyed);
    txOff->setEnabled(keyed);
}

void BindPanelHelp(HelpPane& help, const PanelHelp& panel) {
    help.bind(panel.close, {CloseHelp});
    help.bind(panel.txOn, {TxOnHelp});
    help.bind(panel.txOff, {TxOffHelp});
    help.bind(panel.channel, {ChannelHelp});
    help.bind(panel.writeFile, {WriteFileHelp});
    help.bind(panel.writeRadio, {WriteRadioHelp});
}

} // namespace cal
