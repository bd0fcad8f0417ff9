#pragma once
// "Selcall Idents" of a second-generation radio: the radio's own ident, the command-call
// prefix, the two "modify" permissions and the call memory, whose size follows the
// radio's memory size byte: 40 slots (39 and LAST) with 5-character tags on radios of
// 8 KiB, 100 slots (99 and LAST) with 9-character tags on radios of 16 KiB.
//
// Opened only by the Selcall dialog (frmSelcall), which sets txtRadioIdent's maximum
// length to the predictive tone count and re-lays the stored idents first. Nothing is
// stored until OK, which checks the own ident and the grid's current row first; an ident,
// tag or prefix the user did not change keeps every stored bit.

#include "Form.h"
#include "Idents.h"
#include "Image_fields.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class HelpPane;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTextEdit;

class TfrmSelcallIdents : public Form {
    Q_OBJECT
public:
    explicit TfrmSelcallIdents(QWidget* parent = nullptr);

    static constexpr int MaxSlots = 100;
    static constexpr int NoAddress = 0xFFFF;
    enum Column { MemoryColumn, IdentColumn, TagColumn, CommandColumn };

    // Handlers.
    void FormShow() override;
    void FormClose() {}
    void OKBtnClick();
    void CancelBtnClick();
    bool listSelcallMemoriesKeyPress(QKeyEvent* key); // true: the key was swallowed
    void listSelcallMemoriesMouseDown();
    QString listSelcallMemoriesGetEditMask(int row, int column) const;
    void listSelcallMemoriesSelectCell() {}
    void reject() override;

    // Slot a: 0 .. SlotCount - 2 the numbered memories, SlotCount - 1 LAST, SlotCount the
    // own ident; any other slot has no address.
    int SlotAddress(int slot) const;
    QString GetIdentText(int slot) const;
    void SetIdentText(int slot, const QString& text);
    QString GetTagText(int slot);
    void SetTagText(int slot, const QString& text);
    // Where every ident of the radio lies: its memory slots', LAST's and the own ident's. The
    // call memory's size is taken from the image first, as at opening.
    std::vector<int> IdentAddresses();

    // The grid cell of a grid row (1 .. SlotCount) and column.
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text);

    QLabel* lblRadioIdent;
    QLineEdit* txtRadioIdent;
    QLabel* lblTlmPrefix;
    QLineEdit* txtTlmPrefix;
    QCheckBox* chkOwnIdMod;
    QCheckBox* chkCallMemEdit;
    QTableWidget* listSelcallMemories;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QTextEdit* HelpText;

    int ToneCount = 0;
    int SlotCount = 40;
    int TagLength = 5;
    // Per slot: it holds a command call.
    std::array<uint16_t, MaxSlots> CommandFlags{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BindHelp();
    void ChooseSize();
    void InitGrid();
    void FillGrid();
    void StoreGrid();
    void LoadIdents();
    bool StoreIdents();
    bool CheckMemoryRow();
    bool GroupCallDigitAllowed(int position) const;
    // Slots 0 .. SlotCount - 1 have a tag; where its record and its table entry lie.
    bool HasTag(int slot) const;
    idents::Slot SlotPlace(int slot) const;
    void ToggleCommand(int row);
    bool CellEdited(int row, int column) const;
    void Tell(const QString& text, const QString& caption, QWidget* focus);

    HelpPane* help = nullptr;
    // Bytes 0x4C and 0x4D as shown, written back on OK.
    HeldBytes held{{0x4C, 0x4D}};
    // The two permission boxes, and the record of what the user changed: an ident or tag
    // the user left alone keeps every stored byte, a flag left alone its bit.
    ImageFields fields;
};

extern TfrmSelcallIdents* frmSelcallIdents;
