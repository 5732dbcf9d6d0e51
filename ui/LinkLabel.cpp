// A web-link label that tells when the pointer enters and leaves it and when it is clicked.
#include "LinkLabel.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QShowEvent>

#include <utility>

namespace {

// Navy, $800000 in the platform's $00BBGGRR encoding.
constexpr QRgb navy = 0xFF000080;

// The pointer of another program's window must not light our links: only while a window of this
// program is active does the label react to the pointer.
bool programWindowActive()
{
    return QApplication::activeWindow() != nullptr;
}

} // namespace

LinkLabel::LinkLabel(QWidget *parent) : QLabel(parent)
{
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, restingColour());
    setPalette(linkPalette);
    // A link keeps the normal arrow pointer: only its colour shows that it is one.
    setCursor(Qt::ArrowCursor);
    setTextFormat(Qt::PlainText);
}

LinkLabel::~LinkLabel() = default;

void LinkLabel::setUrl(const QUrl &url)
{
    m_url = url;
}

void LinkLabel::activate()
{
    emit clicked();
}

QColor LinkLabel::restingColour()
{
    return QColor::fromRgb(navy);
}

void LinkLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    if (isEnabled() && !m_mouseInside && programWindowActive())
        setMouseInside(true);
}

void LinkLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    if (isEnabled() && m_mouseInside && !m_leftPressHeld)
        setMouseInside(false);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        m_leftPressHeld = true;
    else if (event->button() == Qt::RightButton)
        recomputeMouseInside(event->position().toPoint());
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    const QPoint position = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        // The press captured the pointer, so the release arrives here wherever it happens.
        const bool wasHeld = std::exchange(m_leftPressHeld, false);
        if (wasHeld && rect().contains(position))
            emit clicked();
        recomputeMouseInside(position);
    } else if (event->button() == Qt::RightButton) {
        recomputeMouseInside(position);
    }
}

void LinkLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && isEnabled())
        recomputeMouseInsideFromCursor();
}

void LinkLabel::showEvent(QShowEvent *event)
{
    QLabel::showEvent(event);
    recomputeMouseInsideFromCursor();
}

void LinkLabel::recomputeMouseInside(const QPoint &pointerPosition)
{
    setMouseInside(isEnabled() && programWindowActive() && rect().contains(pointerPosition));
}

void LinkLabel::recomputeMouseInsideFromCursor()
{
    recomputeMouseInside(mapFromGlobal(QCursor::pos()));
}

void LinkLabel::setMouseInside(bool inside)
{
    if (inside == m_mouseInside)
        return;
    m_mouseInside = inside;
    if (inside)
        emit mouseEnter();
    else
        emit mouseLeave();
}
