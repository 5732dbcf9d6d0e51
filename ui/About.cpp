// The About window: version, credits, the author line and two web links lit under the pointer.
#include "About.h"
#include "ui_About.h"

#include "AppFonts.h"
#include "HandlerErrors.h"
#include "InvalidCastError.h"
#include "LinkLabel.h"
#include "LogoView.h"
#include "ProgramVersion.h"

#include <QDesktopServices>
#include <QImage>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QStringList>
#include <QUrl>

#include <initializer_list>

namespace {

// The pages each link opens are fixed here rather than read from the captions, which show them
// without the scheme.
const QUrl &fendalPage()
{
    static const QUrl page(u"https://www.example.org/ksaron"_qs);
    return page;
}

const QUrl &corvimPage()
{
    static const QUrl page(u"https://corvim.example.com/"_qs);
    return page;
}

const QString logoFile = u":/about/logo.bmp"_qs;

// Blue, $FF0000 in the platform's $00BBGGRR encoding.
constexpr QRgb hoverBlue = 0xFF0000FF;
constexpr QRgb black = 0xFF000000;

// A sunken one-pixel line is drawn as a shadow line over a highlight line.
constexpr int etchedRuleHeight = 2;

// 8 and 10 points at 96 pixels per inch.
constexpr int smallTextPixels = 11;
constexpr int largeTextPixels = 13;

enum class TextColour
{
    WindowText,
    Black,
    Link
};

struct LabelLook
{
    QLabel *label;
    int pixels;
    bool bold;
    bool italic;
    TextColour colour;
};

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// Which edge of a label stays put when it is sized to its text.
enum class Anchor
{
    Left,
    Right
};

void sizeToText(QLabel *label, Anchor anchor)
{
    const QRect designed = label->geometry();
    QRect fitted(designed.topLeft(), label->sizeHint());
    if (anchor == Anchor::Right)
        fitted.moveRight(designed.right());
    label->setGeometry(fitted);
}

} // namespace

TfmAbout::TfmAbout(QWidget *owner) : QDialog(owner), ui(std::make_unique<Ui::TfmAbout>())
{
    ui->setupUi(this);
    // A dialog frame with only the close button. On Windows a dialog with a close button but no
    // system-menu hint gets the modal dialog frame, which shows no icon.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setWindowModality(Qt::ApplicationModal);
    // Panel1 is a sunken panel of line width 2, which is drawn as two nested one-pixel sunken
    // edges. The logo is disabled, so that it takes no mouse input, but keeps its colours.
    // The rule runs along the bevel's top edge rather than through its middle.
    ui->Logo->setImage(QImage(logoFile));
    ui->Bevel1->setFrameRect(QRect(0, 0, ui->Bevel1->width(), etchedRuleHeight));
    ui->lbFendal->setUrl(fendalPage());
    ui->lbCorvim->setUrl(corvimPage());
    ui->lbNumVersion->setText(
        u"Версия %1.%2"_qs.arg(ProgramVersion::majorNumber).arg(ProgramVersion::minorNumber));
    applyFonts();
    sizeLabelsToText();
    describeForScreenReaders();
    // The button is the only control that takes the focus, so Enter and Esc always reach it.
    ui->OKButton->setFocus();
    connectHandlers();
}

// Destroying the dialog hides its children, which tells a lit link that the pointer has left it;
// by then this class's part is gone and its handlers must not run.
TfmAbout::~TfmAbout()
{
    for (LinkLabel *link : {ui->lbFendal, ui->lbCorvim})
        link->disconnect(this);
}

void TfmAbout::showModal(QWidget *owner)
{
    auto window = std::make_unique<TfmAbout>(owner);
    const QPointer<TfmAbout> alive(window.get());
    window->exec();
    // Should the owner go away during the modal loop, it has taken the window with it.
    if (alive.isNull())
        static_cast<void>(window.release());
}

void TfmAbout::OKButtonClick()
{
    // The button carries the OK result; closing ends the modal loop.
    accept();
}

void TfmAbout::lbFendalClick()
{
    // A page that cannot be opened is not reported.
    static_cast<void>(QDesktopServices::openUrl(fendalPage()));
}

void TfmAbout::lbCorvimClick()
{
    static_cast<void>(QDesktopServices::openUrl(corvimPage()));
}

void TfmAbout::lbFendalMouseLeave()
{
    auto *link = qobject_cast<LinkLabel *>(sender());
    if (link == nullptr)
        throw InvalidCastError();
    setTextColour(link,
                  link->isMouseInside() ? QColor::fromRgb(hoverBlue) : LinkLabel::restingColour());
}

void TfmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *display = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(display->geometry().center());
        move(frame.topLeft());
    }
}

void TfmAbout::keyPressEvent(QKeyEvent *event)
{
    // The OK button is the cancel button as well: Esc clicks it.
    if (event->matches(QKeySequence::Cancel)) {
        ui->OKButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmAbout::applyFonts()
{
    setFont(AppFonts::windowFont());
    const std::initializer_list<LabelLook> looks = {
        {ui->lbComment, largeTextPixels, true, false, TextColour::Black},
        {ui->lbCopyright, smallTextPixels, false, false, TextColour::WindowText},
        {ui->lbNumVersion, smallTextPixels, false, false, TextColour::WindowText},
        {ui->Label1, largeTextPixels, true, false, TextColour::Black},
        {ui->lbFendal, smallTextPixels, true, false, TextColour::Link},
        {ui->lbCorvim, smallTextPixels, true, false, TextColour::Link},
        {ui->Label2, smallTextPixels, true, false, TextColour::Black},
        {ui->Label3, smallTextPixels, true, false, TextColour::Black},
        {ui->Label4, smallTextPixels, true, false, TextColour::Black},
        {ui->Label5, smallTextPixels, false, true, TextColour::Black},
        {ui->Label6, smallTextPixels, true, false, TextColour::Black},
        {ui->Label7, smallTextPixels, false, true, TextColour::Black},
        {ui->Label8, smallTextPixels, false, false, TextColour::WindowText},
    };
    for (const LabelLook &look : looks) {
        look.label->setFont(AppFonts::sansSerif(look.pixels, look.bold, look.italic));
        // Window-text labels follow the palette; links keep the navy they start with.
        if (look.colour == TextColour::Black)
            setTextColour(look.label, QColor::fromRgb(black));
    }
}

void TfmAbout::sizeLabelsToText()
{
    // The version keeps its right edge, the others their left edge.
    sizeToText(ui->lbNumVersion, Anchor::Right);
    for (QLabel *label : {static_cast<QLabel *>(ui->lbFendal), static_cast<QLabel *>(ui->lbCorvim),
                          ui->Label2, ui->Label3, ui->Label4, ui->Label5, ui->Label6, ui->Label7})
        sizeToText(label, Anchor::Left);
}

void TfmAbout::describeForScreenReaders()
{
    // The window's texts, line by line as they stand, the link captions in their lines.
    const std::initializer_list<std::initializer_list<const QLabel *>> lines = {
        {ui->lbNumVersion},
        {ui->lbComment},
        {ui->Label1},
        {ui->Label2},
        {ui->Label3, ui->lbFendal},
        {ui->Label4, ui->lbCorvim, ui->Label5},
        {ui->Label6, ui->Label7},
        {ui->lbCopyright},
        {ui->Label8},
    };
    QString description;
    for (const auto &line : lines) {
        QStringList texts;
        for (const QLabel *label : line)
            texts.append(label->text());
        const QString lineText = texts.join(u' ').simplified();
        if (!description.isEmpty())
            description += description.endsWith(u':') ? u" "_qs : u". "_qs;
        description += lineText;
    }
    // A screen reader that announces a newly opened window reads its loose texts, but leaves out
    // every one shorter than three words (the version, the game, both link lines); given no loose
    // texts, it reads the window's description instead, which holds them all. The plain texts
    // are therefore tied to the panel they stand on, which they describe, so that none of them
    // counts as loose; the links stay links of their own.
    setAccessibleDescription(description + u'.');
    for (QLabel *text :
         {ui->lbNumVersion, ui->lbComment, ui->Label1, ui->Label2, ui->Label3, ui->Label4,
          ui->Label5, ui->Label6, ui->Label7, ui->lbCopyright, ui->Label8})
        text->setBuddy(ui->Panel1);
}

void TfmAbout::connectHandlers()
{
    connect(ui->OKButton, &QPushButton::clicked, this,
            HandlerErrors::guarded(this, &TfmAbout::OKButtonClick));
    connect(ui->lbFendal, &LinkLabel::clicked, this,
            HandlerErrors::guarded(this, &TfmAbout::lbFendalClick));
    connect(ui->lbCorvim, &LinkLabel::clicked, this,
            HandlerErrors::guarded(this, &TfmAbout::lbCorvimClick));
    for (LinkLabel *link : {ui->lbFendal, ui->lbCorvim}) {
        connect(link, &LinkLabel::mouseEnter, this,
                HandlerErrors::guarded(this, &TfmAbout::lbFendalMouseLeave));
        connect(link, &LinkLabel::mouseLeave, this,
                HandlerErrors::guarded(this, &TfmAbout::lbFendalMouseLeave));
    }
}
