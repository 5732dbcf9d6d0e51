// What assistive technology sees of a bound text: a named static text whose text is the value.
#include "BoundTextAccessible.h"

#include "BoundText.h"

#include <QFontMetrics>

#include <algorithm>

BoundTextAccessible::BoundTextAccessible(BoundText *text)
    : QAccessibleWidget(text, QAccessible::StaticText)
{}

BoundText *BoundTextAccessible::boundText() const
{
    return static_cast<BoundText *>(widget());
}

const QString &BoundTextAccessible::shownText() const
{
    return boundText()->text();
}

QString BoundTextAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return shownText();
    // Readers say the name of a text that shows nothing in its place, as if it were the value:
    // a wage or a deposit the record does not have is nameless, and so not read at all.
    if (kind == QAccessible::Name && shownText().isEmpty())
        return {};
    return QAccessibleWidget::text(kind);
}

void *BoundTextAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void BoundTextAccessible::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

int BoundTextAccessible::selectionCount() const
{
    return 0;
}

// The shown text is the record's value: nothing selects, moves a cursor in or scrolls it.
void BoundTextAccessible::addSelection(int, int) {}
void BoundTextAccessible::removeSelection(int) {}
void BoundTextAccessible::setSelection(int, int, int) {}
void BoundTextAccessible::setCursorPosition(int) {}
void BoundTextAccessible::scrollToSubstring(int, int) {}

int BoundTextAccessible::cursorPosition() const
{
    return 0;
}

QString BoundTextAccessible::text(int startOffset, int endOffset) const
{
    const QString &shown = shownText();
    const auto length = static_cast<int>(shown.size());
    // A negative end stands for the end of the text.
    const int end = endOffset < 0 ? length : std::min(endOffset, length);
    const int start = std::clamp(startOffset, 0, end);
    return shown.mid(start, end - start);
}

int BoundTextAccessible::characterCount() const
{
    return static_cast<int>(shownText().size());
}

QRect BoundTextAccessible::characterRect(int offset) const
{
    const QString &shown = shownText();
    if (offset < 0 || offset >= shown.size())
        return {};
    const BoundText *control = boundText();
    const QFontMetrics metrics = control->fontMetrics();
    const int left = control->textLeft() + metrics.horizontalAdvance(shown.left(offset));
    const QRect character(left, 0, metrics.horizontalAdvance(shown.at(offset)), metrics.height());
    return QRect(control->mapToGlobal(character.topLeft()), character.size());
}

int BoundTextAccessible::offsetAtPoint(const QPoint &point) const
{
    const BoundText *control = boundText();
    const QPoint local = control->mapFromGlobal(point);
    if (!control->rect().contains(local))
        return -1;
    const QString &shown = shownText();
    const QFontMetrics metrics = control->fontMetrics();
    const int left = control->textLeft();
    for (int offset = 0; offset < shown.size(); ++offset) {
        if (local.x() < left + metrics.horizontalAdvance(shown.left(offset + 1)))
            return local.x() >= left ? offset : -1;
    }
    return -1;
}

QString BoundTextAccessible::attributes(int, int *startOffset, int *endOffset) const
{
    // One run without attributes of its own covers the whole text.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}
