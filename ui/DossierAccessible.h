// What assistive technology sees of the dossier: read-only text it can read, select and search.
#pragma once

#include <QAccessibleWidget>

class DossierView;

// The view's text as one accessible text. A reader asks about offsets it learned from earlier
// events (a caret at the end of the last dossier, a line's end in flat review), which may lie
// beyond the text shown now: every offset is taken into the text's range first, and a character
// past the end has no text and no rectangle.
class DossierAccessible final : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit DossierAccessible(DossierView *view);

    // Creates the interface for a dossier view; installed once, by the first view.
    static void install();

    [[nodiscard]] QString text(QAccessible::Text kind) const override;
    [[nodiscard]] QAccessible::State state() const override;
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
    // Lines are the lines shown, as the view wraps them; other units as the text has them.
    [[nodiscard]] QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int *startOffset, int *endOffset) const override;
    [[nodiscard]] QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                          int *startOffset, int *endOffset) const override;
    [[nodiscard]] QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                       int *startOffset, int *endOffset) const override;
    [[nodiscard]] int characterCount() const override;
    [[nodiscard]] QRect characterRect(int offset) const override;
    [[nodiscard]] int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    [[nodiscard]] QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    [[nodiscard]] DossierView *view() const;
    // `offset` moved into 0 … characterCount(); -1 (as readers write "the end") gives the end.
    [[nodiscard]] int inRange(int offset) const;
    // The shown line that holds `offset` (the last one for the end): its start and end offsets;
    // false when the text is empty.
    [[nodiscard]] bool shownLine(int offset, int *startOffset, int *endOffset) const;
};
