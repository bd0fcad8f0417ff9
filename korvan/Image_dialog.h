#pragma once
// Base of the editors that change the main window's memory image while they are open.
// Each opening copies the whole image into Backup (the form's FormShow calls TakeBackup
// first); any close other than OK (modal result 1) - Cancel, Escape, the close box -
// copies it back. It also builds the bottom panel these dialogs share: OK, Cancel and the
// read-only help pane.

#include "Main.h"

#include <QDialog>
#include <cstdint>
#include <initializer_list>

class HelpPane;
class QPushButton;
class QTextEdit;

class ImageDialog : public QDialog {
    Q_OBJECT
public:
    // Modal results.
    static constexpr int mrOk = 1;
    static constexpr int mrCancel = 2;

    explicit ImageDialog(QWidget* parent = nullptr);

    // Loads the controls from the image; runs each time the dialog is shown.
    virtual void FormShow() = 0;
    // Stores the controls into the image; the dialog then closes with modal result 1.
    virtual void OKBtnClick() = 0;
    void CancelBtnClick();
    // Runs on every close: puts Backup back unless the modal result is 1.
    void FormClose(int modalResult);
    // Escape and the close box close as Cancel does.
    void reject() override;

    QWidget* BottomPanel = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QTextEdit* HelpText = nullptr;
    uint8_t Backup[IMAGE_SIZE] = {};

protected:
    // The bottom panel and its help pane; the dialog calls this after making its own
    // controls.
    QWidget* BuildBottomPanel();
    void TakeBackup();
    static void enableAll(std::initializer_list<QWidget*> controls, bool enabled);
    void showEvent(QShowEvent* event) override;

    HelpPane* help = nullptr;
};
