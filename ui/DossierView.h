// The dossier of the current hireling: rich text, read-only, selectable and copyable.
#pragma once

#include <QTextEdit>

class DataSource;
class HirelingTable;

// Loads the current record's dossier when the record changes: as rich text, or as plain text when
// the rich-text reader reports an error, or the failure message in parentheses when that fails
// too. The selection shows only while the view has the focus; a click gives it the focus, Tab
// does not.
class DossierView final : public QTextEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DossierView)

public:
    explicit DossierView(QWidget *parent = nullptr);

    // Shows the table's current record whenever `source` passes on new contents or a move of the
    // current record; a new order or a refresh keeps the record, and with it the dossier.
    void bind(DataSource &source, const HirelingTable &table);

    // Shows these bytes as the dossier would show them.
    void showDossier(const QByteArray &rtf);

private:
    // Reads the dossier of the current record again.
    void showCurrentRecord();

    const HirelingTable *m_table = nullptr;
};
