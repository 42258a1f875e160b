// The GPS position dialog: shows the receiver's two coordinate fields and
// appends them, beside a street point of the map, to the position log.
#pragma once

#include "map/MapData.h"
#include "widgets/UiDialog.h"

class CGpsSetupDlg;
class QLineEdit;
class QPushButton;

class CGpsPointDlg : public CDialog {
    Q_OBJECT
public:
    explicit CGpsPointDlg(QWidget* parent = nullptr);

    MapPoint m_ptMap;                          // the map point a line carries
    const CGpsSetupDlg* m_pSerial = nullptr;  // where positions come from; none while unset

    void OnReceive();    // "Nhận dữ liệu"
    void OnWriteFile();  // "Ghi ra tệp"

    QLineEdit* m_edField3;  // under "Kinh độ"
    QLineEdit* m_edField5;  // under "Vĩ độ"
    QPushButton* m_btnReceive;
    QPushButton* m_btnWrite;

private:
    QString LatestRmcLine() const;
};
