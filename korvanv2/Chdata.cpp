#include "Chdata.h"

#include "Group_members.h"
#include "Radio_text.h"

#include <algorithm>
#include <array>

namespace {

using RecordFields = std::array<uint8_t, chlayout::RECORD_FIELDS>;

RecordFields toBytes(const ch_data_struct& r) {
    return {r.flags,    r.flags1,          uint8_t(r.txCode),      uint8_t(r.txCode >> 8),
            r.txOffset, uint8_t(r.rxCode), uint8_t(r.rxCode >> 8), r.rxOffset,
            r.txTone,   r.rxTone};
}

void fromBytes(ch_data_struct& r, const RecordFields& b) {
    r.flags = b[0];
    r.flags1 = b[1];
    r.txCode = uint16_t(b[2] | b[3] << 8);
    r.txOffset = b[4];
    r.rxCode = uint16_t(b[5] | b[6] << 8);
    r.rxOffset = b[7];
    r.txTone = b[8];
    r.rxTone = b[9];
}

constexpr uint8_t GROUP_BITS = chbit::Mask(chbit::Visible) | chbit::Mask(chbit::Group);

bool isGroup(const ch_data_struct& r) {
    return (r.flags & GROUP_BITS) == GROUP_BITS;
}

bool isVisible(const ch_data_struct& r) {
    return r.flags & chbit::Mask(chbit::Visible);
}

// Group members: record bytes 2..9 hold the low 8 bits, ext bit k bit 8 of member k + 1.
int memberOf(const ch_data_struct& r, int k) {
    return toBytes(r)[size_t(2 + k)] + ((r.ext >> k) & 1) * 256;
}

QString tagText(const uint8_t (&tag)[CH_TAG_LENGTH]) {
    return radiotext::Decode(tag, CH_TAG_LENGTH);
}

void setTag(uint8_t (&tag)[CH_TAG_LENGTH], const QString& text) {
    radiotext::Encode(text, tag, CH_TAG_LENGTH);
}

using NameBytes = uint8_t[CH_NAME_LENGTH];

void loadNameBytes(const uint8_t* image, int i, NameBytes& bytes) {
    std::copy_n(image + chlayout::Record(i) + chlayout::RECORD_FIELDS, chlayout::NAME_HEAD_CHARS,
                bytes);
    std::copy_n(image + chlayout::NameTail(i), chlayout::NAME_TAIL_CHARS,
                bytes + chlayout::NAME_HEAD_CHARS);
}

void storeNameBytes(uint8_t* image, int i, const NameBytes& bytes) {
    std::copy_n(bytes, chlayout::NAME_HEAD_CHARS,
                image + chlayout::Record(i) + chlayout::RECORD_FIELDS);
    std::copy_n(bytes + chlayout::NAME_HEAD_CHARS, chlayout::NAME_TAIL_CHARS,
                image + chlayout::NameTail(i));
}

// The name up to the first 0 or erased byte, each byte as it is.
QString nameText(const NameBytes& bytes) {
    int length = 0;
    while (length < CH_NAME_LENGTH && bytes[length] != 0 && bytes[length] != chlayout::ERASED)
        ++length;
    return QString::fromLatin1(reinterpret_cast<const char*>(bytes), length);
}

void copyTag(uint8_t (&to)[CH_TAG_LENGTH], const uint8_t (&from)[CH_TAG_LENGTH]) {
    std::copy(std::begin(from), std::end(from), std::begin(to));
}

} // namespace

QString ch_normal_struct::GetTag() const {
    return tagText(tag);
}

void ch_normal_struct::SetTag(const QString& text) {
    setTag(tag, text);
}

QString ch_group_struct::GetTag() const {
    return tagText(tag);
}

void ch_group_struct::SetTag(const QString& text) {
    setTag(tag, text);
}

ChData::ChData(int count) : records(size_t(std::max(count, 0))), count(std::max(count, 0)) {
    ClearAll();
}

int ChData::ClearAll() {
    for (int i = 0; i < count; ++i)
        ClearChannel(i);
    return 0;
}

int ChData::ClearChannel(int i) {
    if (!valid(i))
        return 0;
    ch_data_struct& r = records[size_t(i)];
    fromBytes(r, RecordFields{});
    r.name.clear();
    std::fill(std::begin(r.nameBytes), std::end(r.nameBytes), 0);
    return 0;
}

int ChData::GetRaw(ch_data_struct& out, int i) const {
    if (!valid(i))
        return -1;
    out = records[size_t(i)];
    return 0;
}

int ChData::SetRaw(const ch_data_struct& record, int i) {
    if (!valid(i))
        return -1;
    records[size_t(i)] = record;
    return 0;
}

uint32_t ChData::DecodeFrequency(uint16_t code, uint8_t offset) {
    const uint32_t o = offset & 7;
    const uint32_t extra = o <= 4 ? o * 5000 : o == 7 ? 6250 : 0;
    return code * 12500u + extra;
}

uint16_t ChData::EncodeFrequency(uint32_t hz, uint8_t& offset) {
    if (hz % 5000 != 0) {
        offset = hz % 12500 != 0 ? 7 : 0;
        return uint16_t(hz / 12500);
    }
    offset = uint8_t((hz / 5000) % 5);
    return uint16_t((hz / 12500) & 0xFFFE);
}

uint16_t ChData::RecodeFrequency(uint32_t hz, uint16_t code, uint8_t& offset) {
    return hz == DecodeFrequency(code, offset) ? code : EncodeFrequency(hz, offset);
}

int ChData::GetNormal(ch_normal_struct& out, int i) const {
    if (!valid(i))
        return -1;
    const ch_data_struct& r = records[size_t(i)];
    out.flags = r.flags;
    out.flags1 = r.flags1;
    out.txFreq = DecodeFrequency(r.txCode, r.txOffset);
    out.rxFreq = DecodeFrequency(r.rxCode, r.rxOffset);
    out.txTone = r.txTone;
    out.rxTone = r.rxTone;
    out.name = r.name;
    copyTag(out.tag, r.tag);
    out.ext = r.ext;
    out.zone = r.zone;
    return 0;
}

int ChData::SetNormal(const ch_normal_struct& record, int i) {
    if (!valid(i))
        return -1;
    ch_data_struct& r = records[size_t(i)];
    r.flags = record.flags;
    r.flags1 = record.flags1;
    r.txCode = RecodeFrequency(record.txFreq, r.txCode, r.txOffset);
    r.rxCode = RecodeFrequency(record.rxFreq, r.rxCode, r.rxOffset);
    r.txTone = uint8_t(record.txTone);
    r.rxTone = uint8_t(record.rxTone);
    r.name = record.name;
    copyTag(r.tag, record.tag);
    r.ext = record.ext;
    r.zone = record.zone;
    return 0;
}

int ChData::GetGroup(ch_group_struct& out, int i) const {
    if (!valid(i))
        return -1;
    const ch_data_struct& r = records[size_t(i)];
    for (int k = 0; k < GROUP_MEMBERS; ++k)
        out.member[k] = memberOf(r, k);
    out.flags = r.flags;
    out.flags1 = r.flags1;
    out.name = r.name;
    copyTag(out.tag, r.tag);
    out.ext = r.ext;
    out.zone = r.zone;
    return 0;
}

int ChData::SetGroup(ch_group_struct& record, int i) {
    if (!valid(i))
        return -1;
    record.flags |= GROUP_BITS;
    ch_data_struct& r = records[size_t(i)];
    RecordFields b{};
    b[0] = record.flags;
    b[1] = record.flags1;
    uint8_t ext = 0;
    for (int k = 0; k < GROUP_MEMBERS; ++k) {
        b[size_t(2 + k)] = uint8_t(record.member[k]);
        if (record.member[k] & 0x100)
            ext |= uint8_t(1u << k);
    }
    fromBytes(r, b);
    r.name = record.name;
    copyTag(r.tag, record.tag);
    r.ext = ext;
    r.zone = record.zone;
    return 0;
}

bool ChData::IsEmpty(int i) const {
    return valid(i) && !isVisible(records[size_t(i)]) && records[size_t(i)].rxCode == 0;
}

bool ChData::IsGroup(int i) const {
    return valid(i) && isGroup(records[size_t(i)]);
}

int ChData::FirstFree() const {
    for (int i = 0; i < count; ++i)
        if (IsEmpty(i))
            return i;
    return -1;
}

int ChData::GetZone(int i) const {
    return valid(i) ? records[size_t(i)].zone : -1;
}

bool ChData::SetZone(int i, int zone) {
    if (!valid(i))
        return false;
    records[size_t(i)].zone = uint8_t(zone);
    return true;
}

int ChData::CountInZone(int z) const {
    if (z < 0)
        return 0;
    return int(std::count_if(records.begin(), records.end(), [z](const ch_data_struct& r) {
        return r.zone == z && (isVisible(r) || r.rxCode != 0);
    }));
}

int ChData::CountZonedChannels() const {
    return int(std::count_if(records.begin(), records.end(), [](const ch_data_struct& r) {
        return isVisible(r) && r.zone >= 1 && r.zone <= ZONE_COUNT;
    }));
}

int ChData::FindGroupUsing(int i) const {
    const std::vector<int> groups = GroupsUsing(i);
    return groups.empty() ? -1 : groups.front();
}

std::vector<int> ChData::GroupsUsing(int i) const {
    std::vector<int> groups;
    if (!valid(i))
        return groups;
    for (int g = 0; g < count; ++g) {
        const ch_data_struct& r = records[size_t(g)];
        if (!isGroup(r))
            continue;
        for (int k = 0; k < GROUP_MEMBERS; ++k)
            if (memberOf(r, k) == i + 1) {
                groups.push_back(g);
                break;
            }
    }
    return groups;
}

void ChData::SetTag(int i, const QString& text) {
    if (valid(i))
        setTag(records[size_t(i)].tag, text);
}

QString GroupFault::Text() const {
    return members::FaultText(group + 1, member, listed);
}

GroupFault ChData::FaultIfStored(const ch_data_struct& record, int i) const {
    return FaultAfter(i, [&](ChData& after) { return after.SetRaw(record, i); });
}

GroupFault ChData::FaultIfStored(const ch_normal_struct& record, int i) const {
    return FaultAfter(i, [&](ChData& after) { return after.SetNormal(record, i); });
}

GroupFault ChData::FaultIfStored(ch_group_struct record, int i) const {
    return FaultAfter(i, [&](ChData& after) { return after.SetGroup(record, i); });
}

// The rule is checked on a copy that holds the record.
template <class Store> GroupFault ChData::FaultAfter(int i, Store store) const {
    ChData after(*this);
    return store(after) == 0 ? after.FaultAt(i, *this) : GroupFault{};
}

GroupFault ChData::FaultAt(int i, const ChData& before) const {
    if (const GroupFault own = MemberFault(i, &before, true))
        return own;
    if (IsEmpty(i) || (IsGroup(i) && !before.IsGroup(i)))
        return ListingFault(FindGroupUsing(i), i + 1);
    return {};
}

GroupFault ChData::MemberFault(int group, const ChData* before, bool nestsOnly) const {
    if (!IsGroup(group))
        return {};
    for (int k = 0; k < GROUP_MEMBERS; ++k) {
        const int member = memberOf(records[size_t(group)], k);
        const GroupFault fault = ListingFault(group, member);
        const bool passed = nestsOnly && fault.listed != members::Listed::Group;
        if (fault && (passed || !before || !before->ListingFault(group, member)))
            return fault;
    }
    return {};
}

// The fault of group `group` listing `member`: the group itself, a channel the radio does
// not have, an empty one or a group; none when it is no group or does not list it.
GroupFault ChData::ListingFault(int group, int member) const {
    if (!IsGroup(group) || member == 0)
        return {};
    const ch_data_struct& r = records[size_t(group)];
    bool lists = false;
    for (int k = 0; k < GROUP_MEMBERS; ++k)
        lists |= memberOf(r, k) == member;
    if (!lists)
        return {};
    if (!Holds(member))
        return {group, member, members::Listed::NotHeld};
    if (member == group + 1 || IsEmpty(member - 1))
        return {group, member, members::Listed::Empty};
    if (IsGroup(member - 1))
        return {group, member, members::Listed::Group};
    return {};
}

GroupFault ChData::FirstFault(const ChData* before) const {
    return ScanFaults(before, false);
}

GroupFault ChData::FirstFaultOfFile() const {
    return ScanFaults(nullptr, true);
}

GroupFault ChData::ScanFaults(const ChData* before, bool passErased) const {
    for (int group = 0; group < count; ++group)
        if (!(passErased && IsErased(group)))
            if (const GroupFault fault = MemberFault(group, before))
                return fault;
    return {};
}

// Every byte of the record, its name and its tag 0xFF (an erased zone byte reads as ext 0).
bool ChData::IsErased(int i) const {
    const ch_data_struct& r = records[size_t(i)];
    const RecordFields b = toBytes(r);
    const auto erased = [](uint8_t byte) { return byte == chlayout::ERASED; };
    return std::all_of(b.begin(), b.end(), erased) &&
           std::all_of(std::begin(r.nameBytes), std::end(r.nameBytes), erased) &&
           std::all_of(std::begin(r.tag), std::end(r.tag), erased) && r.ext == 0;
}

int ChData::LoadFromImage(const uint8_t* image) {
    for (int i = 0; i < count; ++i) {
        ch_data_struct& r = records[size_t(i)];
        RecordFields b;
        std::copy_n(image + chlayout::Record(i), chlayout::RECORD_FIELDS, b.begin());
        fromBytes(r, b);
        loadNameBytes(image, i, r.nameBytes);
        r.name = nameText(r.nameBytes);
        const uint8_t* tag = image + chlayout::Tag(i);
        r.tag[0] = tag[0];
        r.tag[1] = tag[1];
        r.ext = tag[2];
        uint8_t zone = tag[3];
        if (zone == chlayout::ERASED) {
            r.ext = 0;
            zone = 0;
        }
        r.zone = zone < ZONE_COUNT ? uint8_t(zone + 1) : 0;
    }
    return 0;
}

int ChData::SaveToImage(uint8_t* image) const {
    for (int i = 0; i < count; ++i) {
        const ch_data_struct& r = records[size_t(i)];
        const RecordFields b = toBytes(r);
        std::copy(b.begin(), b.end(), image + chlayout::Record(i));
        if (r.name == nameText(r.nameBytes))
            storeNameBytes(image, i, r.nameBytes);
        else
            WriteName(image, i, r.name);
        uint8_t* tag = image + chlayout::Tag(i);
        tag[0] = r.tag[0];
        tag[1] = r.tag[1];
        tag[2] = r.ext;
        tag[3] = r.zone >= 1 && r.zone <= ZONE_COUNT ? uint8_t(r.zone - 1) : chlayout::NO_ZONE;
    }
    return 0;
}

QString ChData::ReadName(const uint8_t* image, int i) {
    if (i < 0 || i >= CH_COUNT)
        return QString();
    NameBytes bytes;
    loadNameBytes(image, i, bytes);
    return nameText(bytes);
}

int ChData::WriteName(uint8_t* image, int i, const QString& name) {
    if (i < 0 || i >= CH_COUNT)
        return 0;
    NameBytes chars;
    radiotext::EncodeAsTyped(name, chars, CH_NAME_LENGTH);
    storeNameBytes(image, i, chars);
    return 1;
}

QString DefaultChannelName(int i) {
    return QStringLiteral("CH%1").arg(i + 1, 3, 10, QLatin1Char('0'));
}

QString DefaultChannelTag(int i) {
    return QStringLiteral("%1").arg((i + 1) % 100, 2, 10, QLatin1Char('0'));
}
