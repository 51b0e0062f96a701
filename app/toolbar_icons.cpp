#include "toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace velmora {

namespace {

constexpr int kSide = 16;

void drawDownload(QPainter& p) {
    p.setBrush(QColor(40, 140, 60));
    p.drawRect(6, 1, 4, 7);
    QPolygon head;
    head << QPoint(2, 8) << QPoint(14, 8) << QPoint(8, 13);
    p.drawPolygon(head);
    p.drawRect(2, 14, 12, 1);
}

void drawPhone(QPainter& p) {
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(4, 0, 8, 15, 2, 2);
    p.setBrush(QColor(120, 200, 250));
    p.drawRect(5, 2, 6, 9);
    p.setBrush(Qt::white);
    p.drawEllipse(7, 12, 2, 2);
}

void drawPlay(QPainter& p) {
    p.setBrush(QColor(30, 110, 210));
    p.drawEllipse(0, 0, 15, 15);
    p.setBrush(Qt::white);
    QPolygon triangle;
    triangle << QPoint(6, 4) << QPoint(12, 8) << QPoint(6, 12);
    p.drawPolygon(triangle);
}

void drawMusic(QPainter& p) {
    p.setBrush(QColor(200, 50, 120));
    p.drawEllipse(1, 10, 5, 4);
    p.drawEllipse(9, 8, 5, 4);
    p.drawRect(5, 2, 1, 10);
    p.drawRect(13, 1, 1, 9);
    QPolygon beam;
    beam << QPoint(5, 2) << QPoint(14, 0) << QPoint(14, 3) << QPoint(5, 5);
    p.drawPolygon(beam);
}

void drawHeadphones(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 60, 180), 2));
    p.drawArc(2, 1, 12, 12, 0, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 60, 180));
    p.drawRoundedRect(1, 8, 4, 7, 1, 1);
    p.drawRoundedRect(11, 8, 4, 7, 1, 1);
}

}  // namespace

QIcon toolbarIcon(ToolbarImage image) {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);  // the mask: only the drawn shape shows
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    switch (image) {
        case ToolbarImage::Download:
            drawDownload(painter);
            break;
        case ToolbarImage::Phone:
            drawPhone(painter);
            break;
        case ToolbarImage::Play:
            drawPlay(painter);
            break;
        case ToolbarImage::Music:
            drawMusic(painter);
            break;
        case ToolbarImage::Headphones:
            drawHeadphones(painter);
            break;
    }
    painter.end();
    return QIcon(pixmap);
}

}  // namespace velmora
