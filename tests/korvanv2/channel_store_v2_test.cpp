// The second program's channel store, the zone codec and the character rule they share.
#include "Chdata.h"
#include "Radio_text.h"
#include "Zones.h"
#include "support/ImageChanges.h"

#include <QByteArray>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<uint8_t> Image(uint8_t fill) {
    return std::vector<uint8_t>(16384, fill);
}

uint32_t Decoded(uint32_t hz) {
    uint8_t offset = 0;
    const uint16_t code = ChData::EncodeFrequency(hz, offset);
    return ChData::DecodeFrequency(code, offset);
}

} // namespace

TEST(ChannelStoreV2, FrequencyCodec) {
    struct Case {
        uint32_t hz;
        uint16_t code;
        uint8_t offset;
    };
    for (const Case& c :
         {Case{477000000, 38160, 0}, Case{477006250, 38160, 7}, Case{174005000, 13920, 1},
          Case{146012500, 11681, 0}, Case{146006250, 11680, 7}, Case{819187500, 65535, 0}}) {
        uint8_t offset = 99;
        EXPECT_EQ(ChData::EncodeFrequency(c.hz, offset), c.code) << c.hz;
        EXPECT_EQ(offset, c.offset) << c.hz;
    }
    // Every 5 kHz multiple comes back exactly, others on the 6.25 kHz raster.
    for (uint32_t hz = 146000000; hz < 146100000; hz += 5000)
        EXPECT_EQ(Decoded(hz), hz);
    EXPECT_EQ(Decoded(146003125), 146006250u);
    EXPECT_EQ(ChData::DecodeFrequency(100, 5), 1250000u);
    EXPECT_EQ(ChData::DecodeFrequency(100, 6), 1250000u);
    EXPECT_EQ(ChData::DecodeFrequency(100, 0xF7), 1256250u) << "only the low 3 bits count";
}

TEST(ChannelStoreV2, ErasedAndOutOfRangeZoneBytes) {
    auto image = Image(0xFF);
    image[chlayout::Tag(1) + 3] = 254;
    image[chlayout::Tag(2) + 3] = 60;
    image[chlayout::Tag(3) + 3] = 49;
    ChData store(CH_COUNT);
    store.LoadFromImage(image.data());
    ch_data_struct raw;
    store.GetRaw(raw, 0);
    EXPECT_EQ(raw.flags, 0xFF);
    EXPECT_TRUE(store.IsGroup(0));
    EXPECT_EQ(raw.name, "");
    EXPECT_EQ(raw.ext, 0) << "an erased zone byte clears ext";
    EXPECT_EQ(raw.zone, 1);
    ch_normal_struct normal;
    store.GetNormal(normal, 0);
    EXPECT_EQ(normal.GetTag(), "") << "0xFF ends the tag";
    EXPECT_EQ(store.GetZone(1), 0);
    EXPECT_EQ(store.GetZone(2), 0);
    EXPECT_EQ(store.GetZone(3), 50);
    EXPECT_EQ(store.CountInZone(1), CH_COUNT - 3);

    store.SaveToImage(image.data());
    EXPECT_EQ(image[chlayout::Tag(0) + 3], 0);
    EXPECT_EQ(image[chlayout::Tag(1) + 3], 254);
    EXPECT_EQ(image[chlayout::Tag(2) + 3], 254);
    EXPECT_EQ(image[chlayout::Tag(3) + 3], 49);
    EXPECT_EQ(image[chlayout::Tag(2) + 2], 0xFF) << "ext of a zone byte that is not erased stays";
}

// Whatever the store wrote, it reads back and writes again byte for byte; nothing outside
// the channel areas is touched.
TEST(ChannelStoreV2, SavedImageRoundTripsByteForByte) {
    auto image = Image(0);
    testsupport::FillFromSeed(image.data(), int(image.size()), 7);
    const auto noise = image;
    ChData store(CH_COUNT);
    store.LoadFromImage(image.data());
    store.SaveToImage(image.data());
    const auto first = image;
    ChData again(CH_COUNT);
    again.LoadFromImage(first.data());
    auto second = noise;
    again.SaveToImage(second.data());
    EXPECT_EQ(first, second);
    for (int offset : {0, 691, 11132 + 2000, 13000, 16383})
        EXPECT_EQ(first[size_t(offset)], noise[size_t(offset)]) << offset;
}

TEST(ChannelStoreV2, GroupMembersUseTheExtBits) {
    ChData store(CH_COUNT);
    ch_group_struct group;
    const int members[8] = {300, 0, 500, 5, 0, 0, 256, 1};
    std::copy(members, members + 8, group.member);
    group.ext = 0x40;
    group.flags = 0x80;
    EXPECT_EQ(store.SetGroup(group, 11), 0);
    EXPECT_EQ(group.flags, 0x83) << "the caller's record is marked visible and group";
    auto image = Image(0);
    store.SaveToImage(image.data());
    const uint8_t* record = image.data() + chlayout::Record(11);
    EXPECT_EQ(record[2], 44);
    EXPECT_EQ(record[4], 500 - 256);
    EXPECT_EQ(record[8], 0);
    EXPECT_EQ(image[size_t(chlayout::Tag(11) + 2)], 0b01000101);

    ChData loaded(CH_COUNT);
    loaded.LoadFromImage(image.data());
    ch_group_struct back;
    loaded.GetGroup(back, 11);
    EXPECT_TRUE(std::equal(members, members + 8, back.member));
    for (int n : {300, 500, 5, 256, 1})
        EXPECT_EQ(loaded.FindGroupUsing(n - 1), 11) << n;
    EXPECT_EQ(loaded.FindGroupUsing(43), -1) << "member 300 is not channel 44";
    EXPECT_EQ(loaded.FindGroupUsing(500), -1);
    EXPECT_EQ(loaded.GetGroup(back, 500), -1);
    EXPECT_EQ(loaded.SetRaw(ch_data_struct{}, -1), -1);
    EXPECT_FALSE(loaded.SetZone(500, 1));
}

TEST(ChannelStoreV2, NamesTagsAndCounts) {
    auto image = Image(0xFF);
    EXPECT_EQ(ChData::WriteName(image.data(), 4, QStringLiteral("ABC")), 1);
    const uint8_t* head = image.data() + chlayout::Record(4) + 10;
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(head), 5), QByteArray("ABC\0\0", 5));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(image.data() + chlayout::NameTail(4)), 4),
              QByteArray(4, '\0'));
    ChData::WriteName(image.data(), 5, QStringLiteral("LONGNAME12"));
    EXPECT_EQ(ChData::ReadName(image.data(), 5), "LONGNAME1");
    ChData::WriteName(image.data(), 6, QStringLiteral("r_é€a"));
    EXPECT_EQ(ChData::ReadName(image.data(), 6), "r_é a") << "as typed, one byte a character";
    EXPECT_EQ(ChData::WriteName(image.data(), 500, QStringLiteral("X")), 0);
    EXPECT_EQ(ChData::ReadName(image.data(), -1), "");

    ChData store(CH_COUNT);
    store.SetTag(3, QStringLiteral("a"));
    store.SetTag(600, QStringLiteral("ZZ"));
    ch_data_struct raw;
    store.GetRaw(raw, 3);
    EXPECT_EQ(raw.tag[0], 'A');
    EXPECT_EQ(raw.tag[1], 0);
    ch_normal_struct normal;
    store.GetNormal(normal, 3);
    EXPECT_EQ(normal.GetTag(), "A ") << "a 0 byte reads as a space";
    normal.SetTag(QStringLiteral("~7x"));
    EXPECT_EQ(normal.GetTag(), " 7");

    // Empty: not visible and no RX code; counted: visible or with an RX code.
    ch_normal_struct hidden;
    hidden.rxFreq = 146000000;
    hidden.zone = 2;
    store.SetNormal(hidden, 10);
    ch_normal_struct shown;
    shown.flags = 1;
    shown.zone = 2;
    store.SetNormal(shown, 11);
    EXPECT_FALSE(store.IsEmpty(10));
    EXPECT_EQ(store.FirstFree(), 0);
    EXPECT_EQ(store.CountInZone(2), 2);
    EXPECT_EQ(store.CountZonedChannels(), 1);
    EXPECT_EQ(store.CountInZone(-1), 0);
    EXPECT_EQ(DefaultChannelName(0), "CH001");
    EXPECT_EQ(DefaultChannelTag(99), "00");
    EXPECT_EQ(DefaultChannelTag(456), "57");
}

TEST(ZonesV2, CodecAndCharacterRule) {
    auto image = Image(0xFF);
    ZoneRecord zone;
    ZoneRead(zone, image.data(), ZoneOffset(50));
    EXPECT_FALSE(ZoneIsActive(zone));
    EXPECT_EQ(ZoneGetName(zone), "");
    EXPECT_EQ(ZoneGetTag(zone), "");

    ZoneClear(zone);
    EXPECT_TRUE(ZoneIsActive(zone));
    ZoneSetName(zone, QStringLiteral("abc"));
    ZoneSetTag(zone, QStringLiteral("7"));
    zone.flags = 0x13;
    ZoneSetActive(zone, false);
    EXPECT_EQ(zone.flags, 0x93);
    ZoneWrite(zone, image.data(), ZoneOffset(50));
    EXPECT_EQ(image[size_t(ZoneOffset(50) + 11)], 0x93);
    EXPECT_EQ(image[size_t(ZoneOffset(50) + 12)], 0xFF) << "zone 50 ends at its 12th byte";
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(image.data() + ZoneOffset(50)), 11),
              QByteArray("7\0abc\0\0\0\0\0\0", 11))
        << "the name as typed";
    ZoneRecord back;
    ZoneRead(back, image.data(), ZoneOffset(50));
    EXPECT_EQ(ZoneGetName(back), "ABC      ");
    EXPECT_EQ(ZoneGetTag(back), "7 ");
    ZoneSetTag(back, QString());
    EXPECT_EQ(back.tag[0], 0);
    EXPECT_EQ(back.tag[1], 0);
    ZoneSetName(back, QStringLiteral("Z_né\u4e2d1234567"));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(back.name), 10),
              QByteArray("Z_n\xE9 1234\0", 10));
    EXPECT_EQ(ZoneGetName(back), "Z NI 1234") << "read by the character rule";

    EXPECT_EQ(ZoneDecodeChar(0xC1), 'A');
    EXPECT_EQ(ZoneDecodeChar(0x7B), ' ');
    EXPECT_EQ(ZoneDecodeChar(0x1F), ' ');
    EXPECT_EQ(ZoneDecodeChar(0xFF), 0);
    EXPECT_EQ(radiotext::EncodeChar(QChar(0xFF)), ' ');
}
