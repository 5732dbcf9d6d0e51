// What assistive technology sees of a bound text: a named static text whose text is the value.
#pragma once

#include <QAccessibleWidget>

class BoundText;

// The name says what the field holds (the control's accessible name) while the control shows a
// text, and is empty while it shows none; the text interface and the value give the text the
// control shows. The text cannot be selected or edited.
class BoundTextAccessible final : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit BoundTextAccessible(BoundText *text);

    [[nodiscard]] QString text(QAccessible::Text kind) const override;
    [[nodiscard]] void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    [[nodiscard]] int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    [[nodiscard]] int cursorPosition() const override;
    void setCursorPosition(int position) override;
    [[nodiscard]] QString text(int startOffset, int endOffset) const override;
    [[nodiscard]] int characterCount() const override;
    [[nodiscard]] QRect characterRect(int offset) const override;
    [[nodiscard]] int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    [[nodiscard]] QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    [[nodiscard]] BoundText *boundText() const;
    [[nodiscard]] const QString &shownText() const;
};
