// What assistive technology sees of the dossier: read-only text it can read, select and search.
#include "DossierAccessible.h"

#include "DossierView.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {

QAccessibleInterface *createDossierAccessible(const QString &className, QObject *object)
{
    if (className == u"DossierView" && object != nullptr && object->isWidgetType())
        return new DossierAccessible(static_cast<DossierView *>(object));
    return nullptr;
}

} // namespace

DossierAccessible::DossierAccessible(DossierView *view)
    : QAccessibleWidget(view, QAccessible::EditableText)
{}

void DossierAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(createDossierAccessible);
        return true;
    }();
    static_cast<void>(installed);
}

DossierView *DossierAccessible::view() const
{
    return static_cast<DossierView *>(widget());
}

int DossierAccessible::inRange(int offset) const
{
    const int count = characterCount();
    return offset < 0 ? count : std::min(offset, count);
}

QString DossierAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return view()->toPlainText();
    return QAccessibleWidget::text(kind);
}

QAccessible::State DossierAccessible::state() const
{
    QAccessible::State viewState = QAccessibleWidget::state();
    viewState.readOnly = true;
    viewState.multiLine = true;
    viewState.selectableText = true;
    return viewState;
}

void *DossierAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void DossierAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    const QTextCursor cursor = view()->textCursor();
    const bool selected = selectionIndex == 0 && cursor.hasSelection();
    *startOffset = selected ? cursor.selectionStart() : 0;
    *endOffset = selected ? cursor.selectionEnd() : 0;
}

int DossierAccessible::selectionCount() const
{
    return view()->textCursor().hasSelection() ? 1 : 0;
}

void DossierAccessible::addSelection(int startOffset, int endOffset)
{
    // The view holds one selection: a new one replaces it.
    setSelection(0, startOffset, endOffset);
}

void DossierAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = view()->textCursor();
    cursor.clearSelection();
    view()->setTextCursor(cursor);
}

void DossierAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = view()->textCursor();
    cursor.setPosition(inRange(startOffset));
    cursor.setPosition(inRange(endOffset), QTextCursor::KeepAnchor);
    view()->setTextCursor(cursor);
}

int DossierAccessible::cursorPosition() const
{
    return view()->textCursor().position();
}

void DossierAccessible::setCursorPosition(int position)
{
    QTextCursor cursor = view()->textCursor();
    cursor.setPosition(inRange(position));
    view()->setTextCursor(cursor);
}

QString DossierAccessible::text(int startOffset, int endOffset) const
{
    // Plain text has one character for each position of the document: paragraph ends are line
    // feeds.
    const int start = inRange(startOffset);
    const int end = inRange(endOffset);
    return start < end ? view()->toPlainText().mid(start, end - start) : QString();
}

bool DossierAccessible::shownLine(int offset, int *startOffset, int *endOffset) const
{
    const int count = characterCount();
    if (count == 0)
        return false;
    const int at = std::min(inRange(offset), count - 1);
    const QTextBlock block = view()->document()->findBlock(at);
    const QTextLayout *layout = block.layout();
    const QTextLine line =
        layout != nullptr ? layout->lineForTextPosition(at - block.position()) : QTextLine();
    if (!line.isValid()) {
        *startOffset = block.position();
        *endOffset = std::min(count, block.position() + block.length() - 1);
        return true;
    }
    // A paragraph's end belongs to its last line but is not read with it.
    *startOffset = block.position() + line.textStart();
    *endOffset = std::min(count, *startOffset + line.textLength());
    return true;
}

QString DossierAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                        int *startOffset, int *endOffset) const
{
    if (boundaryType != QAccessible::LineBoundary)
        return QAccessibleTextInterface::textAtOffset(inRange(offset), boundaryType, startOffset,
                                                      endOffset);
    *startOffset = *endOffset = -1;
    if (offset > characterCount() || !shownLine(offset, startOffset, endOffset))
        return {};
    return text(*startOffset, *endOffset);
}

QString DossierAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int *startOffset, int *endOffset) const
{
    if (boundaryType != QAccessible::LineBoundary)
        return QAccessibleTextInterface::textBeforeOffset(inRange(offset), boundaryType,
                                                          startOffset, endOffset);
    *startOffset = *endOffset = -1;
    int lineStart = 0;
    int lineEnd = 0;
    if (!shownLine(offset, &lineStart, &lineEnd) || lineStart == 0)
        return {};
    static_cast<void>(shownLine(lineStart - 1, startOffset, endOffset));
    return text(*startOffset, *endOffset);
}

QString DossierAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int *startOffset, int *endOffset) const
{
    if (boundaryType != QAccessible::LineBoundary)
        return QAccessibleTextInterface::textAfterOffset(inRange(offset), boundaryType, startOffset,
                                                         endOffset);
    *startOffset = *endOffset = -1;
    int lineStart = 0;
    int lineEnd = 0;
    if (!shownLine(offset, &lineStart, &lineEnd))
        return {};
    const int nextLine = text(lineEnd, lineEnd + 1) == u"\n" ? lineEnd + 1 : lineEnd;
    if (nextLine >= characterCount())
        return {};
    static_cast<void>(shownLine(nextLine, startOffset, endOffset));
    return text(*startOffset, *endOffset);
}

int DossierAccessible::characterCount() const
{
    // The document counts the closing paragraph end, which is no character of the text.
    return std::max(0, view()->document()->characterCount() - 1);
}

QRect DossierAccessible::characterRect(int offset) const
{
    if (offset < 0 || offset >= characterCount())
        return {};
    QTextCursor cursor(view()->document());
    cursor.setPosition(offset);
    const QRect caret = view()->cursorRect(cursor);
    const QFontMetrics metrics(cursor.charFormat().font());
    const QRect character(
        caret.topLeft(),
        QSize(metrics.horizontalAdvance(text(offset, offset + 1)), caret.height()));
    return {view()->viewport()->mapToGlobal(character.topLeft()), character.size()};
}

int DossierAccessible::offsetAtPoint(const QPoint &point) const
{
    const QPoint inViewport = view()->viewport()->mapFromGlobal(point);
    if (!view()->viewport()->rect().contains(inViewport))
        return -1;
    return view()->cursorForPosition(inViewport).position();
}

void DossierAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    static_cast<void>(endIndex);
    QTextCursor cursor(view()->document());
    cursor.setPosition(inRange(startIndex));
    const QRect target = view()->cursorRect(cursor);
    if (view()->viewport()->rect().contains(target))
        return;
    QScrollBar *scrolling = view()->verticalScrollBar();
    scrolling->setValue(scrolling->value() + target.top());
}

QString DossierAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // No attributes are told: the whole text is one run.
    static_cast<void>(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}
