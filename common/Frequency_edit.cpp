#include "Frequency_edit.h"

#include "Key_filter.h"
#include "Text_format.h"
#include "platform/Convert.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <algorithm>

namespace freqedit {

Typed Parse(const QString& typed, uint32_t& hz, uint32_t limit) {
    static const QRegularExpression number(QStringLiteral("^-?(\\d+\\.?\\d*|\\.\\d+)$"));
    const QString text = typed.trimmed();
    if (text.isEmpty() || (number.match(text).hasMatch() && text.startsWith('-'))) {
        hz = 0;
        return Typed::Valid;
    }
    if (!number.match(text).hasMatch())
        return Typed::Invalid;
    try {
        hz = text::ParseFrequency(text);
    } catch (const platform::EConvertError&) {
        hz = UINT32_MAX;
        return Typed::TooHigh;
    }
    if (hz > limit) {
        hz = UINT32_MAX;
        return Typed::TooHigh;
    }
    return Typed::Valid;
}

uint32_t Step(uint32_t hz, int delta, uint32_t maximum) {
    const int64_t next = int64_t(hz & 0x7FFFFFFF) + delta;
    return uint32_t(std::clamp<int64_t>(next, 0, maximum));
}

uint32_t RoundToStep(uint32_t hz, uint32_t step) {
    if (step == 0)
        return hz;
    const uint64_t nearest = (uint64_t(hz) + step / 2) / step * step;
    return uint32_t(std::min<uint64_t>(nearest, UINT32_MAX / step * step));
}

void Show(QLineEdit* box, uint32_t hz) {
    box->setText(text::FrequencyText(hz));
}

QLineEdit* NewBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setMaxLength(10);
    box->setFixedWidth(90);
    keys::allowOnly(box, keys::Decimal);
    return box;
}

QGridLayout* LayOutGroup(QGroupBox* group, const Heading& heading,
                         std::initializer_list<QCheckBox*> options) {
    auto* layout = new QGridLayout(group);
    layout->addWidget(heading.frequencyLabel, 0, 0);
    auto* frequency = new QHBoxLayout;
    frequency->setSpacing(0);
    frequency->addWidget(heading.frequency);
    frequency->addWidget(heading.spin);
    frequency->addStretch(1);
    layout->addLayout(frequency, 0, 1);
    layout->addWidget(heading.toneLabel, 1, 0);
    layout->addWidget(heading.tones, 1, 1);
    int row = 2;
    for (QCheckBox* option : options)
        layout->addWidget(option, row++, 0, 1, 2);
    return layout;
}

} // namespace freqedit
