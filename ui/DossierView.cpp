// The dossier of the current hireling: rich text, read-only, selectable and copyable.
#include "DossierView.h"

#include "DataSource.h"
#include "DossierAccessible.h"
#include "HirelingFields.h"
#include "HirelingTable.h"
#include "RtfReader.h"

#include <QTextDocument>

#include <exception>

DossierView::DossierView(QWidget *parent) : QTextEdit(parent)
{
    DossierAccessible::install();
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
    // The text control paints the selection in the active colours while the view has the focus
    // and in the inactive ones otherwise; inactive, the selection takes the colours of plain
    // text, so it shows only while the view has the focus. One palette, set once: a palette set
    // anew on each focus change would give the style new keys for its cached pictures (the
    // scroll bar's) every time, and the cache would fill with copies.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Button));
    colours.setColor(QPalette::Active, QPalette::Highlight,
                     QPalette().color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Active, QPalette::HighlightedText,
                     QPalette().color(QPalette::Active, QPalette::HighlightedText));
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Inactive, QPalette::Base));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Inactive, QPalette::Text));
    setPalette(colours);
    viewport()->setAutoFillBackground(true);
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
