#include "Forms.h"

#include "About.h"
#include "Adv_edit.h"
#include "Cb_opts.h"
#include "Chandata.h"
#include "Chanedit_p.h"
#include "Codeword.h"
#include "Com_port.h"
#include "Eng_edit.h"
#include "Form_globals.h"
#include "Grpedit.h"
#include "Mactimer.h"
#include "Main.h"
#include "Options.h"
#include "Print.h"
#include "Radio_rw.h"
#include "Sel_ch.h"
#include "Selc_mem.h"
#include "Selcall.h"
#include "Ser_com.h"
#include "Tune_radio.h"
#include "User_btn.h"

using forms::Create;

// Start-up order: TfrmBelmar, TAboutBox, TfrmPorts, TfrmAdvanced, TfrmChannelSelect,
// TfrmReadWrite, TfrmSerial, TfrmEngineering, TfrmTuneRadio, TfrmEditChannel2,
// TfrmChannelData, TfrmSelcall, TfrmOptions, TfrmUserButtons, TfrmSelcallIdents,
// TfrmCbOptions, TfrmCodeWord, TfrmMacTimers, TfrmPrint, TfrmGrpEdit. The dialogs belong
// to the main window, so they stay in front of it and centre on it.
void CreateForms() {
    Create(frmBelmar, nullptr);
    Create(AboutBox, frmBelmar);
    Create(frmPorts, frmBelmar);
    Create(frmAdvanced, frmBelmar);
    Create(frmChannelSelect, frmBelmar);
    Create(frmReadWrite, frmBelmar);
    Create(frmSerial, frmBelmar);
    Create(frmEngineering, frmBelmar);
    Create(frmTuneRadio, frmBelmar);
    Create(frmEditChannel2, frmBelmar);
    Create(frmChannelData, frmBelmar);
    Create(frmSelcall, frmBelmar);
    Create(frmOptions, frmBelmar);
    Create(frmUserButtons, frmBelmar);
    Create(frmSelcallIdents, frmBelmar);
    Create(frmCbOptions, frmBelmar);
    Create(frmCodeWord, frmBelmar);
    Create(frmMacTimers, frmBelmar);
    Create(frmPrint, frmBelmar);
    Create(frmGrpEdit, frmBelmar);
    frmBelmar->EnableEditing(true);
}

void DestroyForms() {
    forms::destroyAll();
}
