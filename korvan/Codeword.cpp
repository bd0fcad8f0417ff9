#include "Codeword.h"

#include "Image_access.h"
#include "Key_filter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmCodeWord* frmCodeWord = nullptr;

namespace {

constexpr int CodeWordLength = 16;            // what the user may type
constexpr int TextBytes = CodeWordLength - 1; // what is stored of it
#if KORVAN_V2
constexpr int FieldStart = 0x2A4; // the 16th byte holds a terminating zero
#else
constexpr int FieldStart = 0x74; // the 16th byte, 0x83, is the Emergency key's speed dial
#endif

bool printable(uint8_t c) {
    return c >= 0x20 && c < 0x7F;
}

} // namespace

TfrmCodeWord::TfrmCodeWord(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Edit Code Word"));
    lblInstructions = new QLabel(QStringLiteral(
        "Enter a Code Word up to 16 characters in length that will be programmed into the "
        "radio."));
    lblInstructions->setWordWrap(true);
    txtCodeWord = new QLineEdit;
    txtCodeWord->setMaxLength(CodeWordLength);
    keys::allowOnly(txtCodeWord, keys::PrintableAscii);
    OKBtn = new QPushButton(QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* main = new QVBoxLayout(this);
    main->addWidget(lblInstructions);
    main->addWidget(txtCodeWord);
    main->addLayout(buttons);
    setMinimumWidth(360);

    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmCodeWord::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// Printable bytes in address order; any other byte is skipped.
void TfrmCodeWord::FormShow() {
    txtCodeWord->setFocus();
    QString word;
    for (int i = 0; i < TextBytes; ++i) {
        const uint8_t c = image::get(FieldStart + i);
        if (printable(c))
            word += QChar(c);
    }
    txtCodeWord->setText(word);
}

// The text padded with spaces to 16 characters; its first 15 characters are stored.
void TfrmCodeWord::OKBtnClick() {
    const QString word = txtCodeWord->text().leftJustified(CodeWordLength, QLatin1Char(' '));
    for (int i = 0; i < TextBytes; ++i) {
        const QChar c = word[i];
        image::set(FieldStart + i, c.unicode() < 0x80 ? uint8_t(c.unicode()) : uint8_t('?'));
    }
#if KORVAN_V2
    image::set(FieldStart + TextBytes, 0);
#endif
    accept();
}
