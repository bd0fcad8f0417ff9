#include "Ctcss.h"

#include "User_edits.h"
#include "platform/Convert.h"

#include <QComboBox>
#include <algorithm>
#include <iterator>

// The standard CTCSS set (EIA/TIA-603), with 69.4 Hz as the second tone.
const float CtcssTable[CTCSS_ENTRIES] = {
    0.0f,   67.0f,  69.4f,  71.9f,  74.4f,  77.0f,  79.7f,  82.5f,  85.4f,  88.5f,  91.5f,
    94.8f,  97.4f,  100.0f, 103.5f, 107.2f, 110.9f, 114.8f, 118.8f, 123.0f, 127.3f, 131.8f,
    136.5f, 141.3f, 146.2f, 151.4f, 156.7f, 159.8f, 162.2f, 165.5f, 167.9f, 171.3f, 173.8f,
    177.3f, 179.9f, 183.5f, 186.2f, 189.9f, 192.8f, 196.6f, 199.5f, 203.5f, 206.5f, 210.7f,
    218.1f, 225.7f, 229.1f, 233.6f, 241.8f, 250.3f, 254.1f};

// The standard 104 DCS codes, in octal.
const int32_t DcsTable[DCS_ENTRIES] = {
    023,  025,  026,  031,  032,  036,  043,  047,  051,  053,  054,  065,  071,  072,  073,
    074,  0114, 0115, 0116, 0122, 0125, 0131, 0132, 0134, 0143, 0145, 0152, 0155, 0156, 0162,
    0165, 0172, 0174, 0205, 0212, 0223, 0225, 0226, 0243, 0244, 0245, 0246, 0251, 0252, 0255,
    0261, 0263, 0265, 0266, 0271, 0274, 0306, 0311, 0315, 0325, 0331, 0332, 0343, 0346, 0351,
    0356, 0364, 0365, 0371, 0411, 0412, 0413, 0423, 0431, 0432, 0445, 0446, 0452, 0454, 0455,
    0462, 0464, 0465, 0466, 0503, 0506, 0516, 0523, 0526, 0532, 0546, 0565, 0606, 0612, 0624,
    0627, 0631, 0632, 0654, 0662, 0664, 0703, 0712, 0723, 0731, 0732, 0734, 0743, 0754};

bool IsToneCode(int code) {
    return code >= 0 && code < TONE_LIST_SIZE;
}

QString CtcssText(int n) {
    if (n < 0 || n >= CTCSS_ENTRIES)
        return QString();
    if (CtcssTable[n] == 0.0f)
        return QStringLiteral("OFF");
    return QStringLiteral("CTC%1 - %2").arg(n).arg(platform::FormatFloat("#00.0", CtcssTable[n]));
}

QString DcsText(int d) {
    if (d < 0 || d >= DCS_ENTRIES)
        return QString();
    return QStringLiteral("DCS %1").arg(DcsTable[d], 3, 8, QLatin1Char('0'));
}

#if KORVAN_V2
// Second generation: the stored code is the list index.
int ToneCodeToIndex(int code) {
    return IsToneCode(code) ? code : 0;
}

int ToneIndexToCode(int index) {
    return IsToneCode(index) ? index : 0;
}
#else
// First generation: CTCSS tone n is stored as n - 1, "off" as 50, DCS as the list index.
constexpr int OFF_CODE = 50;

int ToneCodeToIndex(int code) {
    if (!IsToneCode(code))
        return 0;
    if (code < OFF_CODE)
        return code + 1;
    return code == OFF_CODE ? 0 : code;
}

int ToneIndexToCode(int index) {
    if (!IsToneCode(index) || index == 0)
        return OFF_CODE;
    return index < FIRST_DCS_INDEX ? index - 1 : index;
}
#endif

int ToneItem(int code) {
    return IsToneCode(code) ? ToneCodeToIndex(code) : -1;
}

int ToneTaken(const QComboBox* list, const UserEdits& edits, int stored) {
    return edits.changed(list) ? ToneIndexToCode(list->currentIndex()) : stored;
}

QString ToneCodeText(int code) {
    if (!IsToneCode(code))
        return QString();
    const int index = ToneCodeToIndex(code);
    return index >= FIRST_DCS_INDEX ? DcsText(index - FIRST_DCS_INDEX) : CtcssText(index);
}

QStringList ToneCodeTexts() {
    QStringList labels;
    for (int code = 0; code < TONE_LIST_SIZE; ++code)
        labels << ToneCodeText(code);
    return labels;
}

#if !KORVAN_V2
QString ToneHzLabels::ToneHzText(int code) const {
    if (code >= 0 && code < OFF_CODE)
        return platform::FormatFloat("0.0", CtcssTable[code + 1]) + QStringLiteral("Hz");
    if (code == OFF_CODE)
        return QStringLiteral("Off");
    return DcsText(code - FIRST_DCS_INDEX);
}

int ToneHzLabels::ToneHzParse(const QString& label) const {
    for (int code = 0; code < OFF_CODE; ++code)
        if (label == ToneHzText(code))
            return code;
    if (label == QLatin1String("Off"))
        return OFF_CODE;
    return DcsTextParse(label) + FIRST_DCS_INDEX;
}

// The octal digits after "DCS " (leading blanks skipped, reading stops at the first
// character that is not an octal digit).
int ToneHzLabels::DcsTextParse(const QString& label) const {
    const QString rest = label.mid(4).trimmed();
    int digits = 0;
    while (digits < rest.size() && digits < 6 && rest[digits] >= '0' && rest[digits] <= '7')
        ++digits;
    if (digits == 0)
        return 0;
    const int value = rest.left(digits).toInt(nullptr, 8);
    const auto* found = std::find(std::begin(DcsTable), std::end(DcsTable), value);
    return found == std::end(DcsTable) ? 0 : int(found - std::begin(DcsTable));
}
#endif
