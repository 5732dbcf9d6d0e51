// What assistive technology sees of the hireling grid: a table of titles and cells.
#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>

class HirelingGrid;

// The children are numbered as the table view numbers them in its own focus and selection
// notifications (GridChildIndex). The grid keeps its row
// titles and the corner hidden, and so do their interfaces. Column titles name their columns,
// describe the sort state of a sorted one and can be pressed; cells give their text and whether
// their row is the current one. The interfaces of the children are made when first asked for and
// kept; a cell follows its record when the rows move (GridCellAccessible). After them comes the
// notification of the grid's last announcement, once there has been one.
class HirelingGridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    Q_DISABLE_COPY_MOVE(HirelingGridAccessible)

    explicit HirelingGridAccessible(HirelingGrid *grid);
    ~HirelingGridAccessible() override;

    [[nodiscard]] bool isValid() const override;
    [[nodiscard]] QAccessible::Role role() const override;
    [[nodiscard]] QAccessible::State state() const override;
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] QAccessibleInterface *child(int index) const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface *child) const override;
    [[nodiscard]] QAccessibleInterface *childAt(int x, int y) const override;
    [[nodiscard]] QAccessibleInterface *focusChild() const override;
    [[nodiscard]] void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface
    [[nodiscard]] QAccessibleInterface *caption() const override;
    [[nodiscard]] QAccessibleInterface *summary() const override;
    [[nodiscard]] QAccessibleInterface *cellAt(int row, int column) const override;
    [[nodiscard]] int selectedCellCount() const override;
    [[nodiscard]] QList<QAccessibleInterface *> selectedCells() const override;
    [[nodiscard]] QString columnDescription(int column) const override;
    [[nodiscard]] QString rowDescription(int row) const override;
    [[nodiscard]] int selectedColumnCount() const override;
    [[nodiscard]] int selectedRowCount() const override;
    [[nodiscard]] int columnCount() const override;
    [[nodiscard]] int rowCount() const override;
    [[nodiscard]] QList<int> selectedColumns() const override;
    [[nodiscard]] QList<int> selectedRows() const override;
    [[nodiscard]] bool isColumnSelected(int column) const override;
    [[nodiscard]] bool isRowSelected(int row) const override;
    // Makes the record in this row the current one, as a click on the row does.
    bool selectRow(int row) override;
    // Whole rows are selected, one at a time, and one always is: nothing else can be chosen.
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

    // Puts up a new notification saying `text` as the last child, in place of the one before,
    // and tells readers that it is shown (GridAnnouncementAccessible).
    void announce(const QString &text);

private:
    [[nodiscard]] HirelingGrid *grid() const;
    [[nodiscard]] QAccessibleInterface *makeChild(int index) const;
    [[nodiscard]] QAccessibleInterface *knownChild(int index) const;
    // The number of the notification, after every title and cell.
    [[nodiscard]] int announcementIndex() const;
    // Files every known cell under its record's row; drops cells whose record is gone.
    void followRecords() const;

    // Child number → registered interface. Cells are filed anew when rows move.
    mutable QHash<int, QAccessible::Id> m_children;
    QMetaObject::Connection m_rowsMoved;
    // The notification last put up; 0 before the first.
    QAccessible::Id m_announcement = 0;
};
