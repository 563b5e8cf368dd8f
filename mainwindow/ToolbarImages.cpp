#include "mainwindow/ToolbarImages.h"

#include "app/CommandIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <functional>

namespace ToolbarImages {

namespace {

const QColor kMask(255, 0, 255);
const QColor kOutline(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kGreen(46, 139, 87);
const QColor kRed(200, 30, 30);
const QColor kBlue(40, 90, 180);
const QColor kGold(230, 180, 30);
const QColor kFolder(235, 200, 90);
const QColor kGrey(120, 120, 120);

// Every glyph is drawn on a 16 by 16 grid; the painter scales it to the list's size.
using Glyph = std::function<void(QPainter &)>;

QPen Pen(const QColor &color, double width = 1.2)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Arrow(QPainter &p, bool left, const QColor &color)
{
    QPolygonF shape;
    shape << QPointF(2, 8) << QPointF(8, 2) << QPointF(8, 5.5) << QPointF(14, 5.5)
          << QPointF(14, 10.5) << QPointF(8, 10.5) << QPointF(8, 14);
    if (!left) {
        for (QPointF &point : shape)
            point.setX(16 - point.x());
    }
    p.setPen(Pen(color.darker(150)));
    p.setBrush(color);
    p.drawPolygon(shape);
}

void Cross(QPainter &p, const QColor &color, QRectF box = QRectF(3, 3, 10, 10))
{
    p.setPen(Pen(color, 2.6));
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
}

void Page(QPainter &p, QRectF box = QRectF(3, 1.5, 10, 13))
{
    p.setPen(Pen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawRect(box);
    p.setPen(Pen(kGrey, 0.8));
    for (double y = box.top() + 3; y < box.bottom() - 1; y += 2.5)
        p.drawLine(QPointF(box.left() + 2, y), QPointF(box.right() - 2, y));
}

void Folder(QPainter &p)
{
    p.setPen(Pen(kFolder.darker(160), 1));
    p.setBrush(kFolder);
    QPolygonF shape;
    shape << QPointF(1.5, 4) << QPointF(6, 4) << QPointF(7.5, 5.5) << QPointF(14.5, 5.5)
          << QPointF(14.5, 13.5) << QPointF(1.5, 13.5);
    p.drawPolygon(shape);
}

void Star(QPainter &p, QPointF centre = QPointF(8, 8.5), double radius = 6.5)
{
    QPolygonF shape;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? radius * 0.45 : radius;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        shape << centre + QPointF(r * std::cos(angle), r * std::sin(angle));
    }
    p.setPen(Pen(kGold.darker(150), 1));
    p.setBrush(kGold);
    p.drawPolygon(shape);
}

void Plus(QPainter &p, QPointF at)
{
    p.setPen(Pen(kGreen, 2));
    p.drawLine(at + QPointF(-2.5, 0), at + QPointF(2.5, 0));
    p.drawLine(at + QPointF(0, -2.5), at + QPointF(0, 2.5));
}

void Magnifier(QPainter &p)
{
    p.setPen(Pen(kOutline, 1.6));
    p.setBrush(QColor(200, 225, 255));
    p.drawEllipse(QRectF(2, 2, 8, 8));
    p.setPen(Pen(kOutline, 2.6));
    p.drawLine(QPointF(9, 9), QPointF(14, 14));
}

void Clock(QPainter &p)
{
    p.setPen(Pen(kOutline, 1.2));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(Pen(kBlue, 1.5));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
}

void House(QPainter &p)
{
    p.setPen(Pen(kOutline, 1));
    p.setBrush(QColor(250, 235, 200));
    p.drawRect(QRectF(3.5, 7.5, 9, 7));
    QPolygonF roof;
    roof << QPointF(1.5, 8) << QPointF(8, 1.5) << QPointF(14.5, 8);
    p.setBrush(kRed);
    p.drawPolygon(roof);
    p.setBrush(kGrey);
    p.drawRect(QRectF(7, 10.5, 2.5, 4));
}

void Refresh(QPainter &p)
{
    p.setPen(Pen(kGreen, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 280 * 16);
    QPolygonF head;
    head << QPointF(9.5, 0.5) << QPointF(13.5, 3.5) << QPointF(9, 5.5);
    p.setBrush(kGreen);
    p.drawPolygon(head);
}

void NoEntry(QPainter &p)
{
    p.setPen(Pen(kRed, 2));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(2, 2, 12, 12));
    p.drawLine(QPointF(4.2, 4.2), QPointF(11.8, 11.8));
}

void Window(QPainter &p)
{
    p.setPen(Pen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setBrush(kBlue);
    p.drawRect(QRectF(1.5, 2.5, 13, 3));
}

void Floppy(QPainter &p)
{
    p.setPen(Pen(kOutline, 1));
    p.setBrush(kBlue);
    p.drawRect(QRectF(2, 2, 12, 12));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 2, 8, 5));
    p.setBrush(kGrey);
    p.drawRect(QRectF(5, 10, 6, 4));
}

void Printer(QPainter &p)
{
    p.setPen(Pen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 1.5, 8, 6));
    p.setBrush(kGrey);
    p.drawRect(QRectF(1.5, 6.5, 13, 6));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 10.5, 8, 4));
}

void Copy(QPainter &p)
{
    Page(p, QRectF(1.5, 1.5, 8, 10));
    Page(p, QRectF(6.5, 4.5, 8, 10));
}

void Scissors(QPainter &p)
{
    p.setPen(Pen(kOutline, 1.2));
    p.drawLine(QPointF(4, 1.5), QPointF(10, 10));
    p.drawLine(QPointF(12, 1.5), QPointF(6, 10));
    p.setPen(Pen(kRed, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2, 9.5, 5, 5));
    p.drawEllipse(QRectF(9, 9.5, 5, 5));
}

void Clipboard(QPainter &p)
{
    p.setPen(Pen(kOutline, 1));
    p.setBrush(QColor(190, 140, 80));
    p.drawRect(QRectF(2.5, 2.5, 11, 12));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 4.5, 7, 8.5));
    p.setBrush(kGrey);
    p.drawRect(QRectF(6, 1, 4, 3));
}

void Letters(QPainter &p, const QString &text, const QColor &color)
{
    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
}

void Circled(QPainter &p, const QString &text, const QColor &color)
{
    p.setPen(Pen(color.darker(130), 1));
    p.setBrush(color);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    Letters(p, text, kPaper);
}

void Globe(QPainter &p)
{
    p.setPen(Pen(kBlue.darker(130), 1));
    p.setBrush(QColor(120, 170, 230));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5, 1.5, 6, 13));
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
}

void Gear(QPainter &p)
{
    p.setPen(Pen(kOutline, 1));
    p.setBrush(kGrey);
    QPainterPath path;
    for (int i = 0; i < 16; ++i) {
        const double r = (i / 2) % 2 ? 5 : 7;
        const double angle = i * M_PI / 8;
        const QPointF point(8 + r * std::cos(angle), 8 + r * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    path.addEllipse(QPointF(8, 8), 2, 2);
    p.drawPath(path);
}

void FullScreen(QPainter &p)
{
    p.setPen(Pen(kOutline, 1));
    p.setBrush(QColor(200, 225, 255));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setPen(Pen(kBlue, 1.6));
    p.drawLine(QPointF(4, 4), QPointF(7, 7));
    p.drawLine(QPointF(12, 12), QPointF(9, 9));
    p.drawLine(QPointF(4, 4), QPointF(4, 6.5));
    p.drawLine(QPointF(4, 4), QPointF(6.5, 4));
    p.drawLine(QPointF(12, 12), QPointF(12, 9.5));
    p.drawLine(QPointF(12, 12), QPointF(9.5, 12));
}

void Picture(QPainter &p)
{
    p.setPen(Pen(kOutline, 1));
    p.setBrush(QColor(200, 225, 255));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    QPolygonF hill;
    hill << QPointF(2, 13) << QPointF(6, 7) << QPointF(9, 11) << QPointF(11, 9) << QPointF(14, 13);
    p.setBrush(kGreen);
    p.drawPolygon(hill);
}

QMap<int, Glyph> Glyphs()
{
    QMap<int, Glyph> glyphs;
    glyphs[CommandId::NewWindow] = Window;
    glyphs[CommandId::Open] = Folder;
    glyphs[CommandId::Save] = Floppy;
    glyphs[CommandId::Print] = Printer;
    glyphs[CommandId::SpareFileImage] = [](QPainter &p) { Page(p); };
    glyphs[CommandId::Close] = [](QPainter &p) { Window(p); Cross(p, kRed, QRectF(5, 7, 6, 5)); };
    glyphs[CommandId::Copy] = Copy;
    glyphs[CommandId::Find] = Magnifier;
    glyphs[CommandId::SideBarSearch] = Magnifier;
    glyphs[CommandId::SideBarFavorites] = [](QPainter &p) { Star(p); };
    glyphs[CommandId::SideBarHistory] = Clock;
    glyphs[CommandId::TextSize] = [](QPainter &p) { Letters(p, QStringLiteral("A"), kOutline); };
    glyphs[CommandId::ViewSource] = [](QPainter &p) { Page(p); Letters(p, QStringLiteral("<>"), kBlue); };
    glyphs[CommandId::Fullscreen] = FullScreen;
    glyphs[CommandId::AddToFavorites] = [](QPainter &p) { Star(p, QPointF(7, 7.5), 6); Plus(p, QPointF(12.5, 12.5)); };
    glyphs[CommandId::ApplicationSettings] = Gear;
    glyphs[CommandId::InternetOptions] = Globe;
    glyphs[CommandId::PopupBlocker] = NoEntry;
    glyphs[CommandId::HelpContents] = [](QPainter &p) { Circled(p, QStringLiteral("?"), kBlue); };
    glyphs[CommandId::ProductHome] = House;
    glyphs[CommandId::ProductSupport] = [](QPainter &p) { Circled(p, QStringLiteral("i"), kGreen); };
    glyphs[CommandId::TextEditCut] = Scissors;
    glyphs[CommandId::TextEditCopy] = Copy;
    glyphs[CommandId::TextEditPaste] = Clipboard;
    glyphs[CommandId::SaveImageAs] = Picture;
    glyphs[CommandId::Back] = [](QPainter &p) { Arrow(p, true, kGreen); };
    glyphs[CommandId::Forward] = [](QPainter &p) { Arrow(p, false, kGreen); };
    glyphs[CommandId::Stop] = [](QPainter &p) { Cross(p, kRed); };
    glyphs[CommandId::Refresh] = Refresh;
    glyphs[CommandId::Home] = House;
    glyphs[CommandId::SearchButton] = Magnifier;
    glyphs[CommandId::FavoritesButton] = [](QPainter &p) { Star(p); };
    glyphs[CommandId::HistoryButton] = Clock;
    glyphs[CommandId::Block] = NoEntry;
    glyphs[CommandId::SearchSettings] = [](QPainter &p) { Magnifier(p); };
    glyphs[CommandId::SideBarAddToFavorites] = glyphs[CommandId::AddToFavorites];
    glyphs[CommandId::ClearHistory] = [](QPainter &p) { Clock(p); Cross(p, kRed, QRectF(9, 9, 5, 5)); };
    glyphs[CommandId::FavoritesFolder] = Folder;
    glyphs[CommandId::Favorite] = [](QPainter &p) { Page(p); Globe(p); };
    glyphs[CommandId::FavoritesCut] = Scissors;
    glyphs[CommandId::FavoritesCopy] = Copy;
    glyphs[CommandId::FavoritesPaste] = Clipboard;
    glyphs[CommandId::SpareFavoritesImage] = Folder;
    glyphs[CommandId::FavoritesDelete] = [](QPainter &p) { Cross(p, kRed); };
    return glyphs;
}

QImage Draw(const Glyph &glyph, QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent); // antialiased edges blend into nothing, not into the mask colour
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size.width() / 16.0, size.height() / 16.0);
    glyph(painter);
    return image;
}

ImageList Make(QSize size, const QList<int> &ids)
{
    ImageList list(size, kMask);
    const QMap<int, Glyph> glyphs = Glyphs();
    for (int id : ids)
        list.Add(QString::number(id), Draw(glyphs.value(id), size));
    return list;
}

} // namespace

ImageList ImageListToolbarMainHot()
{
    return Make(QSize(16, 16), Glyphs().keys());
}

ImageList ImageListToolbarMainLarge()
{
    return Make(QSize(24, 24), {CommandId::Back, CommandId::Forward, CommandId::Stop, CommandId::Refresh,
                                CommandId::Home, CommandId::SearchButton, CommandId::FavoritesButton,
                                CommandId::HistoryButton, CommandId::Block, CommandId::PopupBlocker,
                                CommandId::Fullscreen});
}

} // namespace ToolbarImages
