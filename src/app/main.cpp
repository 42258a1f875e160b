#include "app/MapApp.h"
#include "app/MapDlg.h"

#include <QApplication>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("korvane"));
    CMapApp mapApp;
    const std::unique_ptr<CMapDlg> window(mapApp.InitInstance());
    return app.exec();
}
