#include "Com_port.h"

#include <Main.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <iterator>

TfrmPorts* frmPorts = nullptr;

namespace {

constexpr int PortCount = 256;
#if KORVAN_V2
constexpr int Rates[] = {9600, 19200, 38400, 57600};
#endif

} // namespace

TfrmPorts::TfrmPorts(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("Select Serial Port."));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    Label2 = new QLabel(QStringLiteral("Serial Port:"), this);
    cbPort = new QComboBox(this);
    auto* buttons = new QDialogButtonBox(this);
    btnOK = buttons->addButton(QDialogButtonBox::Ok);
    BitBtn2 = buttons->addButton(QDialogButtonBox::Cancel);
    MakeDefault(btnOK); // the OK kind of button takes Enter
    connect(btnOK, &QPushButton::clicked, this, [this] {
        btnOKClick();
        accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, &Form::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label2, 0, 0);
    layout->addWidget(cbPort, 0, 1);
#if KORVAN_V2
    Label1 = new QLabel(QStringLiteral("Max Baud Rate:"), this);
    cbBaud = new QComboBox(this);
    layout->addWidget(Label1, 1, 0);
    layout->addWidget(cbBaud, 1, 1);
#endif
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmPorts::FormShow() {
    cbPort->clear();
    for (int port = 1; port <= PortCount; ++port)
        cbPort->addItem(QStringLiteral("COM") + QString::number(port));
    cbPort->setCurrentIndex(frmBelmar->ComPort - 1);
#if KORVAN_V2
    cbBaud->clear();
    int chosen = 0;
    for (int i = 0; i < int(std::size(Rates)); ++i) {
        cbBaud->addItem(QString::number(Rates[i]));
        if (Rates[i] == frmBelmar->maxBdRate)
            chosen = i;
    }
    cbBaud->setCurrentIndex(chosen);
#endif
}

// Without a chosen port (a port number outside the list) the port stays as it was.
void TfrmPorts::btnOKClick() {
    if (cbPort->currentIndex() >= 0)
        frmBelmar->ComPort = cbPort->currentIndex() + 1;
#if KORVAN_V2
    frmBelmar->maxBdRate = Rates[cbBaud->currentIndex()];
#endif
}
