#include "Engineering_groups.h"

#include "Controls.h"
#include "Key_filter.h"
#include "platform/Convert.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace engineering {

namespace {

QScrollBar* MakeBar(int maximum) {
    return controls::bar(nullptr, 0, maximum, 220);
}

QLabel* ValueLabel() {
    auto* label = new QLabel;
    label->setMinimumWidth(90);
    return label;
}

// Makes the bar and its label, and keeps the label showing the bar's value.
void Make(ValueBar& bar, int maximum) {
    bar.bar = MakeBar(maximum);
    bar.label = ValueLabel();
    const ValueBar copy = bar;
    QObject::connect(bar.bar, &QScrollBar::valueChanged, bar.label, [copy] { copy.ShowValue(); });
    bar.ShowValue();
}

} // namespace

void ValueBar::ShowValue() const {
    label->setText(platform::FormatFloat(QString::fromLatin1(pattern), bar->value() * scale) +
                   QString::fromLatin1(unit));
}

void ValueBar::Enable(bool enabled) const {
    bar->setEnabled(enabled);
    label->setEnabled(enabled);
}

QGroupBox* BoxGroup(const QString& title, std::initializer_list<QWidget*> boxes) {
    auto* group = new QGroupBox(title);
    auto* layout = new QVBoxLayout(group);
    for (QWidget* box : boxes)
        layout->addWidget(box);
    return group;
}

QGroupBox* ReferenceGroup(QLineEdit*& ifOffset, QLineEdit*& pllReference,
                          const QString& pllCaption) {
    auto* group = new QGroupBox(QStringLiteral("Reference Frequencies"));
    ifOffset = new QLineEdit;
    pllReference = new QLineEdit;
    auto* grid = new QGridLayout(group);
    int row = 0;
    for (const auto& [caption, edit] :
         {std::pair{QStringLiteral("IF Offset"), ifOffset}, std::pair{pllCaption, pllReference}}) {
        edit->setFixedWidth(80);
        keys::allowOnly(edit, keys::Decimal);
        grid->addWidget(new QLabel(caption), row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("MHz")), row++, 2);
    }
    grid->setColumnStretch(3, 1);
    return group;
}

QGroupBox* DelayGroup(const QString& title, const QString& caption, ValueBar& bar) {
    auto* group = new QGroupBox(title);
    Make(bar, 255);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(caption), 0, 0, 1, 2);
    grid->addWidget(bar.bar, 1, 0);
    grid->addWidget(bar.label, 1, 1);
    return group;
}

QGroupBox* RadioTypeGroup(const QString& caption, QCheckBox*& bit7, QCheckBox*& bit6,
                          QCheckBox*& bit5, QCheckBox*& bit4) {
    bit7 = new QCheckBox(QStringLiteral("UHF"));
    bit6 = new QCheckBox;
    bit5 = new QCheckBox;
    bit4 = new QCheckBox(QStringLiteral("VCO Range"));
    return BoxGroup(caption, {bit7, bit6, bit5, bit4});
}

QGroupBox* PowerSaveGroup(QCheckBox*& enable, PowerSaveBars& bars) {
    const struct {
        ValueBar* bar;
        const char* caption;
        int maximum;
    } rows[] = {
        {&bars.holdOn, "Time before power save.", 50}, {&bars.on, "Time to look for busy.", 255},
        {&bars.off, "Time in power save.", 255},       {&bars.pllUp, "PLL power up time.", 255},
        {&bars.rxUp, "RX power up time.", 255},        {&bars.vcoUp, "VCO power up time.", 255},
    };
    enable = new QCheckBox(QStringLiteral("Enable Power Save Operation"));
    auto* group = new QGroupBox(QStringLiteral("Power Save Values"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(enable, 0, 0, 1, 2);
    int line = 1;
    for (const auto& row : rows) {
        Make(*row.bar, row.maximum);
        grid->addWidget(new QLabel(QString::fromLatin1(row.caption)), line++, 0, 1, 2);
        grid->addWidget(row.bar->bar, line, 0);
        grid->addWidget(row.bar->label, line++, 1);
    }
    return group;
}

} // namespace engineering
