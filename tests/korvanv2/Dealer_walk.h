#pragma once
// The dealer's walk through the second program: an image of random bytes (bytes the program
// never writes among them), then random user actions through the real forms, by keys, mouse
// and clipboard, over the channel bank and its dialogs, the user buttons, the selcall idents
// and the alignment boxes. After every OK and Cancel the rules below are checked; a broken
// rule is told to `Report` with the actions that led to it.
//
// The walk reads everything it chooses from one byte string: byte 0 the radio's size (bit 0
// set: 8 KiB) and whether zones without channels are switched off (bit 1), bytes 1..4 the seed
// of the image's bytes, byte 5 a count of single bytes put in by hand (offset, offset, value),
// then the actions. Past the end every choice is 0 and the walk stops.

#include "Addzone.h"
#include "Adv_edit.h"
#include "Chanedit_p.h"
#include "Chdata.h"
#include "Chnlbank.h"
#include "Chselect.h"
#include "Editvote.h"
#include "Editzone.h"
#include "Eeprom.h"
#include "Forms.h"
#include "Grpedit.h"
#include "Options.h"
#include "Radioabout.h"
#include "Selc_mem.h"
#include "Selcall.h"
#include "Selectchnl.h"
#include "Tune_radio.h"
#include "Up_down.h"
#include "User_btn.h"
#include "Zones.h"
#include "platform/ScriptedHost.h"
#include "support/ImageChanges.h"
#include "support/Typing.h"
#include "support/Waits.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <climits>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <vector>

namespace walk {

using Report = std::function<void(const QString&)>;
using Image = QByteArray;

class Choices {
public:
    Choices(const uint8_t* bytes, size_t size) : bytes(bytes), size(size) {}
    bool more() const { return at < size; }
    uint8_t byte() { return at < size ? bytes[at++] : 0; }
    int pick(int count) { return count > 0 ? (byte() | byte() << 8) % count : 0; }

private:
    const uint8_t* bytes;
    size_t size;
    size_t at = 0;
};

inline Image Snapshot() {
    return Image(reinterpret_cast<const char*>(eeprom.data), EEPROM::SIZE);
}

// What a session let the user change: byte offset -> bits.
using Allowed = std::map<int, uint8_t>;

struct Walker {
    Choices in;
    Report report;
    platform::ScriptedHost& host;
    int radioSize = EEPROM::SIZE;
    QStringList trail;   // the actions so far, for the report
    bool broken = false; // the first broken rule ends the walk

    void fail(const QString& what) {
        if (!broken)
            report(what + "\n  after: " + trail.join(", "));
        broken = true;
    }
    void did(const QString& action) { trail << action; }

    // ---- keys, mouse and clipboard ----

    // A Tab moves the focus, so typed text has none: the walk's own Tab is one action.
    QString randomText(int longest) {
        static const QString letters = QStringLiteral("0123456789.abcxyzABCF +-*_#p!ßé");
        QString text;
        for (int n = 1 + in.pick(longest); n > 0; --n)
            text += letters[in.pick(int(letters.size()))];
        return text;
    }
    static QWidget* focus() { return QApplication::focusWidget(); }
    // Key by key to the control named, wherever the focus goes meanwhile.
    static void type(QWidget* at, const QString& text) {
        for (const QChar c : text)
            c.unicode() < 0x80 ? QTest::keyClick(at, c.toLatin1())
                               : testsupport::TypeEach(at, QString(c));
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        if (QWidget* at = focus())
            QTest::keyClick(at, k, mods);
    }
    // A click on `target` where the walk chooses: a bar's arrows or page, an arrow button,
    // a combo's list opened and one of its items.
    void click(QWidget* target) {
        did("click " + Name(target));
        if (auto* combo = qobject_cast<QComboBox*>(target))
            return pickFromList(combo);
        const int x = qobject_cast<QAbstractSlider*>(target) ? in.pick(target->width()) : 4;
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(x, target->height() / 2));
    }
    // The list opened and an item clicked: `choice`, or one the walk chooses.
    void pickFromList(QComboBox* combo, int choice = -1) {
        // An editable list opens at its arrow, at the right.
        const QPoint arrow(combo->isEditable() ? combo->width() - 5 : combo->width() / 2,
                           combo->height() / 2);
        QTest::mouseClick(combo, Qt::LeftButton, {}, arrow);
        QAbstractItemView* view = combo->view();
        if (!view->isVisible())
            return;
        const QModelIndex item =
            combo->model()->index(choice < 0 ? in.pick(combo->count()) : choice, 0);
        did("item " + item.data().toString());
        // The mouse leaves the place it opened the list at, goes to the item, and clicks.
        QTest::mouseMove(view->viewport(), view->rect().center() + QPoint(0, 15));
        QTest::mouseMove(view->viewport(), view->rect().center() - QPoint(0, 15));
        view->scrollTo(item);
        const QPoint at(view->viewport()->width() / 2, view->visualRect(item).center().y());
        QTest::mouseMove(view->viewport(), at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (view->isVisible())
            combo->hidePopup();
    }
    // A control used as the user does: a list's item clicked, or `text` typed over what an
    // editable one holds (when there is a text).
    void use(QWidget* control, const QString& text) {
        auto* combo = qobject_cast<QComboBox*>(control);
        auto* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(control);
        if (!edit || text.isNull() || (combo && in.pick(2)))
            return click(control);
        did("type '" + text + "' over " + Name(control));
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        type(edit, text);
    }
    void wheel(QWidget* at) {
        const int steps = in.pick(2) ? 120 : -120;
        did(QStringLiteral("wheel %1 on ").arg(steps > 0 ? "up" : "down") + Name(at));
        const QPointF middle(at->width() / 2.0, at->height() / 2.0);
        QWheelEvent event(middle, at->mapToGlobal(middle), {}, QPoint(0, steps), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(at, &event);
    }
    // One thing a user does inside a form; `touch` learns which control it may change.
    void act(QWidget* form, const std::function<void(QWidget*)>& touch,
             const std::vector<QWidget*>& clickable) {
        QWidget* at = focus();
        const bool inForm = at && form->isAncestorOf(at);
        const int move = in.pick(8);
        if (move < 2) {
            did(move ? "Shift+Tab" : "Tab");
            return key(Qt::Key_Tab, move ? Qt::ShiftModifier : Qt::NoModifier);
        }
        if (move < 4) {
            QWidget* target = clickable[size_t(in.pick(int(clickable.size())))];
            if (!target->isVisible() || !target->isEnabled())
                return;
            touch(target);
            return click(target);
        }
        if (!inForm || qobject_cast<QPushButton*>(at))
            return; // buttons are pressed by the sessions' own actions
        touch(at);
        const int how = in.pick(7);
        if (how < 3) {
            const QString text = randomText(10);
            did((how < 2 ? "type '" : "paste '") + text + "' into " + Name(at));
            if (how == 2) {
                QApplication::clipboard()->setText(text);
                return key(Qt::Key_V, Qt::ControlModifier);
            }
            if (in.pick(2))
                key(Qt::Key_A, Qt::ControlModifier);
            return type(at, text);
        }
        if (how == 3)
            return wheel(at);
        static const std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*> keys[] = {
            {Qt::Key_Space, {}, "Space"},
            {Qt::Key_Down, {}, "Down"},
            {Qt::Key_Up, {}, "Up"},
            {Qt::Key_Return, {}, "Enter"},
            {Qt::Key_Home, {}, "Home"},
            {Qt::Key_End, {}, "End"},
            {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
            {Qt::Key_PageDown, {}, "PageDown"}};
        const auto& [k, mods, name] = keys[in.pick(8)];
        did(QString::fromLatin1(name) + " on " + Name(at));
        QTest::keyClick(at, k, mods);
    }
    static QString Name(QWidget* w) {
        const auto* button = qobject_cast<QAbstractButton*>(w);
        const QString text = button ? button->text() : QString();
        return QString::fromLatin1(w->metaObject()->className()) +
               (text.isEmpty() ? QString() : "\"" + text + "\"");
    }

    // Runs `trigger`; every modal dialog that opens meanwhile is handed to answer(), which
    // must close it. One left open is closed and reported.
    void withModals(const std::function<void()>& trigger) {
        QTimer watch;
        watch.setInterval(1);
        QDialog* busy = nullptr;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog == busy || !dialog->isActiveWindow())
                return;
            busy = dialog;
            answer(dialog);
            if (dialog->isVisible()) {
                fail(QStringLiteral("%1 stayed open").arg(dialog->windowTitle()));
                dialog->done(0);
            }
            busy = nullptr;
        });
        watch.start();
        trigger();
    }
    std::function<void(QDialog*)> answer;
};

// Shows a form as the program does, active with the focus in it.
inline void Show(QWidget* form) {
    form->show();
    form->activateWindow();
    (void)QTest::qWaitForWindowActive(form, testsupport::WAIT_LIMIT_MS);
}

// ---- the rules ----

// Every changed bit must be one the session allowed.
inline void ExpectOnly(Walker& w, const Image& before, const Image& after, const Allowed& allowed) {
    for (const testsupport::Change& change : testsupport::Changes(before, after)) {
        const int i = change.offset;
        const auto it = allowed.find(i);
        if (change.bits & ~(it == allowed.end() ? 0 : it->second))
            w.fail(QStringLiteral("byte %1 went from 0x%2 to 0x%3")
                       .arg(i)
                       .arg(uint8_t(before[i]), 2, 16, QLatin1Char('0'))
                       .arg(uint8_t(after[i]), 2, 16, QLatin1Char('0')));
    }
}

inline void Allow(Allowed& allowed, int offset, uint8_t bits = 0xFF, int count = 1) {
    for (int i = 0; i < count; ++i)
        allowed[offset + i] |= bits;
}

inline Allowed Bits(int offset, uint8_t bits = 0xFF, int count = 1) {
    Allowed allowed;
    Allow(allowed, offset, bits, count);
    return allowed;
}

// What every value control of a form shows, each through `normal` (which may return a
// null text for a control whose text names nothing).
using Normal = std::function<QString(QWidget*, const QString&)>;
inline std::map<QWidget*, QString> Shown(QWidget* form, const Normal& normal) {
    std::map<QWidget*, QString> shown;
    const auto put = [&](QWidget* w, const QString& text) { shown[w] = normal(w, text); };
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (auto* edit = qobject_cast<QLineEdit*>(w);
            edit && !qobject_cast<QComboBox*>(w->parent()))
            put(w, edit->text());
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            put(w, combo->isEditable() ? combo->currentText()
                                       : QString::number(combo->currentIndex()));
        else if (auto* box = qobject_cast<QAbstractButton*>(w); box && box->isCheckable())
            put(w, box->isChecked() ? QStringLiteral("on") : QStringLiteral("off"));
        else if (auto* bar = qobject_cast<QScrollBar*>(w);
                 bar && !bar->parentWidget()->objectName().startsWith("qt_scrollarea"))
            put(w, QString::number(bar->value()));
    }
    return shown;
}

// The first control that shows otherwise in `again` (a grid's cell editor may be gone).
inline QString FirstDifference(const std::map<QWidget*, QString>& shown,
                               const std::map<QWidget*, QString>& again) {
    for (const auto& [control, text] : shown) {
        const auto other = again.find(control);
        if (!text.isNull() && other != again.end() && other->second != text)
            return QStringLiteral("%1 showed '%2', then '%3'")
                .arg(Walker::Name(control), text, other->second);
    }
    return QString();
}

// ---- the image ----

inline ChData Decoded(const Image& image, int radioSize) {
    Image radio = image;
    std::fill(radio.begin() + radioSize, radio.end(), char(chlayout::ERASED));
    ChData store(CH_COUNT);
    store.LoadFromImage(reinterpret_cast<const uint8_t*>(radio.constData()));
    return store;
}

inline uint32_t Seed(Choices& in) {
    uint32_t seed = 0;
    for (int shift = 0; shift < 32; shift += 8)
        seed |= uint32_t(in.byte()) << shift;
    return seed;
}

// Random bytes, with about a quarter of the channels empty (hidden, no receive code).
inline void FillRandom(uint8_t* image, uint32_t seed) {
    testsupport::FillFromSeed(image, EEPROM::SIZE, seed);
    std::mt19937 bytes(seed);
    bytes.discard(EEPROM::SIZE); // the draws that filled the image
    for (int i = 0; i < CH_COUNT; ++i)
        if (bytes() % 4 == 0) {
            uint8_t* record = image + chlayout::Record(i);
            record[0] &= ~chbit::Mask(chbit::Visible);
            record[5] = record[6] = 0;
        }
}

inline int MakeImage(Choices& in) {
    const uint8_t mode = in.byte();
    FillRandom(eeprom.data, Seed(in));
    for (int n = in.byte() % 16; n > 0; --n) {
        const int offset = in.pick(EEPROM::SIZE);
        eeprom.data[offset] = in.byte();
    }
    // Values the controls cannot show, each in about half the images: a time-out and a
    // check rate of 0, a scan speed and a display byte past their lists, a contrast past
    // the arrows, both squelch presets, ignore times between their steps, a hold time past
    // its bar, a recall word past the CB channels.
    static const std::pair<int, uint8_t> odd[] = {
        {0x36, 0}, {0x55, 0}, {0x54, 7}, {0x7C, 0xFF}, {0x7D, 0x30}, {0x46, 0x37},
        {65, 10},  {81, 7},   {82, 61},  {0x74, 0xF0}, {0x75, 0x02}, {0x55, 11}};
    for (const auto& [offset, value] : odd)
        if (in.pick(2))
            eeprom.data[offset] = value;
    eeprom.data[EEPROM::SIZE_BYTE] = (mode & 1) ? 8 : 16;
    if (mode & 2) {
        const ChData store = Decoded(Snapshot(), EEPROM::SIZE);
        for (int z = 1; z <= ZONE_COUNT; ++z)
            if (store.CountInZone(z) == 0)
                eeprom.data[ZoneOffset(z) + ZONE_ENTRY_SIZE - 1] |= 0x80;
    }
    return eeprom.RadioSize();
}

// ---- the channel bank and the dialogs it opens ----

// What the user edited of one channel: fields and flag bits.
struct Touch {
    enum : unsigned {
        Name = 1,
        Tag = 2,
        Tx = 4,
        Rx = 8,
        TxTone = 16,
        RxTone = 32,
        Members = 64,
        Zone = 128
    };
    unsigned fields = 0;
    uint8_t flags = 0, flags1 = 0;
    Touch& operator|=(const Touch& more) {
        fields |= more.fields, flags |= more.flags, flags1 |= more.flags1;
        return *this;
    }
};
inline Touch Flag(int bit) {
    return {0, chbit::Mask(bit), 0};
}
inline Touch Flag1(int bit) {
    return {0, 0, chbit::Mask(bit)};
}
// A control of an edit dialog: the record fields it edits.
struct Box {
    QWidget* control;
    Touch touch;
};

inline Touch TouchOf(const std::vector<Box>& boxes, QWidget* control) {
    for (QWidget* c = control; c; c = c->parentWidget())
        for (const Box& box : boxes)
            if (box.control == c)
                return box.touch;
    return {};
}

// The boxes and buttons among `controls` (each with its `control`) that a click may reach,
// in their order.
template <typename Controls> std::vector<QWidget*> Clickable(const Controls& controls) {
    std::vector<QWidget*> clickable;
    for (const auto& c : controls) {
        QWidget* w = c.control;
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
            qobject_cast<QComboBox*>(w) || qobject_cast<QScrollBar*>(w))
            clickable.push_back(w);
        else // an up-down: its arrows
            for (QAbstractButton* arrow : w->findChildren<QAbstractButton*>())
                clickable.push_back(arrow);
    }
    return clickable;
}

inline void ClickItem(QTableWidget* grid, QTableWidgetItem* item) {
    grid->scrollToItem(item);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(item).center());
}

// A click on the first cell of a row the walk chooses.
inline void ClickRow(Walker& w, QTableWidget* list, const QString& what) {
    if (QTableWidgetItem* item = list->item(w.in.pick(list->rowCount()), 0)) {
        w.did(what + item->text());
        ClickItem(list, item);
    }
}

// A click on a tab the walk chooses.
inline void ClickTab(Walker& w, QTabBar* tabs, const QString& what) {
    const int tab = w.in.pick(tabs->count());
    w.did(what + tabs->tabText(tab));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
}

using Expectation = std::function<QString(const ch_data_struct&)>;

struct BankEdits {
    Image before;            // the image at opening, with what Read Channels took in
    bool renumbered = false; // the opening gave every channel its default tag
    std::map<int, Touch> touched;
    std::set<int> whole;                                    // added, deleted, cut or pasted over
    std::map<int, std::map<QString, Expectation>> expected; // the last edit of each field
    std::map<int, std::pair<QString, QString>> zones;       // zone -> name and tag shown at OK
    std::map<int, bool> active;                             // zones added or deleted
    std::optional<bool> zonesOn;                            // Enable Zones, as last chosen
    Allowed live; // what vote setup stored, which the bank's Cancel keeps
    void replace(int i) {
        whole.insert(i);
        expected.erase(i);
    }
};

// A form that stays open after its OK (or Cancel, or Escape) is cancelled; true when it was.
inline bool CancelIfOpen(Walker& w, QWidget* form, QPushButton* cancel) {
    if (!form->isVisible())
        return false;
    w.did("refused; Cancel");
    QTest::mouseClick(cancel, Qt::LeftButton);
    return true;
}

// The session of a dialog: some actions, then OK, Cancel or Escape; true when it closed
// with OK. One that refuses its OK is cancelled.
inline bool Session(Walker& w, QDialog* d, QPushButton* ok, QPushButton* cancel,
                    const std::function<void(QWidget*)>& touch,
                    const std::vector<QWidget*>& clickable, const std::function<void()>& more = {},
                    int steps = 10) {
    for (int n = w.in.pick(steps); n > 0 && d->isVisible() && w.in.more(); --n)
        more&& w.in.pick(3) == 0 ? more() : w.act(d, touch, clickable);
    if (!d->isVisible())
        return d->result() == 1;
    const int end = std::max(0, w.in.pick(4) - 1); // OK half the time
    w.did(end == 0 ? "OK" : end == 1 ? "Cancel" : "Escape");
    if (end == 2)
        QTest::keyClick(d->isAncestorOf(w.focus()) ? w.focus() : d, Qt::Key_Escape);
    else
        QTest::mouseClick(end == 0 ? ok : cancel, Qt::LeftButton);
    return !CancelIfOpen(w, d, cancel) && d->result() == 1 && end == 0;
}

inline QString Differs(const char* what, const QString& shown, const QString& stored) {
    return shown == stored ? QString()
                           : QStringLiteral("%1 showed '%2', stored '%3'").arg(what, shown, stored);
}

inline uint32_t ShownHz(const QString& text) {
    return uint32_t(text.toDouble() * 1e6 + 0.5);
}

// What the user puts in the names and tags of channels and zones: digits, A to Z and
// " *+-._" (a stored text is shown as it is: {at opening, at OK} for each box).
inline void ExpectRadioCharacters(Walker& w,
                                  const std::vector<std::pair<QString, QString>>& texts) {
    static const QString rule = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ *+-._");
    for (const auto& [opened, closed] : texts)
        for (const QChar c : closed)
            if (!rule.contains(c) && !opened.contains(c))
                w.fail(QStringLiteral("'%1' was let in ('%2')").arg(c).arg(closed));
}

// The session of an edit dialog over `boxes`; what the user touched when it closed with OK.
inline std::optional<Touch> EditSession(Walker& w, QDialog* d, QPushButton* ok, QPushButton* cancel,
                                        const std::vector<Box>& boxes,
                                        const std::function<void()>& more = {}) {
    Touch t;
    w.did("edit " + d->windowTitle());
    if (!Session(
            w, d, ok, cancel, [&](QWidget* c) { t |= TouchOf(boxes, c); }, Clickable(boxes), more))
        return std::nullopt;
    return t;
}

// A channel the session has not changed shows its record's flag bits (record bytes 0 and 1) as
// the bank opened or read it.
inline void ExpectFlagsShown(Walker& w, TfrmEditChannel2* d, const std::vector<Box>& boxes,
                             const BankEdits& e) {
    const int i = d->ChannelIndex;
    if (d->windowTitle().startsWith("Add") || e.touched.count(i) || e.whole.count(i))
        return;
    const auto* record =
        reinterpret_cast<const uint8_t*>(e.before.constData()) + chlayout::Record(i);
    for (const Box& box : boxes)
        if (auto* check = qobject_cast<QCheckBox*>(box.control);
            check && (box.touch.flags | box.touch.flags1))
            if (const bool set = (record[0] & box.touch.flags) | (record[1] & box.touch.flags1);
                set != (check->isChecked() != (check == d->chkChEnabled)))
                w.fail(QStringLiteral("CH%1: \"%2\" shows otherwise than its bit")
                           .arg(i + 1)
                           .arg(check->text()));
}

inline void EditChannel(Walker& w, TfrmEditChannel2* d, BankEdits& e) {
    using T = Touch;
    // The clickable ones first, in the order the walk picks them.
    const std::vector<Box> boxes = {{d->txtChannelAlpha, {T::Name}},
                                    {d->editChTag, {T::Tag}},
                                    {d->editTxFreq, {T::Tx}},
                                    {d->editRxFreq, {T::Rx}},
                                    {d->chkTxDisable, {T::Tx}},
                                    {d->rbTx_1, {T::Tx}},
                                    {d->rbTx_2, {T::Tx}},
                                    {d->rbRx_1, {T::Rx}},
                                    {d->rbRx_2, {T::Rx}},
                                    {d->chkChEnabled, Flag(chbit::Visible)},
                                    {d->chkTaEnabled, Flag(chbit::TalkAround)},
                                    {d->chkBlEnabled, Flag(chbit::BusyLockout)},
                                    {d->chkTxLowPower, Flag(chbit::LowPower)},
                                    {d->chkDisableChannelHold, Flag(chbit::CtcssVoting)},
                                    {d->chkOsMem, Flag1(chbit::OpenScan)},
                                    {d->chkGsMem, Flag1(chbit::GroupScan)},
                                    {d->chkQMem, Flag1(chbit::Quiet)},
                                    {d->chkSqlSwEnabled, Flag1(chbit::SquelchSw)},
                                    {d->chkNarrowBand, Flag1(chbit::Narrow)},
                                    {d->chkCpuXtalOffset, Flag1(chbit::CpuOffset)},
                                    {d->chkDcsInvertOK, Flag1(chbit::DcsInvert)},
                                    {d->udTxFreq, {T::Tx}},
                                    {d->udRxFreq, {T::Rx}},
                                    {d->cmbTxCtcss, {T::TxTone}},
                                    {d->cmbRxCtcss, {T::RxTone}}};
    ExpectFlagsShown(w, d, boxes, e);
    const std::pair opened{d->txtChannelAlpha->text(), d->editChTag->text()};
    std::optional<Touch> t = EditSession(w, d, d->OKBtn, d->CancelBtn, boxes);
    if (!t)
        return;
    *t |= Flag(chbit::Group), *t |= Flag(chbit::SignalVote); // a normal channel's
    e.touched[d->ChannelIndex] |= *t;
    std::map<QString, Expectation>& expect = e.expected[d->ChannelIndex];
    const QString name = d->txtChannelAlpha->text();
    ExpectRadioCharacters(w, {{opened.first, name}, {opened.second, d->editChTag->text()}});
    expect["name"] = [name](const ch_data_struct& r) { return Differs("name", name, r.name); };
    const auto expectHz = [&](unsigned field, const char* what, uint32_t hz, auto code,
                              auto offset) {
        if (t->fields & field)
            expect[what] = [=](const ch_data_struct& r) {
                const uint32_t stored = ChData::DecodeFrequency(r.*code, r.*offset);
                return std::abs(int64_t(stored) - hz) <= 3125
                           ? QString()
                           : QStringLiteral("%1 showed %2 Hz, stored %3")
                                 .arg(what)
                                 .arg(hz)
                                 .arg(stored);
            };
    };
    expectHz(T::Tx, "TX", d->chkTxDisable->isChecked() ? 0 : ShownHz(d->editTxFreq->text()),
             &ch_data_struct::txCode, &ch_data_struct::txOffset);
    expectHz(T::Rx, "RX", ShownHz(d->editRxFreq->text()), &ch_data_struct::rxCode,
             &ch_data_struct::rxOffset);
    const auto expectTone = [&](unsigned field, const char* what, QComboBox* combo, auto tone) {
        if ((t->fields & field) && combo->currentIndex() >= 0) // no item: the tone stays
            expect[what] = [what, shown = combo->currentIndex(), tone](const ch_data_struct& r) {
                return Differs(what, QString::number(shown), QString::number(r.*tone));
            };
    };
    expectTone(T::TxTone, "TX tone", d->cmbTxCtcss, &ch_data_struct::txTone);
    expectTone(T::RxTone, "RX tone", d->cmbRxCtcss, &ch_data_struct::rxTone);
    for (const Box& box : boxes) {
        auto* check = qobject_cast<QCheckBox*>(box.control);
        const Touch bit = box.touch; // a flag box's bit
        if (!check || !((bit.flags & t->flags) | (bit.flags1 & t->flags1)))
            continue;
        const bool set = check->isChecked() != (check == d->chkChEnabled);
        expect[check->text()] = [=, text = check->text()](const ch_data_struct& r) {
            return bool((r.flags & bit.flags) | (r.flags1 & bit.flags1)) == set
                       ? QString()
                       : QStringLiteral("\"%1\" not stored as shown").arg(text);
        };
    }
}

inline void EditGroup(Walker& w, TfrmGrpEdit* d, BankEdits& e) {
    const auto pickRow = [&] {
        ClickRow(w, w.in.pick(2) ? d->sgMACList : d->sgGroupList, "click row ");
    };
    const std::vector<Box> boxes = {{d->txtChannelAlpha, {Touch::Name}},
                                    {d->editTag, {Touch::Tag}},
                                    {d->rbBusyVoting, Flag(chbit::SignalVote)},
                                    {d->rbSignalVoting, Flag(chbit::SignalVote)},
                                    {d->chkBlEnabled, Flag(chbit::BusyLockout)},
                                    {d->chkTxLowPower, Flag(chbit::LowPower)},
                                    {d->chkDisplayVoteChannel, Flag(chbit::DisplayVote)},
                                    {d->chkQMem, Flag1(chbit::Quiet)},
                                    {d->btnAdd, {Touch::Members}},
                                    {d->btnRemove, {Touch::Members}},
                                    {d->chkSelectAllZones, {}}};
    const std::pair opened{d->txtChannelAlpha->text(), d->editTag->text()};
    const std::optional<Touch> t = EditSession(w, d, d->btnOK, d->btnCancel, boxes, pickRow);
    if (!t)
        return;
    e.touched[d->ChannelIndex] |= *t;
    QStringList shown;
    for (int row = 0; row < d->sgGroupList->rowCount(); ++row)
        if (QTableWidgetItem* item = d->sgGroupList->item(row, 0); item && !item->text().isEmpty())
            shown << item->text();
    const QString name = d->txtChannelAlpha->text();
    ExpectRadioCharacters(w, {{opened.first, name}, {opened.second, d->editTag->text()}});
    std::map<QString, Expectation>& expect = e.expected[d->ChannelIndex];
    expect["members"] = [shown](const ch_data_struct& r) {
        ChData one(1);
        one.SetRaw(r, 0);
        ch_group_struct group;
        one.GetGroup(group, 0);
        QStringList stored;
        for (int member : group.member)
            if (member)
                stored << QString::number(member);
        return Differs("members", shown.join(' '), stored.join(' '));
    };
    expect["name"] = [name](const ch_data_struct& r) { return Differs("name", name, r.name); };
}

// A picker: one of its entries by the arrow keys, then Ok or Cancel; the chosen number.
inline int Pick(Walker& w, QDialog* d, QComboBox* list, QPushButton* ok, QPushButton* cancel) {
    for (int n = w.in.pick(5); n > 0; --n)
        QTest::keyClick(list, Qt::Key_Down);
    const bool take = w.in.pick(4) != 0;
    w.did(d->windowTitle() + (take ? " " + list->currentText() : " Cancel"));
    QTest::mouseClick(take ? ok : cancel, Qt::LeftButton);
    return take && d->result() == 1 ? list->currentText().toInt() : 0;
}

// The session of a zone's name and tag (the first two of `controls`); true when it closed
// with OK, and zone() then shows them.
inline bool ZoneTexts(Walker& w, BankEdits& e, QDialog* d, const std::vector<QWidget*>& controls,
                      QPushButton* ok, QPushButton* cancel, const std::function<int()>& zone) {
    auto* name = qobject_cast<QLineEdit*>(controls[0]);
    auto* tag = qobject_cast<QLineEdit*>(controls[1]);
    w.did(d->windowTitle());
    const std::pair opened{name->text(), tag->text()};
    if (!Session(
            w, d, ok, cancel, [](QWidget*) {}, controls))
        return false;
    e.zones[zone()] = {name->text(), tag->text()};
    ExpectRadioCharacters(w, {{opened.first, name->text()}, {opened.second, tag->text()}});
    return true;
}

inline void VotingOptions(Walker& w, BankEdits& e);

// The zone of the bank's tab shown: 0 for "Unused", none while zones are off.
inline std::optional<int> ShownZone() {
    QTabBar* tabs = frmChnlBank->TabControl1;
    static const QRegularExpression number(QStringLiteral("(\\d+)$"));
    if (!tabs->isVisible())
        return std::nullopt;
    return number.match(tabs->tabText(tabs->currentIndex())).captured(1).toInt();
}

inline bool Empty(const ch_data_struct& r) {
    ChData one(1);
    one.SetRaw(r, 0);
    return one.IsEmpty(0);
}

// A channel pasted into slot i (unless the paste is refused): with zones on, it lies in the
// zone shown.
inline void Pasted(BankEdits& e, int i) {
    e.replace(i);
    if (const std::optional<int> zone = ShownZone())
        e.expected[i]["zone"] = [z = *zone](const ch_data_struct& r) {
            return Empty(r) ? QString()
                            : Differs("zone", QString::number(z), QString::number(r.zone));
        };
}

inline void AnswerBankDialog(Walker& w, QDialog* dialog, BankEdits& e) {
    if (qobject_cast<TfrmEditVote*>(dialog))
        return VotingOptions(w, e);
    if (auto* d = qobject_cast<TfrmEditChannel2*>(dialog))
        return EditChannel(w, d, e);
    if (auto* d = qobject_cast<TfrmGrpEdit*>(dialog))
        return EditGroup(w, d, e);
    if (auto* d = qobject_cast<TfrmSelectChannel*>(dialog)) {
        if (w.in.pick(3) == 0)
            QTest::mouseClick(d->rbGroup, Qt::LeftButton);
        if (const int n = Pick(w, d, d->cbChannel, d->btnOk, d->btnCancel))
            e.replace(n - 1);
        return;
    }
    if (auto* d = qobject_cast<TfrmChSelect*>(dialog)) {
        const int n = Pick(w, d, d->cbChannel, d->btnOK, d->btnCancel);
        if (n && d->windowTitle() == "Paste channel")
            Pasted(e, n - 1);
        if (const int i = frmChnlBank->SelectedChannel() - 1;
            n && i >= 0 && d->windowTitle() == "Select zone.") {
            e.touched[i].fields |= Touch::Zone;
            e.expected[i]["zone"] = [n](const ch_data_struct& r) {
                return Differs("zone", QString::number(n), QString::number(r.zone));
            };
        }
        return;
    }
    if (auto* d = qobject_cast<TfrmEditZone*>(dialog)) {
        ZoneTexts(w, e, d, {d->editZoneName, d->editZoneTag}, d->btnOk, d->btnCancel,
                  [] { return frmChnlBank->CurrentZone; });
        return;
    }
    if (auto* d = qobject_cast<TfrmAddZone*>(dialog)) {
        const auto zone = [d] { return d->cbZone->currentText().toInt(); };
        if (ZoneTexts(w, e, d, {d->editName, d->editTag, d->cbZone}, d->btnOk, d->btnCancel, zone))
            e.active[zone()] = true;
        return;
    }
    w.did("closed " + dialog->windowTitle());
    dialog->done(0);
}

// A bank command with a question answered OK or Cancel; true when it was asked a question
// that starts with `asked` and the walk said OK.
inline bool Confirmed(Walker& w, QAction* action, const QString& what, const QString& asked) {
    const bool yes = w.in.pick(2);
    w.did(what + (yes ? " (OK)" : " (Cancel)"));
    w.host.messageAnswers.enqueue(yes ? platform::IDOK : platform::IDCANCEL);
    const qsizetype from = w.host.messages.size();
    w.withModals([action] { action->trigger(); });
    w.host.messageAnswers.clear();
    for (qsizetype m = from; m < w.host.messages.size(); ++m)
        if (w.host.messages[m].text.startsWith(asked))
            return yes;
    return false;
}

// The channel numbers the bank lists.
inline std::set<int> ListedChannels(QTableWidget* list) {
    std::set<int> listed;
    for (int row = 0; row < list->rowCount(); ++row)
        if (const QTableWidgetItem* item = list->item(row, 0); item && item->text().toInt() > 0)
            listed.insert(item->text().toInt());
    return listed;
}

// Delete Zone on the zone tab shown: the zone goes, and every channel it lists is erased.
inline void DeleteZone(Walker& w, BankEdits& e) {
    TfrmChnlBank* bank = frmChnlBank;
    const int z = ShownZone().value_or(0);
    const std::set<int> listed = ListedChannels(bank->listChannel);
    std::set<int> held; // hidden ones too
    for (int i = 0; i < CH_COUNT; ++i)
        if (z && bank->Channels->GetZone(i) == z)
            held.insert(i);
    if (!z ||
        !Confirmed(w, bank->mnuDeleteZone, "Delete Zone", QStringLiteral("Delete Zone %1 ").arg(z)))
        return;
    for (const int i : held)
        e.replace(i);
    for (const int n : listed)
        e.expected[n - 1]["erased"] = [](const ch_data_struct& r) {
            return Empty(r) ? QString() : QStringLiteral("not erased with its zone");
        };
    e.zones[z] = {};
    e.active[z] = false;
}

// Members that break the rule of vote groups: an empty channel, the group itself, or a
// channel the radio does not have.
inline std::set<std::pair<int, int>> GroupFaults(const ChData& store, int radioSize) {
    std::set<std::pair<int, int>> faults;
    for (int g = 0; g < CH_COUNT; ++g) {
        ch_group_struct group;
        if (!store.IsGroup(g) || store.GetGroup(group, g) != 0)
            continue;
        for (int m : group.member)
            if (m && (m > chlayout::HighestMember(radioSize) || m == g + 1 || store.IsEmpty(m - 1)))
                faults.insert({g, m});
    }
    return faults;
}

// The areas Read Channels takes from a file: the channel records, the name tails, the
// tags with ext and zone, and zones 1 to 50.
constexpr std::pair<int, int> ChannelAreas[] = {
    {chlayout::RECORDS, chlayout::RECORD_SIZE* CH_COUNT},
    {chlayout::NAME_TAIL, chlayout::NAME_TAIL_CHARS* CH_COUNT},
    {chlayout::TAGS, chlayout::TAG_SIZE* CH_COUNT},
    {ZONE_TABLE + ZONE_ENTRY_SIZE, ZONE_ENTRY_SIZE* ZONE_COUNT}};

// Read Channels of a file of random bytes, 8 or 16 KiB long, that declares either size; once
// taken, the bank holds what the radio holds of the file: from the size the file declares
// (or its end) up, the file counts as erased.
inline void ReadChannels(Walker& w, BankEdits& e) {
    const int length = w.in.pick(2) ? EEPROM::SIZE : EEPROM::SIZE / 2;
    const int declared = w.in.pick(2) ? EEPROM::SIZE : EEPROM::SIZE / 2;
    Image file(EEPROM::SIZE, '\0');
    FillRandom(reinterpret_cast<uint8_t*>(file.data()), Seed(w.in));
    file[EEPROM::SIZE_BYTE] = char(declared / 1024);
    if (w.in.pick(4)) // most files hold no vote groups, whose random members it would refuse
        for (int i = 0; i < CH_COUNT; ++i)
            file[chlayout::Record(i)] =
                char(file[chlayout::Record(i)] & ~chbit::Mask(chbit::Group));
    const QString path = qEnvironmentVariable("XDG_CONFIG_HOME") + "/channels.mem";
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(file.left(length)) != length)
        return w.fail("cannot write " + path);
    out.close();
    const bool chosen = w.in.pick(5) != 0;
    w.host.fileAnswers.enqueue(chosen ? path : QString());
    const bool yes = w.in.pick(2);
    w.host.messageAnswers.enqueue(yes ? platform::IDOK : platform::IDCANCEL);
    w.did(QStringLiteral("Read Channels of %1 bytes declaring %2%3")
              .arg(length)
              .arg(declared)
              .arg(chosen ? yes ? " (OK)" : " (Cancel)" : " cancelled"));
    const qsizetype from = w.host.messages.size();
    w.withModals([] { frmChnlBank->menuReadChannels->trigger(); });
    w.host.fileAnswers.clear();
    w.host.messageAnswers.clear();
    bool taken = chosen;
    for (qsizetype m = from; m < w.host.messages.size(); ++m)
        taken &= (w.host.messages[m].flags & platform::MB_OKCANCEL) && yes;
    if (!taken)
        return;
    std::fill(file.begin() + std::min(length, declared), file.end(), char(chlayout::ERASED));
    for (const auto& [offset, count] : ChannelAreas)
        for (int at = offset; at < std::min(offset + count, w.radioSize); ++at)
            e.before[at] = file[at];
    for (const auto& [group, member] : GroupFaults(Decoded(e.before, w.radioSize), w.radioSize))
        w.fail(QStringLiteral("Read Channels took group CH%1 listing CH%2")
                   .arg(group + 1)
                   .arg(member));
    BankEdits read;
    read.before = std::move(e.before);
    read.live = std::move(e.live);
    e = std::move(read);
    if (w.radioSize == EEPROM::SIZE) {
        e.before[76] = char((e.before[76] & 0x7F) | (file[76] & 0x80));
        e.zonesOn = file[76] & 0x80;
    }
}

inline void BankAction(Walker& w, BankEdits& e) {
    TfrmChnlBank* bank = frmChnlBank;
    QTableWidget* list = bank->listChannel;
    const int selected = bank->SelectedChannel() - 1;
    const auto run = [&](QAction* action, const QString& what) {
        w.did(what);
        w.withModals([action] { action->trigger(); });
    };
    switch (w.in.pick(16)) {
    case 0:
    case 1:
        return ClickRow(w, list, "click CH");
    case 2:
        w.did("Enter on CH" + QString::number(selected + 1));
        return w.withModals([list] { QTest::keyClick(list, Qt::Key_Return); });
    case 3:
        return run(bank->menuAddChannel, "Add Channel");
    case 4: {
        const bool yes = w.in.pick(2);
        w.host.messageAnswers.enqueue(yes ? platform::IDOK : platform::IDCANCEL);
        if (selected >= 0 && yes)
            e.replace(selected);
        run(bank->menuDeleteChannel, "Delete Channel");
        w.host.messageAnswers.clear();
        return;
    }
    case 5:
        if (selected >= 0)
            e.replace(selected);
        return run(bank->mnuCutChannel, "Cut");
    case 6:
        return run(bank->mnuCopyChannel, "Copy");
    case 7:
        if (bank->mnuPasteChannel->isEnabled())
            run(bank->mnuPasteChannel, "Paste");
        return;
    case 8:
        if (bank->TabControl1->isVisible())
            ClickTab(w, bank->TabControl1, "tab ");
        return;
    case 10:
        return run(bank->mnuAddZone, "Add Zone");
    case 11:
        return DeleteZone(w, e);
    case 12:
        return run(bank->mnuMovetoZone, "Move to Zone");
    case 13: {
        const bool was = e.zonesOn.value_or(e.before[76] & 0x80);
        run(bank->menuEnableZones, "Enable Zones");
        if (w.radioSize == EEPROM::SIZE)
            e.zonesOn = !was;
        return;
    }
    case 14:
        return ReadChannels(w, e);
    case 15:
        return run(bank->editVoteOptions, "Voting Options");
    default:
        if (bank->editZoneName->isVisible()) {
            w.did("double-click zone name");
            w.withModals([bank] { QTest::mouseDClick(bank->editZoneName, Qt::LeftButton); });
        }
        return;
    }
}

inline void ExpectRecord(Walker& w, int i, const ch_data_struct& a, const ch_data_struct& b,
                         const Touch& t, bool renumbered) {
    const auto same = [&](unsigned field, bool equal, const char* what) {
        if (!equal && !(t.fields & field))
            w.fail(QStringLiteral("CH%1: %2 changed").arg(i + 1).arg(what));
    };
    same(Touch::Name, std::equal(a.nameBytes, a.nameBytes + CH_NAME_LENGTH, b.nameBytes), "name");
    same(Touch::Tx | Touch::Members, a.txCode == b.txCode && a.txOffset == b.txOffset, "TX");
    same(Touch::Rx | Touch::Members, a.rxCode == b.rxCode && a.rxOffset == b.rxOffset, "RX");
    same(Touch::TxTone | Touch::Members, a.txTone == b.txTone, "TX tone");
    same(Touch::RxTone | Touch::Members, a.rxTone == b.rxTone, "RX tone");
    same(Touch::Members, a.ext == b.ext, "ext");
    same(Touch::Zone, a.zone == b.zone, "zone");
    same(0, ((a.flags ^ b.flags) & ~t.flags) == 0, "flags");
    same(0, ((a.flags1 ^ b.flags1) & ~t.flags1) == 0, "flags1");
    ch_normal_struct tag;
    std::copy(std::begin(b.tag), std::end(b.tag), tag.tag);
    const bool tagKept = renumbered ? tag.GetTag() == DefaultChannelTag(i)
                                    : std::equal(a.tag, a.tag + CH_TAG_LENGTH, b.tag);
    same(Touch::Tag, tagKept, "tag");
}

// The radio's display: a-z as A-Z, and what lies outside 0x20..'Z' as a space.
inline QChar Displayed(int c) {
    c = c >= 'a' && c <= 'z' ? c - 32 : c;
    return QChar(c < 0x20 || c > 'Z' ? ' ' : c);
}
inline QString AsDisplayed(const QString& text) {
    QString shown;
    for (const QChar c : text)
        shown += Displayed(c.unicode());
    return shown;
}
// The text of `count` bytes at `offset` as the radio shows it: an erased byte ends it,
// bit 7 is not part of the character.
inline QString RadioText(const Image& image, int offset, int count) {
    QString text;
    for (int i = offset; i < offset + count && uint8_t(image[i]) != 0xFF; ++i)
        text += Displayed(image[i] & 0x7F);
    return text;
}

inline void CheckBank(Walker& w, const Image& after, const BankEdits& e, qsizetype messagesBefore) {
    const Image& before = e.before;
    const bool big = w.radioSize == EEPROM::SIZE;
    Allowed allowed;
    Allow(allowed, 71, 0x08); // cleared on OK
    Allow(allowed, 74, 0x10); // the renumbering request, done
    Allow(allowed, chlayout::RECORDS, 0xFF, chlayout::RECORD_SIZE * CH_COUNT); // decoded below
    bool anyZone = false;
    for (int z = 1; z <= ZONE_COUNT; ++z)
        anyZone |= !(before[ZoneOffset(z) + ZONE_ENTRY_SIZE - 1] & 0x80);
    if (big) {
        Allow(allowed, chlayout::NAME_TAIL, 0xFF, chlayout::NAME_TAIL_CHARS * CH_COUNT);
        Allow(allowed, chlayout::TAGS, 0xFF, chlayout::TAG_SIZE * CH_COUNT);
        for (const auto& zone : e.zones)
            Allow(allowed, ZoneOffset(zone.first), 0xFF, ZONE_ENTRY_SIZE - 1);
        for (const auto& zone : e.active)
            Allow(allowed, ZoneOffset(zone.first) + ZONE_ENTRY_SIZE - 1, ZONE_INACTIVE);
        if (!anyZone)
            Allow(allowed, ZoneOffset(1) + ZONE_ENTRY_SIZE - 1, ZONE_INACTIVE);
        if (e.zonesOn)
            Allow(allowed, 76, 0x80);
    }
    for (const auto& [offset, bits] : e.live)
        allowed[offset] |= bits;
    ExpectOnly(w, before, after, allowed);
    const ChData was = Decoded(before, w.radioSize), is = Decoded(after, w.radioSize);
    const bool renumbered = e.renumbered;
    for (int i = 0; i < CH_COUNT; ++i) {
        ch_data_struct a, b;
        was.GetRaw(a, i);
        is.GetRaw(b, i);
        const auto t = e.touched.find(i);
        if (!e.whole.count(i))
            ExpectRecord(w, i, a, b, t == e.touched.end() ? Touch{} : t->second, renumbered);
        if (const auto x = e.expected.find(i); x != e.expected.end())
            for (const auto& [field, expect] : x->second)
                if (const QString wrong = expect(b); !wrong.isEmpty())
                    w.fail(QStringLiteral("CH%1: %2").arg(i + 1).arg(wrong));
    }
    const auto faultsBefore = GroupFaults(was, w.radioSize);
    for (const auto& fault : GroupFaults(is, w.radioSize))
        if (!faultsBefore.count(fault))
            w.fail(QStringLiteral("group CH%1 lists CH%2").arg(fault.first + 1).arg(fault.second));
    // A channel stored where a group lists an empty slot joins it only after a question.
    QString asked;
    for (qsizetype m = messagesBefore; m < w.host.messages.size(); ++m)
        asked += w.host.messages[m].text + "\n";
    for (const auto& fault : faultsBefore)
        if (!e.whole.count(fault.first) && !e.touched.count(fault.first) &&
            fault.second != fault.first + 1 && fault.second <= CH_COUNT &&
            !is.IsEmpty(fault.second - 1) &&
            !asked.contains(QRegularExpression(QStringLiteral("\\bCH%1\\b").arg(fault.first + 1))))
            w.fail(QStringLiteral("CH%1 joined group CH%2 unasked")
                       .arg(fault.second)
                       .arg(fault.first + 1));
    for (const auto& [z, shown] : e.zones) {
        const QString name = RadioText(after, ZoneOffset(z) + 2, 9),
                      tag = RadioText(after, ZoneOffset(z), 2);
        if (big && (name.trimmed() != AsDisplayed(shown.first).trimmed() ||
                    tag.trimmed() != AsDisplayed(shown.second).trimmed()))
            w.fail(QStringLiteral("zone %1 showed '%2' '%3', stored '%4' '%5'")
                       .arg(z)
                       .arg(shown.first, shown.second, name, tag));
    }
    for (const auto& [z, on] : e.active)
        if (big && bool(after[ZoneOffset(z) + ZONE_ENTRY_SIZE - 1] & ZONE_INACTIVE) == on)
            w.fail(QStringLiteral("zone %1 was %2").arg(z).arg(on ? "added" : "deleted"));
    if (big && e.zonesOn && bool(after[76] & 0x80) != *e.zonesOn)
        w.fail(QStringLiteral("zones were switched %1").arg(*e.zonesOn ? "on" : "off"));
}

inline void BankSession(Walker& w) {
    const Image before = Snapshot();
    const qsizetype messagesBefore = w.host.messages.size();
    BankEdits e;
    e.before = before;
    e.renumbered = w.radioSize == EEPROM::SIZE && (before[74] & 0x10);
    w.answer = [&](QDialog* d) { AnswerBankDialog(w, d, e); };
    w.did("open Channel Data");
    Show(frmChnlBank);
    for (int n = w.in.pick(12); n > 0 && w.in.more(); --n)
        BankAction(w, e);
    const bool ok = w.in.pick(4) != 0;
    w.did(ok ? "bank OK" : "bank Cancel");
    QTest::mouseClick(ok ? frmChnlBank->btnOK : frmChnlBank->btnCancel, Qt::LeftButton);
    const bool stored = !CancelIfOpen(w, frmChnlBank, frmChnlBank->btnCancel) && ok;
    const Image after = Snapshot();
    if (stored)
        CheckBank(w, after, e, messagesBefore);
    else
        ExpectOnly(w, before, after, e.live);
}

// ---- the radio-wide editors ----

// A form opened as the program opens it, some actions, then OK or Cancel (or Escape); after
// OK only the bits of what the user touched may change, and the form opened again shows what
// it showed at OK; after Cancel nothing changes.
// ---- the oracle: how what a control shows becomes the bits of its field ----

// A field's value: the bits of `bits`, byte by byte in offset order, lowest bit first.
inline long FieldValue(const Image& image, const Allowed& bits) {
    long value = 0;
    int at = 0;
    for (const auto& [offset, mask] : bits)
        for (int b = 0; b < 8; ++b)
            if (mask >> b & 1)
                value |= long(uint8_t(image[offset]) >> b & 1) << at++;
    return value;
}
inline long FieldMask(const Allowed& bits) {
    int width = 0;
    for (const auto& entry : bits)
        width += __builtin_popcount(entry.second);
    return (1L << width) - 1;
}

// The value a control's field holds for what the control shows; none when it says
// nothing (a radio button not chosen, a box without a number).
using Encode = std::function<std::optional<long>(QWidget*)>;
inline std::optional<long> Ticked(QWidget* c) {
    return long(qobject_cast<QAbstractButton*>(c)->isChecked());
}
inline Encode Chosen(long code) {
    return [code](QWidget* c) -> std::optional<long> {
        return Ticked(c).value() ? std::optional<long>(code) : std::nullopt;
    };
}
inline Encode Position(int scale = 1) {
    return [scale](QWidget* c) -> std::optional<long> {
        return long(qobject_cast<QAbstractSlider*>(c)->value()) * scale;
    };
}
// The item a list shows: its current item, or for an editable list the item its text names
// whole (-1 for none).
inline int ShownItem(const QComboBox* list) {
    if (!list->isEditable())
        return list->currentIndex();
    for (int i = 0; i < list->count(); ++i)
        if (list->itemText(i) == list->currentText())
            return i;
    return -1;
}
// The item's number, or values[item] when given.
inline Encode Item(std::vector<long> values = {}) {
    return [values](QWidget* c) -> std::optional<long> {
        const int item = ShownItem(qobject_cast<QComboBox*>(c));
        if (item < 0 || (!values.empty() && size_t(item) >= values.size()))
            return std::nullopt;
        return values.empty() ? item : values[size_t(item)];
    };
}
// A number typed as decimal text, held within lowest..highest.
inline Encode Decimal(int lowest = 0, int highest = INT_MAX) {
    return [=](QWidget* c) -> std::optional<long> {
        bool number = false;
        const int value = qobject_cast<QLineEdit*>(c)->text().trimmed().toInt(&number);
        return number ? std::optional<long>(std::clamp(value, lowest, highest)) : std::nullopt;
    };
}

// A control of a form: the bits it may change, and how what it shows becomes them. An
// exact one shows every value its bits can hold as stored; a live one stores as it is
// used, so Cancel keeps what it stored.
struct Field {
    QWidget* control;
    Allowed bits;
    Encode value = {};
    bool exact = false;
    bool live = false;
};

// Each field of a form shows what its bits hold (the exact ones) ...
inline void ExpectShownAsStored(Walker& w, const std::vector<Field>& fields, const Image& image) {
    for (const Field& f : fields)
        if (f.exact && f.value(f.control) != FieldValue(image, f.bits))
            w.fail(QStringLiteral("%1 shows %2, its bits hold %3")
                       .arg(Walker::Name(f.control))
                       .arg(f.value(f.control).value_or(-1))
                       .arg(FieldValue(image, f.bits)));
}

// ... and a field whose bits changed, or that shows another value than at opening, holds
// what the control shows.
inline void ExpectStoredAsShown(Walker& w, const std::vector<Field>& fields, const Image& before,
                                const Image& after, const std::map<QWidget*, QString>& opened,
                                const std::map<QWidget*, QString>& closed) {
    for (const Field& f : fields) {
        const std::optional<long> shown = f.value ? f.value(f.control) : std::nullopt;
        if (!shown)
            continue;
        // -1: a value the bits cannot hold
        const long mask = FieldMask(f.bits), want = *shown > mask ? -1 : *shown & mask;
        const long is = FieldValue(after, f.bits);
        const auto at = [&](const std::map<QWidget*, QString>& m) {
            const auto it = m.find(f.control);
            return it == m.end() ? QString() : it->second;
        };
        if ((is != FieldValue(before, f.bits) || at(opened) != at(closed)) && is != want)
            w.fail(QStringLiteral("%1 showed '%2': its bits at byte %3 hold %4, not %5")
                       .arg(Walker::Name(f.control), at(closed))
                       .arg(f.bits.begin()->first)
                       .arg(is)
                       .arg(want < 0 ? QStringLiteral("what it shows") : QString::number(want)));
    }
}
struct Editor {
    QDialog* form;
    QPushButton *ok, *cancel;
    std::vector<Field> fields; // the clickable ones in the order the walk picks them
    Normal normal = [](QWidget*, const QString& text) { return text; };
    std::function<void(Allowed&)> more = {}; // an action of the form's own
    std::function<void()> open = [this] { Show(form); };
    // Touching a control may allow more than its field (a grid: the row it is on).
    std::function<void(QWidget*, Allowed&)> touchMore = [](QWidget*, Allowed&) {};
    std::function<void(Walker&)> check = {};
    std::function<void(Walker&)> stored = {}; // a rule of the form's own after OK
    int steps = 10;                           // at most, before OK or Cancel
    bool modal = false; // opened by another form, which runs it: it is not opened again
};

// The bits a control's fields may change once it is touched.
inline void Touched(const Editor& ed, QWidget* control, Allowed& allowed) {
    for (QWidget* c = control; c; c = c->parentWidget())
        for (const Field& field : ed.fields)
            if (field.control == c)
                for (const auto& [offset, bits] : field.bits)
                    allowed[offset] |= bits;
    ed.touchMore(control, allowed);
}

// What a form lists: every combo's items.
inline QStringList Listed(QWidget* form) {
    QStringList items;
    for (QComboBox* combo : form->findChildren<QComboBox*>())
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
    return items;
}

// A radio of 8 KiB keeps nothing above its size: no form shows what the image holds there.
inline void ExpectBlindAbove(Walker& w, Editor& ed) {
    const auto shown = Shown(ed.form, ed.normal);
    const QStringList listed = Listed(ed.form);
    ed.form->hide();
    const Image held = Snapshot();
    for (int i = w.radioSize; i < EEPROM::SIZE; ++i)
        eeprom.data[i] ^= 0x5A;
    ed.open();
    const QString differs = FirstDifference(shown, Shown(ed.form, ed.normal));
    const bool listsSame = Listed(ed.form) == listed;
    std::copy(held.begin(), held.end(), eeprom.data);
    ed.form->hide();
    ed.open();
    if (!differs.isEmpty() || !listsSame)
        w.fail(ed.form->windowTitle() + " shows bytes above the radio's size: " +
               (listsSame ? differs : QStringLiteral("its lists change")));
}

// The session of an editor; the bits it may have changed.
inline Allowed EditorSession(Walker& w, Editor& ed) {
    w.did("open " + ed.form->windowTitle());
    ed.open();
    if (w.radioSize < EEPROM::SIZE && !ed.modal)
        ExpectBlindAbove(w, ed);
    const Image before = Snapshot();
    Allowed allowed;
    const auto touch = [&](QWidget* control) { Touched(ed, control, allowed); };
    ed.touchMore(nullptr, allowed);
    ExpectShownAsStored(w, ed.fields, before);
    const auto opened = Shown(ed.form, ed.normal);
    Allowed kept; // what the live fields touched stored already
    const auto touchAll = [&](QWidget* control) {
        touch(control);
        for (const Field& field : ed.fields)
            if (field.live && (field.control == control || field.control->isAncestorOf(control)))
                for (const auto& [offset, bits] : field.bits)
                    kept[offset] |= bits;
    };
    std::vector<QComboBox*> lists;
    for (const Field& field : ed.fields)
        if (auto* combo = qobject_cast<QComboBox*>(field.control))
            lists.push_back(combo);
    // The form's own action, or an item chosen from one of its lists in use.
    const std::function<void()> more = [&] {
        std::vector<QComboBox*> enabled;
        std::copy_if(lists.begin(), lists.end(), std::back_inserter(enabled),
                     [](QComboBox* combo) { return combo->isEnabled(); });
        if (ed.more && (enabled.empty() || w.in.pick(2)))
            return ed.more(allowed);
        if (enabled.empty())
            return;
        QComboBox* combo = enabled[size_t(w.in.pick(int(enabled.size())))];
        touchAll(combo);
        w.click(combo);
    };
    const bool stored = Session(w, ed.form, ed.ok, ed.cancel, touchAll, Clickable(ed.fields),
                                ed.more || !lists.empty() ? more : nullptr, ed.steps);
    const bool live = bool(ed.check); // stores as the user leaves each box
    const auto atClose = Shown(ed.form, ed.normal);
    const Image after = Snapshot();
    ExpectOnly(w, before, after, stored || live ? allowed : kept);
    if (stored || live)
        ExpectStoredAsShown(w, ed.fields, before, after, opened, atClose);
    if (stored && ed.stored)
        ed.stored(w);
    if (live)
        ed.check(w);
    if (!stored && !live)
        return kept;
    if (!ed.modal) {
        ed.open();
        if (const QString differs = FirstDifference(atClose, Shown(ed.form, ed.normal));
            !differs.isEmpty())
            w.fail(differs + " when opened again");
        ed.form->hide();
    }
    return allowed;
}

// A recall text as the channel it names; null for one that names none.
inline QString RecallNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^\\s*(CB)?\\s*(\\d+)"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(1) + QString::number(match.captured(2).toInt())
                            : QString();
}

// A recall memory's word: channel n is n - 1, CB channel n is 499 + n.
inline std::optional<long> RecallWord(QWidget* c) {
    auto* combo = qobject_cast<QComboBox*>(c);
    const QString number = RecallNumber(combo->currentText());
    if (combo->findText(combo->currentText()) < 0 || number.isNull())
        return std::nullopt;
    return number.startsWith("CB") ? 499 + number.mid(2).toInt() : number.toInt() - 1;
}

// Twelve digits of four bits, the first in the high half of the first byte; 15 fills.
inline std::optional<long> DtmfDigits(QWidget* c) {
    static const QString digits = QStringLiteral("0123456789*#p");
    const QString text = qobject_cast<QLineEdit*>(c)->text();
    if (text.size() > 12)
        return 1L << 48; // more than the six bytes hold
    long value = 0;
    for (int i = 0; i < 12; ++i) {
        const long code = i < text.size() ? digits.indexOf(text[i]) : 15;
        if (code < 0)
            return std::nullopt;
        value |= code << (8 * (i / 2) + (i % 2 ? 0 : 4));
    }
    return value;
}

inline void UserButtons(Walker& w) {
    TfrmUserButtons* f = frmUserButtons;
    const Allowed scan = Bits(0x4A, 0x07);
    Editor ed{f, f->OKBtn, f->CancelBtn, {}};
    // The scan mode bits follow the keys' functions as shown, at every OK.
    ed.touchMore = [scan](QWidget*, Allowed& allowed) { allowed[0x4A] |= scan.at(0x4A); };
    // Each key: its function's byte, then its selcall memory's.
    const std::pair<QComboBox*, int> keys[][2] = {
        {{f->cmbButtonF1, 0x8F}, {f->cmbSelcallBtnF1, 0xAF}},
        {{f->cmbButtonF2, 0x90}, {f->cmbSelcallBtnF2, 0xB0}},
        {{f->cmbButtonF3, 0x91}, {f->cmbSelcallBtnF3, 0xB1}},
        {{f->cmbButtonF4, 0x92}, {f->cmbSelcallBtnF4, 0xB2}},
        {{f->cmbButtonA, 0x8D}, {f->cmbSelcallBtnA, 0xAD}},
        {{f->cmbButtonB, 0x8E}, {f->cmbSelcallBtnB, 0xAE}},
        {{f->cmbButtonE, 0x82}, {f->cmbSelcallBtnE, 0x83}},
        {{f->cmbButtonCall, 0x50}, {f->cmbSelcallBtnCall, 0xB3}},
        {{f->cmbButtonMicA, 0x44}, {f->cmbSelcallBtnMicA, 0x45}}};
    for (const auto& key : keys)
        for (const auto& [combo, offset] : key)
            ed.fields.push_back({combo, Bits(offset), Item()});
    // Memory m: a recall channel of two bytes, a DTMF number of six.
    QComboBox* const recall[] = {f->cmbRecallM1, f->cmbRecallM2, f->cmbRecallM3, f->cmbRecallM4};
    QLineEdit* const dtmf[] = {f->txtDtmfMem1, f->txtDtmfMem2, f->txtDtmfMem3, f->txtDtmfMem4};
    for (int m = 0; m < 4; ++m) {
        ed.fields.push_back({recall[m], Bits(0x74 + 2 * m, 0xFF, 2), RecallWord});
        ed.fields.push_back({dtmf[m], Bits(0x93 + 6 * m, 0xFF, 6), DtmfDigits});
    }
    const Field options[] = {{f->chkMonitorOpenSql, Bits(0x47, 0x40), Ticked, true},
                             {f->chkQuietMemMod, Bits(0x48, 0x01), Ticked, true},
                             {f->chkScanMemMod, Bits(0x48, 0x02), Ticked, true},
                             {f->chkRecallChMod, Bits(0x48, 0x04), Ticked, true},
                             {f->rbOsMode, scan},
                             {f->rbGsMode, scan},
                             {f->chkCallButtonEnabled, Bits(0x4D, 0x20), Ticked, true},
                             {f->chkAlarmInput, Bits(0x4E, 0x20), Ticked, true},
                             {f->chkGsTxOnHold, Bits(0x4E, 0x40), Ticked, true},
                             {f->chkFastResponse, Bits(0x4F, 0x40), Ticked, true}};
    ed.fields.insert(ed.fields.end(), std::begin(options), std::end(options));
    for (int k = 0; k < keyfn::HookActions; ++k)
        ed.fields.push_back({f->chkOffHook[k], Bits(0x34, uint8_t(1u << k)), Ticked, true});
    ed.fields.push_back({f->cmbScanSpeed, Bits(0x54), Item({20, 10, 5})});
    // A key given a function that brings a control into use, then that control used:
    // {function, control (none: the key's own selcall memory), what is typed into it}.
    const auto recallText = [&w] {
        return w.in.pick(3) ? QString::number(1 + w.in.pick(560))
                            : QStringLiteral("CB %1").arg(1 + w.in.pick(45), 2, 10, QChar('0'));
    };
    const auto dtmfText = [&w] {
        static const QString keys = QStringLiteral("0123456789*#pP");
        QString text;
        for (int n = 1 + w.in.pick(14); n > 0; --n)
            text += keys[w.in.pick(int(keys.size()))];
        return text;
    };
    const std::tuple<int, QWidget*, std::function<QString()>> uses[] = {
        {keyfn::Scan, f->cmbScanSpeed, {}}, {13, nullptr, {}},
        {9, f->cmbRecallM1, recallText},    {10, f->cmbRecallM2, recallText},
        {11, f->cmbRecallM3, recallText},   {12, f->cmbRecallM4, recallText},
        {18, f->txtDtmfMem1, dtmfText},     {19, f->txtDtmfMem2, dtmfText},
        {20, f->txtDtmfMem3, dtmfText},     {21, f->txtDtmfMem4, dtmfText}};
    ed.more = [&](Allowed& allowed) {
        const int key = w.in.pick(keyfn::KeyCount);
        const auto& [function, speedDial] = keys[key];
        const auto& [code, used, text] = uses[w.in.pick(int(std::size(uses)))];
        QWidget* control = used ? used : speedDial.first;
        Touched(ed, function.first, allowed);
        w.did(QStringLiteral("key %1").arg(key + 1));
        w.pickFromList(function.first, code);
        Touched(ed, control, allowed);
        w.use(control, text ? text() : QString());
    };
    ed.steps = 16;
    ed.fields.push_back({f->hsbPriCheckRate, Bits(0x55), Position()});
    // Greyed mode buttons (a mode toggle key, or no Scan key) show no mode of the user's: the
    // keys give the mode, and the buttons show what it reads as when opened again.
    ed.normal = [f, recall = std::set<QWidget*>(std::begin(recall), std::end(recall))](
                    QWidget* c, const QString& text) {
        auto* combo = qobject_cast<QComboBox*>(c);
        if (recall.count(c))
            return RecallNumber(text);
        if ((c == f->rbOsMode || c == f->rbGsMode) && !c->isEnabled())
            return QString();
        return combo && combo->isEditable() && combo->findText(text) < 0 ? QString() : text;
    };
    EditorSession(w, ed);
}

inline void SelcallIdents(Walker& w) {
    TfrmSelcallIdents* f = frmSelcallIdents;
    QTableWidget* grid = f->listSelcallMemories;
    const int tones = 2 + w.in.pick(7);
    Editor ed{f, f->OKBtn, f->CancelBtn, {}};
    ed.open = [f, tones] {
        frmSelcall->hsbTonesPred->setValue(tones);
        f->txtRadioIdent->setMaxLength(tones);
        Show(f);
    };
    ed.fields = {{f->txtRadioIdent, Bits(0xB5, 0xFF, 4)},
                 {f->txtTlmPrefix, Bits(0xB4)},
                 {f->chkOwnIdMod, Bits(0x4D, 0x40)},
                 {f->chkCallMemEdit, Bits(0x4D, 0x80)}};
    const auto allowRow = [f](int row, Allowed& allowed) {
        Allow(allowed, f->SlotAddress(row), 0xFF, 9);
        Allow(allowed, 0x29EC + 4 * row, 0xFF, 4);
    };
    ed.touchMore = [grid, allowRow](QWidget* c, Allowed& allowed) {
        if (c == grid || grid->isAncestorOf(c))
            allowRow(grid->currentRow(), allowed);
    };
    // A grid row the user typed in may change its slot's record and tag characters.
    ed.more = [&w, grid, allowRow](Allowed& allowed) {
        const int row = w.in.pick(grid->rowCount()), column = 1 + w.in.pick(3);
        QTableWidgetItem* item = grid->item(row, column);
        if (!item)
            return;
        w.did(QStringLiteral("click memory %1 column %2").arg(row + 1).arg(column));
        allowRow(grid->currentRow(), allowed); // a press may leave column 3
        ClickItem(grid, item);
        allowRow(row, allowed);
    };
    ed.normal = [f](QWidget* c, const QString& text) {
        if (c == f->txtTlmPrefix)
            return (text + "00").left(std::max<int>(2, int(text.size())));
        return text;
    };
    EditorSession(w, ed);
}

inline void TuneRadio(Walker& w) {
    TfrmTuneRadio* f = frmTuneRadio;
    Editor ed{f, f->CancelBtn, f->CancelBtn, {}};
    std::set<QWidget*> boxes;
    for (const cal::Field& field : cal::FieldsOf(cal::Generation::Second)) {
        ed.fields.push_back({f->*field.edit, Bits(field.address), Decimal(-128, 255)});
        ed.fields.push_back({f->*field.upDown, Bits(field.address)});
        boxes.insert(f->*field.edit);
    }
    // BAL tracks MOD.
    ed.touchMore = [f](QWidget* c, Allowed& allowed) {
        if (c && (c == f->txtMod || f->udMod->isAncestorOf(c) || c == f->udMod))
            allowed[cal::BAL] = 0xFF;
    };
    ed.fields.push_back({f->chkLowPwr, Bits(cal::FLAGS, cal::LOW_POWER_BIT), Ticked, true});
    ed.fields.push_back({f->chkSquelch, Bits(cal::FLAGS, cal::MUTE_OPEN_BIT), Ticked, true});
    ed.fields.push_back({f->chkTrackMod, {}}); // its bits are checked below
    ed.open = [f] {
        f->Online = 0;
        Show(f);
    };
    ed.more = [&w, f](Allowed&) { ClickTab(w, f->PageControl1->findChild<QTabBar*>(), "page "); };
    // A box shows its byte: an empty box stored 0.
    ed.normal = [boxes](QWidget* c, const QString& text) {
        return boxes.count(c) ? QString::number(text.toInt()) : QString();
    };
    // Every box is stored as it is left, on OK and on Close alike; BAL follows MOD in
    // exact proportion while it tracks.
    const uint8_t mod = eeprom.GetByte(cal::MOD), bal = eeprom.GetByte(cal::BAL);
    ed.check = [f, mod, bal](Walker& w) {
        const int now = eeprom.GetByte(cal::MOD);
        const int expected = mod == 0 ? bal : std::clamp(now * bal / mod, 0, 255);
        if (f->chkTrackMod->isChecked() && f->ModReference == mod && now != mod &&
            eeprom.GetByte(cal::BAL) != expected)
            w.fail(QStringLiteral("MOD %1 -> %2 with BAL %3 gave BAL %4, not %5")
                       .arg(mod)
                       .arg(now)
                       .arg(bal)
                       .arg(eeprom.GetByte(cal::BAL))
                       .arg(expected));
    };
    EditorSession(w, ed);
}

// The form's check boxes: {box, offset, bit}, each ticked when its bit is set.
inline void AddBoxes(Editor& ed, std::initializer_list<std::tuple<QCheckBox*, int, int>> boxes) {
    for (const auto& [box, offset, bit] : boxes)
        ed.fields.push_back({box, Bits(offset, uint8_t(1u << bit)), Ticked, true});
}

inline void RadioOptions(Walker& w) {
    TfrmOptions* f = frmOptions;
    Editor ed{f, f->OKBtn, f->CancelBtn, {}};
    AddBoxes(ed, {{f->chkTotEnabled, 0x46, 0},
                  {f->chkSMeterEnabled, 0x46, 2},
                  {f->chkSExtend, 0x46, 7},
                  {f->chkButtonBeeps, 0x47, 2},
                  {f->chkDisplayZoneTag, 0x47, 7},
                  {f->chkScanPdMem, 0x48, 3},
                  {f->chkQuietPdMem, 0x48, 4},
                  {f->chkChannelPdMem, 0x48, 5},
                  {f->chkSqlPdMem, 0x48, 6},
                  {f->chkCtcssEnabled, 0x49, 0},
                  {f->chkCtcssRpkEnabled, 0x49, 1},
                  {f->chkCtcssSilentTail, 0x49, 2},
                  {f->chkBlEnabled, 0x49, 3},
                  {f->chkCtcssNb, 0x49, 4},
                  {f->chkCtcssHangIn, 0x49, 7},
                  {f->chkDisplayZoneName, 0x4A, 5}});
    const Field more[] = {{f->hsbTot, Bits(0x36), Position()},
                          {f->hsbCtcssLevel, Bits(0x84), Position()},
                          {f->cbColour, Bits(0x7C, 0x30), Item()},
                          {f->cbLevel, Bits(0x7C, 0x03), Item()},
                          {f->editContrast, Bits(0x7D), Decimal(-128, 255), false, true},
                          // The arrows store the number their box shows.
                          {f->udContrast, Bits(0x7D),
                           [f](QWidget*) { return Decimal(-128, 255)(f->editContrast); }, false,
                           true}};
    ed.fields.insert(ed.fields.end(), std::begin(more), std::end(more));
    // The display byte is written whole: the bits beside colour and brightness are 0.
    ed.touchMore = [f](QWidget* c, Allowed& allowed) {
        if (c && (f->gbDisplaySetup->isAncestorOf(c)))
            allowed[0x7C] = 0xFF;
    };
    // The contrast box shows a number within the arrows' range as stored.
    ed.normal = [f](QWidget* c, const QString& text) {
        if (c != f->editContrast)
            return text;
        const std::optional<long> shown = Decimal(-20, 20)(c);
        return shown ? QString::number(*shown) : QString();
    };
    EditorSession(w, ed);
}

// Vote setup's fields. Before v2.02 the radio keeps one ignore time: the two bars move
// together, and OK gives the RSSI byte the busy byte.
inline void VoteFields(Walker& w, Editor& ed, bool old) {
    TfrmEditVote* f = frmEditVote;
    const Field bars[] = {{f->hsbBusyChannelHoldTime, Bits(82), Position()},
                          {f->hsbBusyChannelIgnoreTime, Bits(65), Position(4)},
                          {f->hsbRssiLet, Bits(48), Position()},
                          {f->hsbRssiChannelHoldTime, Bits(83), Position()},
                          {f->hsbRssiIgnoreTime, Bits(81), old ? Encode() : Position(4)},
                          {f->hsbFastVoteThreshold, Bits(63), Position()},
                          {f->hsbForcedRevoteTime, Bits(64), Position()}};
    ed.fields.assign(std::begin(bars), std::end(bars));
    AddBoxes(ed, {{f->chkPTT_Forced_Revote, 74, 7},
                  {f->chkVoteWithoutCTCSS, 74, 6},
                  {f->chkForcedRevoteBusy, 77, 4},
                  {f->chkPTTHomeChannel, 77, 3},
                  {f->chkScanRepeaterInput, 79, 5}});
    ed.touchMore = [f, old](QWidget* c, Allowed& allowed) {
        if (old && (!c || c == f->hsbBusyChannelIgnoreTime || c == f->hsbRssiIgnoreTime))
            allowed[65] = allowed[81] = 0xFF;
    };
    ed.stored = [old](Walker& w) {
        if (old && eeprom.GetByte(81) != eeprom.GetByte(65))
            w.fail(QStringLiteral("the two ignore times differ before v2.02"));
    };
    ed.more = [&w, f](Allowed&) { ClickTab(w, f->PageControl1->tabBar(), "tab "); };
}

inline void VoteSetup(Walker& w) {
    TfrmEditVote* f = frmEditVote;
    static const int firmware[] = {0, 201, 202};
    const int version = firmware[w.in.pick(3)];
    Editor ed{f, f->btnOk, f->btnCancel, {}};
    ed.open = [f, version] {
        versionInfo.major = version / 100;
        versionInfo.minor = version % 100;
        Show(f);
    };
    VoteFields(w, ed, version && version < 202);
    EditorSession(w, ed);
    versionInfo.major = versionInfo.minor = 0;
}

// Voting Options of the channel bank: vote setup as the bank runs it, storing on its own OK.
inline void VotingOptions(Walker& w, BankEdits& e) {
    Editor ed{frmEditVote, frmEditVote->btnOk, frmEditVote->btnCancel, {}};
    ed.open = [] {};
    ed.modal = true;
    const int version = versionInfo.major * 100 + versionInfo.minor;
    VoteFields(w, ed, version && version < 202);
    for (const auto& [offset, bits] : EditorSession(w, ed))
        e.live[offset] |= bits;
}

inline void Hardware(Walker& w) {
    TfrmAdvanced* f = frmAdvanced;
    Editor ed{f, f->OKBtn, f->CancelBtn, {}};
    const Allowed squelch = Bits(0x46, 0x30);
    ed.fields = {{f->hsbMuteOffDebounce, Bits(0x33), Position()},
                 {f->hsbMuteIgnore, Bits(0x35), Position()},
                 {f->rbUseSql1, squelch, Chosen(1)},
                 {f->rbUseSql2, squelch, Chosen(2)},
                 {f->rbUseSql3, squelch, Chosen(0)},
                 {f->txtDtmfTonePeriod, {{0xAB, 0xFF}, {0xAC, 0x0F}}, Decimal()},
                 {f->chkMacDisplay, Bits(0x47, 0x20), Ticked, true}};
    // The preset is written at every OK, as the buttons show it (both bits set show SQL-1
    // and store it).
    ed.touchMore = [squelch](QWidget* c, Allowed& allowed) {
        if (!c)
            allowed[0x46] |= squelch.at(0x46);
    };
    ed.more = [&w, f](Allowed&) {
        QTabBar* tabs = f->pageEngOptions->tabBar();
        const int tab = w.in.pick(3); // the firmware tab is not an editor
        w.did("tab " + tabs->tabText(tab));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
    };
    EditorSession(w, ed);
}

// The whole walk over one byte string.
inline void Walk(const uint8_t* bytes, size_t size, platform::ScriptedHost& host,
                 const Report& report) {
    Walker w{Choices(bytes, size), report, host, EEPROM::SIZE, {}, false, {}};
    w.radioSize = MakeImage(w.in);
    host.messages.clear();
    void (*const sessions[])(Walker&) = {BankSession,  UserButtons, SelcallIdents, TuneRadio,
                                         RadioOptions, VoteSetup,   Hardware};
    for (int session = 0; session < 8 && w.in.more() && !w.broken; ++session)
        sessions[w.in.pick(int(std::size(sessions)))](w);
}

} // namespace walk
