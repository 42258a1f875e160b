// The program's 8-bit text: UTF-8 lines, Windows-1258 lines, composed
// results, and writing cut between characters.
#include "base/TextCodec.h"

#include <gtest/gtest.h>

namespace {

TEST(DecodeLine, AsciiAndUtf8AreReadAsTheyAre)
{
    EXPECT_EQ(DecodeLine("REALNUMWAY 120"), QStringLiteral("REALNUMWAY 120"));
    EXPECT_EQ(DecodeLine(""), QString());
    EXPECT_EQ(DecodeLine("\tPh\xe1\xbb\x91 Hu\xe1\xba\xbf"), QStringLiteral("\tPhố Huế"));
}

TEST(DecodeLine, OtherLinesAreWindows1258ComposedToSingleLetters)
{
    struct Case {
        QByteArray cp1258;
        QString text;
    };
    const Case cases[] = {
        {"Th\xe0nh ph\xf4\xec H\xf4\xcc Ch\xed Minh", QStringLiteral("Thành phố Hồ Chí Minh")},
        {"\xd0\xfd\xf5\xccng Nguy\xea\xden Hu\xea\xf2", QStringLiteral("Đường Nguyễn Huệ")},
        {"Ph\xf5\xd2 bo\xcc 25.000\xfe", QStringLiteral("Phở bò 25.000₫")},
        {"\xdd\xf5m \xfd" "a \xd5N \xf5n \xc3n \xe3n", QStringLiteral("Ươm ưa ƠN ơn Ăn ăn")},
        {"\x80 \x81", QStringLiteral("€ \u0081")},  // an unassigned byte keeps its value
    };
    for (const Case& c : cases) {
        const QString decoded = DecodeLine(c.cp1258);
        EXPECT_EQ(decoded, c.text) << c.text.toStdString();
        EXPECT_EQ(decoded, decoded.normalized(QString::NormalizationForm_C));
    }
    // "ệ" is one character, not "ê" and a combining dot.
    EXPECT_EQ(DecodeLine("Vi\xea\xf2t").size(), 4);
}

TEST(DecodeLine, DecomposedUtf8IsComposedToo)
{
    EXPECT_EQ(DecodeLine("Nguye\xcc\x82\xcc\x83n"), QStringLiteral("Nguyễn"));
    EXPECT_EQ(DecodeLine("Nguye\xcc\x82\xcc\x83n").size(), 6);
}

TEST(DecodeLine, ALineIsWindows1258AsAWholeWhenAnyOfItIsNotUtf8)
{
    // Valid UTF-8 "ố" followed by a lone byte: the whole line is read as
    // Windows-1258, so the first letter becomes three.
    const QString mixed = DecodeLine("\xe1\xbb\x91 \xf4");
    EXPECT_EQ(mixed, QStringLiteral("á»‘ ô"));
}

TEST(EncodeText, WritesUtf8)
{
    EXPECT_EQ(EncodeText(QStringLiteral("Hồ Tây")), "H\xe1\xbb\x93 T\xc3\xa2y");
    EXPECT_EQ(DecodeLine(EncodeText(QStringLiteral("Đường 3 Tháng 2"))), QStringLiteral("Đường 3 Tháng 2"));
    EXPECT_TRUE(EncodeText(QString()).isEmpty());
}

TEST(EncodeTextLimited, CutsOnlyBetweenCharacters)
{
    const QString text = QStringLiteral("aệb");  // 1 + 3 + 1 bytes
    EXPECT_EQ(EncodeTextLimited(text, 5), "a\xe1\xbb\x87" "b");
    EXPECT_EQ(EncodeTextLimited(text, 4), "a\xe1\xbb\x87");
    EXPECT_EQ(EncodeTextLimited(text, 3), "a");
    EXPECT_EQ(EncodeTextLimited(text, 2), "a");
    EXPECT_EQ(EncodeTextLimited(text, 1), "a");
    EXPECT_TRUE(EncodeTextLimited(text, 0).isEmpty());
    EXPECT_TRUE(EncodeTextLimited(text, -4).isEmpty());
    // A character outside the 16-bit plane takes four bytes and a surrogate pair.
    const QString wide = QStringLiteral("x") + QString::fromUcs4(U"\U0001F697");
    EXPECT_EQ(EncodeTextLimited(wide, 4), "x");
    EXPECT_EQ(EncodeTextLimited(wide, 5).size(), 5);
}

}  // namespace
