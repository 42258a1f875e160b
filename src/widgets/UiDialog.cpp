#include "widgets/UiDialog.h"

#include "widgets/UiModal.h"

#include <QResizeEvent>

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

int CDialog::DoModal()
{
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
