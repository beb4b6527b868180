#include "addrtool/Windows1252.h"

#include <gtest/gtest.h>

using sonavel::addrtool::Windows1252Character;

TEST(Windows1252, MapsReplyBytesToTheCharactersOfTheCodePage) {
    EXPECT_EQ(Windows1252Character('A'), u'A');
    EXPECT_EQ(Windows1252Character(0x00), u'\0');
    EXPECT_EQ(Windows1252Character(0x80), u'€');
    EXPECT_EQ(Windows1252Character(0x85), u'…');
    EXPECT_EQ(Windows1252Character(0x8A), u'Š');
    EXPECT_EQ(Windows1252Character(0x93), u'“');
    EXPECT_EQ(Windows1252Character(0x99), u'™');
    EXPECT_EQ(Windows1252Character(0x9F), u'Ÿ');
    EXPECT_EQ(Windows1252Character(0xA0), u'\u00A0');
    EXPECT_EQ(Windows1252Character(0xE9), u'é');
    EXPECT_EQ(Windows1252Character(0xFF), u'ÿ');
    for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(Windows1252Character(undefined), undefined);
}
