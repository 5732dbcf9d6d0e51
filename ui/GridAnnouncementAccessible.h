// What assistive technology hears of a change in the hireling grid that no object of its own shows.
#pragma once

#include <QAccessible>
#include <QPointer>

class HirelingGrid;

// A notification that the grid puts up as its last child to tell readers a change at once,
// wherever their focus is: readers speak a notification when it is shown (the new sort order
// after a title click, "здр, по убыванию"). Each announcement is a new object, so that no reader
// speaks a name it kept from the one before. It has no place on the screen.
class GridAnnouncementAccessible final : public QAccessibleInterface
{
public:
    Q_DISABLE_COPY_MOVE(GridAnnouncementAccessible)

    GridAnnouncementAccessible(HirelingGrid *grid, QString text);
    ~GridAnnouncementAccessible() override;

    [[nodiscard]] bool isValid() const override;
    [[nodiscard]] QObject *object() const override;
    [[nodiscard]] QWindow *window() const override;
    [[nodiscard]] QAccessibleInterface *childAt(int x, int y) const override;
    [[nodiscard]] QAccessibleInterface *parent() const override;
    [[nodiscard]] QAccessibleInterface *child(int index) const override;
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface *child) const override;
    [[nodiscard]] QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString &text) override;
    [[nodiscard]] QRect rect() const override;
    [[nodiscard]] QAccessible::Role role() const override;
    [[nodiscard]] QAccessible::State state() const override;

private:
    QPointer<HirelingGrid> m_grid;
    QString m_text;
};
