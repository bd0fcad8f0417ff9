#pragma once
// The zone table of the memory image: zones 1..50, 12 bytes each (tag, name, flags), and
// the in-memory record of one zone. Zone 0 ("no zone") has no entry.

#include <QString>
#include <cstdint>

constexpr int ZONE_TABLE = 13120; // zone z at ZONE_TABLE + 12z
constexpr int ZONE_ENTRY_SIZE = 12;
constexpr int ZONE_TAG_LENGTH = 2;
constexpr int ZONE_NAME_LENGTH = 9;
constexpr uint8_t ZONE_INACTIVE = 0x80; // flags bit 7

constexpr int ZoneOffset(int z) {
    return ZONE_TABLE + ZONE_ENTRY_SIZE * z;
}

struct ZoneRecord {
    uint8_t flags = 0;
    uint8_t tag[ZONE_TAG_LENGTH] = {};
    uint8_t name[ZONE_NAME_LENGTH + 1] = {};
};

// The character rule of stored zone texts; an erased byte gives 0 (the end).
uint8_t ZoneDecodeChar(uint8_t byte);
void ZoneClear(ZoneRecord& zone);
// The tag is stored by the character rule, the name as typed; one byte a character.
void ZoneSetTag(ZoneRecord& zone, const QString& text);
void ZoneSetName(ZoneRecord& zone, const QString& text);
void ZoneSetActive(ZoneRecord& zone, bool active);
// Stored 0 bytes read as spaces, so a short name reads back 9 characters long.
QString ZoneGetTag(const ZoneRecord& zone);
QString ZoneGetName(const ZoneRecord& zone);
bool ZoneIsActive(const ZoneRecord& zone);
// From and to the image's bytes at `offset`.
void ZoneRead(ZoneRecord& zone, const uint8_t* image, int offset);
void ZoneWrite(ZoneRecord& zone, uint8_t* image, int offset);
