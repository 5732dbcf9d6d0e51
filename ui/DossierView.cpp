// The dossier of the current hireling: rich text, read-only, selectable and copyable.
#include "DossierView.h"

#include "DataSource.h"
#include "HirelingFields.h"
#include "HirelingTable.h"
#include "RtfReader.h"

#include <QFocusEvent>
#include <QTextDocument>

#include <exception>

DossierView::DossierView(QWidget *parent) : QTextEdit(parent)
{
    // Screen readers name the text after its field.
    setAccessibleName(HirelingFields::definition(MDmemo).displayLabel());
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::ClickFocus);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUndoRedoEnabled(false);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Button));
    setPalette(colours);
    viewport()->setAutoFillBackground(true);
    showSelection(false);
}

void DossierView::bind(DataSource &source, const HirelingTable &table)
{
    m_table = &table;
    connect(&source, &DataSource::filled, this, &DossierView::showCurrentRecord);
    connect(&source, &DataSource::currentMoved, this, &DossierView::showCurrentRecord);
    showCurrentRecord();
}

void DossierView::showCurrentRecord()
{
    showDossier(m_table->currentValue(MDmemo).bytes());
}

void DossierView::showDossier(const QByteArray &rtf)
{
    QTextDocument *shown = document();
    shown->setDefaultFont(font());
    try {
        if (rtf.isEmpty()) {
            shown->clear();
        } else if (const auto error = RtfReader::read(rtf, *shown); error.has_value()) {
            setPlainText(RtfReader::plainText(rtf));
        }
    } catch (const std::exception &failure) {
        setPlainText(u"(%1)"_qs.arg(QString::fromUtf8(failure.what())));
    }
    moveCursor(QTextCursor::Start);
}

void DossierView::showSelection(bool shown)
{
    // Without the focus the selection is not shown: it takes the colours of plain text.
    QPalette colours = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        if (shown) {
            colours.setColor(group, QPalette::Highlight,
                             QPalette().color(QPalette::Active, QPalette::Highlight));
            colours.setColor(group, QPalette::HighlightedText,
                             QPalette().color(QPalette::Active, QPalette::HighlightedText));
        } else {
            colours.setColor(group, QPalette::Highlight, colours.color(QPalette::Base));
            colours.setColor(group, QPalette::HighlightedText, colours.color(QPalette::Text));
        }
    }
    setPalette(colours);
}

void DossierView::focusInEvent(QFocusEvent *event)
{
    showSelection(true);
    QTextEdit::focusInEvent(event);
}

void DossierView::focusOutEvent(QFocusEvent *event)
{
    showSelection(false);
    QTextEdit::focusOutEvent(event);
}
