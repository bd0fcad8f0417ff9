#include "Zones.h"

#include "Radio_text.h"

#include <algorithm>

uint8_t ZoneDecodeChar(uint8_t byte) {
    return radiotext::DecodeChar(byte);
}

void ZoneClear(ZoneRecord& zone) {
    zone = ZoneRecord{};
}

void ZoneSetTag(ZoneRecord& zone, const QString& text) {
    radiotext::Encode(text, zone.tag, ZONE_TAG_LENGTH);
}

void ZoneSetName(ZoneRecord& zone, const QString& text) {
    radiotext::EncodeAsTyped(text, zone.name, ZONE_NAME_LENGTH + 1);
    zone.name[ZONE_NAME_LENGTH] = 0;
}

void ZoneSetActive(ZoneRecord& zone, bool active) {
    zone.flags = active ? zone.flags & ~ZONE_INACTIVE : zone.flags | ZONE_INACTIVE;
}

QString ZoneGetTag(const ZoneRecord& zone) {
    return radiotext::Decode(zone.tag, ZONE_TAG_LENGTH);
}

QString ZoneGetName(const ZoneRecord& zone) {
    return radiotext::Decode(zone.name, ZONE_NAME_LENGTH);
}

bool ZoneIsActive(const ZoneRecord& zone) {
    return !(zone.flags & ZONE_INACTIVE);
}

void ZoneRead(ZoneRecord& zone, const uint8_t* image, int offset) {
    std::copy_n(image + offset, ZONE_TAG_LENGTH, zone.tag);
    std::copy_n(image + offset + ZONE_TAG_LENGTH, ZONE_NAME_LENGTH, zone.name);
    zone.name[ZONE_NAME_LENGTH] = 0;
    zone.flags = image[offset + ZONE_TAG_LENGTH + ZONE_NAME_LENGTH];
}

void ZoneWrite(ZoneRecord& zone, uint8_t* image, int offset) {
    zone.name[ZONE_NAME_LENGTH] = 0;
    std::copy_n(zone.tag, ZONE_TAG_LENGTH, image + offset);
    std::copy_n(zone.name, ZONE_NAME_LENGTH, image + offset + ZONE_TAG_LENGTH);
    image[offset + ZONE_TAG_LENGTH + ZONE_NAME_LENGTH] = zone.flags;
}
