#include "window/GpsPointDlg.h"

#include "gps/GpsPositionLog.h"
#include "window/GpsSetupDlg.h"
#include "gps/Nmea.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CGpsPointDlg::CGpsPointDlg(QWidget* parent) : CDialog(QSize(135, 90), parent)
{
    setWindowTitle(QStringLiteral("Vị trí GPS"));
    Place(new QLabel(QStringLiteral("Kinh độ"), this), QRect(10, 17, 32, 8));
    Place(new QLabel(QStringLiteral("Vĩ độ"), this), QRect(74, 17, 37, 8));
    // Each field under its own label: the longitude (field 5) under "Kinh độ".
    m_edField5 = new QLineEdit(this);
    m_edField5->setObjectName(QStringLiteral("1041"));
    Place(m_edField5, QRect(10, 28, 51, 14));
    m_edField3 = new QLineEdit(this);
    m_edField3->setObjectName(QStringLiteral("1007"));
    Place(m_edField3, QRect(74, 28, 51, 14));
    m_btnReceive = new QPushButton(QStringLiteral("Nhận dữ liệu"), this);
    Place(m_btnReceive, QRect(10, 62, 50, 14));
    m_btnWrite = new QPushButton(QStringLiteral("Ghi ra tệp"), this);
    Place(m_btnWrite, QRect(75, 62, 50, 14));
    connect(m_btnReceive, &QPushButton::clicked, this, [this] { OnReceive(); });
    connect(m_btnWrite, &QPushButton::clicked, this, [this] { OnWriteFile(); });
}

QString CGpsPointDlg::LatestRmcLine() const
{
    return m_pSerial ? m_pSerial->LatestRmcLine() : QString();
}

void CGpsPointDlg::OnReceive()
{
    const QString line = LatestRmcLine();
    m_edField5->setText(NmeaParser::RmcLongitude(line));
    m_edField3->setText(NmeaParser::RmcLatitude(line));
}

void CGpsPointDlg::OnWriteFile()
{
    // The line is taken now, not from the boxes.
    AppendGpsPosition(QString::fromLatin1(kGpsPositionLog), m_ptMap, LatestRmcLine());
}
