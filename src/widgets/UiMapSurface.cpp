#include "widgets/UiMapSurface.h"

#include <QMouseEvent>
#include <QPainter>

UiMapSurface::UiMapSurface(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    m_holdTimer.setSingleShot(true);
    m_holdTimer.setInterval(kHoldMilliseconds);
    connect(&m_holdTimer, &QTimer::timeout, this, [this] {
        m_deciding = false;
        m_afterHold = true;
        if (onPointerDown)
            onPointerDown(m_pressPoint, true);
    });
}

void UiMapSurface::paintEvent(QPaintEvent*)
{
    if (onPresent)
        onPresent();
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void UiMapSurface::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (onSize)
        onSize(width(), height());
}

void UiMapSurface::DecideTap()
{
    m_holdTimer.stop();
    m_deciding = false;
    if (onPointerDown)
        onPointerDown(m_pressPoint, false);
}

void UiMapSurface::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        m_afterHold = true;
        if (onPointerDown)
            onPointerDown(at, true);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_afterHold = false;
    m_deciding = true;
    m_pressPoint = at;
    m_holdTimer.start();
}

void UiMapSurface::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (m_afterHold)
        return;
    if (m_deciding) {
        if ((at - m_pressPoint).manhattanLength() <= kHoldSlop)
            return;
        DecideTap();
    }
    if (onPointerMove)
        onPointerMove(at);
}

void UiMapSurface::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (m_afterHold) {
        m_afterHold = false;
        return;
    }
    if (m_deciding)
        DecideTap();
    if (onPointerUp)
        onPointerUp(at);
}

void UiMapSurface::wheelEvent(QWheelEvent* event)
{
    // A step is 15 degrees of the wheel; touchpads send it in parts.
    constexpr int kStep = 120;
    m_wheelAngle += event->angleDelta().y();
    const int steps = m_wheelAngle / kStep;
    m_wheelAngle -= steps * kStep;
    if (steps != 0 && onWheel)
        onWheel(event->position().toPoint(), steps);
    event->accept();
}
