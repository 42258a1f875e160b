#include "Commands.h"

#include "view/MapState.h"
#include "view/Renderer.h"
#include "view/Viewport.h"

#include <QFileInfo>
#include <QImage>

namespace {

constexpr int kMinSide = 16;
constexpr int kMaxSide = 8000;

bool ParseSize(const QString& text, int& width, int& height)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    bool okW = false, okH = false;
    if (parts.size() == 2) {
        width = parts[0].toInt(&okW);
        height = parts[1].toInt(&okH);
    }
    return okW && okH && width >= kMinSide && height >= kMinSide && width <= kMaxSide && height <= kMaxSide;
}

} // namespace

int RunRender(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Draws a map file into a PNG image with the program's own renderer, as the map window "
                       "shows it after opening the map."));
    parser.addPositionalArgument(QStringLiteral("map"), QStringLiteral("The map file (.kvp)."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The PNG image to write."), QStringLiteral("png"));
    const QCommandLineOption size(QStringLiteral("size"),
                                  QStringLiteral("Image size in pixels, as the window's client area (default "
                                                 "480x640)."),
                                  QStringLiteral("WxH"), QStringLiteral("480x640"));
    const QCommandLineOption center(QStringLiteral("center"),
                                    QStringLiteral("Map point drawn at the image's centre (default: the map's "
                                                   "centre)."),
                                    QStringLiteral("X,Y"));
    const QCommandLineOption zoom(QStringLiteral("zoom"),
                                  QStringLiteral("Scale as a multiple of the base scale: 5 is the view after "
                                                 "opening a map, 0.4 shows the whole map (default 5)."),
                                  QStringLiteral("K"), QStringLiteral("5"));
    parser.addOptions({output, size, center, zoom});
    int exitCode = kExitOk;
    if (!ParseCommand(parser, args, QStringLiteral("render"), 1, exitCode))
        return exitCode;

    int width = 0, height = 0;
    bool zoomOk = false;
    const double k = parser.value(zoom).toDouble(&zoomOk);
    MapPoint middle;
    QString error;
    if (!parser.isSet(output))
        error = QStringLiteral("no image to write: give -o PNG");
    else if (!ParseSize(parser.value(size), width, height))
        error = QStringLiteral("--size must be WxH, each %1 to %2 pixels").arg(kMinSide).arg(kMaxSide);
    else if (!zoomOk || k <= 0.0)
        error = QStringLiteral("--zoom takes a number above 0");
    else if (parser.isSet(center) && !ParseMapPoint(parser.value(center), middle))
        error = QStringLiteral("--center must be X,Y in map units");
    if (!error.isEmpty()) {
        Err() << "korvane-tool render: " << error << "\n";
        return kExitUsage;
    }

    const QString path = parser.positionalArguments().constFirst();
    MapState s;
    if (!LoadMapForCommand(s, path, QStringLiteral("render")))
        return kExitFailed;
    s.m_strMapPath = QFileInfo(path).absoluteFilePath();
    s.m_nClientWidth = width;
    s.m_nClientHeight = height;
    s.m_nDisplayFactor = DisplayFactorFor(width);
    FitViewToMap(s, s);
    if (!parser.isSet(center))
        middle = {s.m_nCenterX, s.m_nCenterY};
    s.m_dScale = s.m_dBaseScale * k;
    s.m_nOriginX = static_cast<int32_t>(middle.x - (width / 2) / s.m_dScale);
    s.m_nOriginY = static_cast<int32_t>(middle.y - (height / 2) / s.m_dScale);
    s.m_nDragOriginX = s.m_nOriginX;
    s.m_nDragOriginY = s.m_nOriginY;
    UpdateVisibleWays(s, s);
    s.m_bMapLoaded = 1;

    const QString png = parser.value(output);
    if (!RenderMapImage(s).save(png, "PNG")) {
        Err() << "korvane-tool render: cannot write " << png << "\n";
        return kExitFailed;
    }
    Out() << "wrote " << png << " (" << width << "x" << height << ", scale " << k << " x base)\n";
    return kExitOk;
}
