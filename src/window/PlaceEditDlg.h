// The place dialog: a category chosen from (or typed into) a sorted list and
// a name. Insert and Edit on the map's context menu open it; its OK writes the
// place to the user's place file and, unless it is a home, to the update log.
#pragma once

#include "map/MapData.h"
#include "places/Categories.h"
#include "widgets/UiDialog.h"

#include <QLineEdit>
#include <array>

class CComboBox;
class QPushButton;

class CPlaceEditDlg : public CDialog {
    Q_OBJECT
public:
    explicit CPlaceEditDlg(QWidget* parent = nullptr);

    // Texts the fields start with; the last Edit left them.
    QString m_strCategory;
    QString m_strName;
    std::array<QString, kCategoryCount> m_captions;
    int m_nCategory = -1;         // the code found at OK
    QString m_strResultName;      // the name: set by Edit, read at OK
    QString m_strInitCategory;    // the caption set by Edit
    MapPoint m_ptWhere;           // the place's position
    int m_bEditMode = 0;
    int m_bSaved = 0;
    int m_bWroteUserFile = 0;
    QString m_strUserFile;

    // Appends the place as a record of the file at path; the user's file
    // becomes the default one when none was set.
    void AppendPlaceRecord(const QString& path);
    // Gives the user's own record at the place's point the dialog's name and
    // category; the file is replaced whole and atomically.
    void RewriteHomeName();

    CComboBox* CategoryBox() const { return m_category; }
    QLineEdit* NameEdit() const { return m_name; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void OnInitDialog() override;

private:
    void OnOK();
    void OnCancel();
    // The user's file, the default one when none was set yet.
    QString UserFile();

    CComboBox* m_category;
    QLineEdit* m_name;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
