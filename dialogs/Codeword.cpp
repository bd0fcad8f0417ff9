#include "Codeword.h"

#include "Controls.h"
#include "Image_access.h"
#include "Key_filter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCodeWord* frmCodeWord = nullptr;

namespace {

#if KORVAN_V2
constexpr int EditLength = 16; // what the user may type; the 16th character is not stored
#else
constexpr int EditLength = CODE_WORD_CHARACTERS;
#endif

} // namespace

QString CodeWordText(const std::function<uint8_t(int address)>& byteAt) {
    QString word;
    for (int i = 0; i < CODE_WORD_SHOWN; ++i) {
        const uint8_t c = byteAt(CODE_WORD_START + i);
        if (c >= 0x20 && c < 0x7F)
            word += QChar(c);
    }
    return word;
}

TfrmCodeWord::TfrmCodeWord(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("Edit Code Word"));
    lblInstructions = new QLabel(QStringLiteral("Enter a Code Word up to %1 characters in length "
                                                "that will be programmed into the radio.")
                                     .arg(EditLength));
    lblInstructions->setWordWrap(true);
    txtCodeWord = new QLineEdit;
    txtCodeWord->setMaxLength(EditLength);
    keys::allowOnly(txtCodeWord, keys::PrintableAscii);
    edits.watch(txtCodeWord);
    OKBtn = forms::button(QStringLiteral("OK"));
    CancelBtn = forms::button(QStringLiteral("Cancel"));

    auto* main = new QVBoxLayout(this);
    main->addWidget(lblInstructions);
    main->addWidget(txtCodeWord);
    main->addLayout(controls::buttonRow(OKBtn, CancelBtn));
    setMinimumWidth(360);

    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, &Form::reject);
}

void TfrmCodeWord::FormShow() {
    txtCodeWord->setFocus();
    txtCodeWord->setText(CodeWordText(image::get));
    edits.clear();
}

// The text padded with spaces; its first characters fill the field.
void TfrmCodeWord::OKBtnClick() {
    if (edits.changed(txtCodeWord))
        StoreWord();
    accept();
}

void TfrmCodeWord::StoreWord() {
    const QString word = txtCodeWord->text().leftJustified(CODE_WORD_CHARACTERS, QLatin1Char(' '));
    for (int i = 0; i < CODE_WORD_CHARACTERS; ++i) {
        const QChar c = word[i];
        image::set(CODE_WORD_START + i, c.unicode() < 0x80 ? uint8_t(c.unicode()) : uint8_t('?'));
    }
#if KORVAN_V2
    image::set(CODE_WORD_START + CODE_WORD_CHARACTERS, 0);
#endif
}
