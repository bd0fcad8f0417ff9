#pragma once
// "Edit Code Word": a free-text code word programmed into the radio's memory image.
// Shared by both programs; the second program's differences are the KORVAN_V2 blocks.
//
// A word the user typed is padded with spaces on OK; one left alone keeps every byte.
// In the first program the field's last two bytes (0x82, 0x83) are the Emergency key's
// function and speed-dial bytes of the user-defined buttons, so there the code word is the
// 14 bytes 0x74-0x81 and the Emergency key's bytes are neither shown nor written here. In
// the second program the field is the 16 bytes 0x2A4-0x2B3: all 16 are shown, 15
// characters and a terminating zero are stored.
// Shown modally by the main window (frmCodeWord->exec()).

#include "Form.h"
#include "User_edits.h"

#include <cstdint>
#include <functional>

#if KORVAN_V2
constexpr int CODE_WORD_START = 0x2A4;
constexpr int CODE_WORD_CHARACTERS = 15; // then the terminating zero
constexpr int CODE_WORD_SHOWN = 16;      // a word the radio holds in all 16 bytes shows whole
#else
constexpr int CODE_WORD_START = 0x74;
constexpr int CODE_WORD_CHARACTERS = 14; // then the Emergency key's two bytes
constexpr int CODE_WORD_SHOWN = CODE_WORD_CHARACTERS;
#endif

// The code word as shown and printed: the printable stored bytes (0x20-0x7E) in address
// order; any other byte is skipped.
QString CodeWordText(const std::function<uint8_t(int address)>& byteAt);

class QLabel;
class QLineEdit;
class QPushButton;

class TfrmCodeWord : public Form {
    Q_OBJECT
public:
    explicit TfrmCodeWord(QWidget* parent = nullptr);

    void FormShow() override;
    void OKBtnClick();

    QLabel* lblInstructions;
    QLineEdit* txtCodeWord;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    void StoreWord();

    UserEdits edits; // a word the user left alone keeps the field as stored
};

extern TfrmCodeWord* frmCodeWord;
