#include "Radio_rw.h"

#include "Controls.h"
#include "Eeprom.h"
#include "Main.h"
#include "Main_window.h"
#include "Protocol.h"
#include "platform/RadioUpdate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <thread>

TfrmReadWrite* frmReadWrite = nullptr;
platform::Event cancelEvent;

namespace {

transfer_job_struct transferJob{0, 0, 0};
std::thread transferThread;
std::atomic<int> transferResult{TRANSFER_DONE};
std::atomic<int> transferNumber{0}; // the last worker started

// A WM_RADIO_UPDATE that knows which worker posted it.
class TransferUpdate : public platform::RadioUpdateEvent {
public:
    TransferUpdate(int job, long wParam, long lParam)
        : platform::RadioUpdateEvent(wParam, lParam), job(job) {}
    const int job;
};

void Post(QObject* target, int job, long wParam, long lParam) {
    if (target)
        platform::PostToForm(target, new TransferUpdate(job, wParam, lParam));
}

enum class Step { Connect, Move, Disconnect, End };

// The image's block as it goes to the radio: erased past the image's own size, and with the
// radio's own size byte, when the job carries one.
void OutgoingBlock(const transfer_job_struct& job, int address, uint8_t* block) {
    eeprom.ReadBlock(address, block, TRANSFER_BLOCK);
    for (int i = std::max(0, job.imageEnd - address); i < TRANSFER_BLOCK; ++i)
        block[i] = 0xFF;
    const int sizeByteAt = EEPROM::SIZE_BYTE - address;
    if (job.sizeByte != NO_SIZE_BYTE && sizeByteAt >= 0 && sizeByteAt < TRANSFER_BLOCK)
        block[sizeByteAt] = uint8_t(job.sizeByte);
}

// One block each way; false when the radio did not answer.
bool MoveBlock(const transfer_job_struct& job, int address) {
    uint8_t block[TRANSFER_BLOCK];
    if (job.mode == 1) {
        OutgoingBlock(job, address, block);
        return RadioWriteBlock(address, block) >= 0;
    }
    if (RadioReadBlock(address, block) < 0)
        return false;
    eeprom.WriteBlock(address, block, TRANSFER_BLOCK);
    return true;
}

// A whole image read from the radio comes in as every image does: nothing past the size
// its own size byte declares.
bool BringsImage(const transfer_job_struct& job, int result) {
    return job.mode == 0 && result == TRANSFER_DONE && job.start <= EEPROM::SIZE_BYTE &&
           job.end > EEPROM::SIZE_BYTE;
}

// A failed block also disconnects, so that the radio leaves its programming mode and the
// port goes back to 9600 for the next request; the result stays a failure.
void TransferThread(transfer_job_struct job, QObject* target, int number) {
    int result = TRANSFER_DONE;
    Step step = Step::Connect;
    int address = job.start;
    while (step != Step::End) {
        if (step != Step::Disconnect && cancelEvent.isSet()) {
            cancelEvent.reset();
            result = TRANSFER_CANCELLED;
            step = Step::Disconnect;
        }
        switch (step) {
        case Step::Connect:
            RadioConnect();
            step = Step::Move;
            break;
        case Step::Move:
            if (address >= job.end) {
                step = Step::Disconnect;
            } else if (!MoveBlock(job, address)) {
                result = TRANSFER_FAILED;
                step = Step::Disconnect;
            } else {
                Post(target, number, 0, address);
                address += TRANSFER_BLOCK;
            }
            break;
        case Step::Disconnect:
            RadioDisconnect();
            step = Step::End;
            break;
        case Step::End:
            break;
        }
    }
    if (BringsImage(job, result))
        eeprom.EraseAboveRadioSize();
    transferResult = result;
    Post(target, number, 1, result);
}

int StartThread(const transfer_job_struct& job) {
    if (transferThread.joinable()) {
        CancelTransfer();
        transferThread.join();
    }
    cancelEvent.reset();
    transferJob = job;
    const int number = ++transferNumber;
    transferThread =
        std::thread(TransferThread, transferJob, static_cast<QObject*>(frmBelmar), number);
    return 1;
}

} // namespace

int StartReadThread(int start, int end) {
    return StartThread({0, start, end});
}

int StartWriteThread(int start, int end) {
    return StartThread({1, start, end});
}

transfer_job_struct ImageWriteJob(int start, uint8_t radioSizeByte) {
    return {1, start, EEPROM::SizeFromByte(radioSizeByte), radioSizeByte, eeprom.RadioSize()};
}

namespace {

QString SizeWarning(int imageSize, int radioSize) {
    if (imageSize == radioSize)
        return QString();
    const QString sizes = QStringLiteral("The data was made for a radio of %1 bytes; "
                                         "this radio has %2.\n")
                              .arg(imageSize)
                              .arg(radioSize);
    const QString bytes = QStringLiteral("Bytes %1 to %2 will ")
                              .arg(std::min(imageSize, radioSize))
                              .arg(std::max(imageSize, radioSize) - 1);
    return sizes + bytes +
           (imageSize < radioSize ? QStringLiteral("be erased")
                                  : QStringLiteral("not be written")) +
           QStringLiteral(", and the radio keeps its own size.");
}

} // namespace

QString ImageWriteWarning(const transfer_job_struct& job, uint8_t radioBandByte) {
    QStringList lines{
        SizeWarning(job.imageEnd, job.end),
        mainwindow::bandWarning(eeprom.GetByte(BAND_BYTE), radioBandByte, job.start <= BAND_BYTE)};
    lines.removeAll(QString());
    return lines.join(QLatin1Char('\n'));
}

void CancelTransfer() {
    cancelEvent.set();
}

int WaitTransfer() {
    if (transferThread.joinable())
        transferThread.join();
    return transferResult;
}

int ShowTransfer(int mode, int start, int end) {
    return ShowTransfer({mode, start, end});
}

int ShowTransfer(const transfer_job_struct& job) {
    frmReadWrite->WriteMode = job.mode;
    frmReadWrite->SetRange(job.start, job.end);
    StartThread(job);
    frmReadWrite->exec();
    return WaitTransfer();
}

bool TransferStarted() {
    return transferThread.joinable();
}

bool IsStaleTransferUpdate(const QEvent* event) {
    const auto* update = dynamic_cast<const TransferUpdate*>(event);
    return update && update->job != transferNumber;
}

// ---- The progress dialog ----

TfrmReadWrite::TfrmReadWrite(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("Reading / writing to radio"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    lblAction = new QLabel(QStringLiteral("Message to user..."), this);
    lblAction->setAlignment(Qt::AlignCenter);
    lblAction->setWordWrap(true);
    gaugeProgress = controls::progressBar(this, QColor(128, 0, 0));
    btnCancel = forms::button(QStringLiteral("Cancel"), this);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmReadWrite::btnCancelClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnCancel);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblAction);
    layout->addWidget(gaugeProgress);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

TfrmReadWrite::~TfrmReadWrite() {
    if (frmReadWrite == this)
        frmReadWrite = nullptr;
}

void TfrmReadWrite::FormShow() {
    gaugeProgress->setValue(gaugeProgress->minimum());
    btnCancel->setEnabled(true);
    const bool writing = WriteMode != 0;
    setWindowTitle(writing ? QStringLiteral("Write.") : QStringLiteral("Read."));
    lblAction->setText(writing ? QStringLiteral("Writing to radio.")
                               : QStringLiteral("Reading from radio."));
}

// The worker finishes its block, disconnects and posts its end; that end closes the dialog.
void TfrmReadWrite::btnCancelClick() {
    CancelTransfer();
    btnCancel->setEnabled(false);
}

void TfrmReadWrite::reject() {
    btnCancelClick();
}

void TfrmReadWrite::SetRange(int minimum, int maximum) {
    gaugeProgress->setRange(minimum, maximum);
    gaugeProgress->setValue(minimum);
}

void TfrmReadWrite::SetProgress(int position) {
    gaugeProgress->setValue(position);
}

void TfrmReadWrite::EndShowing() {
    done(mrOk);
}
