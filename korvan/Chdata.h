#pragma once
// The channel store of the first-generation radio: 124 channel slots mirroring the
// channel areas of the 4096-byte memory image, with views of a slot as a normal channel
// (frequencies in Hz) or as a vote group (member slot numbers).
//
// Slots 1..99 are named and may hold normal or group channels; slots 100..124 hold
// normal channels only and have no name. Record 0 exists so that slot numbers index the
// store directly; it is never loaded, stored or shown.

#include <QString>
#include <cstdint>
#include <vector>

constexpr int CH_COUNT = 125;        // records in the store (slot 0 unused)
constexpr int CH_LAST_SLOT = 124;    // highest channel slot
constexpr int CH_LAST_NAMED = 99;    // highest slot with a name (and the highest group slot)
constexpr int CH_NAME_LENGTH = 9;    // characters in a name
constexpr int GROUP_MEMBERS = 8;     // member entries of a group record
constexpr int GROUP8_LAST_MAIN = 37; // highest main slot an 8-member group can hold

// Image offsets of the channel areas.
constexpr int CH_HIGH_RECORDS = 0x221; // records of slots 100..124, 8 bytes each
constexpr int CH_NAME_HEAD = 0x2E9;    // name characters 1..5 of slots 1..99, 5 bytes each
constexpr int CH_MAIN_RECORDS = 0x4DF; // records of slots 1..99, 8 bytes each
constexpr int CH_NAME_TAIL = 0x800;    // name characters 6..9 of slots 1..99, 4 of each 8
constexpr int CH_RECORD_SIZE = 8;

// Record bits (flags6 = record byte 6, flags7 = record byte 7).
namespace chflags {
constexpr uint8_t Enabled = 0x01;     // flags6: enabled as a channel
constexpr uint8_t TalkAround = 0x02;  // flags6, normal
constexpr uint8_t BusyLockout = 0x04; // flags6
constexpr uint8_t LowPower = 0x08;    // flags6
constexpr uint8_t Group = 0x10;       // flags6
constexpr uint8_t VoteSignal = 0x20;  // flags6, group: signal strength voting
constexpr uint8_t CtcssVoting = 0x40; // flags6, normal: use CTCSS during voting
constexpr uint8_t TxExtension = 0x80; // flags6, normal: TX frequency code extension
constexpr uint8_t Group8 = 0x80;      // flags6, group: 8 members
constexpr uint8_t OpenScan = 0x01;    // flags7, normal
constexpr uint8_t GroupScan = 0x02;   // flags7, normal
constexpr uint8_t Quiet = 0x04;       // flags7
constexpr uint8_t SquelchSw = 0x08;   // flags7
constexpr uint8_t Narrow = 0x10;      // flags7, normal
constexpr uint8_t CpuOffset = 0x20;   // flags7, normal
constexpr uint8_t DcsInvert = 0x40;   // flags7, normal
constexpr uint8_t RxExtension = 0x80; // flags7, normal: RX frequency code extension
} // namespace chflags

// A slot's 8 record bytes as they stand in the image, and its name.
struct CH_DATA_STRUCT {
    uint16_t TxCode = 0; // record bytes 0-1, low byte first
    uint16_t RxCode = 0; // record bytes 2-3
    uint8_t TxTone = 0;
    uint8_t RxTone = 0;
    uint8_t Flags6 = 0;
    uint8_t Flags7 = 0;
    QString Name;
};

// A normal channel, frequencies decoded to Hz.
struct CH_NORMAL_STRUCT {
    uint32_t TxFreq = 0; // 0: transmit disabled
    uint32_t RxFreq = 0;
    uint32_t TxTone = 0; // first-generation tone codes
    uint32_t RxTone = 0;
    uint8_t Flags6 = 0;
    uint8_t Flags7 = 0;
    QString Name;
};

// A vote group channel, members decoded to slot numbers (0 = none).
struct CH_GROUP_STRUCT {
    uint32_t Member[GROUP_MEMBERS] = {};
    uint8_t Flags6 = 0;
    uint8_t Flags7 = 0;
    QString Name;
};

// A vote group listing an empty slot or itself: the radio would vote on nothing, and a
// channel later stored in that slot would join the group unseen.
struct GroupFault {
    int group = 0;  // slot of the group; 0 none
    int member = 0; // the slot it must not list

    explicit operator bool() const { return group != 0; }
    QString Text() const;
};

class ChData {
public:
    explicit ChData(int count);

    // 0: UHF codec, 1: VHF codec, for every later frequency conversion.
    void SetVhfCodec(uint8_t flag);

    // Record operations return 0, or -1 (doing nothing) for a slot outside the store.
    int GetRaw(CH_DATA_STRUCT& raw, int slot) const;
    int SetRaw(const CH_DATA_STRUCT& raw, int slot);
    int GetNormal(CH_NORMAL_STRUCT& normal, int slot) const;
    // Also sets the frequency extension bits in the caller's record.
    int SetNormal(CH_NORMAL_STRUCT& normal, int slot);
    int GetGroup(CH_GROUP_STRUCT& group, int slot) const;
    // Also sets the enabled and group bits in the caller's record.
    int SetGroup(CH_GROUP_STRUCT& group, int slot);
    // SetGroup over a group of the same size in `slot` that keeps what the edit left as it
    // was: the stored code of every member that is still the same, and the enabled bit.
    int UpdateGroup(CH_GROUP_STRUCT& group, int slot);
    int ClearChannel(int slot);

    bool IsEmpty(int slot) const;
    bool IsGroup(int slot) const;
    // The first free slot after n (n in 0..123), or 0.
    int NextFree(int n) const;
    // The first slot that is enabled or has an RX code, or 0.
    int FirstUsed() const;
    // The group slots listing slot n as a member, ascending.
    std::vector<int> GroupsUsing(int n) const;
    // The highest group slot listing slot n as a member, or 0.
    int FindGroupUsing(int n) const;
    // The group rules, so that no group ever nests in another: a new group goes only to a
    // free slot 1..99 that no group lists as a member; a member is a slot 1..124 holding
    // a channel (enabled, or hidden with an RX frequency) that is not a group.
    bool CanHoldNewGroup(int n) const;
    std::vector<int> NewGroupSlots() const; // ascending
    bool CanBeMember(int n) const;
    // The rule every stored record keeps: no group lists an empty slot or itself. The fault
    // storing the record in `slot` would make (the slot a faulty group, or empty while a
    // group lists it); none for a slot outside the store.
    GroupFault FaultIfStored(const CH_DATA_STRUCT& raw, int slot) const;
    GroupFault FaultIfStored(CH_NORMAL_STRUCT normal, int slot) const;

    int LoadFromImage(const uint8_t* image);
    int SaveToImage(uint8_t* image) const;

    // Group member codes, by member position p (0..7) and group size (6 or 8).
    static uint8_t SlotToMemberCode(int slot, int p, int size);
    static int MemberCodeToSlot(int code, int p, int size);

    // Frequency codecs: Hz <-> 16-bit code plus extension bit.
    static uint32_t DecodeFrequency(uint16_t code, bool extension, bool vhf);
    static uint16_t EncodeFrequency(uint32_t hz, bool& extension, bool vhf);
    // The stored code and extension when they already give hz (so a code the encoder
    // would write otherwise stays as it is), else EncodeFrequency's.
    static uint16_t RecodeFrequency(uint32_t hz, uint16_t code, bool& extension, bool vhf);

private:
    bool valid(int slot) const { return slot >= 0 && slot < count; }
    // Enabled with the group bit: a group whose members the radio votes on.
    bool listsMembers(int slot) const;
    template <class Store> GroupFault FaultAfter(int slot, Store store) const;
    GroupFault FaultAt(int slot) const;
    GroupFault MemberFault(int group) const;

    std::vector<CH_DATA_STRUCT> records;
    int count;
    uint8_t vhfCodec = 0;
};

// The name a normal channel is listed under: its name when it is enabled and below slot
// 100, else "Hidden".
QString ListedName(int slot, const CH_NORMAL_STRUCT& channel);

// Name of slot i + 1 (i in 0..98) from the image; "" for any other i.
QString ReadImageName(const uint8_t* image, int i);
// Stores the name of slot i + 1 (cut to 9 characters); false for i outside 0..98.
bool WriteImageName(uint8_t* image, int i, const QString& name);
