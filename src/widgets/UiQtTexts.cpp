#include "widgets/UiQtTexts.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QTranslator>

namespace {

struct QtText {
    const char* context;
    const char* source;
    const char* vietnamese;
};

const QtText kTexts[] = {
    {"QPlatformTheme", "OK", "Đồng ý"},
    {"QPlatformTheme", "Cancel", "Hủy"},
    {"QPlatformTheme", "&Yes", "&Có"},
    {"QPlatformTheme", "&No", "&Không"},
    {"QPlatformTheme", "Open", "Mở"},
    {"QPlatformTheme", "Save", "Lưu"},
    {"QPlatformTheme", "Close", "Đóng"},
    {"QFileDialog", "Look in:", "Tìm trong:"},
    {"QFileDialog", "File &name:", "&Tên tệp:"},
    {"QFileDialog", "Files of type:", "Loại tệp:"},
    {"QFileDialog", "Open", "Mở tệp"},
    {"QFileDialog", "Save As", "Lưu thành"},
    {"QFileDialog", "&Open", "&Mở"},
    {"QFileDialog", "&Save", "&Lưu"},
    {"QFileDialog", "&Choose", "&Chọn"},
    {"QFileDialog", "Back", "Lùi lại"},
    {"QFileDialog", "Forward", "Tiến tới"},
    {"QFileDialog", "Parent Directory", "Thư mục cha"},
    {"QFileDialog", "Create New Folder", "Tạo thư mục mới"},
    {"QFileDialog", "List View", "Dạng danh sách"},
    {"QFileDialog", "Detail View", "Dạng chi tiết"},
    {"QFileDialog", "Go back", "Lùi lại"},
    {"QFileDialog", "Go forward", "Tiến tới"},
    {"QFileDialog", "Go to the parent directory", "Lên thư mục cha"},
    {"QFileDialog", "Create a New Folder", "Tạo một thư mục mới"},
    {"QFileDialog", "Change to list view mode", "Xem dạng danh sách"},
    {"QFileDialog", "Change to detail view mode", "Xem dạng chi tiết"},
    {"QFileDialog", "Sidebar", "Thanh bên"},
    {"QFileDialog", "List of places and bookmarks", "Các nơi và dấu trang"},
    {"QFileDialog", "Files", "Tệp"},
    {"QFileDialog", "&Rename", "Đổi &tên"},
    {"QFileDialog", "&Delete", "&Xóa"},
    {"QFileDialog", "Show &hidden files", "Hiện tệp ẩ&n"},
    {"QFileDialog", "&New Folder", "Thư mục &mới"},
    {"QFileDialog", "New Folder", "Thư mục mới"},
    {"QFileDialog", "All Files (*)", "Mọi tệp (*)"},
    {"QFileDialog", "Show ", "Hiện "},
    {"QFileDialog", "Directory:", "Thư mục:"},
    {"QFileDialog", "My Computer", "Máy tính"},
    {"QFileDialog", "Recent Places", "Nơi mở gần đây"},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?", "%1 đã có.\nBạn có muốn ghi đè lên nó không?"},
    {"QFileDialog", "%1\nFile not found.\nPlease verify the correct file name was given.",
     "%1\nKhông tìm thấy tệp.\nHãy xem lại tên tệp."},
    {"QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given.",
     "%1\nKhông tìm thấy thư mục.\nHãy xem lại tên thư mục."},
    {"QFileDialog", "Are you sure you want to delete '%1'?", "Bạn có chắc muốn xóa '%1'?"},
    {"QFileDialog", "Could not delete directory.", "Không xóa được thư mục."},
    {"QFileSystemModel", "Name", "Tên"},
    {"QFileSystemModel", "Size", "Cỡ"},
    {"QFileSystemModel", "Type", "Loại"},
    {"QFileSystemModel", "Kind", "Loại"},
    {"QFileSystemModel", "Date Modified", "Ngày sửa"},
    {"QFileSystemModel", "Computer", "Máy tính"},
    {"QAbstractFileIconProvider", "Folder", "Thư mục"},
    {"QAbstractFileIconProvider", "Drive", "Ổ đĩa"},
    {"QAbstractFileIconProvider", "File", "Tệp"},
    {"QAbstractFileIconProvider", "%1 File", "Tệp %1"},
    {"QLineEdit", "&Undo", "&Hoàn tác"},
    {"QLineEdit", "&Redo", "&Làm lại"},
    {"QLineEdit", "Cu&t", "&Cắt"},
    {"QLineEdit", "&Copy", "&Chép"},
    {"QLineEdit", "&Paste", "&Dán"},
    {"QLineEdit", "Delete", "Xóa"},
    {"QLineEdit", "Select All", "Chọn tất cả"},
};

class VietnameseQtTexts : public QTranslator {
public:
    explicit VietnameseQtTexts(QObject* parent) : QTranslator(parent)
    {
        for (const QtText& text : kTexts)
            m_texts.insert(Key(text.context, text.source), QString::fromUtf8(text.vietnamese));
    }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        return m_texts.value(Key(context, source));
    }

private:
    static QByteArray Key(const char* context, const char* source)
    {
        return QByteArray(context) + '\x1f' + QByteArray(source);
    }
    QHash<QByteArray, QString> m_texts;
};

}  // namespace

void InstallVietnameseQtTexts()
{
    static QPointer<QTranslator> installed;
    if (installed)
        return;
    installed = new VietnameseQtTexts(QCoreApplication::instance());
    QCoreApplication::installTranslator(installed);
}
