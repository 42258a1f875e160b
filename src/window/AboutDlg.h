// The about box: program name and version, the maker's lines, OK.
#pragma once

#include "widgets/UiDialog.h"

class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
