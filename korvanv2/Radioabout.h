#pragma once
// What the radio says about itself: the parsed version text (`versionInfo`, read by the
// main window's checks, the tuning screen and the vote setup) and the radio summary.

#include "Form.h"

#include <cstdint>

struct version_info_struct {
    char model[28]; // the text before the first blank
    int major;
    int minor;
    char suffix; // the character after the minor number, NUL when none
};

extern version_info_struct versionInfo;

void ClearRadioVersion(version_info_struct& record);
// "Korvan V2.02b" gives model "Korvan", 2, 2, 'b'. A number above 9999 is no version we
// know: both numbers 0 and no suffix. Always 1.
int ParseRadioVersion(const char* text, version_info_struct& record);
// major x 100 + minor: v2.02 is 202; 0 for numbers no version has.
int FirmwareNumber(const version_info_struct& record);

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TformRadioAbout : public Form {
    Q_OBJECT
public:
    static constexpr int IDENT_ADDRESS = 0xB5; // 4 bytes, two digits each
    static constexpr int IDENT_DIGITS = 8;
    static constexpr int CODE_WORD_LENGTH = 16;

    explicit TformRadioAbout(QWidget* parent = nullptr);

    void FormShow() override;
    void btnRefreshClick();
    void btnCloseClick();
    void RefreshSummary();
    void ClearSummary();
    // Asks the radio as it stands (no connect, no rate change); false without a version.
    bool ReadSummary();
    void ShowSummary();
    void ShowSize();

    QLabel* lblVersion;
    QLabel* lblRadioType;
    QLabel* lblRadioIdent;
    QLabel* lblCodeWord;
    QPlainTextEdit* memoRadioAbout;
    QPushButton* btnRefresh;
    QPushButton* btnClose;
    QLabel* Image1;

    char summaryVersion[32] = {};
    int summarySize = 0;
    uint8_t summaryType = 0;
    int summaryIdent[IDENT_DIGITS] = {};
    char summaryCodeWord[CODE_WORD_LENGTH + 1] = {};
};

extern TformRadioAbout* formRadioAbout;
