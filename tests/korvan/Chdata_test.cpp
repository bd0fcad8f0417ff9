// The first-generation channel store: frequency codecs, group members, names, image areas.
#include "Chdata.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

uint32_t roundTrip(uint32_t hz, bool vhf) {
    bool extension = false;
    const uint16_t code = ChData::EncodeFrequency(hz, extension, vhf);
    return ChData::DecodeFrequency(code, extension, vhf);
}

// True for the image bytes that the channel store owns.
bool inChannelArea(int offset) {
    if (offset >= CH_HIGH_RECORDS && offset < CH_HIGH_RECORDS + 25 * 8)
        return true;
    if (offset >= CH_NAME_HEAD && offset < CH_NAME_HEAD + 99 * 5)
        return true;
    if (offset >= CH_MAIN_RECORDS && offset < CH_MAIN_RECORDS + 99 * 8)
        return true;
    return offset >= CH_NAME_TAIL && offset < CH_NAME_TAIL + 99 * 8 &&
           (offset - CH_NAME_TAIL) % 8 < 4;
}

std::vector<uint8_t> patternImage() {
    std::vector<uint8_t> image(4096);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 7 + 3);
    return image;
}

} // namespace

TEST(ChannelCodec, UhfExamples) {
    bool extension = false;
    EXPECT_EQ(ChData::EncodeFrequency(477006250, extension, false), 38160);
    EXPECT_TRUE(extension);
    EXPECT_EQ(ChData::DecodeFrequency(38160, true, false), 477006250u);
    EXPECT_EQ(ChData::EncodeFrequency(477005000, extension, false), 38160);
    EXPECT_TRUE(extension);
    EXPECT_EQ(roundTrip(477005000, false), 477006250u);
    EXPECT_EQ(ChData::EncodeFrequency(477000000, extension, false), 38160);
    EXPECT_FALSE(extension);
}

TEST(ChannelCodec, VhfExamples) {
    bool extension = false;
    EXPECT_EQ(ChData::EncodeFrequency(174000000, extension, true), 13920);
    EXPECT_FALSE(extension);
    EXPECT_EQ(ChData::EncodeFrequency(150005000, extension, true), 12000 + 0x4000);
    EXPECT_FALSE(extension);
    EXPECT_EQ(ChData::EncodeFrequency(150020000, extension, true), 12000 + 0xC000);
    EXPECT_TRUE(extension);
    EXPECT_EQ(ChData::EncodeFrequency(150006250, extension, true), 12000);
    EXPECT_TRUE(extension);
    for (uint32_t hz : {174000000u, 150005000u, 150020000u, 150006250u, 150015000u})
        EXPECT_EQ(roundTrip(hz, true), hz) << hz;
}

TEST(ChannelCodec, SweepsRoundTripExactly) {
    for (uint32_t hz = 0; hz < 204800000; hz += 5000)
        ASSERT_EQ(roundTrip(hz, true), hz) << "VHF 5 kHz " << hz;
    for (uint32_t hz = 0; hz < 204800000; hz += 6250)
        ASSERT_EQ(roundTrip(hz, true), hz) << "VHF 6.25 kHz " << hz;
    for (uint32_t hz = 0; hz < 819200000; hz += 6250)
        ASSERT_EQ(roundTrip(hz, false), hz) << "UHF " << hz;
}

TEST(ChannelStore, NormalChannelKeepsExtensionBitsInRecordAndCaller) {
    ChData store(CH_COUNT);
    CH_NORMAL_STRUCT in;
    in.TxFreq = 477006250;
    in.RxFreq = 477000000;
    in.TxTone = 12;
    in.RxTone = 60;
    in.Flags6 = chflags::Enabled | chflags::LowPower;
    in.Flags7 = chflags::RxExtension | chflags::Narrow; // stale extension bit
    in.Name = "REPEATER1";
    EXPECT_EQ(store.SetNormal(in, 5), 0);
    EXPECT_EQ(in.Flags6, chflags::Enabled | chflags::LowPower | chflags::TxExtension);
    EXPECT_EQ(in.Flags7, chflags::Narrow);

    CH_DATA_STRUCT raw;
    store.GetRaw(raw, 5);
    EXPECT_EQ(raw.TxCode, 38160);
    EXPECT_EQ(raw.RxCode, 38160);
    EXPECT_EQ(raw.Flags6, in.Flags6);
    CH_NORMAL_STRUCT out;
    store.GetNormal(out, 5);
    EXPECT_EQ(out.TxFreq, 477006250u);
    EXPECT_EQ(out.RxFreq, 477000000u);
    EXPECT_EQ(out.TxTone, 12u);
    EXPECT_EQ(out.RxTone, 60u);
    EXPECT_EQ(out.Name, "REPEATER1");

    // The VHF codec decodes the same store differently once selected.
    store.SetVhfCodec(1);
    in.TxFreq = in.RxFreq = 150020000;
    store.SetNormal(in, 6);
    store.GetNormal(out, 6);
    EXPECT_EQ(out.TxFreq, 150020000u);
    EXPECT_TRUE(out.Flags6 & chflags::TxExtension);
}

TEST(ChannelStore, SlotsOutsideTheStoreAreRefused) {
    ChData store(CH_COUNT);
    CH_DATA_STRUCT raw;
    CH_NORMAL_STRUCT normal;
    CH_GROUP_STRUCT group;
    for (int slot : {-1, CH_COUNT, 1000}) {
        EXPECT_EQ(store.GetRaw(raw, slot), -1);
        EXPECT_EQ(store.SetRaw(raw, slot), -1);
        EXPECT_EQ(store.GetNormal(normal, slot), -1);
        EXPECT_EQ(store.SetNormal(normal, slot), -1);
        EXPECT_EQ(store.GetGroup(group, slot), -1);
        EXPECT_EQ(store.SetGroup(group, slot), -1);
        EXPECT_EQ(store.ClearChannel(slot), -1);
        EXPECT_FALSE(store.IsEmpty(slot));
        EXPECT_FALSE(store.IsGroup(slot));
        EXPECT_EQ(store.FindGroupUsing(slot), 0);
        EXPECT_EQ(store.NextFree(slot), 0);
    }
}

TEST(GroupMembers, SixMemberEncoding) {
    ChData store(CH_COUNT);
    CH_GROUP_STRUCT group;
    store.SetGroup(group, 10);
    EXPECT_EQ(group.Flags6, chflags::Enabled | chflags::Group);
    CH_DATA_STRUCT raw;
    store.GetRaw(raw, 10);
    EXPECT_EQ(raw.TxCode, 26 | 26 << 8);
    EXPECT_EQ(raw.RxCode, 26 | 26 << 8);
    EXPECT_EQ(raw.TxTone, 26);
    EXPECT_EQ(raw.RxTone, 0);

    // Every position takes every slot a group of 6 can hold, and nothing beyond member 6.
    for (int p = 0; p < 6; ++p)
        for (int slot = 1; slot <= CH_LAST_SLOT; ++slot) {
            CH_GROUP_STRUCT in;
            in.Member[p] = uint32_t(slot);
            in.Member[6] = 3;
            in.Member[7] = 4;
            store.SetGroup(in, 10);
            CH_GROUP_STRUCT out;
            store.GetGroup(out, 10);
            for (int q = 0; q < GROUP_MEMBERS; ++q)
                ASSERT_EQ(out.Member[q], q == p ? uint32_t(slot) : 0u)
                    << "position " << p << " slot " << slot;
        }
}

TEST(GroupMembers, EightMemberEncoding) {
    ChData store(CH_COUNT);
    CH_GROUP_STRUCT in;
    in.Flags6 = chflags::Group8;
    in.Member[6] = 37;
    in.Member[7] = 124;
    store.SetGroup(in, 20);
    CH_DATA_STRUCT raw;
    store.GetRaw(raw, 20);
    // Code 63 (member 7) over the top bits of bytes 0..2, code 25 (member 8) over 3..5.
    EXPECT_EQ(raw.TxCode & 0xFF, 26 | 0xC0);
    EXPECT_EQ(raw.TxCode >> 8, 26 | 0xC0);
    EXPECT_EQ(raw.RxCode & 0xFF, 26 | 0xC0);
    EXPECT_EQ(raw.RxCode >> 8, 26 | 0x40);
    EXPECT_EQ(raw.TxTone, 26 | 0x80);
    EXPECT_EQ(raw.RxTone, 0 | 0x40);
    EXPECT_EQ(store.FindGroupUsing(124), 20);
    EXPECT_EQ(store.FindGroupUsing(37), 20);

    const auto fits8 = [](int slot) { return slot <= GROUP8_LAST_MAIN || slot >= 100; };
    for (int p = 0; p < GROUP_MEMBERS; ++p)
        for (int slot = 1; slot <= CH_LAST_SLOT; ++slot) {
            CH_GROUP_STRUCT group;
            group.Flags6 = chflags::Group8;
            for (int q = 0; q < GROUP_MEMBERS; ++q)
                group.Member[q] = q == p ? uint32_t(slot) : uint32_t(100 + q);
            store.SetGroup(group, 20);
            CH_GROUP_STRUCT out;
            store.GetGroup(out, 20);
            for (int q = 0; q < GROUP_MEMBERS; ++q) {
                const uint32_t want = q != p ? uint32_t(100 + q) : fits8(slot) ? slot : 0;
                ASSERT_EQ(out.Member[q], want) << "position " << p << " slot " << slot;
            }
            if (fits8(slot)) {
                ASSERT_EQ(store.FindGroupUsing(slot), 20) << "position " << p;
            }
        }
}

TEST(GroupMembers, CodesOutsideTheirRangeMeanNone) {
    for (int p = 0; p < 5; ++p) {
        EXPECT_EQ(ChData::MemberCodeToSlot(0, p, 6), 100);
        EXPECT_EQ(ChData::MemberCodeToSlot(25, p, 6), 0);
        EXPECT_EQ(ChData::MemberCodeToSlot(26, p, 6), 0);
        EXPECT_EQ(ChData::MemberCodeToSlot(64, p, 8), 0);
        EXPECT_EQ(ChData::SlotToMemberCode(0, p, 6), 26);
        EXPECT_EQ(ChData::SlotToMemberCode(38, p, 8), 26);
    }
    for (int p = 5; p < 8; ++p) {
        EXPECT_EQ(ChData::MemberCodeToSlot(0, p, 8), 0);
        EXPECT_EQ(ChData::MemberCodeToSlot(25, p, 8), 124);
        EXPECT_EQ(ChData::SlotToMemberCode(0, p, 8), 0);
        EXPECT_EQ(ChData::SlotToMemberCode(125, p, 6), 0);
    }
    EXPECT_EQ(ChData::MemberCodeToSlot(125, 0, 6), 99);
    EXPECT_EQ(ChData::MemberCodeToSlot(126, 0, 6), 0);
}

TEST(ChannelNames, LengthsAndErasedImage) {
    std::vector<uint8_t> image(4096, 0xFF);
    for (int i = 0; i < CH_LAST_NAMED; ++i)
        EXPECT_EQ(ReadImageName(image.data(), i), QString()) << i;

    for (const QString& name : {QString(), QString("AB"), QString("ABCDE"), QString("ABCDEFGHI"),
                                QString("ABCDEFGHIJKL")}) {
        EXPECT_TRUE(WriteImageName(image.data(), 4, name));
        EXPECT_EQ(ReadImageName(image.data(), 4), name.left(9));
        for (int c = int(name.size()); c < 9; ++c) {
            const int offset = c < 5 ? CH_NAME_HEAD + 5 * 4 + c : CH_NAME_TAIL + 8 * 4 + c - 5;
            EXPECT_EQ(image[size_t(offset)], 0) << name.toStdString() << " char " << c + 1;
        }
        // The 4 bytes after characters 6..9 are not the name's.
        for (int c = 4; c < 8; ++c)
            EXPECT_EQ(image[size_t(CH_NAME_TAIL + 8 * 4 + c)], 0xFF);
    }
    EXPECT_EQ(image[size_t(CH_NAME_HEAD + 5 * 4)], 'A');
    EXPECT_EQ(image[size_t(CH_NAME_TAIL + 8 * 4 + 3)], 'I');

    // Only slots 1..99 have names.
    EXPECT_FALSE(WriteImageName(image.data(), 99, "X"));
    EXPECT_FALSE(WriteImageName(image.data(), -1, "X"));
    EXPECT_EQ(ReadImageName(image.data(), 99), QString());
}

TEST(ChannelImage, LoadAndSaveTouchOnlyTheChannelAreas) {
    std::vector<uint8_t> image = patternImage();
    ChData store(CH_COUNT);
    store.LoadFromImage(image.data());
    std::vector<uint8_t> zeroed(4096, 0);
    store.SaveToImage(zeroed.data());
    for (int i = 0; i < 4096; ++i) {
        if (inChannelArea(i))
            continue;
        ASSERT_EQ(zeroed[size_t(i)], 0) << "byte " << i;
    }

    // Saving over the image it came from changes nothing when names have no early end.
    std::vector<uint8_t> names(4096, 0x41);
    ChData again(CH_COUNT);
    again.LoadFromImage(names.data());
    std::vector<uint8_t> copy = names;
    again.SaveToImage(copy.data());
    EXPECT_EQ(copy, names);

    // Record bytes are taken as they stand; slot 100..124 records come from 0x221.
    CH_DATA_STRUCT raw;
    store.GetRaw(raw, 100);
    EXPECT_EQ(raw.TxTone, image[CH_HIGH_RECORDS + 4]);
    EXPECT_EQ(raw.Name, QString());
    store.GetRaw(raw, 1);
    EXPECT_EQ(raw.Flags7, image[CH_MAIN_RECORDS + 7]);
    store.GetRaw(raw, 0);
    EXPECT_EQ(raw.TxCode, 0);

    // A name in slot 100..124 is never stored.
    CH_DATA_STRUCT named;
    named.Flags6 = chflags::Enabled;
    named.Name = "HIGH";
    store.SetRaw(named, 124);
    std::vector<uint8_t> before = image;
    store.SaveToImage(image.data());
    for (int i = 0; i < 4096; ++i) {
        if (inChannelArea(i))
            continue;
        ASSERT_EQ(image[size_t(i)], before[size_t(i)]) << "byte " << i;
    }
}

TEST(ChannelQueries, EmptyAndFullStores) {
    ChData store(CH_COUNT);
    EXPECT_EQ(store.NextFree(0), 1);
    EXPECT_EQ(store.NextFree(123), 124);
    EXPECT_EQ(store.NextFree(124), 0);
    EXPECT_EQ(store.NextFree(-1), 0);
    EXPECT_EQ(store.FirstUsed(), 0);
    EXPECT_EQ(store.FindGroupUsing(5), 0);
    EXPECT_TRUE(store.IsEmpty(1));

    // A hidden channel (enabled bit clear, RX code set) is in use.
    CH_DATA_STRUCT hidden;
    hidden.RxCode = 1;
    store.SetRaw(hidden, 40);
    EXPECT_FALSE(store.IsEmpty(40));
    EXPECT_EQ(store.FirstUsed(), 40);
    EXPECT_EQ(store.NextFree(39), 41);

    CH_DATA_STRUCT used;
    used.Flags6 = chflags::Enabled;
    for (int slot = 1; slot <= CH_LAST_SLOT; ++slot)
        store.SetRaw(used, slot);
    EXPECT_EQ(store.NextFree(0), 0);
    EXPECT_EQ(store.FirstUsed(), 1);
    EXPECT_EQ(store.FindGroupUsing(5), 0);

    // The highest group listing a slot is reported; a disabled group is not a group.
    CH_GROUP_STRUCT group;
    group.Member[0] = 5;
    store.SetGroup(group, 3);
    store.SetGroup(group, 9);
    EXPECT_EQ(store.FindGroupUsing(5), 9);
    EXPECT_EQ(store.FindGroupUsing(0), 0);
    CH_DATA_STRUCT raw;
    store.GetRaw(raw, 9);
    raw.Flags6 &= ~chflags::Enabled;
    store.SetRaw(raw, 9);
    EXPECT_TRUE(store.IsGroup(9));
    EXPECT_EQ(store.FindGroupUsing(5), 3);

    store.ClearChannel(3);
    EXPECT_TRUE(store.IsEmpty(3));
    EXPECT_EQ(store.NextFree(0), 3);
}
