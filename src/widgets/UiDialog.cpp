#include "widgets/UiDialog.h"

#include "widgets/UiModal.h"

#include <QResizeEvent>
#include <QScreen>

QRect DialogUnitsToPixels(const QRect& units, QSize templateUnits, QSize clientPixels)
{
    const double sx = double(clientPixels.width()) / templateUnits.width();
    const double sy = double(clientPixels.height()) / templateUnits.height();
    return QRect(int(units.x() * sx), int(units.y() * sy), int(units.width() * sx), int(units.height() * sy));
}

CDialog::CDialog(QSize templateUnits, QWidget* parent) : QDialog(parent), m_templateUnits(templateUnits)
{
    // A handheld dialog fills a VGA screen: about three pixels per unit.
    resize(templateUnits * 3);
}

void CDialog::FitTemplateTo(QSize available)
{
    const QSize full = m_templateUnits * 3;
    resize(full.boundedTo(available) == full ? full : full.scaled(available, Qt::KeepAspectRatio));
}

int CDialog::DoModal()
{
    if (const QScreen* where = screen())
        FitTemplateTo(where->availableGeometry().size());
    OnInitDialog();
    return Modal().RunDialog(*this) == QDialog::Accepted ? 1 : 2;
}

void CDialog::Place(QWidget* control, const QRect& units)
{
    m_placed.emplace_back(control, units);
    control->setGeometry(DialogUnitsToPixels(units, m_templateUnits, size()));
}

void CDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    for (const auto& [control, units] : m_placed)
        control->setGeometry(DialogUnitsToPixels(units, m_templateUnits, event->size()));
}
