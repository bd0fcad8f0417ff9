#pragma once
// The controls of the user-defined buttons dialogs that both generations build, load,
// store and enable alike: the function lists, the scan options group and the microphone
// hook action boxes. What differs (the function table, the scan speed captions, the
// priority check rate control) comes from the dialog.

#include "Image_fields.h"
#include "Key_functions.h"

#include <QStringList>
#include <functional>
#include <vector>

class HelpPane;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace keyfn {

// Every name of a function table, code 0 first.
void FillNames(QComboBox* combo, const char* const* names, int count);

// The scan options group; a dialog derives from it so the controls keep their names.
struct ScanControls {
    QGroupBox* GroupBox4;
    QLabel* lblScanMode;
    QRadioButton* rbOsMode;
    QRadioButton* rbGsMode;
    QCheckBox* chkScanMemMod;
    QCheckBox* chkGsTxOnHold;
    QLabel* lblScanSpeed;
    QComboBox* cmbScanSpeed;
    QLabel* lblPriCheck;
};

// Rows 0..5 of the group: mode, the two boxes, the speeds (Slow, Medium, Fast) and the
// priority check label; the rate control at (5, 1) and below is the dialog's.
QGridLayout* BuildScan(ScanControls& c, QWidget* parent, const QStringList& speeds);
// The scan mode bits and the scan speed as fields of `fields`. Loading reads only group
// scan; the mode stored is the one the keys' functions (`codes`, shown in `functions`) and
// the mode buttons give, rebuilt only when the user changed one of those and they give
// another mode than they did as loaded (the keys' lists are loaded first).
void BindScan(ImageFields& fields, ScanControls& c, std::function<KeyCodes()> codes,
              std::vector<QWidget*> functions);
// With a mode toggle key the mode is the user's; the rate and the hold-channel box matter
// only in group scan; without a "Scan" key nothing of the group does.
void EnableScan(ScanControls& c, const std::vector<QWidget*>& rate, bool toggleKey, bool scanKey);
void BindScanHelp(HelpPane& help, ScanControls& c);

// The recall channel and DTMF memory groups; a dialog derives from it.
struct MemoryControls {
    QGroupBox* gbRecallChannels;
    QLabel* lblRecallM1;
    QComboBox* cmbRecallM1;
    QLabel* lblRecallM2;
    QComboBox* cmbRecallM2;
    QLabel* lblRecallM3;
    QComboBox* cmbRecallM3;
    QLabel* lblRecallM4;
    QComboBox* cmbRecallM4;
    QCheckBox* chkRecallChMod;

    QGroupBox* gbDtmf;
    QLabel* lblDtmfMem1;
    QLineEdit* txtDtmfMem1;
    QLabel* lblDtmfMem2;
    QLineEdit* txtDtmfMem2;
    QLabel* lblDtmfMem3;
    QLineEdit* txtDtmfMem3;
    QLabel* lblDtmfMem4;
    QLineEdit* txtDtmfMem4;

    UserEdits dtmfEdits; // the memories the user typed in since loading
};

// Four editable recall lists that neither insert nor complete what is typed (typed digits
// are the channel number), at least minimumLength characters
// wide, captioned M1..M4 as given, and the box that lets the user change them.
void BuildRecallChannels(MemoryControls& c, QWidget* parent, const QStringList& captions,
                         int minimumLength);
// OK's check of the recall boxes the user changed: the first whose text names no channel
// of the range gets a message and the focus, and the result is false.
bool CheckRecallTexts(MemoryControls& c, const bool (&touched)[RecallMemories],
                      const RecallRange& range);
// Four boxes "Mem 1".."Mem 4" of up to twelve digits; their key filters are the dialog's.
void BuildDtmf(MemoryControls& c, QWidget* parent);
// The four memories' texts from the image; StoreDtmf hands `encode` only the texts the user
// typed in since, as shown, so a memory left alone keeps its six bytes.
void LoadDtmf(MemoryControls& c, const ImageFields::ByteReader& read);
void StoreDtmf(const MemoryControls& c,
               const std::function<void(int offset, const QString& text)>& encode);

// The "Mic. Hook Action" group: box k is bit k of the hook byte.
QGroupBox* BuildHookActions(QWidget* parent, QCheckBox* (&boxes)[HookActions]);
void BindHookActions(ImageFields& fields, QCheckBox* const (&boxes)[HookActions]);

} // namespace keyfn
