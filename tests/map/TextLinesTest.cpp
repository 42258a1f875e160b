// Reading and writing the program's text lines: conversions, levels, the
// CR LF line scanner and the four writers.
#include "map/TextLines.h"

#include <QBuffer>
#include <QTemporaryFile>
#include <gtest/gtest.h>
#include <limits>

namespace {

QList<QByteArray> LinesOf(const QByteArray& block)
{
    LineScanner scanner(block);
    QList<QByteArray> lines;
    QByteArrayView line;
    while (scanner.Next(line))
        lines << line.toByteArray();
    return lines;
}

template <typename Write>
QByteArray Written(Write write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    return bytes;
}

TEST(ToInt, ReadsBlanksSignAndDigitsUpToTheFirstOtherCharacter)
{
    EXPECT_EQ(ToInt(u"42"), 42);
    EXPECT_EQ(ToInt(u"   17"), 17);
    EXPECT_EQ(ToInt(u"-305"), -305);
    EXPECT_EQ(ToInt(u"+8"), 8);
    EXPECT_EQ(ToInt(u"12.7"), 12);
    EXPECT_EQ(ToInt(u"-12.7"), -12);
    EXPECT_EQ(ToInt(u"99,5"), 99);
    EXPECT_EQ(ToInt(u"7 8"), 7);
    EXPECT_EQ(ToInt(u"007"), 7);
}

TEST(ToInt, NoDigitsGivesZero)
{
    EXPECT_EQ(ToInt(u""), 0);
    EXPECT_EQ(ToInt(u"   "), 0);
    EXPECT_EQ(ToInt(u"-"), 0);
    EXPECT_EQ(ToInt(u"abc"), 0);
    EXPECT_EQ(ToInt(u"- 5"), 0);
    EXPECT_EQ(ToInt(u"x12"), 0);
    EXPECT_EQ(ToInt(u"đường 5"), 0);
}

TEST(ToInt, ValuesBeyondThirtyTwoBitsAreHeldAtTheLimit)
{
    constexpr int kMax = std::numeric_limits<int32_t>::max();
    constexpr int kMin = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(ToInt(u"2147483647"), kMax);
    EXPECT_EQ(ToInt(u"2147483648"), kMax);
    EXPECT_EQ(ToInt(u"-2147483648"), kMin);
    EXPECT_EQ(ToInt(u"-2147483649"), kMin);
    EXPECT_EQ(ToInt(u"99999999999999999999999999999999"), kMax);
    EXPECT_EQ(ToInt(u"-99999999999999999999999999999999"), kMin);
}

TEST(ToReal, ReadsTheDecimalNumberAtTheStart)
{
    EXPECT_DOUBLE_EQ(ToReal(u"2.95"), 2.95);
    EXPECT_DOUBLE_EQ(ToReal(u"  -0.5"), -0.5);
    EXPECT_DOUBLE_EQ(ToReal(u"+16"), 16.0);
    EXPECT_DOUBLE_EQ(ToReal(u"1.5e3"), 1500.0);
    EXPECT_DOUBLE_EQ(ToReal(u"2.5E-1"), 0.25);
    EXPECT_DOUBLE_EQ(ToReal(u"3.25km"), 3.25);
    EXPECT_DOUBLE_EQ(ToReal(u"7e"), 7.0);  // an exponent without digits is not part of the number
    EXPECT_DOUBLE_EQ(ToReal(u"4.0;5"), 4.0);
    EXPECT_DOUBLE_EQ(ToReal(u"0.0"), 0.0);
}

TEST(ToReal, NothingReadableGivesZero)
{
    EXPECT_EQ(ToReal(u""), 0.0);
    EXPECT_EQ(ToReal(u"abc"), 0.0);
    EXPECT_EQ(ToReal(u"-"), 0.0);
    EXPECT_EQ(ToReal(u"ệ1.5"), 0.0);
    EXPECT_EQ(ToReal(u"nan"), 0.0);
    EXPECT_EQ(ToReal(u"inf"), 0.0);
    EXPECT_EQ(ToReal(u"1e999"), 0.0);
}

TEST(IsIndentLevel, ExactlyNTabsThenSomethingElseOrNothing)
{
    EXPECT_TRUE(IsIndentLevel(u"WAY/", 0));
    EXPECT_FALSE(IsIndentLevel(u"\tname", 0));
    EXPECT_TRUE(IsIndentLevel(u"\tname", 1));
    EXPECT_FALSE(IsIndentLevel(u"\t\tname", 1));
    EXPECT_TRUE(IsIndentLevel(u"\t\t10,20", 2));
    EXPECT_TRUE(IsIndentLevel(u"\t\t\t1,2", 3));
    EXPECT_TRUE(IsIndentLevel(u"\t\t\t\tinfo", 4));
    EXPECT_TRUE(IsIndentLevel(u"\t\t", 2));  // an empty value
    EXPECT_FALSE(IsIndentLevel(u"\t", 2));
    EXPECT_FALSE(IsIndentLevel(u" \tname", 1));
    EXPECT_FALSE(IsIndentLevel(u"\t name", 2));
    EXPECT_TRUE(IsIndentLevel(u"\t name", 1));
    EXPECT_TRUE(IsIndentLevel(u"", 0));
}

TEST(IsIndentLevel, FiveOrMoreTabsHaveNoLevel)
{
    for (int n = 0; n <= 4; ++n) {
        EXPECT_FALSE(IsIndentLevel(u"\t\t\t\t\tdeep", n)) << n;
        EXPECT_FALSE(IsIndentLevel(u"\t\t\t\t\t\t\t", n)) << n;
    }
    EXPECT_FALSE(IsIndentLevel(u"\t\t\t\t\tdeep", 5));
    EXPECT_FALSE(IsIndentLevel(u"name", -1));
}

TEST(LineScanner, LinesEndAtCrLfOnly)
{
    EXPECT_EQ(LinesOf("first\r\nsecond\r\n"), (QList<QByteArray>{"first", "second"}));
    // CR or LF alone belongs to the line's text.
    EXPECT_EQ(LinesOf("a\rb\nc\r\n\n\r\n"), (QList<QByteArray>{"a\rb\nc", "\n"}));
    EXPECT_EQ(LinesOf("\r\n\r\n"), (QList<QByteArray>{"", ""}));
    EXPECT_EQ(LinesOf("\r\r\n"), (QList<QByteArray>{"\r"}));
}

TEST(LineScanner, BytesAfterTheLastCrLfAreNoLine)
{
    EXPECT_EQ(LinesOf("one\r\ntail without end"), (QList<QByteArray>{"one"}));
    EXPECT_EQ(LinesOf("one\r\ntwo\r"), (QList<QByteArray>{"one"}));
    EXPECT_TRUE(LinesOf("no line end at all").isEmpty());
    EXPECT_TRUE(LinesOf("").isEmpty());
    EXPECT_TRUE(LinesOf("\n").isEmpty());
}

TEST(LineScanner, CountsLinesFromOne)
{
    const QByteArray block = "a\r\nb\r\nc\r\n";
    LineScanner scanner(block);
    QByteArrayView line;
    EXPECT_EQ(scanner.LineNumber(), 0);
    ASSERT_TRUE(scanner.Next(line));
    ASSERT_TRUE(scanner.Next(line));
    EXPECT_EQ(scanner.LineNumber(), 2);
    EXPECT_EQ(line, "b");
    ASSERT_TRUE(scanner.Next(line));
    EXPECT_FALSE(scanner.Next(line));
    EXPECT_FALSE(scanner.Next(line));
}

TEST(ReadFileBlock, ReadsAtMostTheLimitAndTellsWhetherMoreFollowed)
{
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write(QByteArray(1000, 'k'));
    file.close();

    QByteArray block;
    bool cut = false;
    ASSERT_TRUE(ReadFileBlock(file.fileName(), 600, block, &cut));
    EXPECT_EQ(block.size(), 600);
    EXPECT_TRUE(cut);
    ASSERT_TRUE(ReadFileBlock(file.fileName(), 1000, block, &cut));
    EXPECT_EQ(block.size(), 1000);
    EXPECT_FALSE(cut);
    EXPECT_FALSE(ReadFileBlock(file.fileName() + ".missing", 600, block));
}

TEST(WriteText, KeepsAtMost99Bytes)
{
    const QString path = QString(150, QLatin1Char('p'));
    EXPECT_EQ(Written([&](QIODevice& f) { WriteText(f, path); }), QByteArray(99, 'p'));
    EXPECT_EQ(Written([&](QIODevice& f) { WriteText(f, QStringLiteral("MapVer 1.2")); }), "MapVer 1.2");
    EXPECT_EQ(Written([&](QIODevice& f) { WriteText(f, QString(99, QLatin1Char('q'))); }), QByteArray(99, 'q'));
}

TEST(WriteText, NeverCutsInsideAVietnameseCharacter)
{
    // "ệ" takes three bytes: 34 of them are 102 bytes, so 33 fit.
    const QString text = QString(34, QChar(0x1EC7));
    const QByteArray written = Written([&](QIODevice& f) { WriteText(f, text); });
    EXPECT_EQ(written.size(), 99);
    EXPECT_EQ(QString::fromUtf8(written), QString(33, QChar(0x1EC7)));

    // Shifted by one byte the cut would fall inside a character; it steps back.
    const QString shifted = QLatin1Char('x') + text;
    const QByteArray cut = Written([&](QIODevice& f) { WriteText(f, shifted); });
    EXPECT_EQ(cut.size(), 97);
    EXPECT_EQ(QString::fromUtf8(cut), QLatin1Char('x') + QString(32, QChar(0x1EC7)));

    const QString name = QStringLiteral("Đường Nguyễn Thị Minh Khai, Phường Đa Kao, Quận 1, Thành phố Hồ Chí Minh, Việt Nam");
    const QByteArray street = Written([&](QIODevice& f) { WriteText(f, name); });
    EXPECT_LE(street.size(), 99);
    EXPECT_TRUE(name.startsWith(QString::fromUtf8(street)));
    EXPECT_EQ(QString::fromUtf8(street).toUtf8(), street);  // whole characters only
}

TEST(WriteText, EmptyTextWritesNothing)
{
    EXPECT_TRUE(Written([](QIODevice& f) { WriteText(f, QString()); }).isEmpty());
}

TEST(LineWriters, TabsNewLineAndTextLine)
{
    EXPECT_EQ(Written([](QIODevice& f) { WriteTabs(f, 3); }), "\t\t\t");
    EXPECT_TRUE(Written([](QIODevice& f) { WriteTabs(f, 0); }).isEmpty());
    EXPECT_TRUE(Written([](QIODevice& f) { WriteTabs(f, -2); }).isEmpty());
    EXPECT_EQ(Written([](QIODevice& f) { WriteNewLine(f); }), "\r\n");
    EXPECT_EQ(Written([](QIODevice& f) { WriteTextLine(f, QStringLiteral("Hồ")); }), "H\xe1\xbb\x93\r\n");
    EXPECT_EQ(Written([](QIODevice& f) { WriteTextLine(f, QString()); }), "\r\n");
}

}  // namespace
