#include "Editzones.h"

#include "Chdata.h"
#include "Controls.h"
#include "Eeprom.h"
#include "String_grid.h"
#include "Zones.h"

#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TfrmEditZones* frmEditZones = nullptr;

namespace {
constexpr int ZONE_ROWS = 51; // zone 0, then zones 1..50
enum Column { ZoneColumn, NameColumn, TagColumn, ActiveColumn };
} // namespace

TfrmEditZones::TfrmEditZones(QWidget* parent) : Form(parent, mrCancel) {
    setWindowTitle(QStringLiteral("Edit Zones"));
    StringGridZones = new QTableWidget(this);
    btnOk = forms::button(QStringLiteral("OK"), this);
    btnCancel = forms::button(QStringLiteral("Cancel"), this);
    connect(btnOk, &QPushButton::clicked, this, &TfrmEditZones::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    const int width = grid::Setup(StringGridZones,
                                  {{"Zone", 40},
                                   {"Name", 100, grid::AnyText(ZONE_NAME_LENGTH)},
                                   {"Tag", 40, grid::AnyText(2)},
                                   {"Active", 60}},
                                  18, true);
    grid::FitSize(StringGridZones, width, 20);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StringGridZones);
    layout->addLayout(controls::buttonRow(btnOk, btnCancel));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmEditZones::FormShow() {
    ZonesHeld = chlayout::HoldsExtras(eeprom.RadioSize());
    StringGridZones->setRowCount(ZONE_ROWS);
    LoadZones();
}

// A radio of 8 KiB has no zone table: its zones show erased, as such a radio leaves them, and
// cannot be edited.
void TfrmEditZones::LoadZones() {
    static const uint8_t erased[ZONE_ENTRY_SIZE] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    ZoneRecord zone;
    shownNames.clear();
    shownTags.clear();
    for (int z = 0; z < ZONE_ROWS; ++z) {
        if (z == 0) {
            ZoneSetName(zone, QStringLiteral("ZONE 0"));
            ZoneSetTag(zone, QStringLiteral("00"));
            ZoneSetActive(zone, true);
        } else if (ZonesHeld) {
            ZoneRead(zone, eeprom.data, ZoneOffset(z));
        } else {
            ZoneRead(zone, erased, 0);
        }
        shownNames << ZoneGetName(zone);
        shownTags << ZoneGetTag(zone);
        grid::SetRow(StringGridZones, z,
                     {QString::number(z), shownNames.last(), shownTags.last(),
                      ZoneIsActive(zone) ? QStringLiteral("Y") : QStringLiteral("N")});
        StringGridZones->item(z, ZoneColumn)->setFlags(Qt::ItemIsEnabled);
        for (int column = NameColumn; column <= ActiveColumn; ++column) {
            QTableWidgetItem* item = StringGridZones->item(z, column);
            item->setFlags(ZonesHeld ? item->flags() | Qt::ItemIsEditable
                                     : item->flags() & ~Qt::ItemIsEditable);
        }
    }
}

// The zone 0 row is never stored. Flags bits other than "inactive" are written as 0.
void TfrmEditZones::btnOkClick() {
    for (int z = 1; ZonesHeld && z < ZONE_ROWS; ++z) {
        ZoneRecord zone;
        ZoneRead(zone, eeprom.data, ZoneOffset(z));
        const QString name = grid::Cell(StringGridZones, z, NameColumn);
        const QString tag = grid::Cell(StringGridZones, z, TagColumn);
        if (name != shownNames.value(z))
            ZoneSetName(zone, name);
        if (tag != shownTags.value(z))
            ZoneSetTag(zone, tag);
        zone.flags = 0;
        ZoneSetActive(zone, grid::Cell(StringGridZones, z, ActiveColumn).startsWith('Y'));
        ZoneWrite(zone, eeprom.data, ZoneOffset(z));
    }
    done(mrOk);
}
