#pragma once
// The dealer walk: an image of random bytes (the tame values placed by hand, unless the row
// asks for odd ones), then a random run of user actions with mouse, wheel, keys, the focus
// chain and the clipboard through the real dialogs, opened as the program opens them: the
// channel table with its channel, group, type, target and timer dialogs, the selcall options
// and idents, the radio options, the code word, the user-defined buttons and the alignment.
// After every close: OK changed only the bits of the controls the user changed (even away and
// back), Cancel nothing; each of those stores the bytes the layout gives for what it shows,
// one the focus or a click only passed keeps its bytes, a typed box shows
// what its character rule leaves of the keys; a group whose members the user moved stores,
// decoded by the layout, the members its editor showed; no group lists an empty slot, itself
// or a group; no channel joins or leaves a group it did not choose unless a message named the
// group. A broken rule goes to the caller's `fail`.

#include "Call_memories.h"
#include "Cb_opts.h"
#include "Chandata.h"
#include "Chanedit_p.h"
#include "Chselect.h"
#include "Codeword.h"
#include "Grpedit.h"
#include "Mactimer.h"
#include "Main.h"
#include "Options.h"
#include "Sel_ch.h"
#include "Selc_mem.h"
#include "Selcall.h"
#include "Tune_radio.h"
#include "Up_down.h"
#include "User_btn.h"
#include "platform/ScriptedHost.h"
#include "support/FirstGenRadio.h"
#include "support/ImageChanges.h"
#include "support/Typing.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <functional>
#include <map>
#include <numeric>
#include <optional>
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
    OddSettings = 8,  // settings off their lists and ranges
    OddTexts = 16,    // names, tags and the code word with bytes no box shows
    Everything = 31,
};

inline uint32_t StepHz(Dice& dice, bool uhf) {
    const uint32_t base = uhf ? 400000000u : 136000000u;
    const uint32_t steps = uint32_t(dice.below(uhf ? 9600 : 5000));
    return base + steps * (dice.below(2) ? 12500u : 5000u);
}

// A slot's 8 record bytes in the image.
inline int RecordOffset(int slot) {
    return slot <= CH_LAST_NAMED ? 0x4DF + 8 * (slot - 1) : 0x221 + 8 * (slot - 100);
}
inline uint8_t* RecordAt(uint8_t* image, int slot) {
    return image + RecordOffset(slot);
}

// Every image byte of a slot, by the layout: its record, and for a named slot its name's
// five characters and their four-character tail.
inline std::vector<uint8_t> SlotBytes(const uint8_t* image, int slot) {
    const uint8_t* r = image + RecordOffset(slot);
    std::vector<uint8_t> bytes(r, r + 8);
    if (slot <= CH_LAST_NAMED) {
        const uint8_t* name = image + 0x2E9 + 5 * (slot - 1);
        const uint8_t* tail = image + 0x800 + 8 * (slot - 1);
        bytes.insert(bytes.end(), name, name + 5);
        bytes.insert(bytes.end(), tail, tail + 4);
    }
    return bytes;
}

// A group record's members 1..8 as slots (0 none), decoded by the layout: size 8 keeps
// members 1..6 in the low six bits and spreads 7 and 8 over the top bits of bytes 0..2 and
// 3..5; a code 27 up to the size's highest is a main slot + 26, the codes from 0 (members 1
// to 5) or 1 (6 to 8) on are the slots from 100.
inline std::vector<int> GroupMembers(const uint8_t* r) {
    const bool eight = r[6] & 0x80;
    std::vector<int> members;
    for (int p = 0; p < (eight ? 8 : 6); ++p) {
        int code = eight ? r[p % 6] & 0x3F : r[p];
        if (p >= 6) {
            const int b = 3 * (p - 6);
            code = (r[b] >> 6) << 4 | (r[b + 1] >> 6) << 2 | r[b + 2] >> 6;
        }
        const int high = p < 5 ? 0 : 1;
        if (code >= high && code <= high + 24)
            members.push_back(code - high + 100);
        else if (code >= 27 && code <= (eight ? 63 : 125))
            members.push_back(code - 26);
    }
    return members;
}

// A selcall memory's ident and tag head (9 bytes); its tag tail is 4 bytes from 0xD3C + 4 slot.
inline int MemoryAt(int slot) {
    return slot < 39 ? 0xB9 + 9 * slot : slot == 99 ? 0x218 : 0xB20 + 9 * (slot - 39);
}

// Characters a name or tag may hold, then 0 up to `count` bytes, the tail at `tail`.
inline void PutText(Dice& dice, uint8_t* head, int headCount, uint8_t* tail, int tailCount) {
    const QByteArray text =
        dice.text(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789*+- "), 0, 10).toLatin1();
    for (int i = 0; i < headCount + tailCount; ++i)
        (i < headCount ? head[i] : tail[i - headCount]) = i < text.size() ? uint8_t(text[i]) : 0;
}

// A channel code on the 12.5 kHz grid of the band, its extension bits clear (VHF below
// 204.8 MHz is the plain code, UHF always).
inline void PutCode(Dice& dice, uint8_t* record, int at, bool uhf) {
    const int code = uhf ? 32000 + dice.below(9600) : 10880 + dice.below(3040);
    record[at] = uint8_t(code), record[at + 1] = uint8_t(code >> 8);
}

// The image: random bytes everywhere, then, by hand from the layout, what the odd kinds the
// row leaves out would spoil: each record an empty slot, a channel or a group; names and
// texts of characters the boxes show; settings within their lists and ranges.
inline void MakeImage(uint8_t* image, Dice& dice, unsigned odd) {
    testsupport::FillFromSeed(image, IMAGE_SIZE, dice.word());
    const bool uhf = dice.below(2);
    image[BAND_BYTE] = uhf ? 0x80 : uint8_t(image[BAND_BYTE] & 0x7F);
    std::vector<int> kinds(CH_LAST_SLOT + 1), channels;
    for (int slot = 1; slot <= CH_LAST_SLOT; ++slot) {
        kinds[slot] = slot <= CH_LAST_NAMED ? dice.below(4) : dice.below(3);
        if (kinds[slot] == 1 || kinds[slot] == 2)
            channels.push_back(slot);
    }
    for (int slot = 1; slot <= CH_LAST_SLOT; ++slot) {
        uint8_t* r = RecordAt(image, slot);
        if (kinds[slot] == 0) {
            std::fill_n(r, 8, 0);
        } else if (kinds[slot] == 3) {
            const bool eight = dice.below(2);
            r[6] = uint8_t((r[6] & 0x2C) | 0x11 | (eight ? 0x80 : 0));
            r[7] &= 0x0C;
            if (odd & OddMembers)
                continue;
            // members by hand: main slots as slot + 26, none as 26 (0 in position 6)
            std::fill_n(r, 6, 26), r[5] = 0;
            for (int p = 0, n = dice.below(7); p < n && !channels.empty(); ++p) {
                const int m = channels[size_t(dice.below(int(channels.size())))];
                if (m < 100 && m != slot && (!eight || m <= 37))
                    r[p] = uint8_t(m + 26);
            }
        } else {
            r[6] = uint8_t((r[6] & 0x4F) | 0x01);
            r[7] &= 0x7F;
            if (!(odd & OffStepCodes) || kinds[slot] == 1) {
                PutCode(dice, r, 2, uhf);
                if (dice.below(6))
                    PutCode(dice, r, 0, uhf);
                else
                    r[0] = r[1] = 0;
            }
            if (!(odd & ToneCodes))
                r[4] = uint8_t(r[4] % 155), r[5] = uint8_t(r[5] % 155);
        }
    }
    if (!(odd & OddTexts)) {
        for (int s = 0; s < CH_LAST_NAMED; ++s)
            PutText(dice, image + 0x2E9 + 5 * s, 5, image + 0x800 + 8 * s, 4);
        for (int a = 0; a < 100; ++a) { // selcall tags, the Command flag kept
            const int at = MemoryAt(a);
            const uint8_t command = image[at + 4] & 0x80;
            PutText(dice, image + at + 4, 5, image + 0xD3C + 4 * a, 4);
            image[at + 4] |= command;
        }
        for (int i = 0x74; i <= 0x81; ++i) // the code word
            image[i] = uint8_t(0x20 + image[i] % 0x5F);
    }
    if (odd & OddSettings)
        return;
    for (int offset : {0x8F, 0x90, 0x91, 0x92, 0x8D, 0x8E, 0x82, 0x50, 0x44}) {
        const int code = dice.below(40); // any function but the scan ones (5, 6): the scan
        image[offset] = uint8_t(code < 5 ? code : code + 2); // bits are the rule's
    }
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
    // selcall: counts 2 <= non-predictive <= predictive <= 8, display 1..min(pred, 5)
    const int pred = 2 + image[0x88] % 7, nonPred = 2 + image[0x87] % (pred - 1);
    image[0x88] = uint8_t(pred << 4 | nonPred);
    image[0x87] = uint8_t(1 + image[0x87] % std::min(pred, 5));
    if (dice.below(4)) // mostly both selcall ways on, which enable their controls
        image[0x4B] |= 0x03;
    image[0x56] %= 201, image[0x31] %= 61, image[0x85] %= 101, image[0x86] %= 251;
    image[0x89] = std::array<uint8_t, 6>{20, 33, 40, 50, 70, 100}[image[0x89] % 6];
    image[0xAC] = uint8_t((image[0xAC] % 7) << 4 | (image[0xAC] & 0x0F));
    if ((image[0x4C] & 0x60) == 0x60)
        image[0x4C] &= 0xBF;
    // radio options: time-out 1..255, display fields 0..2, contrast -15..15
    image[0x36] = uint8_t(1 + image[0x36] % 255);
    image[0x3B] = uint8_t((image[0x3B] >> 4) % 3 << 4 | image[0x3B] % 3);
    image[0x3C] = uint8_t(int8_t(image[0x3C] % 31 - 15));
    image[0x51] &= 0xFC;                  // the group ignore timer: 4 s steps
    image[0x5D] %= 51, image[0x5E] %= 51; // the CB tones: CTCSS or off
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

    // Makes the form the active window, where the user's keys go (a window that closed may
    // hand the activation back late); false if it never is.
    static bool Activate(QWidget* form) {
        if (QApplication::activeWindow() != form)
            form->activateWindow();
        return QTest::qWaitFor([form] { return QApplication::activeWindow() == form; },
                               testsupport::WAIT_LIMIT_MS);
    }

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
            if (Activate(dialog))
                session(dialog);
            else
                fail(std::string(dialog->metaObject()->className()) + " never became active");
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

// The bytes a control's value must leave: offset, value and the bits that value fills.
struct Expected {
    int offset;
    uint8_t value, mask;
};
using Bytes = std::vector<Expected>;
// From what a control shows (a box's text, a ticked box "1", a list's item number, a bar's
// position) to the bytes it stores, as the layout gives them.
using Encode = std::function<Bytes(const QString& shown)>;

// A box's character rule: a-z turned to A-Z when `upper`, then only `accepted`, at most
// `most` characters.
struct Rule {
    QString accepted;
    int most = 0;
    bool upper = false;
    QString Apply(const QString& typed) const {
        QString kept;
        for (QChar c : typed) {
            const QChar k = upper && c >= 'a' && c <= 'z' ? QChar(c.unicode() - 32) : c;
            if (accepted.contains(k) && kept.size() < most)
                kept += k;
        }
        return kept;
    }
};

struct Field {
    QWidget* control;
    Bits bits;
    QString keys = {};                    // what may be typed into a box
    int row = -1, column = -1;            // a grid cell
    std::function<QString()> stored = {}; // a box's text as the store now reads it
    QChar fill = {};                      // what the store puts where the text stops short
    Encode expect = {};                   // the bytes of what it shows
    Rule rule = {};                       // what typing leaves in the box
    int longest = 10;                     // the most keys typed or pasted at once
    int least = 0;                        // the fewest characters OK keeps in a changed box
};

inline Encode Tick(int offset, uint8_t bit, bool inverted = false) {
    return [=](const QString& shown) {
        return Bytes{{offset, (shown == "1") != inverted ? bit : uint8_t(0), bit}};
    };
}
// Item i stores values[i] in `mask`; no item stores nothing known.
inline Encode Choice(int offset, uint8_t mask, std::vector<uint8_t> values) {
    return [=](const QString& shown) {
        const size_t item = size_t(shown.toInt());
        return item < values.size() ? Bytes{{offset, values[item], mask}} : Bytes{};
    };
}
// Items 0 to count - 1 stored as they are.
inline std::vector<uint8_t> Items(int count) {
    std::vector<uint8_t> values(static_cast<size_t>(count));
    std::iota(values.begin(), values.end(), 0);
    return values;
}
// The number times `scale`, shifted into `mask`.
inline Encode Number(int offset, int scale = 1, uint8_t mask = 0xFF, int shift = 0) {
    return [=](const QString& shown) {
        bool number = false;
        const int n = shown.toInt(&number);
        return number ? Bytes{{offset, uint8_t(unsigned(n * scale) << shift & mask), mask}}
                      : Bytes{};
    };
}
// Tone digits two to a byte, high nibble first: A-F are 10-15, anything else 0.
inline Encode Nibbles(int offset) {
    return [=](const QString& shown) {
        Bytes bytes;
        for (int i = 0; i < std::min(int(shown.size()), 8); ++i) {
            const QChar c = shown[i];
            const int digit = c.isDigit()            ? c.digitValue()
                              : c >= 'A' && c <= 'F' ? c.unicode() - 55
                                                     : 0;
            const bool high = i % 2 == 0;
            bytes.push_back(
                {offset + i / 2, uint8_t(high ? digit << 4 : digit), uint8_t(high ? 0xF0 : 0x0F)});
        }
        return bytes;
    };
}
// Characters in `offsets` in order, `pad` after the text; the first byte in `firstMask`.
inline Encode Chars(std::vector<int> offsets, uint8_t pad, uint8_t firstMask = 0xFF) {
    return [=](const QString& shown) {
        Bytes bytes;
        for (size_t i = 0; i < offsets.size(); ++i)
            bytes.push_back({offsets[i],
                             i < size_t(shown.size()) ? uint8_t(shown[int(i)].unicode()) : pad,
                             i ? uint8_t(0xFF) : firstMask});
        return bytes;
    };
}
// Two decimal digits as hexadecimal nibbles: none is "00", one "d0".
inline Encode Prefix(int offset) {
    return [=](const QString& shown) { return Nibbles(offset)(shown.leftJustified(2, '0')); };
}

// A recall channel: "CB nn" stores nn + 99, a channel number n (alone or before a blank and
// its name) n - 1.
inline Encode Recall(int offset) {
    return [=](const QString& shown) {
        static const QRegularExpression cb(QStringLiteral("^CB (\\d\\d)$")),
            channel(QStringLiteral("^(\\d{1,3})( .*)?$"));
        if (const auto m = cb.match(shown); m.hasMatch())
            return Bytes{{offset, uint8_t(m.captured(1).toInt() + 99), 0xFF}};
        if (const auto m = channel.match(shown); m.hasMatch())
            return Bytes{{offset, uint8_t(m.captured(1).toInt() - 1), 0xFF}};
        return Bytes{};
    };
}

// A CB tone by its label: "Off" stores 50, the CTCSS tones their codes 0..49.
inline Encode CbTone(int offset) {
    static const QStringList hz =
        QStringLiteral(
            "67.0 69.4 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9 "
            "114.8 118.8 123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 159.8 162.2 165.5 167.9 "
            "171.3 173.8 177.3 179.9 183.5 186.2 189.9 192.8 196.6 199.5 203.5 206.5 210.7 218.1 "
            "225.7 229.1 233.6 241.8 250.3 254.1")
            .split(' ');
    return [=](const QString& shown) {
        const qsizetype code = shown == "Off" ? 50 : hz.indexOf(QString(shown).remove("Hz"));
        return code < 0 ? Bytes{} : Bytes{{offset, uint8_t(code), 0xFF}};
    };
}

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
    Walker(Dice& dice, platform::ScriptedHost& host, const Fail& fail, unsigned odd,
           testsupport::FirstGenRadio* radio)
        : dice(dice), host(host), fail(fail), answers(fail), odd(odd), radio(radio) {}

    // Editors and roads one after another until the steps run out, the table most often;
    // then Write to Radio where there is a radio.
    void Run(int editors) {
        const std::function<void()> editor[] = {
            [this] { SelcallIdents(); },
            [this] { FromMenu("TfrmUserButtons", frmBelmar->mnuButtons, [this] { Buttons(); }); },
            [this] { FromMenu("TfrmSelcall", frmBelmar->mnuSelcall, [this] { Selcall(); }); },
            [this] { FromMenu("TfrmOptions", frmBelmar->mnuOptions, [this] { Options(); }); },
            [this] {
                FromMenu("TfrmCodeWord", frmBelmar->mnuEditCodeWord, [this] { CodeWord(); });
            },
            [this] { Alignment(); },
            [this] { ReadFromFile(); },
            [this] { Table(); },
            [this] { Table(); }};
        for (int n = 0; n < editors && !dice.spent(); ++n) {
            editor[dice.below(int(std::size(editor)))]();
            host.messageAnswers.clear();
        }
        if (radio)
            WriteToRadio();
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
    // or cleared, an opened list stepped or clicked; a bar is moved; then sometimes Tab.
    // Keys go only where the click took the focus. What the user changed, even away and
    // back, is noted as moved: a bar's every action, a box's click, an item taken, text
    // the keys edited.
    void Act(const Field& field) {
        predicted.erase(&field); // until typing says what it must show
        auto* grid = qobject_cast<QTableWidget*>(field.control);
        auto* list = qobject_cast<QComboBox*>(field.control);
        if (grid) {
            TypeInCell(field, grid);
            return;
        }
        if (auto* bar = qobject_cast<QAbstractSlider*>(field.control)) {
            MoveBar(bar);
            moved.insert(&field);
        } else if (list && dice.below(4) == 0) {
            const int was = list->currentIndex();
            Wheel(list, dice.below(2) ? 1 : -1);
            if (list->currentIndex() != was)
                moved.insert(&field);
        } else {
            auto* button = qobject_cast<QAbstractButton*>(field.control);
            bool clicked = false;
            const auto watch = button ? QObject::connect(button, &QAbstractButton::clicked,
                                                         [&] { clicked = true; })
                                      : QMetaObject::Connection();
            QTest::mouseClick(field.control, Qt::LeftButton, {}, {4, field.control->height() / 2});
            QObject::disconnect(watch);
            auto* edit = list ? list->lineEdit() : qobject_cast<QLineEdit*>(field.control);
            QWidget* to = QApplication::focusWidget(); // an editable list's box types through it
            if (edit && !field.keys.isEmpty() && to && (to == edit || to == list)) {
                if (Edits(edit, [&] { TypeInto(field, edit, to); }))
                    moved.insert(&field);
            } else if (list && list->view()->isVisible() && PickInList(list)) { // it opened
                moved.insert(&field);
            } else if (clicked) {
                moved.insert(&field);
            }
        }
        if (dice.below(3) == 0)
            QTest::keyClick(Focus(), Qt::Key_Tab);
    }

    // True when the keys `type` presses edited the box's text at some moment.
    static bool Edits(QLineEdit* edit, const std::function<void()>& type) {
        bool edited = false;
        const auto watch = QObject::connect(edit, &QLineEdit::textEdited, [&] { edited = true; });
        type();
        QObject::disconnect(watch);
        return edited;
    }

    // A cell clicked and typed into, then Enter; moved when a key changed its text or its
    // editor's.
    void TypeInCell(const Field& field, QTableWidget* grid) {
        const QModelIndex cell = grid->model()->index(field.row, field.column);
        grid->scrollTo(cell);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        if (field.keys.isEmpty() || (!grid->isAncestorOf(Focus()) && Focus() != grid))
            return;
        const QString was = grid->item(field.row, field.column)->text();
        bool changed = false;
        for (QChar c : dice.text(field.keys, 1, 9)) {
            QTest::keyClick(Focus(), c.toLatin1());
            changed |= grid->item(field.row, field.column)->text() != was;
        }
        if (auto* editor = qobject_cast<QLineEdit*>(Focus()))
            changed |= editor->isModified();
        QTest::keyClick(Focus(), Qt::Key_Return);
        if (changed)
            moved.insert(&field);
    }

    static void Wheel(QWidget* widget, int notches) {
        const QPointF at = widget->rect().center();
        QWheelEvent wheel(at, widget->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
    }

    // An arrow clicked, a key, or the wheel; an up-down only by its arrows.
    void MoveBar(QAbstractSlider* bar) {
        const auto arrows = bar->findChildren<QToolButton*>();
        if (!arrows.isEmpty()) {
            Click(arrows[dice.below(int(arrows.size()))]);
            return;
        }
        const Qt::Key keys[] = {Qt::Key_Right,    Qt::Key_Left, Qt::Key_PageUp,
                                Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        const int how = dice.below(4);
        if (how == 0)
            QTest::keyClick(bar, keys[dice.below(6)]);
        else if (how == 1)
            Wheel(bar, dice.below(2) ? 1 : -1);
        else
            QTest::mouseClick(bar, Qt::LeftButton, {},
                              {how == 2 ? 4 : bar->width() - 4, bar->height() / 2});
    }

    // An item clicked, or stepped to and taken by Enter or left by Escape; true when taken.
    bool PickInList(QComboBox* list) {
        QAbstractItemView* view = list->view();
        if (dice.below(3) == 0 && list->count() > 0) {
            const QModelIndex item = view->model()->index(dice.below(list->count()), 0);
            view->scrollTo(item);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(item).center());
            if (!view->isVisible())
                return true;
            QTest::keyClick(view, Qt::Key_Escape);
            return false;
        }
        for (int n = dice.below(4); n > 0; --n)
            QTest::keyClick(view, dice.below(3) ? Qt::Key_Down : Qt::Key_Up);
        const bool take = dice.below(4);
        QTest::keyClick(view, take ? Qt::Key_Return : Qt::Key_Escape);
        return take;
    }

    // Typed over, pasted over by Ctrl+V or the box's menu, its last character deleted, typed
    // in at Home, typed over and undone, or emptied and text dropped into it (or pasted by
    // the middle button where there is a selection); what a box with a rule shows after it is
    // noted.
    void TypeInto(const Field& field, QLineEdit* edit, QWidget* to) {
        const QString was = edit->text(), typed = dice.text(field.keys + "x#a", 1, field.longest);
        std::optional<QString> shows;
        const int how = dice.below(7);
        if (how == 0 || how == 1) {
            QTest::keyClick(to, Qt::Key_A, Qt::ControlModifier);
            if (how == 0) {
                QApplication::clipboard()->setText(typed);
                QTest::keyClick(to, Qt::Key_V, Qt::ControlModifier);
            }
            if (how == 0 || testsupport::PasteByMenu(edit, typed))
                shows = field.rule.Apply(typed);
        } else if (how == 2) {
            QTest::keyClick(to, Qt::Key_End);
            QTest::keyClick(to, Qt::Key_Backspace);
            shows = was.chopped(std::min(qsizetype(1), was.size()));
        } else if (how == 6) {
            QTest::keyClick(to, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(to, Qt::Key_Delete);
            if (testsupport::HasMouseSelection() && dice.below(2))
                testsupport::PasteByMiddleButton(edit, typed);
            else
                testsupport::Drop(edit, typed);
            shows = field.rule.Apply(typed);
        } else if (how == 3) {
            QTest::keyClick(to, Qt::Key_Home);
            QTest::keyClicks(to, dice.text(field.keys, 1, 3));
        } else {
            const QString keys = dice.text(field.keys, 1, field.longest);
            edit->selectAll();
            QTest::keyClick(to, Qt::Key_Delete);
            QTest::keyClicks(to, keys);
            shows = field.rule.Apply(keys);
            if (how == 4) {
                QTest::keyClick(to, Qt::Key_Z, Qt::ControlModifier);
                shows.reset();
            }
        }
        if (shows && field.rule.most > 0)
            predicted[&field] = *shows;
        else
            predicted.erase(&field);
        if (dice.below(2))
            QTest::keyClick(to, Qt::Key_Return);
    }

    // One of: a field's action, or the focus moved on or back with Tab or Shift+Tab.
    void Step(const std::vector<Field>& fields, Touched& touched) {
        if (!Answers::Activate(answers.current))
            fail(std::string(answers.current->metaObject()->className()) + " is not active");
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
    // Escape, OK now and then once the focus rested on Cancel; a refused OK is followed by
    // Cancel. True when the form closed with OK.
    bool Close(QDialog* form, QPushButton* ok, QPushButton* cancel) {
        const bool wantOk = dice.below(3) != 0;
        QPushButton* button = wantOk ? ok : cancel;
        if (wantOk && dice.below(3) == 0)
            cancel->setFocus(Qt::TabFocusReason);
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

    // What a control shows, as its Encode reads it.
    static QString ValueOf(const Field& field) {
        QWidget* c = field.control;
        if (auto* grid = qobject_cast<QTableWidget*>(c))
            return grid->item(field.row, field.column)->text();
        if (auto* list = qobject_cast<QComboBox*>(c))
            return list->isEditable() ? list->currentText() : QString::number(list->currentIndex());
        if (auto* box = qobject_cast<QAbstractButton*>(c))
            return box->isChecked() ? "1" : "0";
        if (auto* bar = qobject_cast<QAbstractSlider*>(c))
            return QString::number(bar->value());
        return static_cast<QLineEdit*>(c)->text();
    }

    // Each control the user moved left the bytes the layout gives for what it shows.
    void ExpectBytes(const std::string& where) {
        for (const Field* field : moved) {
            if (!field->expect)
                continue;
            const QString shown = ValueOf(*field);
            for (const Expected& e : field->expect(shown)) {
                const uint8_t now = frmBelmar->RadioData[e.offset];
                if ((now ^ e.value) & e.mask)
                    fail(where + ": \"" + shown.toStdString() + "\" shown, byte 0x" +
                         Hex(e.offset) + " holds 0x" + Hex(now) + " where 0x" +
                         Hex(e.value & e.mask) + " (bits 0x" + Hex(e.mask) + ") belongs");
            }
        }
    }

    // No box the user changed was kept shorter than its fewest characters.
    void ExpectWhole(const std::string& where) {
        for (const Field* field : moved)
            if (ValueOf(*field).size() < field->least)
                fail(where + ": OK kept \"" + ValueOf(*field).toStdString() + "\", shorter than " +
                     std::to_string(field->least) + " characters");
    }

    // Each box typed into by its rule shows what the rule leaves of the keys.
    void ExpectTyped(const std::string& where) {
        for (auto& [field, text] : predicted) {
            const QString shown = ValueOf(*field);
            if (shown != text)
                fail(where + ": a box shows \"" + shown.toStdString() +
                     "\" where the keys left \"" + text.toStdString() + "\"");
        }
    }

    // Read from File: the question answered either way, then the dialog cancelled or a file
    // of random bytes chosen: a whole image, a shorter or a longer file, or an empty one. The
    // image becomes the file's first 4096 bytes, zero past a short file's end; an empty file
    // is told and leaves the image as it was. After a file of another size, a whole one.
    void ReadFromFile() {
        const QByteArray before = Image();
        const bool go = dice.below(4) != 0;
        const int kind = dice.below(6);
        const int size[] = {
            IMAGE_SIZE, IMAGE_SIZE, 1 + dice.below(IMAGE_SIZE - 1), IMAGE_SIZE + 1 + dice.below(64),
            0,          0};
        QByteArray file(size[kind], '\0');
        if (kind < 2)
            MakeImage(reinterpret_cast<uint8_t*>(file.data()), dice, odd);
        else
            testsupport::FillFromSeed(reinterpret_cast<uint8_t*>(file.data()), int(file.size()),
                                      dice.word());
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("walk.mem"));
        QFile written(path);
        if (!written.open(QIODevice::WriteOnly) || written.write(file) != file.size())
            return fail("read from file: the walk's file could not be written");
        written.close();
        const qsizetype told = host.messages.size();
        host.messageAnswers.enqueue(go ? platform::IDOK : platform::IDCANCEL);
        host.fileAnswers.enqueue(kind < 5 ? path : QString());
        Click(frmBelmar->btnFileOpen);
        host.fileAnswers.clear();
        const bool taken = go && kind < 4;
        if (Image() != (taken ? file.left(IMAGE_SIZE).leftJustified(IMAGE_SIZE, '\0') : before))
            fail("read from file: the image is not what the file gave, kind " +
                 std::to_string(kind) + (go ? "" : ", the question cancelled"));
        if (go && kind == 4 && host.messages.size() < told + 2)
            fail("read from file: an empty file was not told");
        if (taken && kind > 1) { // a whole file again, so the walk goes on over its own image
            host.messageAnswers.enqueue(platform::IDOK);
            file = QByteArray(IMAGE_SIZE, '\0');
            MakeImage(reinterpret_cast<uint8_t*>(file.data()), dice, odd);
            if (written.open(QIODevice::WriteOnly | QIODevice::Truncate))
                written.write(file);
            written.close();
            host.fileAnswers.enqueue(path);
            Click(frmBelmar->btnFileOpen);
            host.fileAnswers.clear();
            if (Image() != file)
                fail("read from file: a whole image file was not taken");
        }
    }

    // Write to Radio against a radio of random bytes of either band, the one question
    // answered Cancel: it names a band the image was not made for; the radio keeps every
    // byte and the image stays.
    void WriteToRadio() {
        QByteArray memory(testsupport::FirstGenRadio::MEMORY_SIZE, '\0');
        testsupport::FillFromSeed(reinterpret_cast<uint8_t*>(memory.data()), int(memory.size()),
                                  dice.word());
        radio->setMemory(memory);
        const QByteArray before = Image();
        const qsizetype told = host.messages.size();
        host.messageAnswers.enqueue(platform::IDCANCEL);
        answers.run({{"TfrmReadWrite",
                      [this](QDialog* job) {
                          if (!QTest::qWaitFor([job] { return !job->isVisible(); },
                                               testsupport::WAIT_LIMIT_MS))
                              fail("write to radio: the probe never ended");
                      }}},
                    [] { Click(frmBelmar->btnWriteRadio); });
        const auto band = [](char b) { return QString(b & 0x80 ? "UHF" : "VHF"); };
        const QString named = QStringLiteral("The data was made for a %1 radio; this radio is %2.")
                                  .arg(band(before[BAND_BYTE]), band(memory[BAND_BYTE]));
        if (host.messages.size() != told + 1 || host.messages[told].caption != "Write to radio?")
            fail("write to radio: not the one question before the write");
        else if (host.messages[told].text.contains(named) !=
                 (band(before[BAND_BYTE]) != band(memory[BAND_BYTE])))
            fail("write to radio: the question \"" + host.messages[told].text.toStdString() +
                 "\" does not name the bands as they are");
        if (radio->memory() != memory)
            fail("write to radio: Cancel wrote to the radio");
        if (Image() != before)
            fail("write to radio: Cancel changed the image");
    }

    // The channel table opened from the main window; after it closes, OK changed only the
    // slots the actions changed and the two global bits clicked, Cancel nothing.
    void Table() {
        const QByteArray before = Image();
        slotsChanged.clear();
        groupsShown.clear();
        globalsClicked = timersOpened = cbOpened = false;
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
            for (auto& [slot, shown] : groupsShown) {
                if (GroupMembers(RecordAt(frmBelmar->RadioData, slot)) != shown)
                    fail("channel table: group CH" + std::to_string(slot) +
                         " stores other members than its editor showed");
            }
        }
        if (timersOpened) // checked by their own session
            for (int at : {0x30, 0x51, 0x52, 0x53})
                allowed[size_t(at)] = 0xFF;
        if (cbOpened) { // the same
            allowed[0x4F] |= 0x15;
            std::fill_n(&allowed[0x5D], 0x74 - 0x5D, 0xFF);
        }
        ExpectOnly(before, allowed, "channel table");
        const auto* was = reinterpret_cast<const uint8_t*>(before.constData());
        for (int slot = 1; slot <= CH_LAST_SLOT; ++slot)
            if (SlotBytes(was, slot) != SlotBytes(frmBelmar->RadioData, slot) &&
                !slotsChanged.count(slot))
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
        Act({table->listChannel, {}, {}, ARow(), 0});
        const int selected = table->SelectedSlot();
        Answers::Sessions editors = {
            {"TfrmEditChannel2", [&](QDialog*) { Channel(allowed); }},
            {"TfrmGrpEdit", [&](QDialog*) { grouped = Group(allowed, before); }}};
        const int action = dice.below(10);
        if (action == 0) { // add a channel or a group
            const bool group = dice.below(2) == 0;
            editors.push_back({"TfrmChannelSelect", [group](QDialog*) {
                                   Click(group ? frmChannelSelect->rbMAC
                                               : frmChannelSelect->rbNormalChannel);
                                   Click(frmChannelSelect->OKBtn);
                               }});
        }
        if (action <= 2) { // add, or edit the selected row
            answers.run(editors,
                        [&] { Click(action ? table->btnEditChannel : table->btnNewChannel); });
        } else if (action == 3) { // delete, answering the question either way
            host.messageAnswers.enqueue(dice.below(2) ? platform::IDOK : platform::IDCANCEL);
            Click(table->btnDeleteChannel);
            allowed[selected] = AnyRecordBit;
        } else if (action == 4) {
            table->Cut1->trigger();
            allowed[selected] = AnyRecordBit;
        } else if (action == 5) {
            table->Copy1->trigger();
        } else if (action == 6) {
            allowed[PasteOnTypedTarget(before)] = AnyRecordBit;
        } else if (action == 7) {
            answers.run({{"TfrmMacTimers", [this](QDialog*) { Timers(); }}},
                        [table] { Click(table->btnMacTimers); });
            timersOpened = true;
        } else if (action == 8 && table->btnCbEdit->isVisible() && table->btnCbEdit->isEnabled()) {
            answers.run({{"TfrmCbOptions", [this](QDialog*) { CbOptions(); }}},
                        [table] { Click(table->btnCbEdit); });
            cbOpened = true;
        } else { // a global box
            QCheckBox* box = dice.below(2) ? table->chkBlEnabled : table->chkEnableCb;
            if (box->isVisible())
                Click(box);
            globalsClicked = true;
        }
        host.messageAnswers.clear();
        for (auto& entry : allowed)
            if (entry.first != grouped)
                groupsShown.erase(entry.first);
        CheckStore(before, allowed, grouped, told);
    }

    // A row of the table, a group's one time in three.
    int ARow() {
        QTableWidget* list = frmChannelData->listChannel;
        std::vector<int> groups;
        for (int row = 0; row < list->rowCount(); ++row)
            if (const QTableWidgetItem* slot = list->item(row, 0))
                if (frmChannelData->Channels->IsGroup(slot->text().toInt()))
                    groups.push_back(row);
        if (groups.empty() || dice.below(3))
            return dice.below(list->rowCount());
        return groups[size_t(dice.below(int(groups.size())))];
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

    static std::vector<int> ShownMembers(const QTableWidget* list) {
        std::vector<int> shown;
        for (int row = 0; row < list->rowCount(); ++row)
            if (const int m = list->item(row, 0)->text().toInt())
                shown.push_back(m);
        return shown;
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
        const std::vector<int> opened = ShownMembers(g->sgGroupList);
        const bool eightOpened = g->rbMAC_8->isChecked();
        Touched touched;
        for (int n = dice.below(10); n > 0; --n) {
            if (dice.below(3) == 0) // a row of the available list, then Add
                Act({g->sgMACList, {}, {}, dice.below(g->sgMACList->rowCount()), 0});
            Step(fields, touched);
        }
        const int slot = g->GroupChannelNumber;
        for (const int m : ShownMembers(g->sgMACList)) // what the editor offers
            if (m == slot || !before.CanBeMember(m) ||
                (g->GroupSize == 8 && m > GROUP8_LAST_MAIN && m < 100))
                fail("group CH" + std::to_string(slot) + " offers CH" + std::to_string(m));
        if (!Close(g, g->btnOK, g->btnCancel))
            return 0;
        const int stored = adding ? g->cbChannel->currentText().toInt() : slot;
        const std::vector<int> shown = ShownMembers(g->sgGroupList);
        if (adding || shown != opened || g->rbMAC_8->isChecked() != eightOpened)
            groupsShown[stored] = shown; // else the stored codes stay as they were
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

    // Steps over the fields (and now and then the form's own `more`, which allows what it
    // may change), then a close: OK keeps only what the moved fields own, each touched
    // box shows what was stored, each moved control stores the bytes of what it shows, each
    // typed box what the keys left; Cancel changes nothing.
    // Returns the bits OK allowed (none after Cancel).
    Mask Session(QDialog* form, QPushButton* ok, QPushButton* cancel,
                 const std::vector<Field>& fields, const std::string& name,
                 const std::function<void(Mask&)>& more = {}) {
        const QByteArray before = Image();
        const auto outer = std::exchange(predicted, {});
        const auto outerMoved = std::exchange(moved, {});
        Touched touched;
        Mask extra = Nothing;
        for (int n = 1 + dice.below(8 + std::min(int(fields.size()) / 2, 16)); n > 0; --n)
            if (more && dice.below(4) == 0)
                more(extra);
            else
                Step(fields, touched);
        const bool closedOk = Close(form, ok, cancel);
        Mask allowed = closedOk ? AllowedBits(moved, IMAGE_SIZE) : Nothing;
        for (size_t i = 0; closedOk && i < allowed.size(); ++i)
            allowed[i] |= extra[i];
        ExpectOnly(before, allowed, closedOk ? name : name + " Cancel");
        if (closedOk) {
            ExpectShown(touched, name);
            ExpectBytes(name);
            ExpectTyped(name);
            ExpectWhole(name);
        }
        predicted = outer;
        moved = outerMoved;
        return allowed;
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

    Mask Idents() {
        TfrmSelcallIdents* s = frmSelcallIdents;
        QTableWidget* grid = s->listSelcallMemories;
        const QString hex = QStringLiteral("0123456789ABCFabcfDE");
        const Rule identRule{QStringLiteral("0123456789BCF"), frmSelcall->hsbTonesPred->value(),
                             true};
        std::vector<Field> fields = {
            {s->txtRadioIdent, Span(0xB5, 4), hex, -1, -1, [s] { return s->GetIdentText(100); },
             '0', Nibbles(0xB5), identRule, 10, identRule.most},
            {s->txtTlmPrefix, Span(0xB4, 1), Digits, -1, -1, {}, {}, Prefix(0xB4), Rule{Digits, 2}},
            {s->chkOwnIdMod, {{0x4D, 0x40}}, {}, -1, -1, {}, {}, Tick(0x4D, 0x40)},
            {s->chkCallMemEdit, {{0x4D, 0x80}}, {}, -1, -1, {}, {}, Tick(0x4D, 0x80)}};
        for (int slot : {0, 1, 38, 39, 98, 99}) {
            const int at = MemoryAt(slot);
            auto command = [at] {
                return callmem::CommandText(frmBelmar->RadioData[at + 4] & 0x80);
            };
            const int tail = 0xD3C + 4 * slot;
            const Encode commandBit = [at](const QString& shown) {
                return shown.isEmpty() ? Bytes{}
                                       : Bytes{{at + 4, uint8_t(shown == "Yes" ? 0x80 : 0), 0x80}};
            };
            fields.push_back({grid, Span(at, 4), hex, slot, 1,
                              [s, slot] { return s->GetIdentText(slot); }, '0', Nibbles(at)});
            fields.push_back(
                {grid,
                 Span(at + 4, 5, Span(tail, 4)),
                 AlphaKeys,
                 slot,
                 2,
                 [s, slot] { return s->GetTagText(slot); },
                 {},
                 Chars({at + 4, at + 5, at + 6, at + 7, at + 8, tail, tail + 1, tail + 2, tail + 3},
                       0, 0x7F)});
            // The flag, and the first tag character where the flag alone would show another.
            fields.push_back(
                {grid, {{at + 4, 0xFF}}, QStringLiteral(" "), slot, 3, command, {}, commandBit});
        }
        return Session(s, s->OKBtn, s->CancelBtn, fields, "selcall idents");
    }

    void Buttons() {
        TfrmUserButtons* u = frmUserButtons;
        std::vector<Field> fields = {{u->editPriChkRate,
                                      Span(0x55, 1),
                                      Digits,
                                      -1,
                                      -1,
                                      [] { return QString::number(frmBelmar->RadioData[0x55]); },
                                      {},
                                      Number(0x55)}};
        QComboBox* recall[] = {u->cmbRecallM1, u->cmbRecallM2, u->cmbRecallM3, u->cmbRecallM4};
        QLineEdit* dtmf[] = {u->txtDtmfMem1, u->txtDtmfMem2, u->txtDtmfMem3, u->txtDtmfMem4};
        for (int n = 0; n < 4; ++n) {
            const int at = 0x93 + 6 * n;
            std::function<QString()> shown = [u, at] { return u->DecodeDtmfMemory(at); };
            fields.push_back({recall[n],
                              Span(0x59 + n, 1),
                              Digits,
                              -1,
                              -1,
                              {},
                              {},
                              Recall(0x59 + n),
                              Rule{Digits + "x#a", 99},
                              2});
            fields.push_back({dtmf[n], Span(at, 6), QStringLiteral("0123456789*#p"), -1, -1,
                              n < 3 ? shown : nullptr});
        }
        const std::pair<QComboBox*, QComboBox*> keys[] = {
            {u->cmbButtonF1, u->cmbSelcallBtnF1},    {u->cmbButtonF2, u->cmbSelcallBtnF2},
            {u->cmbButtonF3, u->cmbSelcallBtnF3},    {u->cmbButtonF4, u->cmbSelcallBtnF4},
            {u->cmbButtonA, u->cmbSelcallBtnA},      {u->cmbButtonB, u->cmbSelcallBtnB},
            {u->cmbButtonE, u->cmbSelcallBtnE},      {u->cmbButtonCall, u->cmbSelcallBtnCall},
            {u->cmbButtonMicA, u->cmbSelcallBtnMicA}};
        const std::pair<int, int> bytes[] = {{0x8F, 0xAF}, {0x90, 0xB0}, {0x91, 0xB1},
                                             {0x92, 0xB2}, {0x8D, 0xAD}, {0x8E, 0xAE},
                                             {0x82, 0x83}, {0x50, 0xB3}, {0x44, 0x45}};
        for (int k = 0; k < 9; ++k) { // a function may move the scan mode
            const auto [function, speedDial] = bytes[k];
            fields.push_back(Value(keys[k].first, {{function, 0xFF}, {0x4A, 0x07}},
                                   Choice(function, 0xFF, Items(42))));
            fields.push_back(
                Value(keys[k].second, Span(speedDial, 1), Choice(speedDial, 0xFF, Items(40))));
        }
        for (int k = 0; k < HOOK_ACTIONS; ++k)
            fields.push_back({u->chkOffHook[k],
                              {{0x34, uint8_t(1 << k)}},
                              {},
                              -1,
                              -1,
                              {},
                              {},
                              Tick(0x34, uint8_t(1 << k))});
        Session(u, u->OKBtn, u->CancelBtn, fields, "user buttons");
    }

    // Off-line, as the hardware dialog opens it for a calibration file, boxes on their
    // pages; "Close" keeps what the boxes show, and only the bytes of touched boxes change.
    void Alignment() {
        TfrmTuneRadio* t = frmTuneRadio;
        QTabBar* tabs = t->PageControl1->tabBar();
        std::vector<Field> fields;
        for (const cal::Field& f : cal::FieldsOf(cal::Generation::First))
            fields.push_back({t->*f.edit,
                              {{f.address, 0xFF}},
                              Digits,
                              -1,
                              -1,
                              [at = f.address] {
                                  const uint8_t b = frmBelmar->RadioData[at];
                                  return QString::number(at == cal::RX_OFFSET ? int(int8_t(b)) : b);
                              },
                              {},
                              Number(f.address)});
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

    // A check box's row: its byte and bit, stored ticked = 1 unless `inverted`.
    static Field Box(QCheckBox* box, int offset, uint8_t bit, bool inverted = false) {
        return {box, {{offset, bit}}, {}, -1, -1, {}, {}, Tick(offset, bit, inverted)};
    }
    // A bar's or list's row: the bits it owns, how what it shows becomes them.
    static Field Value(QWidget* control, const Bits& bits, const Encode& expect) {
        return {control, bits, {}, -1, -1, {}, {}, expect};
    }

    // Opens the form from the main window's Edit menu and runs `session` in it.
    void FromMenu(const char* form, QAction* entry, const std::function<void()>& session) {
        answers.run({{form, [&](QDialog*) { session(); }}},
                    [entry] { frmBelmar->EditButtonClick(entry); });
    }

    void CodeWord() {
        TfrmCodeWord* c = frmCodeWord;
        std::vector<int> at(CODE_WORD_CHARACTERS);
        std::iota(at.begin(), at.end(), CODE_WORD_START);
        QString printable;
        for (char k = 0x20; k < 0x7F; ++k)
            printable += QChar(k);
        const std::vector<Field> fields = {{c->txtCodeWord,
                                            Span(CODE_WORD_START, CODE_WORD_CHARACTERS),
                                            AlphaKeys + "~{",
                                            -1,
                                            -1,
                                            {},
                                            {},
                                            Chars(at, ' '),
                                            Rule{printable, CODE_WORD_CHARACTERS}}};
        Session(c, c->OKBtn, c->CancelBtn, fields, "code word");
    }

    void Options() {
        TfrmOptions* o = frmOptions;
        const Encode display = [o](const QString&) {
            return Bytes{
                {0x3B, uint8_t(o->comboColour->currentIndex() << 4 | o->comboLevel->currentIndex()),
                 0xFF}};
        };
        const std::vector<Field> fields = {Box(o->chkScanPdMem, 0x48, 0x08),
                                           Box(o->chkQuietPdMem, 0x48, 0x10),
                                           Box(o->chkChannelPdMem, 0x48, 0x20),
                                           Box(o->chkSqlPdMem, 0x48, 0x40),
                                           Box(o->chkTotEnabled, 0x46, 0x01),
                                           Value(o->hsbTot, Span(0x36, 1), Number(0x36)),
                                           Box(o->chkCtcssEnabled, 0x49, 0x01),
                                           Box(o->chkCtcssRpkEnabled, 0x49, 0x02),
                                           Box(o->chkCTCSSSilentTail, 0x49, 0x04),
                                           Box(o->chkCtcssNb, 0x49, 0x10),
                                           Box(o->chkCtcssHangIn, 0x49, 0x80),
                                           Value(o->hsbCtcssLevel, Span(0x84, 1), Number(0x84)),
                                           Box(o->chkSMeterEnabled, 0x46, 0x04),
                                           Box(o->chkSExtend, 0x46, 0x80),
                                           Box(o->chkButtonBeeps, 0x47, 0x04),
                                           Value(o->comboColour, Span(0x3B, 1), display),
                                           Value(o->comboLevel, Span(0x3B, 1), display),
                                           Value(o->udContrast, Span(0x3C, 1), Number(0x3C))};
        Session(o, o->OKBtn, o->CancelBtn, fields, "radio options");
    }

    static std::vector<int> IdentOffsets() {
        std::vector<int> at{0xB5};
        for (int slot = 0; slot < 100; ++slot)
            at.push_back(MemoryAt(slot));
        return at;
    }

    // Each ident the idents' OK left alone holds the digits it had, turned by `turn` places
    // (the count the user set less the stored one): right for more, left for fewer.
    void ExpectRelaid(const QByteArray& before, const Mask& kept, int turn) {
        const int bits = (turn > 0 ? 32 - 4 * turn : -4 * turn) & 31;
        for (int at : IdentOffsets()) {
            uint32_t digits = 0;
            for (int i = 0; i < 4; ++i)
                digits = digits << 8 | uint8_t(before[at + i]);
            if (bits)
                digits = digits << bits | digits >> (32 - bits);
            for (int i = 0; i < 4; ++i)
                if ((frmBelmar->RadioData[at + i] ^ uint8_t(digits >> (24 - 8 * i))) &
                    ~kept[size_t(at + i)])
                    return fail("selcall idents opened: byte 0x" + Hex(at + i) +
                                (turn ? " is not the ident re-laid by " + std::to_string(turn)
                                      : std::string(" changed with the count as stored")));
        }
    }

    // The selcall options; now and then the idents opened from it, which with the
    // predictive count moved re-lay the idents; the question at OK is answered No.
    void Selcall() {
        TfrmSelcall* c = frmSelcall;
        const auto group = [](int shift) {
            return std::vector<uint8_t>{0, uint8_t(1 << shift), uint8_t(3 << shift),
                                        uint8_t(2 << shift)};
        };
        const std::vector<Field> fields = {
            Box(c->chkSelcallDecEnabled, 0x4B, 0x01),
            Box(c->chkSelcallEncEnabled, 0x4B, 0x02),
            Box(c->chkLeadInDelayEnabled, 0x4B, 0x04),
            Box(c->chkLeadInToneEnabled, 0x4B, 0x08),
            Box(c->chkBeepAlarms, 0x4B, 0x10),
            Box(c->chkLeadOutEnabled, 0x4B, 0x20),
            Box(c->chkAppendAni, 0x4B, 0x40),
            Box(c->chkBeepAckEnabled, 0x4B, 0x80),
            Box(c->chkEdgeAniDecode, 0x4C, 0x10),
            Box(c->chkReenterQuiet, 0x4D, 0x02),
            Box(c->chkUnmuteOnSelcall, 0x4D, 0x04),
            Box(c->chkPausePredNonPred, 0x4E, 0x01, true),
            Box(c->chk3rdToneReset, 0x4E, 0x02),
            Box(c->chkAlarmGroupCall, 0x4E, 0x80),
            Box(c->chkAlarmIndivCall, 0x4F, 0x02),
            Box(c->chkGrpBeepAlarms, 0x4F, 0x80),
            Box(c->chkSlowBeeps, 0x48, 0x80),
            Box(c->chkCtcssSelcall, 0x49, 0x40),
            Box(c->chkRingAlert, 0x4A, 0x08),
            Value(c->cmbRxGroup, {{0x4C, 0x03}}, Choice(0x4C, 0x03, group(0))),
            Value(c->cmbTxGroup, {{0x4C, 0x0C}}, Choice(0x4C, 0x0C, group(2))),
            Value(c->cmbPttAni, {{0x4C, 0x60}}, Choice(0x4C, 0x60, {0, 0x20, 0x40})),
            Value(c->cmbSelcallToneset, {{0xAC, 0xF0}},
                  Choice(0xAC, 0xF0, {0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60})),
            Value(c->cmbSelcallTonePeriod, Span(0x89, 1),
                  Choice(0x89, 0xFF, {20, 33, 40, 50, 70, 100})),
            Value(c->hsbTonesPred, Span(0x87, 2), Number(0x88, 1, 0xF0, 4)), // the others follow it
            Value(c->hsbToneNonPred, {{0x88, 0x0F}}, Number(0x88, 1, 0x0F)),
            Value(c->hsbTonesDisplay, Span(0x87, 1), Number(0x87)),
            Value(c->hsbLeadInDelay, Span(0x56, 1), Number(0x56)),
            Value(c->hsbBeepDuration, Span(0x31, 1), Number(0x31)),
            Value(c->hsbPttLeadin, Span(0x85, 1), Number(0x85)),
            Value(c->hsbPausePredNonPred, Span(0x86, 1), Number(0x86))};
        const Field* pred = &*std::find_if(fields.begin(), fields.end(), [c](const Field& f) {
            return f.control == c->hsbTonesPred;
        });
        const auto idents = [this, c, pred](Mask& allowed) {
            if (!c->btnSelcallMem->isEnabled())
                return;
            const QByteArray before = Image();
            const int turn =
                moved.count(pred) ? c->hsbTonesPred->value() - (before[0x88] >> 4 & 15) : 0;
            Mask kept = Nothing;
            answers.run({{"TfrmSelcallIdents", [&](QDialog*) { kept = Idents(); }}},
                        [c] { Click(c->btnSelcallMem); });
            ExpectRelaid(before, kept, turn);
            if (turn)
                kept[0x88] = 0xFF; // the counts, stored with the re-lay
            for (int at : IdentOffsets())
                std::fill_n(&kept[size_t(at)], 4, 0xFF);
            ExpectOnly(before, kept, "selcall idents opened");
            for (size_t i = 0; i < kept.size(); ++i)
                allowed[i] |= kept[i];
        };
        host.messageAnswers.enqueue(platform::IDNO);
        Session(c, c->OKBtn, c->CancelBtn, fields, "selcall", idents);
    }

    // The CB options, opened from the channel table of a UHF radio; a channel is a bit of
    // each memory's five bytes, channel 1 bit 0 of the first; now and then a tab clicked.
    void CbOptions() {
        TfrmCbOptions* c = frmCbOptions;
        const Encode rx = CbTone(0x5D), tx = CbTone(0x5E);
        const Encode tones = [c, rx, tx](const QString& ticked) { // off: both tones "Off"
            Bytes bytes = rx(ticked == "1" ? c->cmbRxCtcss->currentText() : "Off");
            for (const Expected& e : tx(ticked == "1" ? c->cmbTxCtcss->currentText() : "Off"))
                bytes.push_back(e);
            return bytes;
        };
        std::vector<Field> fields = {Box(c->chkClearPrivOnPri, 0x4F, 0x01),
                                     Box(c->chkCtcssOnDup, 0x4F, 0x04),
                                     Box(c->chkCbBusyLockout, 0x4F, 0x10),
                                     Value(c->chkEnableCbCtcss, Span(0x5D, 2), tones),
                                     Value(c->cmbRxCtcss, Span(0x5D, 1), rx),
                                     Value(c->cmbTxCtcss, Span(0x5E, 1), tx)};
        struct Memory {
            QCheckBox* const* boxes;
            int first, channels;
            QPushButton *all, *none;
        };
        const Memory memories[] = {
            {c->chkOs, 0x60, CB_CHANNELS, c->btnOsSelectAll, c->btnOsDeselectAll},
            {c->chkGs, 0x65, CB_CHANNELS, c->btnGsSelectAll, c->btnGsDeselectAll},
            {c->chkQ, 0x6A, CB_CHANNELS, c->btnQSelectAll, c->btnQDeselectAll},
            {c->chkCtcss, 0x6F, CB_CHANNELS, c->btnCtcssSelectAll, c->btnCtcssDeselectAll},
            {c->chkDup, 0x5F, CB_DUPLEX_CHANNELS, nullptr, nullptr}};
        for (const Memory& m : memories) {
            for (int n = 1; n <= m.channels; ++n)
                fields.push_back(Box(m.boxes[n], m.first + (n - 1) / 8, uint8_t(1 << (n - 1) % 8)));
            for (QPushButton* button : {m.all, m.none})
                if (button)
                    fields.push_back(Value(button, Span(m.first, 5), {}));
        }
        const auto tab = [this, c](Mask&) {
            QTabBar* tabs = c->pageCbMemories->tabBar();
            QTest::mouseClick(tabs, Qt::LeftButton, {},
                              tabs->tabRect(dice.below(tabs->count())).center());
        };
        Session(c, c->OKBtn, c->CancelBtn, fields, "CB options", tab);
    }

    // The group channel timers, opened from the channel table.
    void Timers() {
        TfrmMacTimers* m = frmMacTimers;
        const std::vector<Field> fields = {
            Value(m->hsbMacIgnoreTime, Span(0x51, 1), Number(0x51, 4)),
            Value(m->hsbMacHoldTime, Span(0x52, 1), Number(0x52)),
            Value(m->hsbMacResetRssi, Span(0x53, 1), Number(0x53)),
            Value(m->hsbRssiLet, Span(0x30, 1), Number(0x30))};
        Session(m, m->OKBtn, m->CancelBtn, fields, "group channel timers");
    }

    Dice& dice;
    platform::ScriptedHost& host;
    Fail fail;
    Answers answers;
    unsigned odd;                                // what the images the walk's files hold may hold
    testsupport::FirstGenRadio* radio;           // the radio on the port, if any
    std::map<const Field*, QString> predicted;   // what typed boxes must show at the close
    Touched moved;                               // the controls the user changed, by Act
    std::set<int> slotsChanged;                  // by the table's actions since it opened
    std::map<int, std::vector<int>> groupsShown; // the members each group's editor showed at OK
    bool globalsClicked = false, timersOpened = false, cbOpened = false;
};

// A whole walk: an image, then editors one after another until the steps run out.
inline void Walk(Dice& image, Dice& dice, unsigned odd, platform::ScriptedHost& host,
                 const Fail& fail, int editors, testsupport::FirstGenRadio* radio = nullptr) {
    MakeImage(frmBelmar->RadioData, image, odd);
    Walker(dice, host, fail, odd, radio).Run(editors);
}

} // namespace walk
