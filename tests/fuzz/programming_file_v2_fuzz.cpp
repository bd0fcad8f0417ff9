// Second-generation programming and calibration files: any file loads or is refused with a
// message; the channels, vote groups and zones of whatever was loaded read as the channel bank
// shows them, and what the store and the zone table write back reads back the same.
#include "Chdata.h"
#include "Ctcss.h"
#include "Eeprom.h"
#include "Forms.h"
#include "Fuzz_app.h"
#include "Main.h"
#include "Text_format.h"
#include "Zones.h"

#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// A channel's row in the channel bank; a vote group's lists its members, each marked when
// the group editor would refuse it (an empty channel or another group).
QStringList channelRow(const ChData& channels, int i) {
    ch_normal_struct c;
    channels.GetNormal(c, i);
    QStringList cells{c.name, c.GetTag(), QString::number(c.zone)};
    if (!channels.IsGroup(i))
        return cells << text::TxFrequencyText(c.txFreq) << text::FrequencyText(c.rxFreq)
                     << ToneCodeText(c.txTone) << ToneCodeText(c.rxTone);
    ch_group_struct group;
    channels.GetGroup(group, i);
    for (int member : group.member)
        if (member > 0)
            cells << QString::number(member) +
                         (channels.IsEmpty(member - 1) || channels.IsGroup(member - 1) ? "!" : "");
    return cells;
}

QStringList zoneCells(const ChData& channels) {
    QStringList cells{QString::number(channels.CountZonedChannels())};
    for (int z = 1; z <= ZONE_COUNT; ++z) {
        ZoneRecord zone;
        ZoneRead(zone, eeprom.data, ZoneOffset(z));
        cells << ZoneGetTag(zone) << ZoneGetName(zone) << QString::number(ZoneIsActive(zone))
              << QString::number(channels.CountInZone(z));
    }
    return cells;
}

// The channel bank's OK writes the store and the zone table: after one such write, another
// changes no byte.
std::vector<uint8_t> storeWritten(const uint8_t* image) {
    std::vector<uint8_t> written(image, image + EEPROM::SIZE);
    ChData channels(CH_COUNT);
    channels.LoadFromImage(written.data());
    channels.SaveToImage(written.data());
    for (int z = 1; z <= ZONE_COUNT; ++z) {
        ZoneRecord zone;
        ZoneRead(zone, written.data(), ZoneOffset(z));
        ZoneWrite(zone, written.data(), ZoneOffset(z));
    }
    return written;
}

void readChannels() {
    ChData channels(CH_COUNT);
    channels.LoadFromImage(eeprom.data);
    zoneCells(channels);
    for (int i = 0; i < CH_COUNT; ++i)
        if (!channels.IsEmpty(i))
            channelRow(channels, i);
    const std::vector<uint8_t> once = storeWritten(eeprom.data);
    if (storeWritten(once.data()) != once)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::ScriptedHost& host = fuzz::StartForms(CreateForms);
    const QString path = fuzz::InputFile(data, size);
    if (path.isEmpty())
        return 0;
    frmBelmar->LoadCalibrationFile(path);
    if (frmBelmar->LoadProgrammingFile(path))
        readChannels();
    host.messages.clear();
    return 0;
}
