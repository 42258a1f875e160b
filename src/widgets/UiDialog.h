// A modal dialog laid out from its template in dialog units, initialised by
// OnInitDialog and shown through the modal seam.
#pragma once

#include <QDialog>
#include <QRect>
#include <QSize>

class QWidget;

// A template rectangle in dialog units scaled to pixels: the template's whole
// size maps onto the client size.
QRect DialogUnitsToPixels(const QRect& units, QSize templateUnits, QSize clientPixels);

class CDialog : public QDialog {
    Q_OBJECT
public:
    CDialog(QSize templateUnits, QWidget* parent = nullptr);
    // Initialises the dialog and runs it modally; IDOK or IDCANCEL.
    int DoModal();
    // Sizes the dialog at about three pixels per unit, scaled down (keeping
    // its shape) to fit within available: every control stays on the screen.
    void FitTemplateTo(QSize available);

protected:
    virtual void OnInitDialog() {}
    // Places a control at its template rectangle.
    void Place(QWidget* control, const QRect& units);
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize m_templateUnits;
    std::vector<std::pair<QWidget*, QRect>> m_placed;
};
