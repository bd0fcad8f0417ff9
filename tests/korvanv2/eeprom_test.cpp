#include "Eeprom.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

// Its pointers lead into its own storage, so a member-wise copy would alias the original.
static_assert(!std::is_copy_constructible_v<EEPROM> && !std::is_copy_assignable_v<EEPROM>);

TEST(Eeprom, AccessorsStayInsideTheImage) {
    EEPROM image;
    image.Erase();
    EXPECT_EQ(image.size, 16384);
    EXPECT_EQ(image.data, image.image);
    EXPECT_EQ(image.GetByte(0), 0xFF);
    EXPECT_EQ(image.GetByte(16383), 0xFF);
    EXPECT_EQ(image.GetWord(0), 0xFFFF);
    EXPECT_EQ(image.GetWord(16382), 0xFFFF);
    EXPECT_EQ(image.GetByte(-1), 0);
    EXPECT_EQ(image.GetByte(16384), 0);
    EXPECT_EQ(image.GetWord(16383), 0);
    EXPECT_EQ(image.GetWord(-1), 0);

    image.SetByte(-1, 0x12);
    image.SetByte(16384, 0x12);
    image.SetWord(16383, 0x1234);
    image.SetWord(-1, 0x1234);
    for (int i = 0; i < image.size; ++i)
        ASSERT_EQ(image.data[i], 0xFF) << i;

    image.SetWord(16382, 0xA1B2);
    EXPECT_EQ(image.GetByte(16382), 0xB2);
    EXPECT_EQ(image.GetByte(16383), 0xA1);
    EXPECT_EQ(image.GetWord(16382), 0xA1B2);
    image.SetWord(100, 0x0102);
    EXPECT_EQ(image.GetWord(100), 0x0102);
    EXPECT_EQ(image.GetByte(100), 0x02);
}

TEST(Eeprom, BlocksStopAtTheEnd) {
    EEPROM image;
    image.Erase();
    std::vector<uint8_t> block(16);
    for (int i = 0; i < 16; ++i)
        block[size_t(i)] = uint8_t(i + 1);

    EXPECT_EQ(image.WriteBlock(16376, block.data(), 16), 8);
    EXPECT_EQ(image.GetByte(16376), 1);
    EXPECT_EQ(image.GetByte(16383), 8);
    std::vector<uint8_t> back(16, 0xEE);
    EXPECT_EQ(image.ReadBlock(16376, back.data(), 16), 8);
    EXPECT_EQ(std::vector<uint8_t>(back.begin(), back.begin() + 8),
              std::vector<uint8_t>(block.begin(), block.begin() + 8));
    EXPECT_EQ(back[8], 0xEE); // nothing written past what was copied

    EXPECT_EQ(image.WriteBlock(-16, block.data(), 16), 0);
    EXPECT_EQ(image.WriteBlock(16384, block.data(), 16), 0);
    EXPECT_EQ(image.WriteBlock(0, block.data(), 0), 0);
    EXPECT_EQ(image.ReadBlock(-1, back.data(), 16), 0);
    EXPECT_EQ(image.ReadBlock(16384, back.data(), 16), 0);
    EXPECT_EQ(image.ReadBlock(0, back.data(), -5), 0);
    EXPECT_EQ(image.GetByte(0), 0xFF);

    EXPECT_EQ(image.WriteBlock(48, block.data(), 16), 16);
    EXPECT_EQ(image.ReadBlock(48, back.data(), 16), 16);
    EXPECT_EQ(back, block);
    EXPECT_EQ(image.GetByte(47), 0xFF);
    EXPECT_EQ(image.GetByte(64), 0xFF);
}
