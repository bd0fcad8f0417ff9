#pragma once
// "Edit Code Word": a free-text code word programmed into the radio's memory image.
// Shared by both programs; the second program's differences are the KORVAN_V2 blocks.
//
// The field is padded with spaces on OK. In the first program its last byte (0x83) is the
// Emergency key's speed-dial byte of the user-defined buttons, so there the code word is
// the 15 bytes 0x74-0x82 and 0x83 is neither shown nor written here. In the second
// program the field is the 16 bytes 0x2A4-0x2B3, the last one a terminating zero.
// Shown modally by the main window (frmCodeWord->exec()).

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TfrmCodeWord : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCodeWord(QWidget* parent = nullptr);

    void FormShow();
    void OKBtnClick();

    QLabel* lblInstructions;
    QLineEdit* txtCodeWord;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    void showEvent(QShowEvent* event) override;
};

extern TfrmCodeWord* frmCodeWord;
