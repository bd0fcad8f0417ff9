// Writes the whole-image seeds of both programming-file fuzz targets: second-generation images
// of 8 and 16 KiB made with the program's own channel store and zone table, so that a short
// run tries whole files with channels, vote groups and zones in them. The first program's
// target takes them as files of the other generation, opened by mistake.
//
//   fuzz_seed_images tests/fuzz/seeds

#include "Chdata.h"
#include "Eeprom.h"
#include "Zones.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdio>

namespace {

constexpr uint32_t FIRST_HZ = 450000000;
constexpr int CHANNELS = 40;
constexpr int HIGH_CHANNELS = 4; // the last ones, numbered above 256
constexpr int HIGH_INDEX = 300;
constexpr int ZONES_USED = 5;
constexpr int FIRST_GROUP = 100;

int channelIndex(int n) {
    return n < CHANNELS - HIGH_CHANNELS ? n : HIGH_INDEX + n - (CHANNELS - HIGH_CHANNELS);
}

// Zones 1..5 in turn, every fifth channel in none; zone 0 when the image has no zones.
uint8_t zoneOf(int n, bool zoned) {
    return zoned && n % 5 != 4 ? uint8_t(1 + n % ZONES_USED) : 0;
}

// Channels 12.5 kHz apart (some 6.25 kHz off the step), with varied flags and tones.
void addChannels(ChData& store, bool zoned) {
    for (int n = 0; n < CHANNELS; ++n) {
        ch_normal_struct c;
        c.flags = chbit::Mask(chbit::Visible) | (n % 3 == 0 ? chbit::Mask(chbit::TalkAround) : 0) |
                  (n % 4 == 1 ? chbit::Mask(chbit::LowPower) : 0);
        c.flags1 = (n % 2 ? chbit::Mask(chbit::Narrow) : 0) |
                   (n % 5 == 2 ? chbit::Mask(chbit::OpenScan) : 0);
        c.txFreq = FIRST_HZ + 12500u * uint32_t(n) + (n % 4 == 3 ? 6250 : 0);
        c.rxFreq = c.txFreq + (n % 2 ? 5000000 : 0);
        c.txTone = n % 51;
        c.rxTone = (3 * n) % 155;
        const int i = channelIndex(n);
        c.name = DefaultChannelName(i);
        c.SetTag(DefaultChannelTag(i));
        c.zone = zoneOf(n, zoned);
        store.SetNormal(c, i);
    }
}

// One vote group a zone, of that zone's channels; the last lists the channels above 256.
void addGroups(ChData& store, bool zoned) {
    for (int z = 1; z <= ZONES_USED; ++z) {
        ch_group_struct group;
        int k = 0;
        for (int n = 0; n < CHANNELS && k < GROUP_MEMBERS; ++n)
            if (zoneOf(n, true) == z)
                group.member[k++] = channelIndex(n) + 1;
        group.name = QStringLiteral("VOTE%1").arg(z);
        group.SetTag(QStringLiteral("V%1").arg(z));
        group.zone = zoned ? uint8_t(z) : 0;
        store.SetGroup(group, FIRST_GROUP + z);
    }
}

void addZones(uint8_t* image) {
    for (int z = 1; z <= ZONES_USED; ++z) {
        ZoneRecord zone;
        ZoneClear(zone);
        ZoneSetTag(zone, QStringLiteral("Z%1").arg(z));
        ZoneSetName(zone, QStringLiteral("ZONE %1").arg(z));
        ZoneSetActive(zone, true);
        ZoneWrite(zone, image, ZoneOffset(z));
    }
}

// A radio of `size` bytes; only a 16 KiB radio has room for zones.
QByteArray radioImage(int size) {
    const bool zoned = size == EEPROM::SIZE;
    eeprom.Erase();
    eeprom.SetByte(EEPROM::SIZE_BYTE, uint8_t(size >> 10));
    ChData store(CH_COUNT);
    addChannels(store, zoned);
    addGroups(store, zoned);
    store.SaveToImage(eeprom.data);
    if (zoned)
        addZones(eeprom.data);
    return QByteArray(reinterpret_cast<const char*>(eeprom.data), size);
}

bool writeSeed(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        return true;
    std::fprintf(stderr, "%s cannot be written\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seeds folder>\n", argv[0]);
        return 2;
    }
    const QString seeds = QString::fromLocal8Bit(argv[1]);
    const QByteArray small = radioImage(EEPROM::SMALL_SIZE);
    const QByteArray large = radioImage(EEPROM::SIZE);
    bool written = true;
    for (const char* target : {"programming_file_fuzz", "programming_file_v2_fuzz"}) {
        const QString folder = seeds + '/' + QLatin1String(target) + '/';
        written = writeSeed(folder + "v2_8k_channels.mem", small) && written;
        written = writeSeed(folder + "v2_16k_zones.mem", large) && written;
    }
    return written ? 0 : 1;
}
