#pragma once
// The "Upgrade Radio Software" tab both programs' hardware dialogs lay out alike: the
// instructions, eight stage rows of caption, lamp and status text, the progress bar with
// the return data beside it, the link rate choice and "Upgrade". A hardware dialog derives
// from FirmwareStages, so the controls are its own members. The texts that differ between
// the radios are given when the tab is built.

#include "Srecord.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

class HelpPane;
class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QVBoxLayout;

// A round lamp showing a stage's colour.
class TShape : public QWidget {
    Q_OBJECT
public:
    explicit TShape(QWidget* parent = nullptr);
    void setBrushColor(const QColor& color);
    QColor brushColor() const { return color; }
    QSize sizeHint() const override { return {18, 18}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color;
};

namespace lamp {
inline const QColor White{0xFF, 0xFF, 0xFF};  // not done
inline const QColor Yellow{0xFF, 0xFF, 0x00}; // in progress
inline const QColor Green{0x00, 0xFF, 0x00};  // passed
inline const QColor Red{0xFF, 0x00, 0x00};    // failed
} // namespace lamp

class FirmwareStages {
public:
    // Stages of an upgrade, in the order of their rows.
    enum Stage { stFile, stConnected, stVersion, stID, stErase, stBlank, stWrite, stVerify };
    static constexpr int STAGE_COUNT = 8;

    struct Texts {
        QString instructions;                   // the memo's lines
        QString rateCaption;                    // the link rate group's caption
        std::array<QString, STAGE_COUNT> reset; // status texts of a reset, in stage order
        QString upgradeHelp;                    // the help line of "Upgrade"
    };

    // Adds the tab to `pages`; `otherTabs` are hidden while the stage controls are on.
    void BuildFirmwareTab(QTabWidget* pages, const Texts& texts, std::vector<QWidget*> otherTabs);
    // Puts a control of the program's own beside the rate choice, above "Upgrade".
    void AddFirmwareOption(QWidget* option);
    void BindFirmwareHelp(HelpPane& help) const;

    // Every lamp white, the reset texts, progress 0, no return data, the progress bar and
    // the return data back at the file row.
    void ResetStages();
    // On: the stage rows, progress and return data enabled, "Upgrade" disabled, the other
    // tabs hidden; off the other way round.
    void EnableStageControls(bool on);
    void SetStage(Stage stage, const QColor& color, const QString& text);
    void MoveProgressTo(Stage stage);
    // A stage that finished leaves the bar full, whatever steps it counted.
    void FillProgress();
    int MaxBdRateIndex() const;
    void SetMaxBdRateIndex(int index);

    // Loads a Motorola S-record file into `image` (srecord::FLASH_SIZE bytes), showing its
    // progress as the line feeds go by (with countLines also the bytes and lines read in the
    // return data; the last line feed's always), then "File loaded." and a green file lamp. A
    // file that cannot be read, is no regular file, is over srecord::MAX_FILE_SIZE or holds no
    // good flash data gives "There is a problem reading the file", "File not loaded." and a
    // red lamp.
    bool LoadFirmwareFile(const QString& fileName, uint8_t* image, bool countLines);

    QWidget* tabFirmware = nullptr;
    QLabel* lblStage[STAGE_COUNT] = {};
    TShape* led[STAGE_COUNT] = {}; // ledFileOk .. ledVerify
    QLabel* lbl[STAGE_COUNT] = {}; // lblFileOk .. lblVerify
    TShape *ledFileOk = nullptr, *ledConnected = nullptr, *ledVersion = nullptr, *ledID = nullptr,
           *ledErase = nullptr, *ledBlank = nullptr, *ledWrite = nullptr, *ledVerify = nullptr;
    QLabel *lblFileOk = nullptr, *lblConnected = nullptr, *lblVersion = nullptr, *lblID = nullptr,
           *lblErase = nullptr, *lblBlank = nullptr, *lblWrite = nullptr, *lblVerify = nullptr;
    QProgressBar* progressAddress = nullptr;
    QLabel* lblReturnData = nullptr;
    QPushButton* btnNext = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QGroupBox* rdgrpMaxBdRate = nullptr;
    QButtonGroup* rdgrpMaxBdRateItems = nullptr;

private:
    void BuildStageRows();
    void ShowFileProgress(const srecord::Progress& progress, bool countLines);

    QTabWidget* firmwarePages = nullptr;
    std::vector<QWidget*> hiddenWhileOn;
    QGridLayout* stageGrid = nullptr;
    QVBoxLayout* firmwareSide = nullptr;
    std::array<QString, STAGE_COUNT> resetTexts;
    QString upgradeHelp;
};
