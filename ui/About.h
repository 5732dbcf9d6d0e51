// The About window: version, credits, the author line and two web links lit under the pointer.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TfmAbout;
}

class QKeyEvent;
class QShowEvent;

class TfmAbout final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmAbout)

public:
    explicit TfmAbout(QWidget *owner = nullptr);
    ~TfmAbout() override;

    // Creates a new About window owned by `owner`, shows it application-modal and destroys it
    // when it closes, also when an error escapes the modal loop. Every opening starts afresh.
    static void showModal(QWidget *owner);

public slots:
    void OKButtonClick();
    // Opens the page of the first credited source; the window stays open.
    void lbFendalClick();
    // Serves both links' enter and leave events: lights the sending link while the pointer is
    // over it. A sender that is not a link label raises InvalidCastError.
    void lbFendalMouseLeave();
    // Opens the page of the second credited source; the window stays open.
    void lbCorvimClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyFonts();
    void sizeLabelsToText();
    void describeForScreenReaders();
    void connectHandlers();

    std::unique_ptr<Ui::TfmAbout> ui;
};
