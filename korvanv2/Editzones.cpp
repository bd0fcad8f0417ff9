#include "Editzones.h"

#include "Chdata.h"
#include "Controls.h"
#include "Eeprom.h"
#include "Mask_edit.h"
#include "String_grid.h"
#include "Zones.h"

#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TfrmEditZones* frmEditZones = nullptr;

namespace {
constexpr int ZONE_ROWS = 51; // zone 0, then zones 1..50
enum Column { ZoneColumn, NameColumn, TagColumn, ActiveColumn };

// A cell takes as many characters as its field keeps; only the first of Active counts.
QString cellMask(int column) {
    const int lengths[] = {0, ZONE_NAME_LENGTH, ZONE_TAG_LENGTH, 1};
    return QString(lengths[column], QLatin1Char('C'));
}
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
    StringGridZones->setItemDelegate(new MaskEditDelegate(
        this, [](int, int column) { return cellMask(column); }, [](int) { return QString(); },
        [this](int row, int column) { edits.mark(StringGridZones, row, column); }));
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
        grid::SetRow(StringGridZones, z,
                     {QString::number(z), ZoneGetName(zone), ZoneGetTag(zone),
                      ZoneIsActive(zone) ? QStringLiteral("Y") : QStringLiteral("N")});
        StringGridZones->item(z, ZoneColumn)->setFlags(Qt::ItemIsEnabled);
        for (int column = NameColumn; column <= ActiveColumn; ++column) {
            QTableWidgetItem* item = StringGridZones->item(z, column);
            item->setFlags(ZonesHeld ? item->flags() | Qt::ItemIsEditable
                                     : item->flags() & ~Qt::ItemIsEditable);
        }
    }
    edits.clear();
}

// The zone 0 row is never stored; of the others only the cells the user typed in, as they
// show. Active sets the "inactive" bit alone.
void TfrmEditZones::btnOkClick() {
    for (int z = 1; ZonesHeld && z < ZONE_ROWS; ++z) {
        ZoneRecord zone;
        ZoneRead(zone, eeprom.data, ZoneOffset(z));
        const auto typed = [this, z](int column) {
            return edits.changed(StringGridZones, z, column);
        };
        if (typed(NameColumn))
            ZoneSetName(zone, grid::Cell(StringGridZones, z, NameColumn));
        if (typed(TagColumn))
            ZoneSetTag(zone, grid::Cell(StringGridZones, z, TagColumn));
        if (typed(ActiveColumn))
            ZoneSetActive(zone, grid::Cell(StringGridZones, z, ActiveColumn).startsWith('Y'));
        ZoneWrite(zone, eeprom.data, ZoneOffset(z));
    }
    done(mrOk);
}
