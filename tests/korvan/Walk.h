#pragma once
// The dealer walk: a random image (with bytes the program never writes, when asked), then a
// random run of user actions with mouse, keys, the focus chain and the clipboard through the
// real dialogs, opened as the program opens them: the channel table with its channel, group,
// type and target dialogs, the selcall idents, the user-defined buttons and the alignment.
// After every close: OK changed only the bits of the fields the user touched, Cancel nothing;
// a touched box shows what was stored; no group lists an empty slot, itself or a group; no
// channel joins or leaves a group it did not choose unless a message named the group.
// A broken rule goes to the caller's `fail`.

#include "Call_memories.h"
#include "Chandata.h"
#include "Chanedit_p.h"
#include "Chselect.h"
#include "Grpedit.h"
#include "Main.h"
#include "Sel_ch.h"
#include "Selc_mem.h"
#include "Selcall.h"
#include "Tune_radio.h"
#include "User_btn.h"
#include "platform/ScriptedHost.h"
#include "support/ImageChanges.h"
#include "support/Typing.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTimer>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace walk {

using Fail = std::function<void(const std::string&)>;

// Where the walk's choices come from: a seeded generator, or the fuzz input's bytes (all
// zero once they run out).
class Dice {
public:
    explicit Dice(uint32_t seed) : generator(seed) {}
    Dice(const uint8_t* data, size_t size) : bytes(data), left(size), fromBytes(true) {}
    int below(int n) {
        if (n <= 1)
            return 0;
        if (!fromBytes)
            return int(generator() % uint32_t(n));
        uint32_t value = 0;
        for (int i = 0; i < 2 && left > 0; ++i, --left)
            value = value << 8 | *bytes++;
        return int(value % uint32_t(n));
    }
    bool spent() const { return fromBytes && left == 0; }
    uint32_t word() {
        const uint32_t high = uint32_t(below(1 << 16));
        return high << 16 | uint32_t(below(1 << 16));
    }
    // `least` to `least + most - 1` characters out of `keys`.
    QString text(const QString& keys, int least, int most) {
        QString typed;
        for (int n = least + below(most); n > 0; --n)
            typed += keys[below(int(keys.size()))];
        return typed;
    }

private:
    std::mt19937 generator;
    const uint8_t* bytes = nullptr;
    size_t left = 0;
    bool fromBytes = false;
};

// What the random image may hold beyond what the program writes itself.
enum Odd : unsigned {
    Tame = 0,
    OffStepCodes = 1, // frequency codes off the dialog's step or out of the band
    ToneCodes = 2,    // tone codes past the list
    OddMembers = 4,   // groups listing empty slots, groups or themselves
    OddSettings = 8,  // user button bytes off their lists and ranges
    Everything = 15,
};

inline ChData StoreOf(const uint8_t* image) {
    ChData store(CH_COUNT);
    store.SetVhfCodec(image[BAND_BYTE] & 0x80 ? 0 : 1);
    store.LoadFromImage(image);
    return store;
}

inline uint32_t StepHz(Dice& dice, bool uhf) {
    const uint32_t base = uhf ? 400000000u : 136000000u;
    const uint32_t steps = uint32_t(dice.below(uhf ? 9600 : 5000));
    return base + steps * (dice.below(2) ? 12500u : 5000u);
}

inline QString NameOf(Dice& dice) {
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789*+-._ ");
    return dice.text(letters, 0, CH_NAME_LENGTH + 1).trimmed();
}

// Every record is random bytes, an empty slot, a channel or a group; tame ones are
// written through the program's own store, odd ones keep their random bytes.
inline void MakeImage(uint8_t* image, Dice& dice, unsigned odd) {
    testsupport::FillFromSeed(image, IMAGE_SIZE, dice.word());
    const bool uhf = dice.below(2);
    image[BAND_BYTE] = uhf ? 0x80 : uint8_t(image[BAND_BYTE] & 0x7F);
    ChData store = StoreOf(image);
    for (int slot = 1; slot <= CH_LAST_SLOT; ++slot) {
        const int kind = dice.below(4);
        const bool groupSlot = slot <= CH_LAST_NAMED && kind == 3;
        if (kind == 0) {
            store.ClearChannel(slot);
        } else if (groupSlot && !(odd & OddMembers)) {
            CH_GROUP_STRUCT group;
            group.Flags6 = uint8_t(dice.below(256) & 0xAC);
            group.Flags7 = uint8_t(dice.below(256) & 0x0C);
            group.Name = NameOf(dice);
            const int size = group.Flags6 & chflags::Group8 ? 8 : 6;
            for (int p = 0, n = dice.below(size + 1); p < n; ++p)
                group.Member[p] = uint32_t(1 + dice.below(slot - 1 + 1));
            store.SetGroup(group, slot);
        } else if (!groupSlot && !(odd & OffStepCodes && kind == 2)) {
            CH_NORMAL_STRUCT channel;
            channel.TxFreq = dice.below(6) ? StepHz(dice, uhf) : 0;
            channel.RxFreq = StepHz(dice, uhf);
            const int tones = odd & ToneCodes ? 256 : 155;
            channel.TxTone = uint32_t(dice.below(tones));
            channel.RxTone = uint32_t(dice.below(tones));
            channel.Flags6 = uint8_t((dice.below(256) & 0x4F) | chflags::Enabled);
            channel.Flags7 = uint8_t(dice.below(256) & 0x7F);
            channel.Name = NameOf(dice);
            store.SetNormal(channel, slot);
        }
    }
    // A tame group lists only channels, so its members are made good after the fact.
    for (int slot = 1; slot <= CH_LAST_NAMED && !(odd & OddMembers); ++slot)
        if (store.IsGroup(slot)) {
            CH_GROUP_STRUCT group;
            store.GetGroup(group, slot);
            for (uint32_t& member : group.Member)
                if (!store.CanBeMember(int(member)) || int(member) == slot)
                    member = 0;
            store.SetGroup(group, slot);
        }
    store.SaveToImage(image);
    if (odd & OddSettings)
        return;
    for (int offset : {0x8F, 0x90, 0x91, 0x92, 0x8D, 0x8E, 0x82, 0x44})
        image[offset] = 3; // "Squelch": no scan keys, so the scan bits are the rule's
    image[0x50] = 3;
    image[0x4A] = uint8_t((image[0x4A] & 0xF8) | 0x03);
    for (int offset : {0xAF, 0xB0, 0xB1, 0xB2, 0xAD, 0xAE, 0x83, 0xB3, 0x45})
        image[offset] %= 40;
    image[0x54] = 10;
    image[0x55] = uint8_t(1 + image[0x55] % 10);
    for (int n = 0; n < 4; ++n) {
        image[0x59 + n] = 0; // channel 1, listed when enabled
        std::fill_n(image + 0x93 + 6 * n, 6, uint8_t(0x12));
    }
    image[0x4DF + 6] |= chflags::Enabled;
}

// Runs the session expected for a dialog's class once that dialog's own event loop runs;
// a dialog nobody expects is closed and reported.
class Answers : public QObject {
public:
    using Sessions = std::vector<std::pair<const char*, std::function<void(QDialog*)>>>;
    explicit Answers(Fail fail) : fail(std::move(fail)) { qApp->installEventFilter(this); }

    // Runs `open` with these sessions expected; those whose dialog never showed are dropped.
    void run(const Sessions& sessions, const std::function<void()>& open) {
        for (auto& [name, session] : sessions)
            pending.insert(name, session);
        open();
        for (auto& entry : sessions)
            pending.remove(entry.first);
    }

    QDialog* current = nullptr; // the dialog whose session runs

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (event->type() != QEvent::Show || event->spontaneous() || !dialog)
            return false;
        const QString name = dialog->metaObject()->className();
        auto session = pending.take(name);
        if (!session) {
            fail("an unexpected dialog " + name.toStdString());
            session = [](QDialog* d) { d->reject(); };
        }
        QTimer::singleShot(0, dialog, [this, dialog, session] {
            QDialog* under = current;
            current = dialog;
            dialog->activateWindow();
            if (QTest::qWaitForWindowActive(dialog, testsupport::WAIT_LIMIT_MS))
                session(dialog);
            if (dialog->isVisible())
                dialog->reject();
            current = under;
        });
        return false;
    }

private:
    Fail fail;
    QHash<QString, std::function<void(QDialog*)>> pending;
};

constexpr int NAME = 8; // pseudo byte of a record: its name

using Bits = std::vector<std::pair<int, uint8_t>>; // image offsets, or record bytes, NAME
using Mask = std::vector<uint8_t>;                 // the bits that may change, by offset

struct Field {
    QWidget* control;
    Bits bits;
    QString keys = {};                    // what may be typed into a box
    int row = -1, column = -1;            // a grid cell
    std::function<QString()> stored = {}; // a box's text as the store now reads it
    QChar fill = {};                      // what the store puts where the text stops short
};

using Touched = std::set<const Field*>;

inline Mask AllowedBits(const Touched& touched, size_t size) {
    Mask allowed(size, 0);
    for (const Field* field : touched)
        for (auto [offset, mask] : field->bits)
            allowed[size_t(offset)] |= mask;
    return allowed;
}

// `count` whole bytes from `offset`, then `more`.
inline Bits Span(int offset, int count, const Bits& more = {}) {
    Bits bits;
    for (int i = 0; i < count; ++i)
        bits.push_back({offset + i, 0xFF});
    bits.insert(bits.end(), more.begin(), more.end());
    return bits;
}

inline const Bits TxBits{{0, 0xFF}, {1, 0xFF}, {6, 0x80}}, RxBits{{2, 0xFF}, {3, 0xFF}, {7, 0x80}};
inline const Bits MemberBits = Span(0, 6, {{6, 0x80}}), NameBits{{NAME, 0xFF}};
inline const QString AlphaKeys = QStringLiteral("AZaq09 *+-._#!"),
                     Digits = QStringLiteral("0123456789");
inline const Mask Nothing(IMAGE_SIZE, 0), AnyRecordBit(NAME + 1, 0xFF);

// A slot's record bytes, its name last as a hash.
inline std::array<int, NAME + 1> Raw(const ChData& store, int slot) {
    CH_DATA_STRUCT r;
    store.GetRaw(r, slot);
    return {r.TxCode & 0xFF, r.TxCode >> 8, r.RxCode & 0xFF, r.RxCode >> 8,     r.TxTone,
            r.RxTone,        r.Flags6,      r.Flags7,        int(qHash(r.Name))};
}

class Walker {
public:
    Walker(Dice& dice, platform::ScriptedHost& host, const Fail& fail)
        : dice(dice), host(host), fail(fail), answers(fail) {}

    // Editors one after another until the steps run out; the table most often.
    void Run(int editors) {
        const std::function<void()> editor[] = {
            [this] { SelcallIdents(); },
            [this] {
                answers.run({{"TfrmUserButtons", [this](QDialog*) { Buttons(); }}},
                            [] { frmBelmar->EditButtonClick(frmBelmar->mnuButtons); });
            },
            [this] { Alignment(); }, [this] { Table(); }, [this] { Table(); }};
        for (int n = 0; n < editors && !dice.spent(); ++n) {
            editor[dice.below(5)]();
            host.messageAnswers.clear();
        }
    }

private:
    static QByteArray Image() {
        return QByteArray(reinterpret_cast<const char*>(frmBelmar->RadioData), IMAGE_SIZE);
    }
    static void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    static std::string Hex(int value) { return QString::number(value, 16).toStdString(); }

    // Where a key goes: the focused control of the dialog the user works in.
    QWidget* Focus() const {
        QWidget* focus = QApplication::focusWidget();
        QWidget* form = answers.current;
        return focus && form && (focus == form || form->isAncestorOf(focus)) ? focus : form;
    }

    // Clicks the field, then: a grid cell or a box is typed into, a box also pasted into
    // or cleared, an opened list stepped; then sometimes Tab.
    void Act(const Field& field) {
        auto* grid = qobject_cast<QTableWidget*>(field.control);
        auto* list = qobject_cast<QComboBox*>(field.control);
        if (grid) {
            const QModelIndex cell = grid->model()->index(field.row, field.column);
            grid->scrollTo(cell);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(cell).center());
            if (field.keys.isEmpty())
                return;
            for (QChar c : dice.text(field.keys, 1, 9))
                QTest::keyClick(Focus(), c.toLatin1());
            QTest::keyClick(Focus(), Qt::Key_Return);
            return;
        }
        QTest::mouseClick(field.control, Qt::LeftButton, {}, {4, field.control->height() / 2});
        if (auto* edit = list ? list->lineEdit() : qobject_cast<QLineEdit*>(field.control))
            TypeInto(edit, field.keys);
        else if (list && list->view()->isVisible()) // the click opened the list
            PickInList(list);
        if (dice.below(3) == 0)
            QTest::keyClick(Focus(), Qt::Key_Tab);
    }

    void PickInList(QComboBox* list) {
        for (int n = dice.below(4); n > 0; --n)
            QTest::keyClick(list->view(), dice.below(3) ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(list->view(), dice.below(4) ? Qt::Key_Return : Qt::Key_Escape);
    }

    void TypeInto(QLineEdit* edit, const QString& keys) {
        const int how = dice.below(4);
        if (how == 0) {
            testsupport::Paste(edit, dice.text(keys + "x#a", 1, 10));
        } else if (how == 1) {
            QTest::keyClick(edit, Qt::Key_End);
            QTest::keyClick(edit, Qt::Key_Backspace);
        } else {
            testsupport::TypeOver(edit, dice.text(keys, 1, 10));
        }
        if (dice.below(2))
            QTest::keyClick(edit, Qt::Key_Return);
    }

    // One of: a field's action, or the focus moved on or back with Tab or Shift+Tab.
    void Step(const std::vector<Field>& fields, Touched& touched) {
        const size_t pick = size_t(dice.below(int(fields.size()) + 2));
        if (pick >= fields.size()) {
            QTest::keyClick(Focus(), Qt::Key_Tab,
                            pick == fields.size() ? Qt::NoModifier : Qt::ShiftModifier);
        } else if (fields[pick].control->isVisible() && fields[pick].control->isEnabled()) {
            Act(fields[pick]);
            touched.insert(&fields[pick]);
        }
    }

    // Ends a form as the user does: OK or Cancel by click, by Enter on the button, or
    // Escape; a refused OK is followed by Cancel. True when the form closed with OK.
    bool Close(QDialog* form, QPushButton* ok, QPushButton* cancel) {
        const bool wantOk = dice.below(3) != 0;
        QPushButton* button = wantOk ? ok : cancel;
        const int how = dice.below(3);
        if (how == 1) {
            button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button, Qt::Key_Return);
        } else if (how == 2 && !wantOk) {
            QTest::keyClick(form, Qt::Key_Escape);
        } else {
            Click(button);
        }
        if (form->isVisible())
            Click(cancel);
        return !form->isVisible() && form->result() == 1;
    }

    // Every bit of the image changed since `before` lies in `allowed`.
    void ExpectOnly(const QByteArray& before, const Mask& allowed, const std::string& where) {
        for (const testsupport::Change& change : testsupport::Changes(before, Image()))
            if (uint8_t stray = change.bits & ~allowed[size_t(change.offset)])
                fail(where + ": byte 0x" + Hex(change.offset) + " changed bits 0x" + Hex(stray) +
                     " nobody edited");
    }

    // Each touched box shows what is stored; an ident only the predictive tones it holds.
    void ExpectShown(const Touched& touched, const std::string& where) {
        for (const Field* field : touched) {
            if (!field->stored)
                continue;
            const QString stored = field->stored();
            auto* grid = qobject_cast<QTableWidget*>(field->control);
            auto* list = qobject_cast<QComboBox*>(field->control);
            QString shown = grid   ? grid->item(field->row, field->column)->text()
                            : list ? list->currentText()
                                   : static_cast<QLineEdit*>(field->control)->text();
            if (!field->fill.isNull())
                shown = shown.leftJustified(stored.size(), field->fill);
            if (shown.left(std::max(stored.size(), qsizetype(1))) != stored)
                fail(where + ": a box shows \"" + shown.toStdString() + "\" but \"" +
                     stored.toStdString() + "\" is stored");
        }
    }

    // The channel table opened from the main window; after it closes, OK changed only the
    // slots the actions changed and the two global bits clicked, Cancel nothing.
    void Table() {
        const QByteArray before = Image();
        slotsChanged.clear();
        globalsClicked = false;
        answers.run({{"TfrmChannelData", [this](QDialog*) { TableSession(); }}},
                    [] { frmBelmar->EditButtonClick(frmBelmar->mnuChannel); });
        Mask allowed = Nothing;
        if (frmChannelData->result() == 1) {
            for (int s = 0; s < CH_LAST_NAMED; ++s) {
                std::fill_n(&allowed[CH_MAIN_RECORDS + 8 * s], 8, 0xFF);
                std::fill_n(&allowed[CH_NAME_HEAD + 5 * s], 5, 0xFF);
                std::fill_n(&allowed[CH_NAME_TAIL + 8 * s], 4, 0xFF);
            }
            std::fill_n(&allowed[CH_HIGH_RECORDS], 8 * (CH_LAST_SLOT - 99), 0xFF);
            if (globalsClicked)
                allowed[0x47] = allowed[0x49] = 0x08;
        }
        ExpectOnly(before, allowed, "channel table");
        const ChData was = StoreOf(reinterpret_cast<const uint8_t*>(before.constData()));
        const ChData now = StoreOf(frmBelmar->RadioData);
        for (int slot = 1; slot <= CH_LAST_SLOT; ++slot)
            if (Raw(was, slot) != Raw(now, slot) && !slotsChanged.count(slot))
                fail("channel table: CH" + std::to_string(slot) + " changed, nobody edited it");
    }

    void TableSession() {
        for (int n = 1 + dice.below(6); n > 0 && !dice.spent(); --n)
            TableAction();
        Close(frmChannelData, frmChannelData->OKBtn, frmChannelData->CancelBtn);
    }

    // One action of the table on a row the user clicks, and the rules of what it changed.
    void TableAction() {
        TfrmChannelData* table = frmChannelData;
        const ChData before = *table->Channels;
        const qsizetype told = host.messages.size();
        std::map<int, Mask> allowed;
        int grouped = 0; // the group the action edited, whose members the editor checks
        Act({table->listChannel, {}, {}, dice.below(table->listChannel->rowCount()), 0});
        const int selected = table->SelectedSlot();
        Answers::Sessions editors = {
            {"TfrmEditChannel2", [&](QDialog*) { Channel(allowed); }},
            {"TfrmGrpEdit", [&](QDialog*) { grouped = Group(allowed, before); }}};
        const int action = dice.below(8);
        if (action == 0) { // add a channel or a group
            const bool group = dice.below(3) == 0;
            editors.push_back({"TfrmChannelSelect", [group](QDialog*) {
                                   Click(group ? frmChannelSelect->rbMAC
                                               : frmChannelSelect->rbNormalChannel);
                                   Click(frmChannelSelect->OKBtn);
                               }});
        }
        if (action <= 1) { // add, or edit the selected row
            answers.run(editors,
                        [&] { Click(action ? table->btnEditChannel : table->btnNewChannel); });
        } else if (action == 2) { // delete, answering the question either way
            host.messageAnswers.enqueue(dice.below(2) ? platform::IDOK : platform::IDCANCEL);
            Click(table->btnDeleteChannel);
            allowed[selected] = AnyRecordBit;
        } else if (action == 3) {
            table->Cut1->trigger();
            allowed[selected] = AnyRecordBit;
        } else if (action == 4) {
            table->Copy1->trigger();
        } else if (action == 5) {
            allowed[PasteOnTypedTarget(before)] = AnyRecordBit;
        } else { // a global box
            QCheckBox* box = dice.below(2) ? table->chkBlEnabled : table->chkEnableCb;
            if (box->isVisible())
                Click(box);
            globalsClicked = true;
        }
        host.messageAnswers.clear();
        CheckStore(before, allowed, grouped, told);
    }

    // Paste, typing the target's number; a changed target holds what was copied.
    int PasteOnTypedTarget(const ChData& before) {
        TfrmChannelData* table = frmChannelData;
        int target = 0;
        answers.run({{"TfrmChSelect",
                      [&](QDialog* select) {
                          auto* list = select->findChild<QComboBox*>();
                          QTest::keyClicks(list, QString::number(1 + dice.below(CH_LAST_SLOT)));
                          target = list->currentIndex() + 1;
                          auto* chosen = static_cast<TfrmChSelect*>(select);
                          Click(dice.below(3) ? chosen->btnOK : chosen->btnCancel);
                      }}},
                    [table] { table->Paste1->trigger(); });
        CH_DATA_STRUCT now;
        table->Channels->GetRaw(now, target);
        if (Raw(before, target) != Raw(*table->Channels, target) &&
            (now.TxCode != table->ChannelClipboard.TxCode ||
             now.Flags6 != table->ChannelClipboard.Flags6))
            fail("paste: CH" + std::to_string(target) + " is not what was copied");
        return target;
    }

    // Every slot changed only in its allowed bits; a slot a group lists was neither
    // emptied nor filled, unless the user was told of that group.
    void CheckStore(const ChData& before, const std::map<int, Mask>& allowed, int grouped,
                    qsizetype told) {
        const ChData& after = *frmChannelData->Channels;
        for (int slot = 1; slot <= CH_LAST_SLOT; ++slot) {
            const auto was = Raw(before, slot), now = Raw(after, slot);
            const Mask mask = allowed.count(slot) ? allowed.at(slot) : Mask(NAME + 1, 0);
            for (size_t i = 0; i <= NAME; ++i)
                if (was[i] != now[i] &&
                    ((was[i] ^ now[i]) & ~mask[i] & 0xFF || (i == NAME && !mask[NAME])))
                    fail("CH" + std::to_string(slot) + " record byte " + std::to_string(i) +
                         " changed, nobody edited it");
            if (was != now)
                slotsChanged.insert(slot);
        }
        const int listing = chflags::Enabled | chflags::Group;
        for (int g = 1; g <= CH_LAST_NAMED; ++g) {
            if (g == grouped || (Raw(after, g)[6] & listing) != listing)
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

    // The channel edit dialog: the slot keeps every bit the user did not edit; a new
    // number makes a new channel there and leaves the old one.
    void Channel(std::map<int, Mask>& allowed) {
        TfrmEditChannel2* e = frmEditChannel2;
        const bool uhf = frmBelmar->RadioData[BAND_BYTE] & 0x80;
        const int given = e->GivenChannel;
        const bool adding = frmChannelData->Channels->IsEmpty(given);
        const QString digits = Digits + '.';
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
            const Field& field = fields[size_t(dice.below(int(fields.size())))];
            if (field.keys == digits && dice.below(3)) { // mostly a frequency on the step
                const double mhz = StepHz(dice, uhf) / 1e6;
                ClickAndType(field.control, QString::number(mhz, 'f', dice.below(6)));
                touched.insert(&field);
            } else {
                Step(fields, touched);
            }
        }
        if (dice.below(6) == 0) // another number
            ClickAndType(e->editChnl, QString::number(1 + dice.below(CH_LAST_SLOT)));
        if (!Close(e, e->OKBtn, e->CancelBtn))
            return;
        Mask mask = AllowedBits(touched, NAME + 1);
        mask[6] |= chflags::Group | chflags::VoteSignal; // a normal channel has neither
        if (e->EditedChannel > CH_LAST_NAMED)
            mask[6] |= chflags::Enabled;
        allowed[e->EditedChannel] = adding || e->EditedChannel != given ? AnyRecordBit : mask;
    }

    static void ClickAndType(QWidget* box, const QString& text) {
        Click(box);
        testsupport::TypeOver(static_cast<QLineEdit*>(box), text);
    }

    // The group editor: options as the user left them; the members only those he chose,
    // or the stored ones that may be members; none empty, a group or the group itself.
    int Group(std::map<int, Mask>& allowed, const ChData& before) {
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
        Mask mask = adding ? AnyRecordBit : AllowedBits(touched, NAME + 1);
        mask[6] |= chflags::Enabled | chflags::Group;
        std::fill_n(mask.begin(), 6, 0xFF); // member codes are checked as slots below
        allowed[stored] = mask;
        const bool chose = adding || std::any_of(touched.begin(), touched.end(),
                                                 [](auto* f) { return f->bits == MemberBits; });
        CH_GROUP_STRUCT was;
        before.GetGroup(was, stored);
        for (int p = 0; p < GROUP_MEMBERS; ++p) {
            const int m = g->MemberSlots[p];
            const bool fits = g->GroupSize == 6 || m <= GROUP8_LAST_MAIN || m >= 100;
            if (m != 0 && (m == stored || !before.CanBeMember(m) || !fits || p >= g->GroupSize))
                fail("group CH" + std::to_string(stored) + " lists CH" + std::to_string(m));
            if (m != 0 && !chose &&
                std::find(was.Member, was.Member + 8, uint32_t(m)) == was.Member + 8)
                fail("group CH" + std::to_string(stored) + " gained CH" + std::to_string(m));
        }
        return stored;
    }

    // Steps over the fields, then a close: OK keeps only what the touched fields own and
    // each touched box shows what was stored; Cancel changes nothing.
    void Session(ImageDialog* form, const std::vector<Field>& fields, const std::string& name) {
        const QByteArray before = Image();
        Touched touched;
        for (int n = 1 + dice.below(8); n > 0; --n)
            Step(fields, touched);
        const bool ok = Close(form, form->OKBtn, form->CancelBtn);
        ExpectOnly(before, ok ? AllowedBits(touched, IMAGE_SIZE) : Nothing,
                   ok ? name : name + " Cancel");
        if (ok)
            ExpectShown(touched, name);
    }

    // The idents opened from the selcall dialog, which is then cancelled.
    void SelcallIdents() {
        const QByteArray opened = Image();
        answers.run({{"TfrmSelcall",
                      [this](QDialog* selcall) {
                          answers.run({{"TfrmSelcallIdents", [this](QDialog*) { Idents(); }}},
                                      [] { Click(frmSelcall->btnSelcallMem); });
                          selcall->reject();
                      }}},
                    [] { frmBelmar->EditButtonClick(frmBelmar->mnuSelcall); });
        ExpectOnly(opened, Nothing, "selcall Cancel");
    }

    void Idents() {
        TfrmSelcallIdents* s = frmSelcallIdents;
        QTableWidget* grid = s->listSelcallMemories;
        const QString hex = QStringLiteral("0123456789ABCFabcfDE");
        std::vector<Field> fields = {{s->txtRadioIdent, Span(0xB5, 4), hex, -1, -1,
                                      [s] { return s->GetIdentText(100); }, '0'},
                                     {s->txtTlmPrefix, Span(0xB4, 1), Digits},
                                     {s->chkOwnIdMod, {{0x4D, 0x40}}},
                                     {s->chkCallMemEdit, {{0x4D, 0x80}}}};
        for (int slot : {0, 1, 38, 39, 98, 99}) {
            const int at = slot < 39    ? 0xB9 + 9 * slot
                           : slot == 99 ? 0x218
                                        : 0xB20 + 9 * (slot - 39);
            auto command = [at] {
                return callmem::CommandText(frmBelmar->RadioData[at + 4] & 0x80);
            };
            fields.push_back({grid, Span(at, 4), hex, slot, 1,
                              [s, slot] { return s->GetIdentText(slot); }, '0'});
            fields.push_back({grid, Span(at + 4, 5, Span(0xD3C + 4 * slot, 4)), AlphaKeys, slot, 2,
                              [s, slot] { return s->GetTagText(slot); }});
            // The flag, and the first tag character where the flag alone would show another.
            fields.push_back({grid, {{at + 4, 0xFF}}, QStringLiteral(" "), slot, 3, command});
        }
        Session(s, fields, "selcall idents");
    }

    void Buttons() {
        TfrmUserButtons* u = frmUserButtons;
        std::vector<Field> fields = {{u->editPriChkRate, Span(0x55, 1), Digits, -1, -1,
                                      [] { return QString::number(frmBelmar->RadioData[0x55]); }}};
        QComboBox* recall[] = {u->cmbRecallM1, u->cmbRecallM2, u->cmbRecallM3, u->cmbRecallM4};
        QLineEdit* dtmf[] = {u->txtDtmfMem1, u->txtDtmfMem2, u->txtDtmfMem3, u->txtDtmfMem4};
        for (int n = 0; n < 4; ++n) {
            const int at = 0x93 + 6 * n;
            std::function<QString()> shown = [u, at] { return u->DecodeDtmfMemory(at); };
            fields.push_back({recall[n], Span(0x59 + n, 1), Digits});
            fields.push_back({dtmf[n], Span(at, 6), QStringLiteral("0123456789*#p"), -1, -1,
                              n < 3 ? shown : nullptr});
        }
        for (int k = 0; k < HOOK_ACTIONS; ++k)
            fields.push_back({u->chkOffHook[k], {{0x34, uint8_t(1 << k)}}});
        Session(u, fields, "user buttons");
    }

    // Off-line, as the hardware dialog opens it for a calibration file, boxes on their
    // pages; "Close" keeps what the boxes show, and only the bytes of touched boxes change.
    void Alignment() {
        TfrmTuneRadio* t = frmTuneRadio;
        QTabBar* tabs = t->PageControl1->tabBar();
        std::vector<Field> fields;
        for (const cal::Field& f : cal::FieldsOf(cal::Generation::First))
            fields.push_back({t->*f.edit, {{f.address, 0xFF}}, Digits, -1, -1, [at = f.address] {
                                  const uint8_t b = frmBelmar->RadioData[at];
                                  return QString::number(at == cal::RX_OFFSET ? int(int8_t(b)) : b);
                              }});
        const auto session = [&](QDialog*) {
            const QByteArray before = Image();
            Touched touched;
            for (int n = 1 + dice.below(4); n > 0; --n) {
                const Field& field = fields[size_t(dice.below(int(fields.size())))];
                for (int i = 0; i < t->PageControl1->count(); ++i)
                    if (t->PageControl1->widget(i)->isAncestorOf(field.control))
                        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
                Act(field);
                touched.insert(&field);
            }
            Click(t->CancelBtn);
            ExpectOnly(before, AllowedBits(touched, IMAGE_SIZE), "alignment");
            ExpectShown(touched, "alignment");
        };
        answers.run({{"TfrmTuneRadio", session}}, [t] {
            t->Online = 0;
            t->LoadCalControls();
            t->exec();
        });
    }

    Dice& dice;
    platform::ScriptedHost& host;
    Fail fail;
    Answers answers;
    std::set<int> slotsChanged; // by the table's actions since it opened
    bool globalsClicked = false;
};

// A whole walk: an image, then editors one after another until the steps run out.
inline void Walk(Dice& image, Dice& dice, unsigned odd, platform::ScriptedHost& host,
                 const Fail& fail, int editors) {
    MakeImage(frmBelmar->RadioData, image, odd);
    Walker(dice, host, fail).Run(editors);
}

} // namespace walk
