#include "window/PlaceFilterDlg.h"

#include <QLabel>
#include <array>

namespace {

// Boxes top to bottom, left column then right column.
constexpr std::array<int, 13> kLeftColumn = {1048, 1003, 1002, 1004, 1005, 1006, 1007,
                                             1014, 1015, 1016, 1017, 1018, 1019};
constexpr std::array<int, 13> kRightColumn = {1008, 1009, 1010, 1011, 1012, 1049, 1013,
                                              1020, 1021, 1022, 1023, 1024, 1025};

// The hidden texts of the boxes 1002 to 1025, as the dialog template gives
// them: too narrow to be seen, they still name each box to a screen reader.
constexpr std::array<const char*, 24> kBoxTexts = {
    "BANK",      "Agency",      "Boating", "Bus_Stop", "Church",    "Cinema",     "Inter_Organization", "Market",
    "Museum",    "Pagoda",      "Parking", "Post_Office", "Club",   "Commite",    "Enterprise",         "Exhibition",
    "Hospital",  "Hotel",       "Stadium", "SuperMarket", "Theatre", "Swimming",  "University",         "Tourist_Point"};

const CategoryInfo* CategoryOfBox(int id)
{
    for (const CategoryInfo& c : kCategories) {
        if (c.filterBoxId == id)
            return &c;
    }
    return nullptr;
}

}  // namespace

CPlaceFilterDlg::CPlaceFilterDlg(CategoryFlags& showCategory, QWidget* parent)
    : CDialog(QSize(151, 158), parent), m_showCategory(showCategory)
{
    setWindowTitle(QStringLiteral("Lọc địa danh"));
    const auto column = [this](const auto& ids, int x) {
        for (size_t row = 0; row < ids.size(); ++row) {
            const int id = ids[row];
            const CategoryInfo* category = CategoryOfBox(id);
            const QString label = QString::fromUtf8(category->filterLabel);
            const int y = 6 + int(row) * 11;
            auto* box = new QCheckBox(this);
            box->setObjectName(QString::number(id));
            // The ATM and petrol boxes carry their label as their own text.
            if (id == 1048 || id == 1049) {
                box->setText(label);
                Place(box, QRect(x, y, id == 1048 ? 30 : 33, 9));
            } else {
                box->setAccessibleName(QString::fromLatin1(kBoxTexts[id - 1002]));
                Place(box, QRect(x, y, 10, 9));
                Place(new QLabel(label, this), QRect(x + 12, y, 58, 9));
            }
            connect(box, &QCheckBox::clicked, this, [this, code = category->code, box] { OnBoxClicked(code, box); });
            m_boxes[id] = box;
        }
    };
    column(kLeftColumn, 6);
    column(kRightColumn, 78);
}

QCheckBox* CPlaceFilterDlg::Box(int id) const
{
    const auto it = m_boxes.find(id);
    return it == m_boxes.end() ? nullptr : it->second;
}

void CPlaceFilterDlg::OnInitDialog()
{
    for (const auto& [id, box] : m_boxes)
        box->setChecked(m_showCategory[CategoryOfBox(id)->code - 1] == 1);
}

void CPlaceFilterDlg::OnBoxClicked(int code, QCheckBox* box)
{
    m_showCategory[code - 1] = box->isChecked() ? 1 : 0;
}
