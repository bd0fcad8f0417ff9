#include "Forms.h"

#include "About.h"
#include "Addzone.h"
#include "Adv_edit.h"
#include "Autodetect.h"
#include "Cb_opts.h"
#include "Chanedit_p.h"
#include "Chnlbank.h"
#include "Chselect.h"
#include "Codeword.h"
#include "Com_port.h"
#include "Editvote.h"
#include "Editzone.h"
#include "Editzones.h"
#include "Ee_edit.h"
#include "Eng_edit.h"
#include "Form_globals.h"
#include "Grpedit.h"
#include "Mactimer.h"
#include "Main.h"
#include "Options.h"
#include "Radio_rw.h"
#include "Radioabout.h"
#include "Sel_ch.h"
#include "Selc_mem.h"
#include "Selcall.h"
#include "Selectchnl.h"
#include "Tune_radio.h"
#include "User_btn.h"

namespace {

using forms::Create;

// An editor the main window opens: its commands are enabled once it exists.
template <class Form> void Create(Form*& global, Editor editor) {
    Create(global, frmBelmar);
    frmBelmar->SetEditor(editor, global);
}

} // namespace

// Start-up order: TfrmBelmar, TAboutBox, TfrmCbOptions, TfrmEditChannel2, TfrmCodeWord,
// TfrmPorts, TfrmEngineering, TfrmMacTimers, TfrmOptions, TfrmChannelSelect,
// TfrmSelcallIdents, TfrmSelcall, TfrmTuneRadio, TfrmAdvanced, TfrmGrpEdit, TfrmReadWrite,
// TfrmUserButtons, TformRadioAbout, TfrmAutoDetect, TfrmChnlBank, TfrmEditZones,
// TfrmEditZone, TfrmAddZone, TfrmSelectChannel, TfrmChSelect, TfrmEEpromEdit, TfrmEditVote.
// A form joins with one line at its place in that order: Create(global, frmBelmar), or for
// an editor the main window opens, Create(global, Editor::...). The dialogs belong to the
// main window, so they stay in front of it and centre on it.
void CreateForms() {
    Create(frmBelmar, nullptr);
    Create(AboutBox, frmBelmar);
    Create(frmCbOptions, frmBelmar);
    Create(frmEditChannel2, frmBelmar);
    Create(frmCodeWord, Editor::CodeWord);
    Create(frmPorts, frmBelmar);
    Create(frmEngineering, Editor::Engineering);
    Create(frmMacTimers, frmBelmar);
    Create(frmOptions, Editor::Options);
    Create(frmChannelSelect, frmBelmar);
    Create(frmSelcallIdents, frmBelmar);
    Create(frmSelcall, Editor::Selcall);
    Create(frmTuneRadio, frmBelmar);
    Create(frmAdvanced, Editor::Hardware);
    Create(frmGrpEdit, frmBelmar);
    Create(frmReadWrite, frmBelmar);
    Create(frmUserButtons, Editor::Buttons);
    Create(formRadioAbout, frmBelmar);
    Create(frmAutoDetect, frmBelmar);
    Create(frmChnlBank, Editor::Channel);
    Create(frmEditZones, Editor::Zones);
    Create(frmEditZone, frmBelmar);
    Create(frmAddZone, frmBelmar);
    Create(frmSelectChannel, frmBelmar);
    Create(frmChSelect, frmBelmar);
    Create(frmEEpromEdit, Editor::EepromEdit);
    Create(frmEditVote, frmBelmar);
}

void DestroyForms() {
    forms::destroyAll();
}
