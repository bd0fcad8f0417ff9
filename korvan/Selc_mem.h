#pragma once
// "Selcall Idents": the radio's own ident, the command-call prefix, the two "modify"
// permissions and the call memory (slots 1 to 99 and LAST, each an ident of up to 8 tones,
// an alpha tag of up to 9 characters and a Command flag).
//
// Opened only by the Selcall dialog (frmSelcall), which sets txtRadioIdent's maximum
// length to the predictive tone count and re-lays the stored idents first; the tone count
// is read from frmSelcall->hsbTonesPred when shown. The image is copied when shown and put
// back when the dialog closes with anything but OK. OK writes only what the user changed.

#include "Focus_checks.h"
#include "Image_dialog.h"
#include "Image_fields.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TfrmSelcallIdents : public ImageDialog {
    Q_OBJECT
public:
    explicit TfrmSelcallIdents(QWidget* parent = nullptr);

    // Grid rows 1..99 are the memory slots "1".."99", row 100 is "LAST"; slot a is row a+1.
    static constexpr int GridRows = 100;
    static constexpr int OwnIdentSlot = 100;
    enum Column { MemoryColumn, IdentColumn, TagColumn, CommandColumn };

    // Handlers.
    void FormShow() override;
    void OKBtnClick() override;
    // Checks on leaving a field: after telling the user, the control the focus goes back
    // to; nullptr when the field passed.
    QWidget* txtRadioIdentExit();
    QWidget* listSelcallMemoriesExit();
    void listSelcallMemoriesMouseDown();
    bool listSelcallMemoriesKeyPress(QKeyEvent* key); // true: the key was swallowed
    QString listSelcallMemoriesGetEditMask(int row, int column) const;

    // Slot a: 0..98 memory slots, 99 LAST, 100 the own ident; others read "" and store
    // nothing.
    QString GetIdentText(int slot) const;
    void SetIdentText(int slot, const QString& text);
    QString GetTagText(int slot) const;
    void SetTagText(int slot, const QString& text);
    // Where every ident lies: the memory slots', LAST's and the own ident's.
    std::vector<int> IdentAddresses() const;

    // The grid cell of a grid row (1..100) and column.
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text);

    QLabel* lblRadioIdent;
    QLineEdit* txtRadioIdent;
    QLabel* lblTlmPrefix;
    QLineEdit* txtTlmPrefix;
    QCheckBox* chkOwnIdMod;
    QCheckBox* chkCallMemEdit;
    QTableWidget* listSelcallMemories;
    QPushButton* btnClrMem; // hidden

    int ToneCount = 0;
    // Per grid row (1..100): the slot holds a command call. Kept between showings.
    std::array<uint16_t, GridRows + 1> CommandFlags{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BindHelp();
    void InitGrid();
    void FillGrid();
    void StoreGrid();
    void LoadIdents();
    bool StoreIdents();
    void ToggleCommand(int row);
    bool CellEdited(int row, int column) const;
    QWidget* ReportShortIdent(const QString& which, QWidget* returnTo);

    FocusChecks exitChecks{this};
    // The two permission boxes, and the record of what the user changed: an ident or tag
    // the user left alone keeps every stored byte, a flag left alone its bit.
    ImageFields fields;
};

extern TfrmSelcallIdents* frmSelcallIdents;
