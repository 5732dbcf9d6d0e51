// A single-line text that shows one field of the hireling table's current record.
#include "BoundText.h"

#include "DataSource.h"
#include "HirelingTable.h"

#include <QAccessible>
#include <QPainter>

#include <utility>

BoundText::BoundText(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

QString BoundText::fieldTitle(HirelingField field)
{
    switch (field) {
    case MDCost1:
        return u"Зарплата 1 д."_qs;
    case MDCost7:
        return u"Зарплата 7 д."_qs;
    case MDCost15:
        return u"Зарплата 14 д."_qs;
    case MDFrends:
        return u"Симпатия"_qs;
    case MDNoFrends:
        return u"Непрязнь"_qs;
    default:
        // The other fields' display labels say it already ("Клички", "Страховка", …).
        return HirelingFields::definition(field).displayLabel();
    }
}

void BoundText::bind(DataSource &source, const HirelingTable &table, HirelingField field)
{
    m_table = &table;
    m_field = field;
    setAccessibleName(fieldTitle(field));
    connect(&source, &DataSource::filled, this, &BoundText::showCurrentRecord);
    connect(&source, &DataSource::currentMoved, this, &BoundText::showCurrentRecord);
    // A new order or a refresh keeps the current record and so every text; new regional settings
    // give the same value another text (money).
    connect(&source, &DataSource::reformatted, this, &BoundText::showCurrentRecord);
    showCurrentRecord();
}

void BoundText::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void BoundText::showCurrentRecord()
{
    const QString previous = std::exchange(m_text, m_table->currentValue(m_field).displayText(
                                                       HirelingFields::definition(m_field).kind));
    update();
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(this, 0, previous, m_text);
        QAccessible::updateAccessibility(&event);
        // An empty text has no name (BoundTextAccessible): readers that keep names hear of it.
        if (previous.isEmpty() != m_text.isEmpty()) {
            QAccessibleEvent renamed(this, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
    }
}

int BoundText::textLeft() const
{
    const int advance = fontMetrics().horizontalAdvance(m_text);
    if (m_alignment & Qt::AlignRight)
        return width() - advance;
    if (m_alignment & Qt::AlignHCenter)
        return (width() - advance) / 2;
    return 0;
}

void BoundText::paintEvent(QPaintEvent *)
{
    if (m_text.isEmpty())
        return;
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    // Drawing into a rectangle far wider than the control on the side the text grows towards
    // keeps it on one line and lets the control's edge cut it.
    const int room = fontMetrics().horizontalAdvance(m_text) + width();
    QRect area = rect();
    if (m_alignment & Qt::AlignRight)
        area.setLeft(area.right() - room);
    else if (m_alignment & Qt::AlignHCenter)
        area.adjust(-room / 2, 0, room / 2, 0);
    else
        area.setRight(area.left() + room);
    painter.drawText(area,
                     static_cast<int>((m_alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop |
                                      Qt::TextSingleLine),
                     m_text);
}
