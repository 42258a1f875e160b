#include "places/Categories.h"

#include "base/Resources.h"

const std::array<CategoryInfo, kCategoryCount> kCategories = {{
    {1, "Bệnh viện", 256, 1018, "Bệnh viện"},
    {2, "Đại lý HK", 279, 1003, "Đại lý HK"},
    {3, "Ngân hàng", 247, 1002, "Ngân hàng"},
    {4, "Đua thuyền", 248, 1004, "Chèo thuyền"},
    {5, "Bến xe buýt", 249, 1005, "Xe buýt"},
    {6, "Nhà Thờ", 250, 1006, "Nhà thờ"},
    {7, "Rạp chiếu phim", 251, 1007, "Chiếu phim"},
    {8, "Câu lạc bộ", 252, 1014, "Câu lạc bộ"},
    {9, "Ủy ban", 253, 1015, "Ủy ban"},
    {10, "Xí nghiệp", 254, 1016, "Xí nghiệp"},
    {11, "Triển lãm", 255, 1017, "Triển lãm"},
    {12, "Khách sạn", 257, 1019, "Khách sạn"},
    {13, "Tổ chức QT", 258, 1008, "Tổ chức QT"},
    {14, "Chợ", 259, 1009, "Chợ"},
    {15, "Bảo tàng", 260, 1010, "Bảo tàng"},
    {16, "Chùa", 261, 1011, "Đền, Chùa"},
    {17, "Điểm đỗ xe", 262, 1012, "Đỗ xe"},
    {18, "Bưu điện", 263, 1013, "Bưu điện"},
    {19, "Sân vận động", 264, 1020, "Sân VĐ"},
    {20, "Siêu thị", 265, 1021, "Siêu thị"},
    {21, "Bể bơi", 266, 1023, "Bể bơi"},
    {22, "Rạp hát", 267, 1022, "Rạp hát"},
    {23, "Đại lý du lịch", 268, 0, ""},
    {24, "Điểm du lịch", 269, 1025, "Điểm du lịch"},
    {25, "Đại học", 270, 1024, "Đại học"},
    {26, "Trạm xăng", 318, 1049, "Trạm xăng"},
    {27, "ATM", 319, 1048, "ATM"},
    {28, "Nhà riêng", 337, 0, ""},
}};

QString CategoryCaption(int code)
{
    if (code < 1 || code > kCategoryCount)
        return {};
    return QString::fromUtf8(kCategories[code - 1].caption);
}

int CategoryCodeOf(const QString& caption)
{
    for (const CategoryInfo& c : kCategories) {
        if (caption == QString::fromUtf8(c.caption))
            return c.code;
    }
    return -1;
}

const QImage& CategoryIcon(int code)
{
    static const std::array<QImage, kCategoryCount> icons = [] {
        InitResources();
        std::array<QImage, kCategoryCount> loaded;
        for (int i = 0; i < kCategoryCount; ++i)
            loaded[i] = QImage(QString(":/icons/cat%1.png").arg(i + 1, 2, 10, QLatin1Char('0')));
        return loaded;
    }();
    static const QImage none;
    if (code < 1 || code > kCategoryCount)
        return none;
    return icons[code - 1];
}
