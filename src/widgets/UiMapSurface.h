// The map window's client area. Everything the program draws "on the window"
// goes into its image (the window surface); the widget only presents it.
// Pointer input arrives as down/move/up at client pixels, with the handheld's
// tap-and-hold decided first: the pointer held still for 500 ms, or the right
// button, is a hold.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <functional>

class UiMapSurface : public QWidget {
    Q_OBJECT
public:
    explicit UiMapSurface(QWidget* parent = nullptr);

    QImage& Surface() { return m_surface; }
    const QImage& Surface() const { return m_surface; }

    std::function<void()> onPresent;                        // before the surface is shown
    std::function<void(int width, int height)> onSize;      // client size changed
    std::function<void(QPoint, bool hold)> onPointerDown;   // after the hold decision
    std::function<void(QPoint)> onPointerMove;
    std::function<void(QPoint)> onPointerUp;
    std::function<void(QPoint, int steps)> onWheel;  // steps > 0 away from the user

    static constexpr int kHoldMilliseconds = 500;
    static constexpr int kHoldSlop = 4;  // pixels the pointer may wander during a hold

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void DecideTap();

    QImage m_surface;
    QTimer m_holdTimer;
    QPoint m_pressPoint;
    bool m_deciding = false;   // pressed, hold not yet decided
    bool m_afterHold = false;  // the press became a hold: ignore until release
    int m_wheelAngle = 0;      // eighths of a degree not yet a whole step
};
