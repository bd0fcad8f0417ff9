#pragma once
// The walk's editors: the channel table with its channel, group, type and target dialogs,
// the selcall idents, the user-defined buttons and the alignment boxes. Each names its
// fields (control -> bits) and checks its rules after it closes.

#include "Call_memories.h"
#include "Walk.h"

#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <map>

namespace walk {

using RecordMask = std::array<uint8_t, NAME + 1>;

inline const Bits TxBits{{0, 0xFF}, {1, 0xFF}, {6, 0x80}};
inline const Bits RxBits{{2, 0xFF}, {3, 0xFF}, {7, 0x80}};
inline const Bits MemberBits{{0, 0xFF}, {1, 0xFF}, {2, 0xFF}, {3, 0xFF},
                             {4, 0xFF}, {5, 0xFF}, {6, 0x80}};
inline const Bits NameBits{{NAME, 0xFF}};
inline const QString AlphaKeys = QStringLiteral("AZaq09 *+-._#!");

class ChannelWalk : public Walker {
public:
    using Walker::Walker;

    // The channel table opened from the main window; after it closes, OK changed only the
    // slots the actions changed and the two global bits clicked, Cancel nothing.
    void Table() {
        const QByteArray before = Image();
        slotsChanged.clear();
        globalsClicked = false;
        answers.run({{"TfrmChannelData", [this](QDialog*) { TableSession(); }}},
                    [] { frmBelmar->EditButtonClick(frmBelmar->mnuChannel); });
        const bool ok = frmChannelData->result() == 1;
        std::vector<uint8_t> allowed(IMAGE_SIZE, 0);
        if (ok)
            for (int offset : ChannelAreaBytes())
                allowed[size_t(offset)] = 0xFF;
        if (ok && globalsClicked)
            allowed[0x47] = allowed[0x49] = 0x08;
        ExpectOnly(before, Image(), allowed, "channel table");
        const ChData was = Decoded(before), now = Decoded(Image());
        for (int slot = 1; slot <= CH_LAST_SLOT; ++slot)
            if (Raw(was, slot) != Raw(now, slot) && !slotsChanged.count(slot))
                fail("channel table: CH" + std::to_string(slot) + " changed, nobody edited it");
    }

private:
    static QByteArray Image() {
        return QByteArray(reinterpret_cast<const char*>(frmBelmar->RadioData), IMAGE_SIZE);
    }
    static ChData Decoded(const QByteArray& image) {
        ChData store(CH_COUNT);
        store.SetVhfCodec(uint8_t(image[BAND_BYTE]) & 0x80 ? 0 : 1);
        store.LoadFromImage(reinterpret_cast<const uint8_t*>(image.constData()));
        return store;
    }
    static std::array<int, NAME + 1> Raw(const ChData& store, int slot) {
        CH_DATA_STRUCT r;
        store.GetRaw(r, slot);
        return {r.TxCode & 0xFF, r.TxCode >> 8, r.RxCode & 0xFF, r.RxCode >> 8,     r.TxTone,
                r.RxTone,        r.Flags6,      r.Flags7,        int(qHash(r.Name))};
    }
    static std::vector<int> ChannelAreaBytes() {
        std::vector<int> bytes;
        for (int s = 1; s <= CH_LAST_NAMED; ++s) {
            for (int i = 0; i < 8; ++i)
                bytes.push_back(CH_MAIN_RECORDS + 8 * (s - 1) + i);
            for (int i = 0; i < 5; ++i)
                bytes.push_back(CH_NAME_HEAD + 5 * (s - 1) + i);
            for (int i = 0; i < 4; ++i)
                bytes.push_back(CH_NAME_TAIL + 8 * (s - 1) + i);
        }
        for (int s = 100; s <= CH_LAST_SLOT; ++s)
            for (int i = 0; i < 8; ++i)
                bytes.push_back(CH_HIGH_RECORDS + 8 * (s - 100) + i);
        return bytes;
    }

    void TableSession() {
        for (int n = 1 + dice.below(6); n > 0 && !dice.spent(); --n)
            TableAction();
        Close(frmChannelData, frmChannelData->OKBtn, frmChannelData->CancelBtn);
    }

    void SelectRow() {
        QTableWidget* grid = frmChannelData->listChannel;
        Act({grid, {}, {}, dice.below(grid->rowCount()), 0});
    }

    // One action of the table, and the rules of what it may have changed.
    void TableAction() {
        TfrmChannelData* table = frmChannelData;
        const ChData before = *table->Channels;
        const qsizetype told = host.messages.size();
        std::map<int, RecordMask> allowed;
        int grouped = 0; // the group the action edited, whose members the editor checks
        SelectRow();
        const int selected = table->SelectedSlot();
        switch (dice.below(8)) {
        case 0: { // add a channel or a group
            const bool group = dice.below(3) == 0;
            answers.run({{"TfrmChannelSelect",
                          [group](QDialog*) {
                              QTest::mouseClick(group ? frmChannelSelect->rbMAC
                                                      : frmChannelSelect->rbNormalChannel,
                                                Qt::LeftButton);
                              QTest::mouseClick(frmChannelSelect->OKBtn, Qt::LeftButton);
                          }},
                         {"TfrmEditChannel2", [&](QDialog*) { Channel(allowed); }},
                         {"TfrmGrpEdit", [&](QDialog*) { grouped = Group(allowed, before); }}},
                        [table] { QTest::mouseClick(table->btnNewChannel, Qt::LeftButton); });
            break;
        }
        case 1: // edit the selected row
            answers.run({{"TfrmEditChannel2", [&](QDialog*) { Channel(allowed); }},
                         {"TfrmGrpEdit", [&](QDialog*) { grouped = Group(allowed, before); }}},
                        [table] { QTest::mouseClick(table->btnEditChannel, Qt::LeftButton); });
            break;
        case 2: // delete, answering the question either way
            host.messageAnswers.enqueue(dice.below(2) ? platform::IDOK : platform::IDCANCEL);
            QTest::mouseClick(table->btnDeleteChannel, Qt::LeftButton);
            allowed[selected].fill(0xFF);
            break;
        case 3:
            table->Cut1->trigger();
            allowed[selected].fill(0xFF);
            break;
        case 4:
            table->Copy1->trigger();
            break;
        case 5: { // paste onto a typed target
            int target = 0;
            answers.run({{"TfrmChSelect",
                          [&](QDialog* select) {
                              auto* list = select->findChild<QComboBox*>();
                              QTest::keyClicks(list, QString::number(1 + dice.below(CH_LAST_SLOT)));
                              target = list->currentIndex() + 1;
                              auto* chosen = static_cast<TfrmChSelect*>(select);
                              QTest::mouseClick(dice.below(3) ? chosen->btnOK : chosen->btnCancel,
                                                Qt::LeftButton);
                          }}},
                        [table] { table->Paste1->trigger(); });
            allowed[target].fill(0xFF);
            CH_DATA_STRUCT now;
            table->Channels->GetRaw(now, target);
            if (Raw(before, target) != Raw(*table->Channels, target) &&
                (now.TxCode != table->ChannelClipboard.TxCode ||
                 now.Flags6 != table->ChannelClipboard.Flags6))
                fail("paste: CH" + std::to_string(target) + " is not what was copied");
            break;
        }
        default: { // a global box
            QCheckBox* box = dice.below(2) ? table->chkBlEnabled : table->chkEnableCb;
            if (box->isVisible())
                QTest::mouseClick(box, Qt::LeftButton);
            globalsClicked = true;
        }
        }
        host.messageAnswers.clear();
        CheckStore(before, *table->Channels, allowed, grouped, told);
    }

    // Every slot changed only in its allowed bits; a slot a group lists was neither
    // emptied nor filled, unless the user was told of that group.
    void CheckStore(const ChData& before, const ChData& after,
                    const std::map<int, RecordMask>& allowed, int grouped, qsizetype told) {
        for (int slot = 1; slot <= CH_LAST_SLOT; ++slot) {
            const auto was = Raw(before, slot), now = Raw(after, slot);
            const auto mask = allowed.count(slot) ? allowed.at(slot) : RecordMask{};
            for (int i = 0; i <= NAME; ++i)
                if (was[size_t(i)] != now[size_t(i)] &&
                    ((was[size_t(i)] ^ now[size_t(i)]) & ~mask[size_t(i)] & 0xFF ||
                     (i == NAME && !mask[NAME])))
                    fail("CH" + std::to_string(slot) + " record byte " + std::to_string(i) +
                         " changed, nobody edited it");
            if (was != now)
                slotsChanged.insert(slot);
        }
        for (int g = 1; g <= CH_LAST_NAMED; ++g) {
            const uint8_t listing = chflags::Enabled | chflags::Group;
            if (g == grouped || (RawOf(after, g).Flags6 & listing) != listing)
                continue;
            CH_GROUP_STRUCT group;
            after.GetGroup(group, g);
            const QRegularExpression named(QStringLiteral("CH%1(?!\\d)").arg(g));
            bool toldOfGroup = false;
            for (qsizetype m = told; m < host.messages.size(); ++m)
                toldOfGroup |= host.messages[m].text.contains(named);
            for (uint32_t m : group.Member)
                if (m != 0 && before.IsEmpty(int(m)) != after.IsEmpty(int(m)) && !toldOfGroup)
                    fail("CH" + std::to_string(m) + (after.IsEmpty(int(m)) ? " left" : " joined") +
                         " group CH" + std::to_string(g) + " unseen");
        }
    }
    static CH_DATA_STRUCT RawOf(const ChData& store, int slot) {
        CH_DATA_STRUCT r;
        store.GetRaw(r, slot);
        return r;
    }

    static RecordMask MaskOf(const Touched& touched) {
        const std::vector<uint8_t> bits = AllowedBits(touched, NAME + 1);
        RecordMask mask{};
        std::copy(bits.begin(), bits.end(), mask.begin());
        return mask;
    }

    // The channel edit dialog: the slot keeps every bit the user did not edit; a new
    // number makes a new channel there and leaves the old one.
    void Channel(std::map<int, RecordMask>& allowed) {
        TfrmEditChannel2* e = frmEditChannel2;
        const bool uhf = frmBelmar->RadioData[BAND_BYTE] & 0x80;
        const int given = e->GivenChannel;
        const bool adding = frmChannelData->Channels->IsEmpty(given);
        const QString digits = QStringLiteral("0123456789.");
        auto frequency = [this, uhf] {
            const double mhz = StepHz(dice, uhf) / 1e6;
            return QString::number(mhz, 'f', dice.below(6));
        };
        const std::vector<Field> fields = {
            {e->editTxFreq, TxBits, digits},  {e->chkTxDisable, TxBits},
            {e->editRxFreq, RxBits, digits},  {e->cmbTxCtcss, {{4, 0xFF}}},
            {e->cmbRxCtcss, {{5, 0xFF}}},     {e->chkChEnabled, {{6, chflags::Enabled}}},
            {e->chkTaEnabled, {{6, 0x02}}},   {e->chkBlEnabled, {{6, 0x04}}},
            {e->chkTxLowPower, {{6, 0x08}}},  {e->chkDisableChannelHold, {{6, 0x40}}},
            {e->chkOsMem, {{7, 0x01}}},       {e->chkGsMem, {{7, 0x02}}},
            {e->chkQMem, {{7, 0x04}}},        {e->chkSqlSwEnabled, {{7, 0x08}}},
            {e->chkNarrowBand, {{7, 0x10}}},  {e->chkCpuXtalOffset, {{7, 0x20}}},
            {e->chkDcsInvertOK, {{7, 0x40}}}, {e->txtChannelAlpha, NameBits, AlphaKeys},
            {e->chkAlphaTagEnabled, NameBits}};
        Touched touched;
        for (int n = dice.below(8); n > 0; --n) {
            const size_t pick = size_t(dice.below(int(fields.size())));
            if (fields[pick].keys == digits && dice.below(3)) { // mostly a frequency
                QTest::mouseClick(fields[pick].control, Qt::LeftButton);
                auto* box = static_cast<QLineEdit*>(fields[pick].control);
                QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(box, frequency());
                touched.insert(&fields[pick]);
            } else {
                Step(fields, touched);
            }
        }
        if (dice.below(6) == 0) { // another number
            QTest::mouseClick(e->editChnl, Qt::LeftButton);
            QTest::keyClick(e->editChnl, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(e->editChnl, QString::number(1 + dice.below(CH_LAST_SLOT)));
        }
        if (!Close(e, e->OKBtn, e->CancelBtn))
            return;

        RecordMask mask = MaskOf(touched);
        mask[6] |= chflags::Group | chflags::VoteSignal; // a normal channel has neither
        if (e->EditedChannel > CH_LAST_NAMED)
            mask[6] |= chflags::Enabled;
        if (adding || e->EditedChannel != given)
            mask.fill(0xFF);
        allowed[e->EditedChannel] = mask;
    }

    // The group editor: options as the user left them; the members only those he chose,
    // or the stored ones that may be members; none empty, a group or the group itself.
    int Group(std::map<int, RecordMask>& allowed, const ChData& before) {
        TfrmGrpEdit* g = frmGrpEdit;
        const bool adding = g->GroupMode != 1;
        const std::vector<Field> fields = {{g->rbBusyVoting, {{6, chflags::VoteSignal}}},
                                           {g->rbSignalVoting, {{6, chflags::VoteSignal}}},
                                           {g->chkBlEnabled, {{6, chflags::BusyLockout}}},
                                           {g->chkTxLowPower, {{6, chflags::LowPower}}},
                                           {g->chkQMem, {{7, chflags::Quiet}}},
                                           {g->chkSqlSwEnabled, {{7, chflags::SquelchSw}}},
                                           {g->txtChannelAlpha, NameBits, AlphaKeys},
                                           {g->chkAlphaTagEnabled, NameBits},
                                           {g->btnAdd, MemberBits},
                                           {g->btnRemove, MemberBits},
                                           {g->rbMAC_6, MemberBits},
                                           {g->rbMAC_8, MemberBits},
                                           {g->sgMACList, {}, {}, 0, 0},
                                           {g->sgGroupList, {}, {}, 0, 0},
                                           {g->cbChannel, {}}};
        Touched touched;
        for (int n = dice.below(10); n > 0; --n) {
            if (dice.below(3) == 0) // a row of the available list, then Add
                Act({g->sgMACList, {}, {}, dice.below(g->sgMACList->rowCount()), 0});
            Step(fields, touched);
        }
        const int slot = g->GroupChannelNumber;
        if (!Close(g, g->btnOK, g->btnCancel))
            return 0;
        const int stored = adding ? g->cbChannel->currentText().toInt() : slot;
        RecordMask mask = adding ? RecordMask{} : MaskOf(touched);
        if (adding)
            mask.fill(0xFF);
        mask[6] |= chflags::Enabled | chflags::Group;
        for (int i = 0; i < 6; ++i)
            mask[size_t(i)] = 0xFF; // member codes are checked as slots below
        allowed[stored] = mask;
        const bool chose = adding || std::any_of(touched.begin(), touched.end(),
                                                 [](auto* f) { return f->bits == MemberBits; });
        CH_GROUP_STRUCT was;
        before.GetGroup(was, stored);
        const int size = g->GroupSize;
        for (int p = 0; p < GROUP_MEMBERS; ++p) {
            const int m = g->MemberSlots[p];
            const bool fits = size == 6 || m <= GROUP8_LAST_MAIN || m >= 100;
            if (m != 0 && (m == stored || !before.CanBeMember(m) || !fits || p >= size))
                fail("group CH" + std::to_string(stored) + " lists CH" + std::to_string(m));
            if (m != 0 && !chose &&
                std::find(was.Member, was.Member + 8, uint32_t(m)) == was.Member + 8)
                fail("group CH" + std::to_string(stored) + " gained CH" + std::to_string(m));
        }
        return stored;
    }

    std::set<int> slotsChanged;
    bool globalsClicked = false;
};

// The dialogs that edit the main window's image directly: OK keeps only what the touched
// fields own, and each touched box shows what was stored; Cancel changes nothing.
class ImageWalk : public Walker {
public:
    using Walker::Walker;

    void SelcallIdents() {
        const QByteArray opened = Image();
        answers.run({{"TfrmSelcall",
                      [this](QDialog* selcall) {
                          answers.run({{"TfrmSelcallIdents", [this](QDialog*) { Idents(); }}}, [] {
                              QTest::mouseClick(frmSelcall->btnSelcallMem, Qt::LeftButton);
                          });
                          selcall->reject();
                      }}},
                    [] { frmBelmar->EditButtonClick(frmBelmar->mnuSelcall); });
        ExpectOnly(opened, Image(), std::vector<uint8_t>(IMAGE_SIZE, 0), "selcall Cancel");
    }

    void UserButtons() {
        answers.run({{"TfrmUserButtons", [this](QDialog*) { Buttons(); }}},
                    [] { frmBelmar->EditButtonClick(frmBelmar->mnuButtons); });
    }

    // Off-line, as the hardware dialog opens it for a calibration file: "Close" keeps
    // what the boxes show, and only the bytes of the boxes the user touched change.
    void Alignment() {
        TfrmTuneRadio* t = frmTuneRadio;
        std::vector<Field> fields;
        for (const cal::Field& f : cal::FieldsOf(cal::Generation::First)) {
            const int at = f.address;
            fields.push_back({t->*f.edit, {{at, 0xFF}}, QStringLiteral("0123456789"), -1, -1, [at] {
                                  const uint8_t b = frmBelmar->RadioData[at];
                                  return QString::number(at == cal::RX_OFFSET ? int(int8_t(b)) : b);
                              }});
        }
        answers.run(
            {{"TfrmTuneRadio",
              [&](QDialog*) {
                  const QByteArray before = Image();
                  Touched touched;
                  for (int n = 1 + dice.below(4); n > 0; --n) {
                      const Field& field = fields[size_t(dice.below(int(fields.size())))];
                      for (int i = 0; i < t->PageControl1->count(); ++i)
                          if (t->PageControl1->widget(i)->isAncestorOf(field.control))
                              QTest::mouseClick(t->PageControl1->tabBar(), Qt::LeftButton, {},
                                                t->PageControl1->tabBar()->tabRect(i).center());
                      Act(field);
                      touched.insert(&field);
                  }
                  QTest::mouseClick(t->CancelBtn, Qt::LeftButton);
                  ExpectOnly(before, Image(), AllowedBits(touched, IMAGE_SIZE), "alignment");
                  ExpectShown(touched, "alignment");
              }}},
            [t] {
                t->Online = 0;
                t->LoadCalControls();
                t->exec();
            });
    }

private:
    static QByteArray Image() {
        return QByteArray(reinterpret_cast<const char*>(frmBelmar->RadioData), IMAGE_SIZE);
    }

    // Opens with a snapshot, runs steps over the fields, closes; checks the rules.
    void Session(ImageDialog* form, const std::vector<Field>& fields, const std::string& name) {
        const QByteArray before = Image();
        Touched touched;
        for (int n = 1 + dice.below(8); n > 0; --n)
            Step(fields, touched);
        if (Close(form, form->OKBtn, form->CancelBtn)) {
            ExpectOnly(before, Image(), AllowedBits(touched, IMAGE_SIZE), name);
            ExpectShown(touched, name);
        } else {
            ExpectOnly(before, Image(), std::vector<uint8_t>(IMAGE_SIZE, 0), name + " Cancel");
        }
    }

    static Bits Run(int offset, int count, uint8_t mask = 0xFF) {
        Bits bits;
        for (int i = 0; i < count; ++i)
            bits.push_back({offset + i, mask});
        return bits;
    }

    void Idents() {
        TfrmSelcallIdents* s = frmSelcallIdents;
        const QString hex = QStringLiteral("0123456789ABCFabcfDE");
        std::vector<Field> fields = {{s->txtRadioIdent, Run(0xB5, 4), hex, -1, -1,
                                      [s] { return s->GetIdentText(100); }, '0'},
                                     {s->txtTlmPrefix, Run(0xB4, 1), QStringLiteral("0123456789")},
                                     {s->chkOwnIdMod, {{0x4D, 0x40}}},
                                     {s->chkCallMemEdit, {{0x4D, 0x80}}}};
        for (int slot : {0, 1, 38, 39, 98, 99}) {
            const int record = slot < 39    ? 0xB9 + 9 * slot
                               : slot == 99 ? 0x218
                                            : 0xB20 + 9 * (slot - 39);
            Bits tag = Run(record + 4, 5);
            for (auto bit : Run(0xD3C + 4 * slot, 4))
                tag.push_back(bit);
            fields.push_back({s->listSelcallMemories, Run(record, 4), hex, slot, 1,
                              [s, slot] { return s->GetIdentText(slot); }, '0'});
            fields.push_back({s->listSelcallMemories, tag, AlphaKeys, slot, 2,
                              [s, slot] { return s->GetTagText(slot); }});
            fields.push_back({s->listSelcallMemories,
                              {{record + 4, 0x80}},
                              QStringLiteral(" "),
                              slot,
                              3,
                              [record] {
                                  return callmem::CommandText(frmBelmar->RadioData[record + 4] &
                                                              0x80);
                              }});
        }
        Session(s, fields, "selcall idents");
    }

    void Buttons() {
        TfrmUserButtons* u = frmUserButtons;
        std::vector<Field> fields = {{u->editPriChkRate, Run(0x55, 1), QStringLiteral("0123456789"),
                                      -1, -1,
                                      [] { return QString::number(frmBelmar->RadioData[0x55]); }}};
        QComboBox* recall[] = {u->cmbRecallM1, u->cmbRecallM2, u->cmbRecallM3, u->cmbRecallM4};
        QLineEdit* dtmf[] = {u->txtDtmfMem1, u->txtDtmfMem2, u->txtDtmfMem3, u->txtDtmfMem4};
        for (int n = 0; n < 4; ++n) {
            fields.push_back({recall[n], Run(0x59 + n, 1), QStringLiteral("0123456789")});
            const int at = 0x93 + 6 * n;
            fields.push_back(
                {dtmf[n], Run(at, 6), QStringLiteral("0123456789*#p"), -1, -1,
                 n < 3 ? std::function<QString()>([u, at] { return u->DecodeDtmfMemory(at); })
                       : nullptr});
        }
        for (int k = 0; k < HOOK_ACTIONS; ++k)
            fields.push_back({u->chkOffHook[k], {{0x34, uint8_t(1 << k)}}});
        Session(u, fields, "user buttons");
    }
};

// A whole walk: an image, then editors one after another until the steps run out.
inline void Walk(Dice& image, Dice& dice, unsigned odd, platform::ScriptedHost& host,
                 const Fail& fail, int editors) {
    MakeImage(frmBelmar->RadioData, image, odd);
    Answers answers(fail);
    ChannelWalk channels(dice, host, fail, answers);
    ImageWalk images(dice, host, fail, answers);
    for (int n = 0; n < editors && !dice.spent(); ++n) {
        switch (dice.below(5)) {
        case 0:
            images.SelcallIdents();
            break;
        case 1:
            images.UserButtons();
            break;
        case 2:
            images.Alignment();
            break;
        default:
            channels.Table();
        }
        host.messageAnswers.clear();
    }
}

} // namespace walk
