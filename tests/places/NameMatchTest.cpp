// Names found as people type them, on the street lists of the bundled Hanoi
// and District 3 maps and on names chosen for the marks they carry.
#include "places/NameMatch.h"
#include "map/MapData.h"
#include "map/MapFileReader.h"
#include "places/NameLists.h"

#include <gtest/gtest.h>

namespace {

QStringList StreetList(const char* map)
{
    MapData m;
    const QString path = QStringLiteral(KORVANE_SOURCE_DIR "/data/") + QLatin1String(map);
    if (!LoadMapFile(m, path, 0))
        return {};
    return SortedVietnamese(StreetListNames(m.m_strWayName, m.m_nWayLast));
}

QStringList Narrowed(const QStringList& names, const QString& typed)
{
    std::vector<FoldedName> folded;
    for (const QString& name : names)
        folded.emplace_back(name);
    QStringList shown;
    for (int i : NarrowNames(folded, typed))
        shown.append(names[i]);
    return shown;
}

// A name as typed on a plain keyboard: every mark left out, đ as d.
QString WithoutMarks(const QString& name)
{
    QString plain;
    for (QChar c : name.normalized(QString::NormalizationForm_D)) {
        if (c == u'đ' || c == u'Đ' || c == u'Ð')
            c = c.isUpper() ? u'D' : u'd';
        if (!c.isMark())
            plain += c;
    }
    return plain;
}

struct Typed {
    const char* map;
    const char* text;
    QStringList first; // the first entries of the narrowed list, in order
    int shown;         // how many entries it has; −1 when not checked
};

TEST(NameMatch, TypedTextNarrowsTheBundledStreetListsBestFirst)
{
    const auto s = [](const char* text) { return QString::fromUtf8(text); };
    const Typed cases[] = {
        // no marks at all: the whole name first, then names that begin so
        {"hanoi.kvp", "pho van mieu", {s("Phố Văn Miếu")}, 1},
        {"hanoi.kvp", "ngo van chuong", {s("Ngõ Văn Chương"), s("Ngõ Văn Chương 2")}, 2},
        // a word in the middle, the words of one rank in alphabetical order
        {"hanoi.kvp", "mieu", {s("Phố Văn Miếu"), s("Phố Y Miếu")}, 2},
        {"hanoi.kvp", "van mieu", {s("Phố Văn Miếu")}, 1},
        // two words out of order come after those in order
        {"hanoi.kvp", "giam quoc", {s("Ngõ 25 Quốc Tử Giám"), s("Ngõ 65 Quốc Tử Giám"), s("Phố Quốc Tử Giám")}, 3},
        {"hanoi.kvp", "quoc giam ngo", {s("Ngõ 25 Quốc Tử Giám"), s("Ngõ 65 Quốc Tử Giám")}, 2},
        // some marks typed: they must be on the name's letters
        {"hanoi.kvp",
         "Thổ quan",
         {s("Hẻm 16 Ngách 127 Ngõ Thổ Quan 1"), s("Ngách 127 Ngõ Thổ Quan 1"), s("Ngõ Quan Thổ 1")},
         3},
        {"hanoi.kvp", "thồ", {}, 0},
        {"hanoi.kvp",
         "hao nam 46 ngo",
         {s("Hẻm 14 Ngách 58 Ngõ 46 Phố Hào Nam"), s("Ngách 54 Ngõ 46 Phố Hào Nam"), s("Ngách 58 Ngõ 46 Phố Hào Nam"),
          s("Ngõ 46 Phố Hào Nam")},
         4},
        // upper case
        {"hanoi.kvp", "PHỐ VĂN MIẾU", {s("Phố Văn Miếu")}, 1},
        // d finds đ, and the eth some maps write for Đ
        {"hcmc_district3.kvp", "dinh cong trang", {s("Ðinh Công Tráng"), s("Hẻm 37 Đinh Công Tráng")}, 2},
        {"hcmc_district3.kvp",
         "duong hai",
         {s("Đường Hai Bà Trưng"), s("Hẻm 362 Đường Hai Bà Trưng"), s("Hẻm 378 Đường Hai Bà Trưng")},
         3},
        {"hcmc_district3.kvp", "đ phan", {s("Đường Phan Liêm"), s("Đường Phan Tôn")}, 2},
        {"hcmc_district3.kvp", "160/10", {s("Hẻm 160/10 Võ Thị Sáu")}, 1},
        {"hcmc_district3.kvp", "vo thi sau", {s("Võ Thị Sáu")}, 12},
        // nothing matches
        {"hcmc_district3.kvp", "xyz", {}, 0},
    };
    for (const Typed& c : cases) {
        const QStringList shown = Narrowed(StreetList(c.map), QString::fromUtf8(c.text));
        EXPECT_EQ(shown.mid(0, c.first.size()), c.first) << c.map << ": " << c.text;
        if (c.shown >= 0) {
            EXPECT_EQ(shown.size(), c.shown) << c.map << ": " << c.text << "\n" << shown.join(u'|').toStdString();
        }
    }
}

TEST(NameMatch, MarksTypedMustBeOnTheNameMarksLeftOutMayBe)
{
    const QStringList names = {QStringLiteral("Dương Quảng Hàm"), QStringLiteral("Đường Láng"),
                               QStringLiteral("Ngõ 12 Phố Huế"), QStringLiteral("Phố Huế"),
                               QStringLiteral("Phố Văn Miếu")};
    // The same names stored decomposed, as some files hold them.
    QStringList decomposed;
    for (const QString& name : names)
        decomposed.append(name.normalized(QString::NormalizationForm_D));
    ASSERT_NE(decomposed, names);
    const auto utf8 = [](std::initializer_list<const char*> texts) {
        QStringList list;
        for (const char* text : texts)
            list.append(QString::fromUtf8(text));
        return list;
    };
    const auto found = [&](const QStringList& list, const char* typed) {
        QStringList shown;
        for (const QString& name : Narrowed(list, QString::fromUtf8(typed)))
            shown.append(name.normalized(QString::NormalizationForm_C));
        return shown;
    };
    for (const QStringList& list : {names, decomposed}) {
        for (const char* typed : {"Hue", "huê", "huế", "HUẾ"})
            EXPECT_EQ(found(list, typed), utf8({"Ngõ 12 Phố Huế", "Phố Huế"})) << typed;
        EXPECT_EQ(found(list, "huề"), QStringList());
        EXPECT_EQ(found(list, "đường"), utf8({"Đường Láng"}));
        EXPECT_EQ(found(list, "duong"), utf8({"Dương Quảng Hàm", "Đường Láng"}));
        EXPECT_EQ(found(list, "dương"), utf8({"Dương Quảng Hàm", "Đường Láng"}));
        EXPECT_EQ(found(list, "12 hue"), utf8({"Ngõ 12 Phố Huế"}));
        EXPECT_EQ(found(list, "pho van"), utf8({"Phố Văn Miếu"}));
        // A typed word begins a word of its own: one "pho" cannot stand for two.
        EXPECT_EQ(found(list, "pho pho"), QStringList());
        // Emptying the box shows the whole list again.
        EXPECT_EQ(found(list, "  "), found(list, ""));
        EXPECT_EQ(found(list, "").size(), names.size());
    }
}

// What must hold for every street of the bundled maps: its whole name typed
// without a mark is among the first three entries, its last two words find it.
TEST(NameMatch, EveryBundledStreetIsFoundByItsNameWithoutMarks)
{
    for (const char* map : {"hanoi.kvp", "hcmc_district3.kvp"}) {
        const QStringList streets = StreetList(map);
        ASSERT_GT(streets.size(), 90) << map;
        for (const QString& street : streets) {
            if (street.isEmpty())
                continue;
            const QString plain = WithoutMarks(street);
            EXPECT_TRUE(Narrowed(streets, plain).mid(0, 3).contains(street)) << map << ": " << plain.toStdString();
            const QStringList words = plain.split(u' ', Qt::SkipEmptyParts);
            const QString lastTwo = words.mid(std::max<qsizetype>(0, words.size() - 2)).join(u' ');
            EXPECT_TRUE(Narrowed(streets, lastTwo).contains(street)) << map << ": " << lastTwo.toStdString();
        }
    }
}

} // namespace
