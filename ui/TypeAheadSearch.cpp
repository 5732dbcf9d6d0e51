// Finds a hireling by the first letters of the name as they are typed.
#include "TypeAheadSearch.h"

#include "HirelingFields.h"
#include "HirelingTable.h"

#include <QApplication>
#include <QKeyEvent>

bool TypeAheadSearch::typesText(const QKeyEvent &event)
{
    constexpr Qt::KeyboardModifiers commandModifiers =
        Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const QString text = event.text();
    return !text.isEmpty() && text.front().isPrint() && (event.modifiers() & commandModifiers) == 0;
}

int TypeAheadSearch::find(const QString &typed, const HirelingTable &table)
{
    if (!m_sinceLastKey.isValid() ||
        m_sinceLastKey.hasExpired(QApplication::keyboardInputInterval()))
        m_sought.clear();
    m_sinceLastKey.start();
    m_sought += typed;
    for (int row = 0; row < table.recordCount(); ++row) {
        if (nameBegins(table.value(row, MDName).displayText(FieldKind::String)))
            return row;
    }
    return -1;
}

bool TypeAheadSearch::nameBegins(const QString &name) const
{
    // The name's first letters, as many as were typed, compare equal to the typed text.
    return name.size() >= m_sought.size() &&
           m_collator.compare(QStringView(name).left(m_sought.size()), m_sought) == 0;
}
