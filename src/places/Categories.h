// The 28 place categories: code (the row number, stored in map and
// place-information files), caption, icon and the filter dialog's check box.
#pragma once

#include <QImage>
#include <QString>
#include <array>

inline constexpr int kCategoryCount = 28;
inline constexpr int kHomeCategory = 28;
inline constexpr int kPetrolCategory = 26;
inline constexpr int kAtmCategory = 27;

struct CategoryInfo {
    int code;
    const char* caption;      // UTF-8
    int iconId;               // the handheld's bitmap resource number
    int filterBoxId;          // 0 when the category has no check box
    const char* filterLabel;  // UTF-8, empty when there is no check box
};

extern const std::array<CategoryInfo, kCategoryCount> kCategories;

// The caption of a code 1..28, empty for any other code.
QString CategoryCaption(int code);

// The code whose caption equals text exactly, or −1.
int CategoryCodeOf(const QString& caption);

// The 24 × 24 icon of a code 1..28; a null image for any other code.
const QImage& CategoryIcon(int code);

// Filter flags: element code − 1 is 1 while places of that category are
// shown. The 29th element belongs to no category.
using CategoryFlags = std::array<int, 29>;

// Whether places of this code are shown. A code outside 1..28 has no flag and
// counts as shown.
inline bool CategoryShown(const CategoryFlags& flags, int code)
{
    return code < 1 || code > kCategoryCount || flags[code - 1] == 1;
}

// Places whose caption text means "every place of the category".
inline bool IsAllNames(const QString& name)
{
    return name == QLatin1StringView("All") || name == QStringLiteral("Tất cả");
}
