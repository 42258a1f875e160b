// Draws the program's pictures and writes them as PNG files under res/:
// the 28 place-category icons (icons/cat01.png … cat28.png, 24 × 24, opaque,
// because the map copies them without a transparent colour), the application
// icon (icons/app.png, 48 × 48, the window's icon, and the installed icon
// theme's sizes icons/hicolor/NxN/apps/korvane.png, all rendered from the
// drawing icons/hicolor/scalable/apps/korvane.svg) and the two toolbar strips
// (toolbar/small.png, five 16 × 15 pictures; toolbar/large.png, five 32 × 32
// pictures).
//
// Usage: make_icons [res-folder]   (default: the res folder beside this file)
//
// Every picture is drawn in a fixed design grid and scaled onto its image, so
// the same drawing code serves every size. Letters use a bold sans font
// ("DejaVu Sans" where installed).
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <QSvgRenderer>
#include <QTextStream>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

const QString kAppIconSvg = QStringLiteral("icons/hicolor/scalable/apps/korvane.svg");

using DrawFn = std::function<void(QPainter&)>;

QPen Stroke(const QColor& color, double width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void FillPolygon(QPainter& p, const QColor& color, std::initializer_list<QPointF> points)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

void FillEllipse(QPainter& p, const QColor& color, const QPointF& centre, double rx, double ry)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(centre, rx, ry);
}

void Line(QPainter& p, const QPen& pen, const QPointF& a, const QPointF& b)
{
    p.setPen(pen);
    p.drawLine(a, b);
}

// A bold capital centred on (cx, cy) of the 24-unit grid, about `height` units high.
void Letter(QPainter& p, const QString& text, const QColor& color, double cx, double cy, double height)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Black);
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    const double k = height / box.height();
    p.save();
    p.translate(cx, cy);
    p.scale(k, k);
    p.translate(-box.center());
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(path);
    p.restore();
}

// A five-pointed star, point upwards.
QPolygonF Star(const QPointF& centre, double outer, double inner)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? inner : outer;
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << centre + QPointF(r * std::cos(a), r * std::sin(a));
    }
    return star;
}

const QColor kWhite(255, 255, 255);
const QColor kBlack(20, 20, 20);

// ---- Category pictures, drawn in a 24 × 24 grid over their background ----

void DrawHospital(QPainter& p)
{
    const QColor red(220, 20, 30);
    p.fillRect(QRectF(9, 3.5, 6, 17), red);
    p.fillRect(QRectF(3.5, 9, 17, 6), red);
}

void DrawAeroplane(QPainter& p)
{
    const QColor navy(20, 45, 120);
    p.save();
    p.translate(12, 12);
    p.rotate(45);
    p.translate(-12, -12);
    FillPolygon(p, navy, {{12, 9}, {22, 15}, {22, 17}, {12, 14}, {2, 17}, {2, 15}});
    FillPolygon(p, navy, {{12, 18}, {16.5, 21}, {16.5, 22.3}, {12, 21}, {7.5, 22.3}, {7.5, 21}});
    p.setPen(Qt::NoPen);
    p.setBrush(navy);
    p.drawRoundedRect(QRectF(10.3, 1, 3.4, 21), 1.7, 1.7);
    p.restore();
}

void DrawDollar(QPainter& p)
{
    Letter(p, QStringLiteral("$"), QColor(255, 222, 60), 12, 12, 19);
}

void DrawBoat(QPainter& p)
{
    const QColor sail(255, 255, 255);
    Line(p, Stroke(kWhite, 1.6), {12, 2.5}, {12, 14});
    FillPolygon(p, sail, {{13, 3}, {13, 13}, {20, 13}});
    FillPolygon(p, sail, {{11, 5.5}, {11, 13}, {5.5, 13}});
    FillPolygon(p, QColor(120, 40, 10), {{2.5, 14}, {21.5, 14}, {18, 18.5}, {6, 18.5}});
    QPainterPath wave;
    wave.moveTo(2, 21);
    for (int i = 0; i < 5; ++i)
        wave.quadTo(4 + 4 * i, 19 + (i % 2) * 4, 6 + 4 * i, 21);
    p.setPen(Stroke(kWhite, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
}

void DrawBusStop(QPainter& p)
{
    Letter(p, QStringLiteral("B"), kBlack, 12, 12, 16);
}

void DrawChurch(QPainter& p)
{
    p.fillRect(QRectF(6, 12, 12, 9.5), kWhite);
    FillPolygon(p, kWhite, {{4, 13}, {12, 7}, {20, 13}});
    p.fillRect(QRectF(11, 1.5, 2, 6), kWhite);
    p.fillRect(QRectF(8.5, 3, 7, 2), kWhite);
    p.fillRect(QRectF(10.5, 15, 3, 6.5), QColor(120, 70, 170));
}

void DrawCinema(QPainter& p)
{
    const QColor film(255, 215, 70);
    FillEllipse(p, film, {7.5, 6.5}, 3.7, 3.7);
    FillEllipse(p, film, {15.5, 6.5}, 3.7, 3.7);
    FillEllipse(p, QColor(40, 40, 50), {7.5, 6.5}, 1.2, 1.2);
    FillEllipse(p, QColor(40, 40, 50), {15.5, 6.5}, 1.2, 1.2);
    p.fillRect(QRectF(3, 11, 13.5, 9), film);
    FillPolygon(p, film, {{16, 15.5}, {21.5, 11.5}, {21.5, 19.5}});
}

void DrawLyre(QPainter& p)
{
    QPainterPath frame;
    frame.moveTo(5, 3);
    frame.cubicTo(4, 10, 8, 17, 12, 18);
    frame.cubicTo(16, 17, 20, 10, 19, 3);
    p.setPen(Stroke(kWhite, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(frame);
    Line(p, Stroke(kWhite, 2), {5.5, 6.5}, {18.5, 6.5});
    for (double x : {9.5, 12.0, 14.5})
        Line(p, Stroke(kWhite, 1.1), {x, 6.5}, {x, 16.5});
    p.fillRect(QRectF(8, 18.5, 8, 3), kWhite);
}

void DrawTownHall(QPainter& p)
{
    const QColor wall(140, 30, 25);
    p.fillRect(QRectF(4, 13, 16, 8.5), wall);
    FillPolygon(p, wall, {{2.5, 13.5}, {12, 8}, {21.5, 13.5}});
    p.fillRect(QRectF(10.5, 16, 3, 5.5), QColor(255, 235, 150));
    for (double x : {6.0, 16.0})
        p.fillRect(QRectF(x, 15, 2, 2.5), QColor(255, 235, 150));
    Line(p, Stroke(kBlack, 1.2), {12, 1.5}, {12, 8.5});
    p.fillRect(QRectF(12.5, 1.5, 7, 4.8), QColor(230, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 230, 0));
    p.drawPolygon(Star({16, 3.9}, 2, 0.8));
}

void DrawFactory(QPainter& p)
{
    FillPolygon(p, kWhite, {{2.5, 21}, {2.5, 12}, {7.5, 15}, {7.5, 12}, {12.5, 15}, {12.5, 12}, {15, 13.5},
                            {15, 4}, {19.5, 4}, {19.5, 21}});
    FillEllipse(p, QColor(200, 200, 205), {20, 2.2}, 2.2, 1.6);
    for (double x : {4.5, 9.5})
        p.fillRect(QRectF(x, 17, 3, 2.5), QColor(120, 120, 125));
}

void DrawEasel(QPainter& p)
{
    const QColor wood(90, 45, 15);
    Line(p, Stroke(wood, 2), {8, 15}, {5, 22});
    Line(p, Stroke(wood, 2), {16, 15}, {19, 22});
    Line(p, Stroke(wood, 1.6), {12, 15}, {12, 21});
    p.fillRect(QRectF(3, 2.5, 18, 13.5), wood);
    p.fillRect(QRectF(5, 4.5, 14, 9.5), QColor(255, 250, 230));
    FillPolygon(p, QColor(30, 130, 60), {{5.5, 14}, {10, 8}, {13, 11.5}, {15, 9.5}, {18.5, 14}});
    FillEllipse(p, QColor(230, 60, 30), {16, 7}, 1.6, 1.6);
}

void DrawHotel(QPainter& p)
{
    Letter(p, QStringLiteral("H"), kWhite, 12, 12, 16);
}

void DrawGlobe(QPainter& p)
{
    FillEllipse(p, QColor(110, 190, 255), {12, 12}, 9, 9);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(kWhite, 1.8));
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.setPen(Stroke(kWhite, 1.3));
    p.drawEllipse(QPointF(12, 12), 3.8, 9);
    p.drawLine(QPointF(3, 12), QPointF(21, 12));
    p.drawLine(QPointF(4.8, 7.2), QPointF(19.2, 7.2));
    p.drawLine(QPointF(4.8, 16.8), QPointF(19.2, 16.8));
    p.drawLine(QPointF(12, 3), QPointF(12, 21));
}

void DrawMarket(QPainter& p)
{
    Letter(p, QStringLiteral("C"), kWhite, 12, 12, 16);
}

void DrawMuseum(QPainter& p)
{
    FillPolygon(p, kWhite, {{2.5, 8.5}, {12, 2.5}, {21.5, 8.5}});
    p.fillRect(QRectF(3.5, 9.2, 17, 2), kWhite);
    for (double x : {4.5, 9.0, 13.0, 17.5})
        p.fillRect(QRectF(x, 12, 2.2, 6.5), kWhite);
    p.fillRect(QRectF(2.5, 19, 19, 2.5), kWhite);
}

// One upturned roof of the pagoda: eaves from cx − w to cx + w, lower edge at y.
void PagodaRoof(QPainter& p, const QColor& color, double cx, double y, double w)
{
    QPainterPath roof;
    roof.moveTo(cx - w, y - 3.5);
    roof.quadTo(cx - w + 0.5, y, cx - w + 3, y);
    roof.lineTo(cx + w - 3, y);
    roof.quadTo(cx + w - 0.5, y, cx + w, y - 3.5);
    roof.quadTo(cx + w - 2, y - 2.2, cx + w * 0.4, y - 4.5);
    roof.lineTo(cx - w * 0.4, y - 4.5);
    roof.quadTo(cx - w + 2, y - 2.2, cx - w, y - 3.5);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(roof);
}

void DrawPagoda(QPainter& p)
{
    const QColor gold(255, 205, 0);
    const QColor wall(255, 240, 200);
    Line(p, Stroke(gold, 1.6), {12, 2}, {12, 5});
    p.fillRect(QRectF(9, 8, 6, 5), wall);
    p.fillRect(QRectF(5.5, 14, 13, 7.5), wall);
    p.fillRect(QRectF(10.5, 16, 3, 5.5), QColor(170, 20, 20));
    PagodaRoof(p, gold, 12, 8.5, 7.5);
    PagodaRoof(p, gold, 12, 15, 10);
}

void DrawParking(QPainter& p)
{
    Letter(p, QStringLiteral("P"), kWhite, 12.5, 12, 16);
}

void DrawEnvelope(QPainter& p)
{
    const QColor ink(150, 40, 30);
    p.fillRect(QRectF(2.5, 5.5, 19, 13), kWhite);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(ink, 1.5));
    p.drawPolyline(QPolygonF({QPointF(3, 6.2), QPointF(12, 13), QPointF(21, 6.2)}));
    p.setPen(Stroke(ink, 1));
    p.drawLine(QPointF(3, 18), QPointF(9.5, 12));
    p.drawLine(QPointF(21, 18), QPointF(14.5, 12));
}

void DrawStadium(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(205, 90, 55));
    p.drawRoundedRect(QRectF(2.5, 5, 19, 14), 7, 7);
    p.setBrush(QColor(35, 125, 35));
    p.drawRoundedRect(QRectF(5.5, 8, 13, 8), 3.5, 3.5);
    Line(p, Stroke(kWhite, 1), {12, 8}, {12, 16});
    p.setPen(Stroke(kWhite, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2.5, 5, 19, 14), 7, 7);
}

void DrawCart(QPainter& p)
{
    const QColor ink(70, 20, 110);
    FillPolygon(p, ink, {{6, 6.5}, {21.5, 6.5}, {19.5, 14}, {7.8, 14}});
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(ink, 1.8));
    p.drawPolyline(QPolygonF({QPointF(1.8, 3.5), QPointF(4.8, 3.5), QPointF(8, 16.8), QPointF(19.5, 16.8)}));
    FillEllipse(p, ink, {9, 20}, 1.9, 1.9);
    FillEllipse(p, ink, {18, 20}, 1.9, 1.9);
    for (double x : {10.5, 14.0, 17.5})
        Line(p, Stroke(QColor(200, 170, 230), 1), {x, 7.5}, {x, 13});
}

void DrawSwimmer(QPainter& p)
{
    FillEllipse(p, kWhite, {17.5, 7}, 2.6, 2.6);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(kWhite, 2.2));
    p.drawPolyline(QPolygonF({QPointF(3.5, 10.5), QPointF(9, 6.5), QPointF(13.5, 10.5)}));
    for (double y : {15.0, 20.0}) {
        QPainterPath wave;
        wave.moveTo(2, y);
        for (int i = 0; i < 5; ++i)
            wave.quadTo(4 + 4 * i, y - 2.5 + (i % 2) * 5, 6 + 4 * i, y);
        p.setPen(Stroke(kWhite, 2));
        p.drawPath(wave);
    }
}

// A theatre mask: a rounded face with two eyes and a mouth that smiles or frowns.
void Mask(QPainter& p, const QColor& face, const QColor& ink, const QPointF& c, bool smile)
{
    QPainterPath outline;
    outline.moveTo(c + QPointF(-5, -5.5));
    outline.quadTo(c + QPointF(0, -7), c + QPointF(5, -5.5));
    outline.cubicTo(c + QPointF(5.5, 2), c + QPointF(3, 6.5), c + QPointF(0, 6.5));
    outline.cubicTo(c + QPointF(-3, 6.5), c + QPointF(-5.5, 2), c + QPointF(-5, -5.5));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawPath(outline);
    FillEllipse(p, ink, c + QPointF(-2.2, -2), 1.2, 1);
    FillEllipse(p, ink, c + QPointF(2.2, -2), 1.2, 1);
    QPainterPath mouth;
    mouth.moveTo(c + QPointF(-2.5, smile ? 1.8 : 3.5));
    mouth.quadTo(c + QPointF(0, smile ? 5 : 0.8), c + QPointF(2.5, smile ? 1.8 : 3.5));
    p.setPen(Stroke(ink, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mouth);
}

void DrawMasks(QPainter& p)
{
    Mask(p, QColor(255, 215, 40), QColor(110, 20, 50), {15.5, 13.5}, false);
    Mask(p, kWhite, QColor(110, 20, 50), {8.5, 9.5}, true);
}

void DrawSuitcase(QPainter& p)
{
    const QColor leather(105, 55, 20);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(leather, 2));
    p.drawRoundedRect(QRectF(8.5, 3.5, 7, 5), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(leather);
    p.drawRoundedRect(QRectF(2.5, 7.5, 19, 13.5), 2, 2);
    for (double x : {6.5, 16.0})
        p.fillRect(QRectF(x, 7.5, 1.5, 13.5), QColor(230, 190, 120));
}

void DrawTouristStar(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 225, 40));
    p.drawPolygon(Star({12, 12.8}, 10.5, 4.3));
}

void DrawBook(QPainter& p)
{
    FillPolygon(p, kWhite, {{2, 6}, {11.4, 7.8}, {11.4, 20.5}, {2, 18.5}});
    FillPolygon(p, kWhite, {{12.6, 7.8}, {22, 6}, {22, 18.5}, {12.6, 20.5}});
    const QPen ink = Stroke(QColor(70, 100, 130), 1);
    for (double y : {10.5, 13.5, 16.5}) {
        Line(p, ink, {4, y - 0.6}, {9.5, y + 0.4});
        Line(p, ink, {14.5, y + 0.4}, {20, y - 0.6});
    }
    Line(p, Stroke(QColor(255, 210, 60), 1.6), {12, 4}, {12, 8});
}

void DrawFlame(QPainter& p)
{
    QPainterPath outer;
    outer.moveTo(12, 1.5);
    outer.cubicTo(13, 6, 19.5, 9, 19, 15);
    outer.cubicTo(18.5, 19.5, 15.5, 22, 12, 22);
    outer.cubicTo(8.5, 22, 5, 19.5, 5, 15);
    outer.cubicTo(5, 11, 8, 9.5, 8.5, 6.5);
    outer.cubicTo(10, 8, 10.5, 10, 10.5, 11);
    outer.cubicTo(12, 8.5, 12.5, 5, 12, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 40, 0));
    p.drawPath(outer);
    QPainterPath inner;
    inner.moveTo(12, 10);
    inner.cubicTo(13, 13, 16, 15, 15.5, 17.5);
    inner.cubicTo(15, 20, 13.5, 21, 12, 21);
    inner.cubicTo(10.5, 21, 8.5, 20, 8.5, 17.5);
    inner.cubicTo(8.5, 15, 11.5, 13.5, 12, 10);
    p.setBrush(QColor(255, 220, 40));
    p.drawPath(inner);
}

void DrawAtm(QPainter& p)
{
    Letter(p, QStringLiteral("A"), QColor(0, 110, 50), 12, 12.3, 16);
}

void DrawHouse(QPainter& p)
{
    const QColor roof(190, 40, 30);
    p.fillRect(QRectF(15.5, 3.5, 3, 6), roof);
    FillPolygon(p, roof, {{2.5, 12.5}, {12, 3.5}, {21.5, 12.5}});
    p.fillRect(QRectF(4.5, 12, 15, 9.5), QColor(130, 75, 35));
    p.fillRect(QRectF(6.5, 14, 4, 3.5), QColor(255, 235, 170));
    p.fillRect(QRectF(13, 14.5, 4, 7), QColor(255, 215, 170));
}

struct Category {
    QColor background;
    QColor frame;  // invalid: a darker shade of the background
    void (*draw)(QPainter&);
};

// Index = category code − 1. Each background differs so categories tell apart
// even at 12 pixels, where only the colour and the rough shape survive.
const Category kCategories[28] = {
    {QColor(255, 255, 255), QColor(220, 20, 30), DrawHospital},  // 1 hospital
    {QColor(150, 205, 250), QColor(40, 100, 170), DrawAeroplane},  // 2 airline agency
    {QColor(0, 115, 55), {}, DrawDollar},  // 3 bank
    {QColor(0, 165, 180), {}, DrawBoat},  // 4 boating
    {QColor(255, 205, 0), QColor(40, 40, 40), DrawBusStop},  // 5 bus stop
    {QColor(120, 70, 170), {}, DrawChurch},  // 6 church
    {QColor(40, 40, 50), QColor(0, 0, 0), DrawCinema},  // 7 cinema
    {QColor(205, 35, 125), {}, DrawLyre},  // 8 club
    {QColor(255, 235, 150), QColor(170, 40, 30), DrawTownHall},  // 9 town hall
    {QColor(120, 120, 125), {}, DrawFactory},  // 10 enterprise
    {QColor(240, 170, 60), {}, DrawEasel},  // 11 exhibition
    {QColor(0, 50, 120), {}, DrawHotel},  // 12 hotel
    {QColor(55, 55, 165), {}, DrawGlobe},  // 13 international organisation
    {QColor(235, 105, 20), {}, DrawMarket},  // 14 market
    {QColor(150, 110, 70), {}, DrawMuseum},  // 15 museum
    {QColor(170, 20, 20), {}, DrawPagoda},  // 16 pagoda, temple
    {QColor(0, 100, 220), {}, DrawParking},  // 17 parking
    {QColor(250, 128, 100), {}, DrawEnvelope},  // 18 post office
    {QColor(70, 170, 55), {}, DrawStadium},  // 19 stadium
    {QColor(200, 170, 230), {}, DrawCart},  // 20 supermarket
    {QColor(0, 185, 240), {}, DrawSwimmer},  // 21 swimming pool
    {QColor(110, 20, 50), {}, DrawMasks},  // 22 theatre
    {QColor(215, 185, 140), {}, DrawSuitcase},  // 23 travel agency
    {QColor(0, 100, 100), {}, DrawTouristStar},  // 24 tourist point
    {QColor(70, 100, 130), {}, DrawBook},  // 25 university
    {QColor(170, 205, 40), {}, DrawFlame},  // 26 petrol station
    {QColor(225, 225, 225), QColor(0, 110, 50), DrawAtm},  // 27 ATM
    {QColor(255, 215, 170), {}, DrawHouse},  // 28 home
};

QImage DrawCategoryIcon(const Category& category)
{
    QImage image(24, 24, QImage::Format_RGB32);
    // A two-pixel frame keeps one pixel of edge when the map shrinks the icon to 12.
    image.fill(category.frame.isValid() ? category.frame : category.background.darker(170));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(2, 2, 20, 20), category.background);
    category.draw(p);
    return image;
}

// ---- Application icon, rendered from its SVG drawing ----

// The sizes of the icon theme's fixed-size folders (hicolor/NxN/apps).
constexpr int kAppIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QImage RenderAppIcon(QSvgRenderer& svg, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    svg.render(&p);
    return image;
}

// ---- Toolbar pictures, drawn in a 32 × 32 grid ----

void Magnifier(QPainter& p, bool plus)
{
    const QColor rim(40, 40, 60);
    Line(p, Stroke(QColor(90, 50, 20), 5), {20, 20}, {28.5, 28.5});
    FillEllipse(p, QColor(200, 230, 255), {13, 13}, 10, 10);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(rim, 3));
    p.drawEllipse(QPointF(13, 13), 10, 10);
    const QPen sign = QPen(QColor(20, 20, 20), 3.2, Qt::SolidLine, Qt::FlatCap);
    Line(p, sign, {7, 13}, {19, 13});
    if (plus)
        Line(p, sign, {13, 7}, {13, 19});
}

void ArrowHead(QPainter& p, const QColor& color, const QPointF& tip, double angle)
{
    const QPointF dir(std::cos(angle), std::sin(angle));
    const QPointF side(-dir.y(), dir.x());
    FillPolygon(p, color, {tip, tip - 8 * dir + 5.5 * side, tip - 8 * dir - 5.5 * side});
}

void CircularArrows(QPainter& p)
{
    const QColor green(20, 140, 40);
    const QPointF c(16, 16);
    const double r = 10;
    // Two arcs of 125 degrees, each ending in an arrowhead that points
    // clockwise. Angles count counter-clockwise with y upwards, as Qt's arcs do.
    for (int start : {165, -15}) {
        const int end = start - 125;
        p.setPen(QPen(green, 3.5, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), start * 16, (end - start) * 16);
        const double a = end * std::numbers::pi / 180;
        const QPointF along(std::sin(a), std::cos(a));  // clockwise tangent on the screen
        const QPointF tip = c + QPointF(r * std::cos(a), -r * std::sin(a)) + 6 * along;
        ArrowHead(p, green, tip, std::atan2(along.y(), along.x()));
    }
}

void RedFlag(QPainter& p)
{
    Line(p, Stroke(QColor(60, 40, 20), 3), {7, 3}, {7, 30});
    QPainterPath flag;
    flag.moveTo(8, 3.5);
    flag.cubicTo(14, 1, 18, 7, 27, 4.5);
    flag.lineTo(27, 17.5);
    flag.cubicTo(18, 20, 14, 14, 8, 16.5);
    flag.closeSubpath();
    p.setPen(Stroke(QColor(140, 0, 0), 1.5));
    p.setBrush(QColor(230, 20, 20));
    p.drawPath(flag);
}

void TurnSign(QPainter& p)
{
    p.fillRect(QRectF(14.5, 22, 3, 10), QColor(120, 120, 120));
    p.setPen(Stroke(kWhite, 1.5));
    p.setBrush(QColor(0, 90, 200));
    p.drawRoundedRect(QRectF(3, 1.5, 26, 22), 4, 4);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kWhite, 3.5, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(11, 20.5), QPointF(11, 12), QPointF(17.5, 12)}));
    FillPolygon(p, kWhite, {{24.5, 12}, {17, 6}, {17, 18}});
}

const DrawFn kToolbar[5] = {
    [](QPainter& p) { Magnifier(p, true); },
    [](QPainter& p) { Magnifier(p, false); },
    CircularArrows,
    RedFlag,
    TurnSign,
};

// The five pictures side by side, each cell width × height pixels.
QImage DrawToolbar(int width, int height)
{
    QImage image(5 * width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.translate(i * width, 0);
        p.scale(width / 32.0, height / 32.0);
        kToolbar[i](p);
        p.restore();
    }
    return image;
}

bool Save(const QImage& image, const QString& path)
{
    if (image.save(path, "PNG"))
        return true;
    QTextStream(stderr) << "make_icons: cannot write " << path << "\n";
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    // Fonts need a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir res(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KORVANE_RES_DIR));
    if (!res.mkpath(QStringLiteral("icons")) || !res.mkpath(QStringLiteral("toolbar"))) {
        QTextStream(stderr) << "make_icons: cannot create folders under " << res.path() << "\n";
        return 1;
    }
    bool ok = true;
    for (int code = 1; code <= 28; ++code) {
        const QString name = QStringLiteral("icons/cat%1.png").arg(code, 2, 10, QLatin1Char('0'));
        ok = Save(DrawCategoryIcon(kCategories[code - 1]), res.filePath(name)) && ok;
    }
    QSvgRenderer appIcon(res.filePath(kAppIconSvg));
    if (!appIcon.isValid()) {
        QTextStream(stderr) << "make_icons: cannot read " << res.filePath(kAppIconSvg) << "\n";
        return 1;
    }
    ok = Save(RenderAppIcon(appIcon, 48), res.filePath(QStringLiteral("icons/app.png"))) && ok;
    for (int size : kAppIconSizes) {
        const QString folder = QStringLiteral("icons/hicolor/%1x%1/apps").arg(size);
        ok = res.mkpath(folder) && Save(RenderAppIcon(appIcon, size), res.filePath(folder + "/korvane.png")) && ok;
    }
    ok = Save(DrawToolbar(16, 15), res.filePath(QStringLiteral("toolbar/small.png"))) && ok;
    ok = Save(DrawToolbar(32, 32), res.filePath(QStringLiteral("toolbar/large.png"))) && ok;
    return ok ? 0 : 1;
}
