#pragma once
// Base of the editors that change the memory image while they are open. Each opening
// copies the whole image into Backup (the form's FormShow calls TakeBackup first); any
// close other than OK (modal result 1) - Cancel, Escape, the close box - copies it back.
// It can also build the bottom panel several of these dialogs share: OK, Cancel and the
// read-only help pane. Shared by both programs: the image is reached through
// Image_access.h.

#include "Form.h"

#include <cstdint>
#include <vector>

class HelpPane;
class QHBoxLayout;
class QPushButton;
class QTextEdit;

class ImageDialog : public Form {
    Q_OBJECT
public:
    // cancelResult: the modal result of Cancel, Escape and the close box.
    explicit ImageDialog(QWidget* parent = nullptr, int cancelResult = mrCancel);

    // Loads the controls from the image; runs once per opening.
    void FormShow() override = 0;
    // Stores the controls into the image and closes with modal result 1 (or tells the user
    // why not and stays open).
    virtual void OKBtnClick() = 0;
    void CancelBtnClick();
    // Runs on every close: puts Backup back unless the modal result is 1.
    void FormClose(int modalResult);

    QWidget* BottomPanel = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QTextEdit* HelpText = nullptr;
    // The whole image from show to close; empty while no copy is kept.
    std::vector<uint8_t> Backup;

protected:
    // The bottom panel and its help pane; the dialog calls this after making its own
    // controls.
    QWidget* BuildBottomPanel();
    // OK and Cancel in a row on the right, running OKBtnClick and
    // CancelBtnClick; for the dialogs that lay out their own help pane.
    QHBoxLayout* BuildButtonRow();
    // The help pane over HelpText, with the OK and Cancel lines bound.
    void BuildHelp();
    void TakeBackup();
    // Puts Backup back from the given image offset on (the bytes before it are kept).
    void RestoreBackup(int from = 0);
    // Runs on a close other than OK: puts the whole Backup back. A dialog that keeps part
    // of the image overrides it.
    virtual void UndoChanges();
    // OK runs OKBtnClick, Cancel CancelBtnClick; for a dialog that makes its own buttons.
    void ConnectButtons();

    HelpPane* help = nullptr;
};
