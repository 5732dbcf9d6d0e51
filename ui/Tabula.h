// The main window: the hireling grid, the detail panel, title sorting and the menu.
#pragma once

#include "TitleButtonHeader.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class TfmMain;
}

class ClientDataSet;
class DataSource;
class HirelingTable;

class TfmMain final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmMain)

public:
    // Loads the window: creates the controls, opens the table empty and the packet-backed data
    // set from the embedded packet (whose failures escape), then runs the creation handler
    // (whose failures go to the application's error box).
    explicit TfmMain(QWidget *parent = nullptr);
    ~TfmMain() override;

    [[nodiscard]] static QString applicationTitle();

    // The sort state: grid positions counted from 1 of the column sorted ascending or
    // descending, 0 for none. At most one is non-zero.
    [[nodiscard]] static quint8 ascSortColumn();
    [[nodiscard]] static quint8 descSortColumn();

    [[nodiscard]] HirelingTable &table() const { return *MD; }

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void FormCreate();
    void N1Click();
    void N2Click();
    void dsMDDataChange();
    void RxDBGrid1TitleBtnClick(int column);
    [[nodiscard]] TitleButtonHeader::SortMarker RxDBGrid1GetBtnParams(int column) const;

    void loadDescription();
    void bindControls();
    void setAutoSizedCaption(class QLabel *label, const QString &caption);
    // The detail panel in words, the agency first and then each shown text that holds something
    // ("Зарплата 1 д.: 1 300; …"); the portrait, which Tab reaches from the grid, is described by
    // it after every change, so that a listener can learn the panel without hunting for it.
    [[nodiscard]] QString detailPanelSummary() const;
    void describeDetailPanel();
    void refreshBoundControls();

    std::unique_ptr<Ui::TfmMain> ui;
    HirelingTable *MD = nullptr;
    DataSource *dsMD = nullptr;
    std::unique_ptr<ClientDataSet> clientDataSet;
    bool centeredOnce = false;
};
