#include "window/PlaceEditDlg.h"

#include "map/PlaceInfoFile.h"
#include "map/TextLines.h"
#include "widgets/UiComboBox.h"
#include "widgets/UiModal.h"

#include <QLabel>
#include <QPushButton>

CPlaceEditDlg::CPlaceEditDlg(QWidget* parent) : CDialog(QSize(141, 159), parent)
{
    Place(new QLabel(QStringLiteral("Loại địa danh"), this), QRect(27, 18, 36, 8));
    m_category = new CComboBox(true, this);
    m_category->setObjectName(QStringLiteral("1004"));
    Place(m_category, QRect(27, 30, 88, 12));
    Place(new QLabel(QStringLiteral("Tên địa danh"), this), QRect(27, 55, 38, 8));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("1033"));
    Place(m_name, QRect(27, 67, 88, 14));
    m_ok = new QPushButton(QStringLiteral("Đồng ý"), this);
    m_ok->setDefault(true);
    Place(m_ok, QRect(17, 115, 50, 14));
    m_cancel = new QPushButton(QStringLiteral("Hủy"), this);
    Place(m_cancel, QRect(75, 115, 50, 14));
    // A pasted name loses its line breaks and tabs at once: what the box shows
    // is what the file gets.
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString line = OneLineText(text);
        if (line != text)
            m_name->setText(line);
    });
    connect(m_ok, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

void CPlaceEditDlg::OnInitDialog()
{
    setWindowTitle(m_bEditMode ? QStringLiteral("Sửa địa danh") : QStringLiteral("Chèn địa danh"));
    m_category->ResetList();
    m_category->SetWindowText(m_strCategory);
    m_name->setText(m_strName);
    for (int code = 1; code <= kCategoryCount; ++code) {
        m_captions[code - 1] = CategoryCaption(code);
        m_category->AddString(m_captions[code - 1]);
    }
    m_name->setFocus();
}

void CPlaceEditDlg::OnOK()
{
    m_nCategory = -1;
    const QString category = m_category->GetWindowText();
    m_strResultName = OneLineText(m_name->text());
    for (int code = 1; code <= kCategoryCount; ++code) {
        if (category == m_captions[code - 1]) {
            m_nCategory = code;
            break;
        }
    }
    if (m_nCategory == -1) {
        // Nothing is written for a category the program does not know; the
        // user corrects it here.
        Modal().MessageBox(this, QStringLiteral("Không có loại địa danh “%1”.\nHãy chọn một loại trong danh sách.")
                                     .arg(category));
        return;
    }
    // A file too large to be read is never written: the places it holds
    // would be lost at its next rewrite.
    if (PlaceFileTooLarge(UserFile())) {
        Modal().MessageBox(this, PlaceFileTooLargeText(UserFile()));
        return;
    }
    if (m_nCategory == kHomeCategory) {
        if (m_bEditMode) {
            RewriteHomeName();
        } else {
            AppendPlaceRecord(UserFile());
            m_bWroteUserFile = 1;
        }
    } else {
        AppendPlaceRecord(QString::fromLatin1(kUpdateLogFile));
        if (!m_bEditMode) {
            AppendPlaceRecord(UserFile());
            m_bWroteUserFile = 1;
        } else {
            // A place of the user's own keeps its edit after a restart.
            RewriteHomeName();
        }
    }
    m_bSaved = 1;
    accept();
}

void CPlaceEditDlg::OnCancel()
{
    reject();
}

QString CPlaceEditDlg::UserFile()
{
    if (m_strUserFile.isEmpty())
        m_strUserFile = QString::fromLatin1(kDefaultUserPlacesFile);
    return m_strUserFile;
}

void CPlaceEditDlg::AppendPlaceRecord(const QString& path)
{
    ::AppendPlaceRecord(path, m_ptWhere, m_nCategory, m_strResultName);
}

void CPlaceEditDlg::RewriteHomeName()
{
    RewritePlaceRecord(UserFile(), m_ptWhere, m_nCategory, m_strResultName);
}
