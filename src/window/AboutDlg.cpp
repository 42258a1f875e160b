#include "window/AboutDlg.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(QSize(147, 150), parent)
{
    setWindowTitle(QStringLiteral("Giới thiệu"));
    const auto line = [this](const QString& text, int y, int id) {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignCenter);
        label->setObjectName(QString::number(id));
        Place(label, QRect(5, y, 137, 12));
        return label;
    };
    line(QStringLiteral("Korvane- Ver 1.3"), 20, 1017);
    line(QStringLiteral("Bản đồ số và dẫn đường GPS ngoại tuyến"), 45, 0);
    line(QStringLiteral("Dữ liệu bản đồ © OpenStreetMap contributors"), 60, 0);
    line(QStringLiteral("Giấy phép dữ liệu: ODbL"), 75, 0);
    auto* ok = new QPushButton(QStringLiteral("Đồng ý"), this);
    ok->setDefault(true);
    Place(ok, QRect(48, 115, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
