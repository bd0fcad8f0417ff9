#include "Cb_memories.h"

#include "Controls.h"
#include "Form.h"
#include "Help_pane.h"
#include "Image_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <iterator>

namespace cb {

const Memory Memories[ChannelMemories] = {
    {0x60, "Open Scan Memory", "Select the CB channels in open scan memory"},
    {0x65, "Group Scan Memory", "Select the CB channels in group scan memory"},
    {0x6A, "Quiet Memory", "Select the CB channels in quiet memory"},
    {0x6F, "CTCSS Memory", "Select the CB channels in silent memory"},
};

int channelByte(int firstByte, int n) {
    return firstByte + (n - 1) / 8;
}

uint8_t channelBit(int n) {
    return uint8_t(1u << ((n - 1) % 8));
}

} // namespace cb

namespace {

constexpr int ChannelsPerColumn = 10;

struct MemoryPage {
    QWidget* CbControls::*tab;
    QPushButton* CbControls::*selectAll;
    QPushButton* CbControls::*deselectAll;
};

constexpr MemoryPage Pages[cb::ChannelMemories] = {
    {&CbControls::tabOpenScan, &CbControls::btnOsSelectAll, &CbControls::btnOsDeselectAll},
    {&CbControls::tabGroupScan, &CbControls::btnGsSelectAll, &CbControls::btnGsDeselectAll},
    {&CbControls::tabQuiet, &CbControls::btnQSelectAll, &CbControls::btnQDeselectAll},
    {&CbControls::tabSilent, &CbControls::btnCtcssSelectAll, &CbControls::btnCtcssDeselectAll},
};

QString channelCaption(int n) {
    return QStringLiteral("Channel %1").arg(n);
}

} // namespace

void CbControls::BuildCbOptions(QWidget* form, bool typedTones) {
    GroupBox2 = new QGroupBox(QStringLiteral("CB CTCSS options"), form);
    chkEnableCbCtcss = new QCheckBox(QStringLiteral("CTCSS on CB Enabled"), GroupBox2);
    chkCbBusyLockout = new QCheckBox(QStringLiteral("Enable busy lock out"), GroupBox2);
    chkCtcssOnDup = new QCheckBox(QStringLiteral("Enable CTCSS on repeater channels"), GroupBox2);
    chkClearPrivOnPri = new QCheckBox(QStringLiteral("Clear silent on priority recall"), GroupBox2);
    lblCbCtcssTx = new QLabel(QStringLiteral("CB CTCSS TX"), GroupBox2);
    lblCbCtcssRx = new QLabel(QStringLiteral("CB CTCSS RX"), GroupBox2);
    cmbTxCtcss = new QComboBox(GroupBox2);
    cmbRxCtcss = new QComboBox(GroupBox2);
    for (QComboBox* combo : {cmbTxCtcss, cmbRxCtcss}) {
        combo->setEditable(true);
        combo->lineEdit()->setReadOnly(!typedTones);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMinimumContentsLength(typedTones ? 14 : 8);
    }
    auto* grid = new QGridLayout(GroupBox2);
    grid->addWidget(chkEnableCbCtcss, 0, 0);
    grid->addWidget(chkCbBusyLockout, 1, 0);
    grid->addWidget(chkCtcssOnDup, 2, 0);
    grid->addWidget(chkClearPrivOnPri, 3, 0);
    grid->addWidget(lblCbCtcssTx, 0, 1);
    grid->addWidget(cmbTxCtcss, 0, 2);
    grid->addWidget(lblCbCtcssRx, 1, 1);
    grid->addWidget(cmbRxCtcss, 1, 2);
    grid->setColumnStretch(0, 1);
}

void CbControls::BuildCbPages(QWidget* form, std::function<void(QObject*)> selectClick) {
    pageCbMemories = new QTabWidget(form);
    pageCbMemories->tabBar()->setAttribute(Qt::WA_Hover);
    pageCbMemories->setUsesScrollButtons(false); // all five tabs in view
    for (int m = 0; m < cb::ChannelMemories; ++m) {
        const MemoryPage& page = Pages[m];
        auto* tab = new QWidget(pageCbMemories);
        this->*page.tab = tab;
        auto* select = forms::button(QStringLiteral("&Select All"), tab);
        auto* deselect = forms::button(QStringLiteral("&Deselect All"), tab);
        this->*page.selectAll = select;
        this->*page.deselectAll = deselect;
        for (QPushButton* button : {select, deselect})
            QObject::connect(button, &QPushButton::clicked, form,
                             [selectClick, button] { selectClick(button); });
        auto* grid = new QGridLayout(tab);
        grid->addWidget(select, ChannelsPerColumn, 0);
        grid->addWidget(deselect, ChannelsPerColumn, 1);
        pageCbMemories->addTab(tab, QString::fromUtf8(cb::Memories[m].caption));
    }
    tabDuplex = new QWidget(pageCbMemories);
    new QVBoxLayout(tabDuplex);
    pageCbMemories->addTab(tabDuplex, QStringLiteral("Duplex Memory"));
}

void CbControls::BuildChannelBoxes(int memory, QCheckBox** boxes) {
    const MemoryPage& page = Pages[memory];
    QWidget* tab = this->*page.tab;
    auto* grid = static_cast<QGridLayout*>(tab->layout());
    for (int k = 0; k < cb::Channels; ++k) {
        boxes[k] = new QCheckBox(channelCaption(k + 1), tab);
        grid->addWidget(boxes[k], k % ChannelsPerColumn, k / ChannelsPerColumn);
    }
    // The buttons were made first; Tab still reaches them after the boxes.
    QWidget::setTabOrder(boxes[cb::Channels - 1], this->*page.selectAll);
    QWidget::setTabOrder(this->*page.selectAll, this->*page.deselectAll);
    memoryBoxes[memory] = boxes;
}

void CbControls::BuildDuplexBoxes(QCheckBox** boxes) {
    auto* column = static_cast<QVBoxLayout*>(tabDuplex->layout());
    for (int k = 0; k < cb::DuplexChannels; ++k) {
        boxes[k] = new QCheckBox(channelCaption(k + 1), tabDuplex);
        column->addWidget(boxes[k]);
    }
    column->addStretch();
    duplexBoxes = boxes;
}

void CbControls::BindCbFields(ImageFields& options, ImageFields& memories) const {
    options.check(chkClearPrivOnPri, cb::OptionByte, 1u << cb::ClearSilentBit);
    options.check(chkCtcssOnDup, cb::OptionByte, 1u << cb::CtcssOnDuplexBit);
    options.check(chkCbBusyLockout, cb::OptionByte, 1u << cb::BusyLockoutBit);
    for (int m = 0; m < cb::ChannelMemories; ++m)
        for (int n = 1; n <= cb::Channels; ++n)
            memories.check(memoryBoxes[m][n - 1], cb::channelByte(cb::Memories[m].firstByte, n),
                           cb::channelBit(n), false,
                           {this->*Pages[m].selectAll, this->*Pages[m].deselectAll});
    for (int n = 1; n <= cb::DuplexChannels; ++n)
        memories.check(duplexBoxes[n - 1], cb::DuplexByte, cb::channelBit(n));
}

void CbControls::BindCbHelp(HelpPane& help, QWidget* bottomPanel, bool rxLabelHelp) const {
    const QStringList tx{QStringLiteral("Set the CTCSS TX tone to use for CB channels")};
    const QStringList rx{QStringLiteral("Set the CTCSS RX tone to use for CB channels")};
    const std::pair<QWidget*, QStringList> table[] = {
        {chkEnableCbCtcss, {QStringLiteral("Enabled CTCSS operation on CB channels")}},
        {chkCbBusyLockout, {QStringLiteral("Enable Busy lock out operation on CB channels")}},
        {chkClearPrivOnPri, {QStringLiteral("Clear Silent mode on channel recall")}},
        {cmbTxCtcss, tx},
        {lblCbCtcssTx, tx},
        {cmbRxCtcss, rx},
        {tabDuplex, {QStringLiteral("Select the CB channels in duplex memory")}},
        // Bound to the help handlers without a text of their own.
        {chkCtcssOnDup, {}},
        {GroupBox2, {}},
        {bottomPanel, {}},
    };
    help.bindRows(table);
    if (rxLabelHelp)
        help.bind(lblCbCtcssRx, rx);
    for (int m = 0; m < cb::ChannelMemories; ++m)
        help.bind(this->*Pages[m].tab, {QString::fromUtf8(cb::Memories[m].help)});
}

void CbControls::EnableCbOptions() {
    controls::enable({chkCbBusyLockout, chkCtcssOnDup, lblCbCtcssTx, cmbTxCtcss, lblCbCtcssRx,
                      cmbRxCtcss, chkClearPrivOnPri},
                     chkEnableCbCtcss->isChecked());
}

void CbControls::SelectFromButton(QObject* sender) {
    for (int m = 0; m < cb::ChannelMemories; ++m) {
        const bool select = sender == this->*Pages[m].selectAll;
        if (!select && sender != this->*Pages[m].deselectAll)
            continue;
        for (int k = 0; k < cb::Channels; ++k)
            memoryBoxes[m][k]->setChecked(select);
    }
}
