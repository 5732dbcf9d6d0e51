// The portrait of the current hireling: a bitmap drawn at its own size, centered.
#include "PortraitView.h"

#include "DataSource.h"
#include "HirelingFields.h"
#include "HirelingTable.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>

PortraitView::PortraitView(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

void PortraitView::bind(DataSource &source, const HirelingTable &table)
{
    m_table = &table;
    source.bindControl(this, [this] { refresh(); });
    refresh();
}

void PortraitView::refresh()
{
    const QByteArray &bytes =
        m_table != nullptr ? m_table->currentValue(MDpic).bytes() : QByteArray();
    // The same record shown again (a re-sort keeps the current record) needs no new decoding.
    if (bytes.constData() == m_shownBytes.constData() && bytes.size() == m_shownBytes.size())
        return;
    m_shownBytes = bytes;
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
        painter.drawImage(topLeft, m_image);
    }
    if (hasFocus()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
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

void PortraitView::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(event);
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
