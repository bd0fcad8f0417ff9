#include "Chdata.h"

#include "Group_members.h"

#include <algorithm>
#include <array>

namespace {

using RecordBytes = std::array<uint8_t, CH_RECORD_SIZE>;

RecordBytes toBytes(const CH_DATA_STRUCT& raw) {
    return {uint8_t(raw.TxCode), uint8_t(raw.TxCode >> 8),
            uint8_t(raw.RxCode), uint8_t(raw.RxCode >> 8),
            raw.TxTone,          raw.RxTone,
            raw.Flags6,          raw.Flags7};
}

void fromBytes(CH_DATA_STRUCT& raw, const RecordBytes& b) {
    raw.TxCode = uint16_t(b[0] | (b[1] << 8));
    raw.RxCode = uint16_t(b[2] | (b[3] << 8));
    raw.TxTone = b[4];
    raw.RxTone = b[5];
    raw.Flags6 = b[6];
    raw.Flags7 = b[7];
}

int recordOffset(int slot) {
    return slot <= CH_LAST_NAMED ? CH_MAIN_RECORDS + CH_RECORD_SIZE * (slot - 1)
                                 : CH_HIGH_RECORDS + CH_RECORD_SIZE * (slot - 100);
}

bool isMainSlot(int slot, int size) {
    return slot >= 1 && slot <= (size == 8 ? GROUP8_LAST_MAIN : CH_LAST_NAMED);
}

bool isHighSlot(int slot) {
    return slot >= 100 && slot <= CH_LAST_SLOT;
}

int groupSize(uint8_t flags6) {
    return (flags6 & chflags::Group8) ? 8 : 6;
}

// Highest member code a group of this size uses for a main slot.
int maxMemberCode(int size) {
    return size == 8 ? GROUP8_LAST_MAIN + 26 : CH_LAST_NAMED + 26;
}

// Name characters: 5 in the head area, 4 in the tail area; 0 and 0xFF end the name.
constexpr int HEAD_CHARS = 5;
constexpr int TAIL_CHARS = 4;

uint32_t decodeUhf(uint32_t code, bool extension) {
    return code * 12500 + (extension ? 6250 : 0);
}

// VHF: the 16-bit code and the extension bit form a 17-bit value; bits 14-15 (k) place
// 5 kHz steps on the 25 kHz grid below them, k = 3 with bit 16 standing for k = 4.
uint32_t decodeVhf(uint32_t v) {
    const uint32_t k = (v >> 14) & 3;
    const bool bit16 = v & 0x10000;
    if (k == 0)
        return (v & 0x3FFF) * 12500 + (bit16 ? 6250 : 0);
    return (v & 0x3FFE) * 12500 + k * 5000 + (k == 3 && bit16 ? 5000 : 0);
}

uint32_t encodeVhf(uint32_t hz) {
    if (hz % 5000 != 0)
        return hz / 12500 | (hz % 12500 != 0 ? 0x10000 : 0);
    const uint32_t k = (hz / 5000) % 5;
    if (k < 4)
        return ((hz / 12500) | (k << 14)) & 0xFFFE;
    return ((hz / 12500) | 0x1C000) & 0x1FFFE;
}

} // namespace

ChData::ChData(int count) : records(size_t(std::max(count, 0))), count(std::max(count, 0)) {}

void ChData::SetVhfCodec(uint8_t flag) {
    vhfCodec = flag;
}

uint32_t ChData::DecodeFrequency(uint16_t code, bool extension, bool vhf) {
    return vhf ? decodeVhf(code | (extension ? 0x10000u : 0u)) : decodeUhf(code, extension);
}

uint16_t ChData::EncodeFrequency(uint32_t hz, bool& extension, bool vhf) {
    if (vhf) {
        const uint32_t v = encodeVhf(hz);
        extension = v & 0x10000;
        return uint16_t(v);
    }
    extension = hz % 12500 != 0;
    return uint16_t(hz / 12500);
}

uint16_t ChData::RecodeFrequency(uint32_t hz, uint16_t code, bool& extension, bool vhf) {
    return hz == DecodeFrequency(code, extension, vhf) ? code : EncodeFrequency(hz, extension, vhf);
}

int ChData::GetRaw(CH_DATA_STRUCT& raw, int slot) const {
    if (!valid(slot))
        return -1;
    raw = records[size_t(slot)];
    return 0;
}

int ChData::SetRaw(const CH_DATA_STRUCT& raw, int slot) {
    if (!valid(slot))
        return -1;
    records[size_t(slot)] = raw;
    return 0;
}

int ChData::GetNormal(CH_NORMAL_STRUCT& normal, int slot) const {
    if (!valid(slot))
        return -1;
    const CH_DATA_STRUCT& r = records[size_t(slot)];
    normal.TxFreq = DecodeFrequency(r.TxCode, r.Flags6 & chflags::TxExtension, vhfCodec);
    normal.RxFreq = DecodeFrequency(r.RxCode, r.Flags7 & chflags::RxExtension, vhfCodec);
    normal.TxTone = r.TxTone;
    normal.RxTone = r.RxTone;
    normal.Flags6 = r.Flags6;
    normal.Flags7 = r.Flags7;
    normal.Name = r.Name;
    return 0;
}

int ChData::SetNormal(CH_NORMAL_STRUCT& normal, int slot) {
    if (!valid(slot))
        return -1;
    CH_DATA_STRUCT& r = records[size_t(slot)];
    bool txExtension = r.Flags6 & chflags::TxExtension;
    bool rxExtension = r.Flags7 & chflags::RxExtension;
    r.TxCode = RecodeFrequency(normal.TxFreq, r.TxCode, txExtension, vhfCodec);
    r.RxCode = RecodeFrequency(normal.RxFreq, r.RxCode, rxExtension, vhfCodec);
    normal.Flags6 =
        txExtension ? normal.Flags6 | chflags::TxExtension : normal.Flags6 & ~chflags::TxExtension;
    normal.Flags7 =
        rxExtension ? normal.Flags7 | chflags::RxExtension : normal.Flags7 & ~chflags::RxExtension;
    r.TxTone = uint8_t(normal.TxTone);
    r.RxTone = uint8_t(normal.RxTone);
    r.Flags6 = normal.Flags6;
    r.Flags7 = normal.Flags7;
    r.Name = normal.Name;
    return 0;
}

uint8_t ChData::SlotToMemberCode(int slot, int p, int size) {
    const bool low = p < 5;
    if (isMainSlot(slot, size))
        return uint8_t(slot + 26);
    if (isHighSlot(slot))
        return uint8_t(low ? slot - 100 : slot - 99);
    return low ? 26 : 0;
}

int ChData::MemberCodeToSlot(int code, int p, int size) {
    const bool low = p < 5;
    const int firstHigh = low ? 0 : 1;
    if (code >= firstHigh && code <= firstHigh + 24)
        return code - firstHigh + 100;
    if (code >= 27 && code <= maxMemberCode(size))
        return code - 26;
    return 0;
}

// Size 6: the six member bytes hold members 1..6 whole. Size 8: their low six bits hold
// members 1..6, and members 7 and 8 are spread two bits at a time over the top bits of
// bytes 0..2 and 3..5, most significant pair first.
int ChData::GetGroup(CH_GROUP_STRUCT& group, int slot) const {
    if (!valid(slot))
        return -1;
    const CH_DATA_STRUCT& r = records[size_t(slot)];
    const RecordBytes b = toBytes(r);
    const int size = groupSize(r.Flags6);
    int codes[GROUP_MEMBERS] = {};
    for (int p = 0; p < 6; ++p)
        codes[p] = size == 8 ? b[size_t(p)] & 0x3F : b[size_t(p)];
    if (size == 8)
        for (int m = 0; m < 2; ++m)
            codes[6 + m] = (b[size_t(3 * m)] >> 6) << 4 | (b[size_t(3 * m + 1)] >> 6) << 2 |
                           (b[size_t(3 * m + 2)] >> 6);
    for (int p = 0; p < GROUP_MEMBERS; ++p)
        group.Member[p] = uint32_t(p < size ? MemberCodeToSlot(codes[p], p, size) : 0);
    group.Flags6 = r.Flags6;
    group.Flags7 = r.Flags7;
    group.Name = r.Name;
    return 0;
}

int ChData::SetGroup(CH_GROUP_STRUCT& group, int slot) {
    if (!valid(slot))
        return -1;
    group.Flags6 |= chflags::Enabled | chflags::Group;
    const int size = groupSize(group.Flags6);
    uint8_t codes[GROUP_MEMBERS];
    for (int p = 0; p < GROUP_MEMBERS; ++p)
        codes[p] = SlotToMemberCode(int(std::min<uint32_t>(group.Member[p], 0xFFFF)), p, size);
    RecordBytes b{};
    for (int p = 0; p < 6; ++p)
        b[size_t(p)] = size == 8 ? codes[p] & 0x3F : codes[p];
    if (size == 8)
        for (int m = 0; m < 2; ++m)
            for (int i = 0; i < 3; ++i)
                b[size_t(3 * m + i)] |= uint8_t(((codes[6 + m] >> (4 - 2 * i)) & 3) << 6);
    b[6] = group.Flags6;
    b[7] = group.Flags7;
    CH_DATA_STRUCT& r = records[size_t(slot)];
    fromBytes(r, b);
    r.Name = group.Name;
    return 0;
}

// Size 6: a member is its whole byte. Size 8: members 1..6 are the low six bits of their
// bytes, member 7 the top bits of bytes 0..2 and member 8 those of bytes 3..5.
int ChData::UpdateGroup(CH_GROUP_STRUCT& group, int slot) {
    const int size = groupSize(group.Flags6);
    if (!IsGroup(slot) || groupSize(records[size_t(slot)].Flags6) != size)
        return SetGroup(group, slot);
    const CH_DATA_STRUCT stored = records[size_t(slot)];
    CH_GROUP_STRUCT was;
    GetGroup(was, slot);
    SetGroup(group, slot);
    if (!(stored.Flags6 & chflags::Enabled))
        group.Flags6 &= uint8_t(~chflags::Enabled);
    const RecordBytes old = toBytes(stored);
    RecordBytes now = toBytes(records[size_t(slot)]);
    const auto keep = [&](int byte, uint8_t mask) {
        now[size_t(byte)] = uint8_t((now[size_t(byte)] & ~mask) | (old[size_t(byte)] & mask));
    };
    const uint8_t low = size == 8 ? 0x3F : 0xFF;
    for (int p = 0; p < 6; ++p)
        if (was.Member[p] == group.Member[p])
            keep(p, low);
    for (int m = 0; size == 8 && m < 2; ++m)
        if (was.Member[6 + m] == group.Member[6 + m])
            for (int i = 0; i < 3; ++i)
                keep(3 * m + i, 0xC0);
    now[6] = group.Flags6;
    fromBytes(records[size_t(slot)], now);
    return 0;
}

int ChData::ClearChannel(int slot) {
    if (!valid(slot))
        return -1;
    records[size_t(slot)] = CH_DATA_STRUCT{};
    return 0;
}

bool ChData::IsEmpty(int slot) const {
    if (!valid(slot))
        return false;
    const CH_DATA_STRUCT& r = records[size_t(slot)];
    return !(r.Flags6 & chflags::Enabled) && r.RxCode == 0;
}

bool ChData::IsGroup(int slot) const {
    return valid(slot) && (records[size_t(slot)].Flags6 & chflags::Group);
}

int ChData::NextFree(int n) const {
    const int last = std::min(count - 1, CH_LAST_SLOT);
    if (n < 0 || n >= last)
        return 0;
    for (int slot = n + 1; slot <= last; ++slot)
        if (IsEmpty(slot))
            return slot;
    return 0;
}

int ChData::FirstUsed() const {
    for (int slot = 0; slot < count; ++slot)
        if (!IsEmpty(slot))
            return slot;
    return 0;
}

// Slot 0 is "no member" in a decoded group, so it is never reported as used.
std::vector<int> ChData::GroupsUsing(int n) const {
    std::vector<int> found;
    if (n <= 0 || n >= count)
        return found;
    for (int slot = 0; slot < count; ++slot) {
        if (!listsMembers(slot))
            continue;
        CH_GROUP_STRUCT group;
        GetGroup(group, slot);
        if (std::find(std::begin(group.Member), std::end(group.Member), uint32_t(n)) !=
            std::end(group.Member))
            found.push_back(slot);
    }
    return found;
}

int ChData::FindGroupUsing(int n) const {
    const std::vector<int> groups = GroupsUsing(n);
    return groups.empty() ? 0 : groups.back();
}

bool ChData::CanHoldNewGroup(int n) const {
    return n >= 1 && n <= CH_LAST_NAMED && IsEmpty(n) && FindGroupUsing(n) == 0;
}

std::vector<int> ChData::NewGroupSlots() const {
    std::vector<int> found;
    for (int slot = 1; slot <= CH_LAST_NAMED; ++slot)
        if (CanHoldNewGroup(slot))
            found.push_back(slot);
    return found;
}

bool ChData::CanBeMember(int n) const {
    if (n < 1 || n > CH_LAST_SLOT || !valid(n) || IsGroup(n))
        return false;
    CH_NORMAL_STRUCT channel;
    GetNormal(channel, n);
    return (channel.Flags6 & chflags::Enabled) || channel.RxFreq != 0;
}

bool ChData::listsMembers(int slot) const {
    const uint8_t bits = chflags::Enabled | chflags::Group;
    return valid(slot) && (records[size_t(slot)].Flags6 & bits) == bits;
}

QString GroupFault::Text() const {
    return members::FaultText(group, member);
}

GroupFault ChData::FaultIfStored(const CH_DATA_STRUCT& raw, int slot) const {
    return FaultAfter(slot, [&](ChData& after) { return after.SetRaw(raw, slot); });
}

GroupFault ChData::FaultIfStored(CH_NORMAL_STRUCT normal, int slot) const {
    return FaultAfter(slot, [&](ChData& after) { return after.SetNormal(normal, slot); });
}

// The rule is checked on a copy that holds the record.
template <class Store> GroupFault ChData::FaultAfter(int slot, Store store) const {
    ChData after(*this);
    return store(after) == 0 ? after.FaultAt(slot) : GroupFault{};
}

GroupFault ChData::FaultAt(int slot) const {
    if (listsMembers(slot))
        return MemberFault(slot);
    if (IsEmpty(slot))
        if (const int group = FindGroupUsing(slot))
            return {group, slot};
    return {};
}

GroupFault ChData::MemberFault(int group) const {
    CH_GROUP_STRUCT decoded;
    GetGroup(decoded, group);
    for (const uint32_t member : decoded.Member)
        if (member != 0 && (int(member) == group || IsEmpty(int(member))))
            return {group, int(member)};
    return {};
}

int ChData::LoadFromImage(const uint8_t* image) {
    const int last = std::min(count - 1, CH_LAST_SLOT);
    for (int slot = 1; slot <= last; ++slot) {
        RecordBytes b;
        std::copy_n(image + recordOffset(slot), CH_RECORD_SIZE, b.begin());
        CH_DATA_STRUCT& r = records[size_t(slot)];
        fromBytes(r, b);
        r.Name = slot <= CH_LAST_NAMED ? ReadImageName(image, slot - 1) : QString();
    }
    return 0;
}

int ChData::SaveToImage(uint8_t* image) const {
    const int last = std::min(count - 1, CH_LAST_SLOT);
    for (int slot = 1; slot <= last; ++slot) {
        const CH_DATA_STRUCT& r = records[size_t(slot)];
        const RecordBytes b = toBytes(r);
        std::copy(b.begin(), b.end(), image + recordOffset(slot));
        // A name the image already reads as keeps its bytes, those behind its end too.
        if (slot <= CH_LAST_NAMED && ReadImageName(image, slot - 1) != r.Name.left(CH_NAME_LENGTH))
            WriteImageName(image, slot - 1, r.Name);
    }
    return 0;
}

QString ListedName(int slot, const CH_NORMAL_STRUCT& channel) {
    if ((channel.Flags6 & chflags::Enabled) && slot <= CH_LAST_NAMED)
        return channel.Name;
    return QStringLiteral("Hidden");
}

QString ReadImageName(const uint8_t* image, int i) {
    if (i < 0 || i >= CH_LAST_NAMED)
        return QString();
    char chars[CH_NAME_LENGTH];
    std::copy_n(image + CH_NAME_HEAD + HEAD_CHARS * i, HEAD_CHARS, chars);
    std::copy_n(image + CH_NAME_TAIL + 8 * i, TAIL_CHARS, chars + HEAD_CHARS);
    int length = 0;
    while (length < CH_NAME_LENGTH && chars[length] != 0 && uint8_t(chars[length]) != 0xFF)
        ++length;
    return QString::fromLatin1(chars, length);
}

bool WriteImageName(uint8_t* image, int i, const QString& name) {
    if (i < 0 || i >= CH_LAST_NAMED)
        return false;
    const QByteArray chars = name.left(CH_NAME_LENGTH).toLatin1();
    uint8_t* head = image + CH_NAME_HEAD + HEAD_CHARS * i;
    uint8_t* tail = image + CH_NAME_TAIL + 8 * i;
    std::fill_n(head, HEAD_CHARS, 0);
    std::fill_n(tail, TAIL_CHARS, 0);
    for (int c = 0; c < chars.size(); ++c)
        (c < HEAD_CHARS ? head[c] : tail[c - HEAD_CHARS]) = uint8_t(chars[c]);
    return true;
}
