// A single-line text that shows one field of the hireling table's current record.
#pragma once

#include "HirelingFields.h"

#include <QString>
#include <QWidget>

class DataSource;
class HirelingTable;

// Shows the field's display text on one line, never wrapped or elided, clipped at the edge its
// alignment leaves open; "&" is an ordinary character. It never resizes itself.
class BoundText final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoundText)
    Q_PROPERTY(Qt::Alignment alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(QString text READ text)

public:
    explicit BoundText(QWidget *parent = nullptr);

    void bind(DataSource &source, const HirelingTable &table, HirelingField field);

    [[nodiscard]] Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    [[nodiscard]] const QString &text() const { return m_text; }

    // Reads the field of the current record again.
    void refresh();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const HirelingTable *m_table = nullptr;
    HirelingField m_field = MDName;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    QString m_text;
};
