#pragma once
// Asks whether a new channel is a normal channel or a group channel. Shared by both
// programs.

#include <QDialog>
#include <cstdint>

class QPushButton;
class QRadioButton;

class TfrmChannelSelect : public QDialog {
    Q_OBJECT
public:
    explicit TfrmChannelSelect(QWidget* parent = nullptr);

    void FormShow();
    void OKBtnClick();

    QRadioButton* rbNormalChannel;
    QRadioButton* rbMAC;
    QPushButton* OKBtn;
#if KORVAN_V2
    QPushButton* btnCancel;
#endif
    uint8_t GroupChannelChosen = 0; // 1 when "Group Channel" was chosen

protected:
    void showEvent(QShowEvent* event) override;
};

extern TfrmChannelSelect* frmChannelSelect;
