#pragma once
// The raw EEPROM editor: the whole image as a grid of 8-bit or 16-bit values in binary,
// decimal or hexadecimal, single locations read from and written to the radio, and whole
// image transfers. It edits a buffer of its own; the program's image changes on OK, before
// "Write All" and after a good "Read All". Reached only through a hidden main-window entry.

#include "Form.h"

#include <QString>
#include <cstdint>
#include <memory>

class EEPROM;
class QButtonGroup;
class QGroupBox;
class QPushButton;
class QTableWidget;
class QTextEdit;
struct transfer_job_struct;

class TfrmEEpromEdit : public Form {
    Q_OBJECT
public:
    static constexpr int BufferSize = 16384;
    static constexpr int Rows = BufferSize / 2;
    static constexpr int FirstDataColumn = 3;

    explicit TfrmEEpromEdit(QWidget* parent = nullptr);
    ~TfrmEEpromEdit() override;

    void FormCreate();
    void FormShow() override;
    void btnOKClick();
    void rgBaseClick();
    void rgDataSizeClick();
    void btnReadAddrClick();
    void btnWriteAddrClick();
    void btnEraseClick();
    void btnReadAllClick();
    void btnWriteAllClick();
    void btnResetClick();

    void BuildGrid();
    void ShowBuffer();
    // Grid to buffer in the size and base the grid shows; false (after saying which cell
    // holds what) when a cell is no value of that size.
    bool ReadGrid();
    void CopyFromImage();
    void CopyToImage();
    static QString FormatBinary(uint32_t value, int digits);
    static uint32_t ParseBinary(const QString& text, int digits);

    std::unique_ptr<EEPROM> EditBuffer;
    uint8_t DataSize = 0;   // 0: 8-bit cells, 1: 16-bit cells
    uint8_t NumberBase = 1; // 0: binary, 1: decimal, 2: hexadecimal

    QTableWidget* sg_eeprom;
    QGroupBox* rgBase;
    QButtonGroup* rgBaseItems;
    QGroupBox* rgDataSize;
    QButtonGroup* rgDataSizeItems;
    QPushButton* btnReadAddr;
    QPushButton* btnWriteAddr;
    QPushButton* btnErase;
    QPushButton* btnReadAll;
    QPushButton* btnWriteAll;
    QPushButton* btnReset;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QTextEdit* memoEE;

private:
    QString CellText(uint32_t value) const;
    bool ParseCell(int row, int column, uint32_t& value) const;
    void ChangeView(uint8_t& setting, uint8_t chosen);
    // The image address of the current cell; false (after the message) for no data cell.
    bool SelectedAddress(int& address, const QString& message, const QString& caption);
    // The address lies in the radio's memory; false after a refusal under `caption`, or
    // when the radio does not answer.
    bool WithinRadio(int address, const QString& caption);
    // The selected location (a byte or a word) from or to the radio; false without a reply.
    bool ReadLocation(int address);
    bool WriteLocation(int address);
    void StartLine(const QString& line);
    void EndLine(const QString& result);
    // Whole-image transfers through the progress dialog; true when they ended well.
    bool ReadAll();
    bool WriteAll();
    bool Transfer(const transfer_job_struct& job);
};

extern TfrmEEpromEdit* frmEEpromEdit;
