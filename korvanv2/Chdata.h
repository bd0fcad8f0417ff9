#pragma once
// The second generation's channel store: 500 channels, each a raw record mirroring its
// bytes in the memory image, with views of a channel as a normal channel (frequencies in
// Hz) or as a vote group (member channel numbers). Channels carry a 2-character tag and
// the zone (1..50, 0 none) they belong to.

#include <QString>
#include <algorithm>
#include <cstdint>
#include <vector>

constexpr int CH_COUNT = 500;
constexpr int CH_NAME_LENGTH = 9;
constexpr int CH_TAG_LENGTH = 2;
constexpr int GROUP_MEMBERS = 8;
constexpr int ZONE_COUNT = 50;

// Where channel i (0-based) lives in the image.
namespace chlayout {
constexpr int RECORDS = 692;    // 15-byte records, channel 500 ending at 8191
constexpr int RECORD_SIZE = 15; // bytes 0..9 as below, then name characters 1..5
constexpr int RECORD_FIELDS = 10;
constexpr int NAME_HEAD_CHARS = 5;
constexpr int NAME_TAIL = 8192; // name characters 6..9, 4 bytes a channel
constexpr int NAME_TAIL_CHARS = 4;
constexpr int TAGS = 11132; // tag 1, tag 2, ext, zone byte: 4 bytes a channel
constexpr int TAG_SIZE = 4;
constexpr uint8_t NO_ZONE = 254; // stored zone byte of zone 0; 0..49 are zones 1..50
constexpr uint8_t ERASED = 0xFF;

constexpr int Record(int i) {
    return RECORDS + RECORD_SIZE * i;
}
constexpr int NameTail(int i) {
    return NAME_TAIL + NAME_TAIL_CHARS * i;
}
constexpr int Tag(int i) {
    return TAGS + TAG_SIZE * i;
}

// A radio of 8 KiB keeps the channel records alone: names of 5 characters, and no tags, ext
// or zone bytes (so no member above 255) and no zone table.
constexpr bool HoldsExtras(int radioSize) {
    return radioSize > NAME_TAIL;
}
constexpr int NameLength(int radioSize) {
    return HoldsExtras(radioSize) ? CH_NAME_LENGTH : NAME_HEAD_CHARS;
}
constexpr int HighestMember(int radioSize) {
    return HoldsExtras(radioSize) ? CH_COUNT : 0xFF;
}
} // namespace chlayout

// Bit numbers of flags (record byte 0) and flags1 (record byte 1).
namespace chbit {
constexpr int Visible = 0;     // flags; set in every group
constexpr int Group = 1;       // flags
constexpr int TalkAround = 2;  // flags, normal
constexpr int BusyLockout = 3; // flags
constexpr int LowPower = 4;    // flags
constexpr int SignalVote = 5;  // flags, group: signal strength voting
constexpr int CtcssVoting = 6; // flags, normal: use CTCSS during voting
constexpr int DisplayVote = 7; // flags, group: display the vote channel
constexpr int OpenScan = 0;    // flags1, normal
constexpr int GroupScan = 1;   // flags1, normal
constexpr int Quiet = 2;       // flags1
constexpr int SquelchSw = 3;   // flags1
constexpr int Narrow = 4;      // flags1, normal
constexpr int CpuOffset = 5;   // flags1, normal
constexpr int DcsInvert = 6;   // flags1, normal
constexpr uint8_t Mask(int bit) {
    return uint8_t(1u << bit);
}
} // namespace chbit

// A channel's record bytes as the image holds them, with its name.
struct ch_data_struct {
    uint8_t flags = 0;
    uint8_t flags1 = 0;
    uint16_t txCode = 0;
    uint8_t txOffset = 0;
    uint16_t rxCode = 0;
    uint8_t rxOffset = 0;
    uint8_t txTone = 0;
    uint8_t rxTone = 0;
    QString name;
    // The name bytes as loaded: stored back unchanged while `name` still reads from them.
    uint8_t nameBytes[CH_NAME_LENGTH] = {};
    uint8_t tag[CH_TAG_LENGTH] = {};
    uint8_t ext = 0;  // bit k: bit 8 of group member k + 1
    uint8_t zone = 0; // 0 none, 1..50
};

struct ch_normal_struct {
    uint8_t flags = 0;
    uint8_t flags1 = 0;
    uint32_t txFreq = 0; // Hz; 0: transmit disabled
    uint32_t rxFreq = 0;
    int txTone = 0; // tone list index
    int rxTone = 0;
    QString name;
    uint8_t tag[CH_TAG_LENGTH] = {};
    uint8_t ext = 0;
    uint8_t zone = 0;

    QString GetTag() const;
    void SetTag(const QString& text);
};

struct ch_group_struct {
    uint8_t flags = 0;
    uint8_t flags1 = 0;
    int member[GROUP_MEMBERS] = {}; // channel numbers, 0 empty
    QString name;
    uint8_t tag[CH_TAG_LENGTH] = {};
    uint8_t ext = 0;
    uint8_t zone = 0;

    QString GetTag() const;
    void SetTag(const QString& text);
};

namespace members {
enum class Listed;
}

// A vote group listing an empty channel, one the radio does not have, or itself: the radio
// would vote on nothing, and a channel later stored in that slot would join the group unseen.
// Nor does a group list another group.
struct GroupFault {
    int group = -1;           // index of the group; -1 none
    int member = 0;           // the channel number it must not list
    members::Listed listed{}; // what that channel is (an empty one at first)

    explicit operator bool() const { return group >= 0; }
    QString Text() const;
};

class ChData {
public:
    explicit ChData(int count);

    int Count() const { return count; }
    // The highest channel number a group may list (a radio of 8 KiB keeps no member above
    // 255); a member above it, or above 500, counts as an empty channel. 500 at first.
    void LimitMembers(int highest) { highestMember = highest; }

    // Index operations take i = channel number - 1 and do nothing for an index outside
    // the store; the result for one outside is given after the colon.
    int ClearAll();
    int ClearChannel(int i);                              // 0 : 0
    int GetRaw(ch_data_struct& out, int i) const;         // 0 : -1
    int SetRaw(const ch_data_struct& record, int i);      // 0 : -1
    int GetNormal(ch_normal_struct& out, int i) const;    // 0 : -1
    int SetNormal(const ch_normal_struct& record, int i); // 0 : -1
    int GetGroup(ch_group_struct& out, int i) const;      // 0 : -1
    // Also sets the visible and group bits in the caller's record.
    int SetGroup(ch_group_struct& record, int i); // 0 : -1
    bool IsEmpty(int i) const;                    // : false
    bool IsGroup(int i) const;                    // : false
    int FirstFree() const;                        // -1 when none
    int GetZone(int i) const;                     // : -1
    bool SetZone(int i, int zone);                // : false
    // Channels of zone z that are visible or have a receive frequency.
    int CountInZone(int z) const;
    // Visible channels in zones 1..50.
    int CountZonedChannels() const;
    // Index of the first group listing channel number i + 1; -1 when none.
    int FindGroupUsing(int i) const;
    // Indexes of every group listing channel number i + 1, in index order.
    std::vector<int> GroupsUsing(int i) const;
    void SetTag(int i, const QString& text);

    // The rule every stored record keeps: no group lists an empty channel (or one the radio
    // does not have), itself or another group. The fault storing the record at i would make
    // (i a faulty group, i empty while a group lists it, or i a new group where a group lists
    // it); a group that lists a group already in the store may keep it. None for an index
    // outside.
    GroupFault FaultIfStored(const ch_data_struct& record, int i) const;
    GroupFault FaultIfStored(const ch_normal_struct& record, int i) const;
    GroupFault FaultIfStored(ch_group_struct record, int i) const;
    // The first group, in index order, that breaks the rule; with `before`, only where
    // `before` kept it (an erased image's CH255 lists itself, which is the radio's, not the
    // user's).
    GroupFault FirstFault(const ChData* before = nullptr) const;
    // The first fault of a file read in: a wholly erased record is the radio's blank state,
    // whose CH255 lists itself and every other group lists CH255, and is let through.
    GroupFault FirstFaultOfFile() const;

    int LoadFromImage(const uint8_t* image);
    int SaveToImage(uint8_t* image) const;
    // "" for i outside 0..499.
    static QString ReadName(const uint8_t* image, int i);
    // Stores the name as typed; 1, or 0 for i outside 0..499.
    static int WriteName(uint8_t* image, int i, const QString& name);

    // Hz from a 12.5 kHz step code and its offset code, and back.
    static uint32_t DecodeFrequency(uint16_t code, uint8_t offset);
    static uint16_t EncodeFrequency(uint32_t hz, uint8_t& offset);
    // The stored code and offset when they already give hz (so a code the encoder would
    // write otherwise stays as it is), else EncodeFrequency's.
    static uint16_t RecodeFrequency(uint32_t hz, uint16_t code, uint8_t& offset);

private:
    bool valid(int i) const { return i >= 0 && i < count; }
    template <class Store> GroupFault FaultAfter(int i, Store store) const;
    GroupFault FaultAt(int i, const ChData& before) const;
    // With `before`, a member it had faulty too is let through (with `nestsOnly`, only when
    // that member is a group).
    GroupFault MemberFault(int group, const ChData* before = nullptr, bool nestsOnly = false) const;
    GroupFault ListingFault(int group, int member) const;
    GroupFault ScanFaults(const ChData* before, bool passErased) const;
    bool IsErased(int i) const;
    bool Holds(int member) const { return member >= 1 && member <= std::min(count, highestMember); }

    std::vector<ch_data_struct> records;
    int count;
    int highestMember = CH_COUNT;
};

// "CH001" .. "CH500": the name a new channel i starts with; its tag is the number mod 100.
QString DefaultChannelName(int i);
QString DefaultChannelTag(int i);
