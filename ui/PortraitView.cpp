// The portrait of the current hireling: a bitmap drawn at its own size, centered.
#include "PortraitView.h"

#include "DataSource.h"
#include "HirelingFields.h"
#include "HirelingTable.h"
#include "ImageScaling.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>

namespace {

// The focus frame is one logical pixel wide at any pixel density.
constexpr int focusFrameWidth = 1;

} // namespace

PortraitView::PortraitView(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(HirelingFields::definition(MDpic).displayLabel());
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

void PortraitView::bind(DataSource &source, const HirelingTable &table)
{
    m_table = &table;
    connect(&source, &DataSource::filled, this, &PortraitView::showCurrentRecord);
    connect(&source, &DataSource::currentMoved, this, &PortraitView::showCurrentRecord);
    showCurrentRecord();
}

void PortraitView::showCurrentRecord()
{
    // A screen reader names the picture after the hireling it shows.
    const QString photo = HirelingFields::definition(MDpic).displayLabel();
    const QString name = m_table->currentValue(MDName).displayText(FieldKind::String);
    setAccessibleName(name.isEmpty() ? photo : u"%1: %2"_qs.arg(photo, name));

    const QByteArray &bytes = m_table->currentValue(MDpic).bytes();
    m_image = bytes.isEmpty() ? QImage() : QImage::fromData(bytes, "BMP");
    update();
}

void PortraitView::copyToClipboard() const
{
    if (!m_image.isNull())
        QGuiApplication::clipboard()->setImage(m_image);
}

void PortraitView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_image.isNull()) {
        const QPoint topLeft((width() - m_image.width()) / 2, (height() - m_image.height()) / 2);
        ImageScaling::drawAtOwnSize(painter, topLeft, m_image);
    }
    if (hasFocus()) {
        // Filled edges rather than a pen: a pen's width would follow the painter's scaling
        // rules, a filled logical pixel always covers the device pixels of one logical pixel.
        const QColor frame = palette().color(QPalette::WindowText);
        const QRect area = rect();
        painter.fillRect(QRect(area.left(), area.top(), area.width(), focusFrameWidth), frame);
        painter.fillRect(
            QRect(area.left(), area.bottom() - focusFrameWidth + 1, area.width(), focusFrameWidth),
            frame);
        painter.fillRect(QRect(area.left(), area.top(), focusFrameWidth, area.height()), frame);
        painter.fillRect(
            QRect(area.right() - focusFrameWidth + 1, area.top(), focusFrameWidth, area.height()),
            frame);
    }
}

void PortraitView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy) ||
        (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ControlModifier)) {
        copyToClipboard();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste) ||
        event->matches(QKeySequence::Delete) ||
        (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier) ||
        (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ShiftModifier)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PortraitView::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void PortraitView::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}
