// A single-line text that shows one field of the hireling table's current record.
#pragma once

#include "HirelingFields.h"

#include <QString>
#include <QWidget>

class DataSource;
class HirelingTable;

// Shows the field's display text on one line, never wrapped or elided, clipped at the edge its
// alignment leaves open; "&" is an ordinary character. It never resizes itself. Screen readers see
// a static text named after what the field holds ("Клички", "Зарплата 7 д.", …) whose text is the
// value shown, and nameless while it shows nothing.
class BoundText final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoundText)
    Q_PROPERTY(Qt::Alignment alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(QString text READ text)

public:
    explicit BoundText(QWidget *parent = nullptr);

    // Shows `field` of the table's current record whenever `source` passes on a change that can
    // alter it: new contents, a move of the current record or a refresh.
    void bind(DataSource &source, const HirelingTable &table, HirelingField field);

    [[nodiscard]] Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    [[nodiscard]] const QString &text() const { return m_text; }
    // Where the shown text begins, in the control's coordinates; left of 0 when it is cut there.
    [[nodiscard]] int textLeft() const;

    // What a field holds, in the words a screen reader says for its text.
    [[nodiscard]] static QString fieldTitle(HirelingField field);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Reads the field of the current record again and tells screen readers of the new text.
    void showCurrentRecord();

    const HirelingTable *m_table = nullptr;
    HirelingField m_field = MDName;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    QString m_text;
};
