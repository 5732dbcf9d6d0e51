// The About window's logo: a bitmap drawn once at its own size from the top-left corner.
#include "LogoView.h"

#include "ImageScaling.h"

#include <QPainter>

LogoView::LogoView(QWidget *parent) : QWidget(parent) {}

void LogoView::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void LogoView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    ImageScaling::drawAtOwnSize(painter, QPoint(0, 0), m_image);
}
