// The main window: the hireling grid, the detail panel, title sorting and the menu.
#include "Tabula.h"

#include "ui_Tabula.h"

#include "About.h"
#include "AppFonts.h"
#include "BoundText.h"
#include "ClientDataSet.h"
#include "DataSource.h"
#include "EmbeddedPacket.h"
#include "HandlerErrors.h"
#include "HirelingFields.h"
#include "HirelingGrid.h"
#include "HirelingGridModel.h"
#include "HirelingTable.h"
#include "NumberFormat.h"
#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include <array>
#include <utility>

namespace {

// Amounts are shown as whole numbers grouped in threes by a plain space, without a currency
// symbol, whatever the locale says. The overrides are applied once, while static objects are
// initialised, so that they stand before any window exists.
const bool wholeAmountsApplied = [] {
    processNumberFormat().applyWholeAmountOverrides();
    return true;
}();

// The sort state of the grid: positions counted from 1, 0 for none.
quint8 AscSortColumn = 0;
quint8 DescSortColumn = 0;

constexpr int nameColumn = 0;
constexpr int clientWidth = 612;
constexpr int clientHeight = 420;

const QString wageCaptionAllTerms = u"Зарплата 1 д. / 7 д. / 14 д."_qs;
const QString wageCaptionDailyOnly = u"Зарплата 1 д."_qs;

quint8 sortPosition(int column)
{
    return static_cast<quint8>(column + 1);
}

} // namespace

TfmMain::TfmMain(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TfmMain>())
{
    Q_UNUSED(wholeAmountsApplied);
    loadDescription();
    HandlerErrors::run([this] { FormCreate(); });
}

TfmMain::~TfmMain() = default;

QString TfmMain::applicationTitle()
{
    return u"Список наемников ZOLT и KREV"_qs;
}

quint8 TfmMain::ascSortColumn()
{
    return AscSortColumn;
}

quint8 TfmMain::descSortColumn()
{
    return DescSortColumn;
}

void TfmMain::loadDescription()
{
    ui->setupUi(this);
    setFont(AppFonts::windowFont());
    setWindowTitle(applicationTitle());

    const QFont dataFont = AppFonts::sansSerif(AppFonts::windowFont().pixelSize(), true);
    for (BoundText *text : ui->clientArea->findChildren<BoundText *>())
        text->setFont(dataFont);
    ui->RxDBGrid1->setFont(AppFonts::windowFont());
    ui->DBRichEdit1->setFont(AppFonts::windowFont());

    ui->clientArea->setFixedSize(clientWidth, clientHeight);
    setFixedSize(clientWidth, clientHeight + ui->MainMenu->sizeHint().height());

    for (QLabel *label : {ui->lb1, ui->lb5, ui->lb6, ui->Label1, ui->Label2, ui->Label3})
        setAutoSizedCaption(label, label->text());

    connect(ui->N1, &QAction::triggered, this, HandlerErrors::guarded(this, &TfmMain::N1Click));
    connect(ui->N2, &QAction::triggered, this, HandlerErrors::guarded(this, &TfmMain::N2Click));

    MD = new HirelingTable(this);
    MD->setObjectName(u"MD"_qs);
    dsMD = new DataSource(this);
    dsMD->setObjectName(u"dsMD"_qs);
    dsMD->setDataSet(MD);
    connect(dsMD, &DataSource::dataChange, this,
            HandlerErrors::guarded(this, &TfmMain::dsMDDataChange));
    // After the handler, which decides what the panel shows.
    connect(dsMD, &DataSource::dataChange, this, &TfmMain::describeDetailPanel);

    bindControls();
    TitleButtonHeader *titles = ui->RxDBGrid1->titleButtons();
    for (int column = 0; column < HirelingGridModel::GridColumnCount; ++column)
        titles->resizeSection(column,
                              HirelingGrid::columnWidth(column) + TitleButtonHeader::gridLineWidth);
    titles->setSortMarkerProvider([this](int column) { return RxDBGrid1GetBtnParams(column); });
    connect(titles, &TitleButtonHeader::titleBtnClick, this,
            HandlerErrors::guarded(this, &TfmMain::RxDBGrid1TitleBtnClick));

    // The table opens empty, which already tells the detail panel once.
    MD->open();

    clientDataSet = std::make_unique<ClientDataSet>();
    clientDataSet->setData(EmbeddedPacket::storedData());
    clientDataSet->open();

    ui->RxDBGrid1->setFocus();
}

void TfmMain::bindControls()
{
    const std::array<std::pair<BoundText *, HirelingField>, 11> texts = {{
        {ui->db1day, MDCost1},
        {ui->db7day, MDCost7},
        {ui->db15day, MDCost15},
        {ui->dbDep, MDdeposit},
        {ui->dbTol, MDcurtools},
        {ui->dbChr, MDchr},
        {ui->dbAlias, MDAlias},
        {ui->dbFrends, MDFrends},
        {ui->dbNoFrends, MDNoFrends},
        {ui->dbSpec, MDspec},
        {ui->DBText2, MDtools},
    }};
    ui->RxDBGrid1->bind(*dsMD, *MD);
    for (const auto &[text, field] : texts)
        text->bind(*dsMD, *MD, field);
    ui->lbdbImage->bind(*dsMD, *MD);
    ui->DBRichEdit1->bind(*dsMD, *MD);
}

void TfmMain::FormCreate()
{
    AscSortColumn = 0;
    DescSortColumn = 0;
    MD->appendAllFrom(*clientDataSet, HirelingTable::AllRecords);
}

void TfmMain::N1Click()
{
    TfmAbout::showModal(this);
}

void TfmMain::N2Click()
{
    close();
}

void TfmMain::dsMDDataChange()
{
    if (MD->currentValue(MDType).asInteger() != 0) {
        setAutoSizedCaption(ui->lb1, wageCaptionDailyOnly);
        ui->lbKREV->setText(u"KREV"_qs);
        ui->lb5->hide();
        ui->lb6->hide();
        return;
    }
    setAutoSizedCaption(ui->lb1, wageCaptionAllTerms);
    ui->lbKREV->setText(u"ZOLT"_qs);
    ui->lb6->show();
    const bool noDeposit = MD->currentValue(MDdeposit).asFloat() == 0.0;
    ui->lb5->setVisible(!noDeposit);
    ui->dbDep->setVisible(!noDeposit);
}

QString TfmMain::detailPanelSummary() const
{
    QStringList parts;
    if (!ui->lbKREV->text().isEmpty())
        parts.append(ui->lbKREV->text());
    // In the panel's reading order: the terms, then the person.
    for (const BoundText *text :
         {ui->db1day, ui->db7day, ui->db15day, ui->dbDep, ui->dbTol, ui->dbAlias, ui->dbSpec,
          ui->dbChr, ui->DBText2, ui->dbFrends, ui->dbNoFrends}) {
        // A hidden text and one that shows nothing say nothing about the hireling.
        if (text->isHidden() || text->text().isEmpty())
            continue;
        parts.append(u"%1: %2"_qs.arg(text->accessibleName(), text->text()));
    }
    return parts.join(u"; "_qs);
}

void TfmMain::describeDetailPanel()
{
    const QString summary = detailPanelSummary();
    if (ui->lbdbImage->accessibleDescription() != summary)
        ui->lbdbImage->setAccessibleDescription(summary);
}

void TfmMain::RxDBGrid1TitleBtnClick(int column)
{
    const FieldDefinition &field = MD->fieldDefinitions().at(column);
    bool descending = false;
    if (column == nameColumn) {
        descending = AscSortColumn == sortPosition(nameColumn);
        AscSortColumn = descending ? 0 : sortPosition(nameColumn);
        DescSortColumn = descending ? sortPosition(nameColumn) : 0;
        MD->sortByField(field.name, true, descending);
    } else {
        descending = DescSortColumn != sortPosition(column);
        AscSortColumn = descending ? 0 : sortPosition(column);
        DescSortColumn = descending ? sortPosition(column) : 0;
        MD->sortByField(field.name, true, descending);
        MD->first();
    }
    ui->RxDBGrid1->titleButtons()->refreshTitles();
}

TitleButtonHeader::SortMarker TfmMain::RxDBGrid1GetBtnParams(int column) const
{
    // The title names its field; the marker goes by the field's position in the table.
    const int position = MD->fieldIndex(MD->fieldDefinitions().at(column).name) + 1;
    if (position == AscSortColumn)
        return TitleButtonHeader::SortMarker::Down;
    if (position == DescSortColumn)
        return TitleButtonHeader::SortMarker::Up;
    return TitleButtonHeader::SortMarker::None;
}

void TfmMain::setAutoSizedCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    // As high as the font's line, so that descenders are not cut at any pixel density.
    label->resize(label->fontMetrics().horizontalAdvance(caption), label->fontMetrics().height());
}

void TfmMain::refreshBoundControls()
{
    dsMD->reformat();
}

void TfmMain::showEvent(QShowEvent *event)
{
    if (!centeredOnce) {
        centeredOnce = true;
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(WindowPlacement::centredTopLeft(frameGeometry().size(),
                                                 screen->availableGeometry()));
    }
    QMainWindow::showEvent(event);
}

void TfmMain::changeEvent(QEvent *event)
{
    // After the regional settings changed, money texts are produced anew in the new format.
    if (event->type() == QEvent::LocaleChange && dsMD != nullptr)
        refreshBoundControls();
    QMainWindow::changeEvent(event);
}
