#pragma once
// The dealer walk: a random image (with bytes the program never writes, when asked), then
// a random run of user actions through the real dialogs, opened as the program opens them
// and driven with mouse and key events, the focus chain and the clipboard. After every
// close it checks the rules a dealer relies on:
// - OK changes only the bits of the fields the user touched; Cancel changes nothing;
// - a touched box shows what was stored;
// - no group lists an empty slot, itself or a group; no channel joins or leaves a group
//   it did not choose, unless the user was told (a message naming the group).
// The gtest suite runs it on fixed seeds, the fuzz target on libFuzzer's bytes; a broken
// rule goes to the caller's `fail`.

#include "Chandata.h"
#include "Chanedit_p.h"
#include "Chselect.h"
#include "Grpedit.h"
#include "Main.h"
#include "Sel_ch.h"
#include "Selc_mem.h"
#include "Selcall.h"
#include "Tune_radio.h"
#include "Up_down.h"
#include "User_btn.h"
#include "platform/ScriptedHost.h"
#include "support/ImageChanges.h"
#include "support/Waits.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <array>
#include <functional>
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
    uint32_t word() { return uint32_t(below(1 << 16)) << 16 | uint32_t(below(1 << 16)); }

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

// ---- Images ----

inline uint32_t StepHz(Dice& dice, bool uhf) {
    const uint32_t base = uhf ? 400000000u : 136000000u;
    return base + uint32_t(dice.below(uhf ? 9600 : 5000)) * (dice.below(2) ? 12500u : 5000u);
}

inline QString NameOf(Dice& dice) {
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789*+-._ ");
    QString name;
    for (int n = dice.below(CH_NAME_LENGTH + 1); n > 0; --n)
        name += letters[dice.below(int(letters.size()))];
    return name.trimmed();
}

// Every record is random bytes, an empty slot, a channel or a group; tame ones are
// written through the program's own store, odd ones keep their random bytes.
inline void MakeImage(uint8_t* image, Dice& dice, unsigned odd) {
    testsupport::FillFromSeed(image, IMAGE_SIZE, dice.word());
    const bool uhf = dice.below(2);
    image[BAND_BYTE] = uhf ? 0x80 : uint8_t(image[BAND_BYTE] & 0x7F);
    ChData store(CH_COUNT);
    store.SetVhfCodec(uhf ? 0 : 1);
    store.LoadFromImage(image);
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
    if (!(odd & OddMembers))
        for (int slot = 1; slot <= CH_LAST_NAMED; ++slot)
            if (store.IsGroup(slot)) {
                CH_GROUP_STRUCT group;
                store.GetGroup(group, slot);
                for (uint32_t& member : group.Member)
                    if (!store.CanBeMember(int(member)) || int(member) == slot)
                        member = 0;
                store.SetGroup(group, slot);
            }
    store.SaveToImage(image);
    if (!(odd & OddSettings)) {
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
}

// ---- Answering the modal dialogs ----

// Runs the session expected for a dialog's class once that dialog's own event loop runs;
// a dialog nobody expects is closed and reported.
class Answers : public QObject {
public:
    using Session = std::function<void(QDialog*)>;
    explicit Answers(Fail fail) : fail(std::move(fail)) { qApp->installEventFilter(this); }

    // Runs `open` with these sessions expected; those whose dialog never showed are dropped.
    void run(std::vector<std::pair<const char*, Session>> sessions,
             const std::function<void()>& open) {
        for (auto& [name, session] : sessions)
            pending.insert(name, session);
        open();
        for (auto& entry : sessions)
            pending.remove(entry.first);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (event->type() != QEvent::Show || event->spontaneous() || !dialog)
            return false;
        const QString name = dialog->metaObject()->className();
        Session session = pending.take(name);
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

public:
    QDialog* current = nullptr; // the dialog whose session runs

private:
    Fail fail;
    QHash<QString, Session> pending;
};

// ---- Fields: a control and the bits it edits ----

constexpr int NAME = 8; // pseudo byte of a record: its name

using Bits = std::vector<std::pair<int, uint8_t>>; // image offsets, or record bytes, NAME

struct Field {
    Field(QWidget* control, Bits bits, QString keys = {}, int row = -1, int column = -1,
          std::function<QString()> stored = {}, QChar fill = {})
        : control(control), bits(std::move(bits)), keys(std::move(keys)), row(row), column(column),
          stored(std::move(stored)), fill(fill) {}
    QWidget* control;
    Bits bits;
    QString keys;                    // what may be typed into a box
    int row, column;                 // a grid cell
    std::function<QString()> stored; // a box's text as the store now reads it
    QChar fill;                      // what the store puts where the text stops short
};

using Touched = std::set<const Field*>;

// The bits the touched fields may change, by offset.
inline std::vector<uint8_t> AllowedBits(const Touched& touched, size_t size) {
    std::vector<uint8_t> allowed(size, 0);
    for (const Field* field : touched)
        for (auto [offset, mask] : field->bits)
            allowed[size_t(offset)] |= mask;
    return allowed;
}

inline std::string Hex(int value) {
    return QString::number(value, 16).toStdString();
}

// ---- User actions on the real widgets ----

class Walker {
public:
    Walker(Dice& dice, platform::ScriptedHost& host, Fail fail, Answers& answers)
        : dice(dice), host(host), fail(std::move(fail)), answers(answers) {}

    // Where a key goes: the focused control of the dialog the user works in.
    QWidget* Focus() const {
        QWidget* focus = QApplication::focusWidget();
        QWidget* form = answers.current;
        return focus && form && (focus == form || form->isAncestorOf(focus)) ? focus : form;
    }

    QString Text(const QString& keys, int most) {
        QString typed;
        for (int n = 1 + dice.below(most); n > 0; --n)
            typed += keys[dice.below(int(keys.size()))];
        return typed;
    }

    // Clicks or types into the field: a box is typed over, pasted into, or cleared; a
    // list steps; a button is clicked; then sometimes Enter or Tab.
    void Act(const Field& field) {
        QWidget* control = field.control;
        if (auto* grid = qobject_cast<QTableWidget*>(control)) {
            const QModelIndex cell = grid->model()->index(field.row, field.column);
            grid->scrollTo(cell);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(cell).center());
            if (field.keys.isEmpty())
                return;
            for (QChar c : Text(field.keys, 9))
                QTest::keyClick(Focus(), c.toLatin1());
            QTest::keyClick(Focus(), Qt::Key_Return);
            return;
        }
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, control->height() / 2));
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            TypeInto(edit, field.keys);
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            if (list->isEditable())
                TypeInto(list->lineEdit(), field.keys);
            else if (list->view()->isVisible()) // the click opened the list
                PickInList(list);
        }
        if (dice.below(3) == 0)
            QTest::keyClick(Focus(), Qt::Key_Tab);
    }

    // One of: a field's action, or the focus moved on or back with Tab or Shift+Tab.
    void Step(const std::vector<Field>& fields, Touched& touched) {
        const int pick = dice.below(int(fields.size()) + 2);
        if (pick >= int(fields.size())) {
            QTest::keyClick(Focus(), Qt::Key_Tab,
                            pick == int(fields.size()) ? Qt::NoModifier : Qt::ShiftModifier);
            return;
        }
        const Field& field = fields[size_t(pick)];
        if (!field.control->isVisible() || !field.control->isEnabled())
            return;
        Act(field);
        touched.insert(&field);
    }

    // Ends a form as the user does: OK or Cancel by click, by Enter on the button, or
    // Escape; a refused OK is followed by Cancel. True when the form closed with OK.
    bool Close(QDialog* form, QPushButton* ok, QPushButton* cancel) {
        const bool wantOk = dice.below(3) != 0;
        QPushButton* button = wantOk ? ok : cancel;
        switch (dice.below(3)) {
        case 0:
            QTest::mouseClick(button, Qt::LeftButton);
            break;
        case 1:
            button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button, Qt::Key_Return);
            break;
        default:
            if (wantOk)
                QTest::mouseClick(button, Qt::LeftButton);
            else
                QTest::keyClick(form, Qt::Key_Escape);
        }
        if (form->isVisible())
            QTest::mouseClick(cancel, Qt::LeftButton);
        return !form->isVisible() && form->result() == 1;
    }

    // Every changed bit of `after` lies in `allowed`.
    void ExpectOnly(const QByteArray& before, const QByteArray& after,
                    const std::vector<uint8_t>& allowed, const std::string& where) {
        for (const testsupport::Change& change : testsupport::Changes(before, after))
            if (change.bits & ~allowed[size_t(change.offset)])
                fail(where + ": byte 0x" + Hex(change.offset) + " changed bits 0x" +
                     Hex(change.bits & ~allowed[size_t(change.offset)]) + " nobody edited");
    }

    void ExpectShown(const Touched& touched, const std::string& where) {
        for (const Field* field : touched) {
            if (!field->stored)
                continue;
            // An ident shows only the predictive tones of what it holds.
            const QString stored = field->stored();
            QString shown = ShownText(*field);
            if (!field->fill.isNull())
                shown = shown.leftJustified(stored.size(), field->fill);
            if (shown.left(std::max(stored.size(), qsizetype(1))) != stored)
                fail(where + ": a box shows \"" + shown.toStdString() + "\" but \"" +
                     stored.toStdString() + "\" is stored");
        }
    }

    Dice& dice;
    platform::ScriptedHost& host;
    Fail fail;
    Answers& answers;

private:
    void PickInList(QComboBox* list) {
        for (int n = dice.below(4); n > 0; --n)
            QTest::keyClick(list->view(), dice.below(3) ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(list->view(), dice.below(4) ? Qt::Key_Return : Qt::Key_Escape);
    }

    void TypeInto(QLineEdit* edit, const QString& keys) {
        switch (dice.below(4)) {
        case 0:
            QApplication::clipboard()->setText(Text(keys + "x#a", 10));
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            break;
        case 1:
            QTest::keyClick(edit, Qt::Key_End);
            QTest::keyClick(edit, Qt::Key_Backspace);
            break;
        default:
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, Text(keys, 10));
        }
        if (dice.below(2))
            QTest::keyClick(edit, Qt::Key_Return);
    }

    static QString ShownText(const Field& field) {
        if (auto* grid = qobject_cast<QTableWidget*>(field.control))
            return grid->item(field.row, field.column)->text();
        if (auto* list = qobject_cast<QComboBox*>(field.control))
            return list->currentText();
        return static_cast<QLineEdit*>(field.control)->text();
    }
};

} // namespace walk
