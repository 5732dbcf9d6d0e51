// The About window: its layout and looks, the hover-lit links, opening links, closing, modality.
// Mouse events go through the window system layer so that grabs, enter/leave and modal blocking
// behave as they do for a real pointer.
#define QTEST_QPA_MOUSE_HANDLING

#include "About.h"
#include "AppFonts.h"
#include "InvalidCastError.h"
#include "LinkLabel.h"

#include <QDesktopServices>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtEndian>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

namespace {

const QColor navy(0, 0, 128);
const QColor blue(0, 0, 255);
const QColor black(0, 0, 0);

const QUrl fendalPage(u"https://www.example.org/ksaron"_qs);
const QUrl corvimPage(u"https://corvim.example.com/"_qs);

constexpr QSize clientSize(361, 264);
constexpr QSize logoSize(125, 110);
constexpr int logoFileSize = 41414;

// How a component's size comes about: as designed, or from its text keeping one edge.
enum class Sizing
{
    Fixed,
    ToTextFromLeft,
    ToTextFromRight
};

template <typename Widget = QWidget> Widget *part(const QWidget &window, const QString &name)
{
    auto *widget = window.findChild<Widget *>(name);
    if (widget == nullptr)
        qFatal("no component %s", qPrintable(name));
    return widget;
}

QPoint centreOf(const QWidget *widget)
{
    return widget->rect().center();
}

// The pointer comes in over the window's own background, outside every component, and the
// window system tells the window so.
void enterWindow(QWidget *window)
{
    QCursor::setPos(window->mapToGlobal(QPoint(1, 1)));
    QCoreApplication::processEvents();
}

QColor textColour(const QWidget *widget)
{
    return widget->palette().color(QPalette::WindowText);
}

} // namespace

// Records the pages that would have gone to the browser.
class PageRecorder final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PageRecorder)

public:
    PageRecorder() = default;
    ~PageRecorder() override = default;

    QList<QUrl> pages;

public slots:
    void open(const QUrl &page) { pages.append(page); }
};

class AboutTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void components_data();
    void components();
    void looks_data();
    void looks();
    void windowProperties();
    void framesAndLogo();
    void logoFile_data();
    void logoFile();

    void hoverLightsOnlyTheLinkUnderThePointer_data();
    void hoverLightsOnlyTheLinkUnderThePointer();
    void pressHeldOffTheLinkKeepsItLit();
    void inactiveProgramLeavesLinksNavy();
    void enablingUnderThePointerLightsTheLink();

    void linkClickOpensItsPage_data();
    void linkClickOpensItsPage();
    void closing_data();
    void closing();
    void showModalBlocksOwnerAndStartsAfresh();
    void invalidSender();
    void okButtonHint();

private:
    // A shown, active About window.
    std::unique_ptr<TfmAbout> openWindow();

    PageRecorder m_browser;
};

void AboutTest::init()
{
    QDesktopServices::setUrlHandler(u"https"_qs, &m_browser, "open");
    m_browser.pages.clear();
}

void AboutTest::cleanup()
{
    QDesktopServices::unsetUrlHandler(u"https"_qs);
    // Leave the pointer where no test window will be.
    QCursor::setPos(QPoint(0, 0));
}

std::unique_ptr<TfmAbout> AboutTest::openWindow()
{
    auto about = std::make_unique<TfmAbout>();
    about->show();
    if (!QTest::qWaitForWindowActive(about.get()))
        qFatal("the About window did not become active");
    enterWindow(about.get());
    return about;
}

void AboutTest::components_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QRect>("designed");
    QTest::addColumn<Sizing>("sizing");
    QTest::addColumn<QString>("text");

    const QString panel = u"Panel1"_qs;
    const QString window = u"fmAbout"_qs;
    const auto row = [](const char *name, const QString &parentName, QRect designed, Sizing sizing,
                        const QString &text) {
        QTest::newRow(name) << QString::fromLatin1(name) << parentName << designed << sizing
                            << text;
    };
    // In creation order, which is also the drawing order.
    row("Panel1", window, {8, 8, 345, 209}, Sizing::Fixed, {});
    row("lbComment", panel, {8, 40, 193, 17}, Sizing::Fixed, u"Наемники ZOLT и KREV"_qs);
    row("lbCopyright", panel, {8, 168, 329, 17}, Sizing::Fixed,
        u"© 2004 Кирилл Волохов, составитель базы"_qs);
    row("Bevel1", panel, {16, 160, 313, 9}, Sizing::Fixed, {});
    row("lbNumVersion", panel, {9, 8, 55, 13}, Sizing::ToTextFromRight, u"Версия 1.1"_qs);
    row("Logo", panel, {210, 2, 130, 111}, Sizing::Fixed, {});
    row("Label1", panel, {8, 56, 193, 17}, Sizing::Fixed, u"\"Ксарон\"  (KS3)"_qs);
    row("lbFendal", panel, {128, 112, 124, 13}, Sizing::ToTextFromLeft,
        u"www.example.org/ksaron"_qs);
    row("lbCorvim", panel, {64, 128, 98, 13}, Sizing::ToTextFromLeft, u"corvim.example.com"_qs);
    row("Label2", panel, {8, 96, 196, 13}, Sizing::ToTextFromLeft,
        u"Были использованы материалы:"_qs);
    row("Label3", panel, {16, 112, 109, 13}, Sizing::ToTextFromLeft, u"Летопись Фендала:"_qs);
    row("Label4", panel, {16, 128, 45, 13}, Sizing::ToTextFromLeft, u"Корвим: "_qs);
    row("Label5", panel, {168, 128, 88, 13}, Sizing::ToTextFromLeft, u"(данные Ларцева)"_qs);
    row("Label6", panel, {16, 144, 213, 13}, Sizing::ToTextFromLeft,
        u"Спецвыпуск журнала \"Мир Стратегий\""_qs);
    row("Label7", panel, {224, 144, 95, 13}, Sizing::ToTextFromLeft, u"(журнал \"МС\")"_qs);
    row("Label8", panel, {8, 184, 329, 17}, Sizing::Fixed,
        u"прошу сообщать о допущенных ошибках и опечатках"_qs);
    row("OKButton", window, {143, 228, 75, 25}, Sizing::Fixed, u"OK"_qs);
}

void AboutTest::components()
{
    QFETCH(QString, name);
    QFETCH(QString, parentName);
    QFETCH(QRect, designed);
    QFETCH(Sizing, sizing);
    QFETCH(QString, text);

    const TfmAbout about;
    const QWidget *widget = part(about, name);
    QCOMPARE(widget->parentWidget()->objectName(), parentName);

    // The components stand in their creation order; the button comes after the panel.
    const QWidget *parent = widget->parentWidget();
    QStringList siblings;
    for (const QObject *child : parent->children())
        if (child->isWidgetType())
            siblings.append(child->objectName());
    QStringList expectedOrder;
    for (const QString &candidate :
         {u"Panel1"_qs, u"lbComment"_qs, u"lbCopyright"_qs, u"Bevel1"_qs, u"lbNumVersion"_qs,
          u"Logo"_qs, u"Label1"_qs, u"lbFendal"_qs, u"lbCorvim"_qs, u"Label2"_qs, u"Label3"_qs,
          u"Label4"_qs, u"Label5"_qs, u"Label6"_qs, u"Label7"_qs, u"Label8"_qs, u"OKButton"_qs})
        if (siblings.contains(candidate))
            expectedOrder.append(candidate);
    QCOMPARE(siblings, expectedOrder);

    const QRect geometry = widget->geometry();
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        QCOMPARE(label->text(), text);
        const QFontMetrics metrics = label->fontMetrics();
        // Every caption shows whole, on one line, inside the room it was designed for.
        QVERIFY2(metrics.horizontalAdvance(text) <= geometry.width(),
                 qPrintable(u"%1 px of text in %2 px"_qs.arg(metrics.horizontalAdvance(text))
                                .arg(geometry.width())));
        QVERIFY(geometry.width() <= designed.width());
        if (sizing == Sizing::Fixed)
            QVERIFY(metrics.height() <= geometry.height());
    } else if (const auto *button = qobject_cast<const QPushButton *>(widget)) {
        QCOMPARE(button->text(), text);
    }

    switch (sizing) {
    case Sizing::Fixed:
        QCOMPARE(geometry, designed);
        break;
    case Sizing::ToTextFromLeft:
        QCOMPARE(geometry.topLeft(), designed.topLeft());
        QCOMPARE(geometry.size(), widget->sizeHint());
        break;
    case Sizing::ToTextFromRight:
        QCOMPARE(geometry.topRight(), designed.topRight());
        QCOMPARE(geometry.size(), widget->sizeHint());
        break;
    }
}

void AboutTest::looks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    // An invalid colour stands for the window-text colour of the palette.
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<Qt::Alignment>("alignment");
    QTest::addColumn<bool>("wordWrap");

    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
    const QColor windowText;
    const auto row = [](const char *name, int pixels, bool bold, bool italic, const QColor &colour,
                        Qt::Alignment alignment, bool wordWrap) {
        QTest::newRow(name) << QString::fromLatin1(name) << pixels << bold << italic << colour
                            << alignment << wordWrap;
    };
    row("lbComment", 13, true, false, black, centred, true);
    row("lbCopyright", 11, false, false, windowText, centred, false);
    row("lbNumVersion", 11, false, false, windowText, right, false);
    row("Label1", 13, true, false, black, centred, true);
    row("lbFendal", 11, true, false, navy, left, false);
    row("lbCorvim", 11, true, false, navy, left, false);
    row("Label2", 11, true, false, black, left, false);
    row("Label3", 11, true, false, black, left, false);
    row("Label4", 11, true, false, black, left, false);
    row("Label5", 11, false, true, black, left, false);
    row("Label6", 11, true, false, black, left, false);
    row("Label7", 11, false, true, black, left, false);
    row("Label8", 11, false, false, windowText, centred, false);
}

void AboutTest::looks()
{
    QFETCH(QString, name);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(QColor, colour);
    QFETCH(Qt::Alignment, alignment);
    QFETCH(bool, wordWrap);

    const TfmAbout about;
    const auto *label = part<QLabel>(about, name);
    const QFont font = label->font();
    QCOMPARE(font.family(), AppFonts::windowFont().family());
    QCOMPARE(font.pixelSize(), pixels);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.italic(), italic);
    QVERIFY(!font.underline());
    QCOMPARE(textColour(label), colour.isValid() ? colour : textColour(&about));
    QCOMPARE(label->alignment(), alignment);
    QCOMPARE(label->wordWrap(), wordWrap);
    QCOMPARE(label->cursor().shape(), Qt::ArrowCursor);
}

void AboutTest::windowProperties()
{
    const auto about = openWindow();
    QCOMPARE(about->objectName(), u"fmAbout"_qs);
    QCOMPARE(about->windowTitle(), u"  О программе"_qs);
    QCOMPARE(about->size(), clientSize);
    QCOMPARE(about->minimumSize(), clientSize);
    QCOMPARE(about->maximumSize(), clientSize);
    QCOMPARE(about->font().pixelSize(), AppFonts::windowFont().pixelSize());

    const Qt::WindowFlags flags = about->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QCOMPARE(about->windowModality(), Qt::ApplicationModal);

    const QPoint screenCentre = about->screen()->geometry().center();
    QVERIFY2((about->frameGeometry().center() - screenCentre).manhattanLength() <= 1,
             "the window is not centred on the screen");

    // The OK button has the focus and is the only control that can take it.
    auto *ok = part<QPushButton>(*about, u"OKButton"_qs);
    QCOMPARE(QApplication::focusWidget(), ok);
    QVERIFY(ok->isDefault());
    QList<QWidget *> focusable;
    for (QWidget *widget : about->findChildren<QWidget *>())
        if (widget->focusPolicy() != Qt::NoFocus)
            focusable.append(widget);
    QCOMPARE(focusable, QList<QWidget *>{ok});

    QVERIFY(!part(*about, u"Logo"_qs)->isEnabled());
}

void AboutTest::framesAndLogo()
{
    const auto about = openWindow();
    const QColor face = about->palette().color(QPalette::Window);

    // The panel: two nested one-pixel sunken edges, dark above and left, light below and right.
    const QImage panel = part(*about, u"Panel1"_qs)->grab().toImage();
    const int midX = panel.width() / 2;
    const int midY = panel.height() / 2;
    const QColor dark = panel.pixelColor(midX, 0);
    const QColor light = panel.pixelColor(midX, panel.height() - 1);
    QVERIFY(dark != face && light != face && dark != light);
    QVERIFY(dark.lightness() < light.lightness());
    for (int edge = 0; edge < 2; ++edge) {
        QCOMPARE(panel.pixelColor(midX, edge), dark);
        QCOMPARE(panel.pixelColor(edge, midY), dark);
        QCOMPARE(panel.pixelColor(midX, panel.height() - 1 - edge), light);
        QCOMPARE(panel.pixelColor(panel.width() - 1 - edge, midY), light);
    }
    QCOMPARE(panel.pixelColor(midX, 2), face);

    // The bevel: an etched rule along its top edge, nothing below it.
    const QImage bevel = part(*about, u"Bevel1"_qs)->grab().toImage();
    const int bevelX = bevel.width() / 2;
    QCOMPARE(bevel.pixelColor(bevelX, 0), dark);
    QCOMPARE(bevel.pixelColor(bevelX, 1), light);
    for (int y = 2; y < bevel.height(); ++y)
        QCOMPARE(bevel.pixelColor(bevelX, y), face);

    // The logo: the bitmap once, unscaled and not greyed although disabled, from the top left.
    const QImage logo =
        part(*about, u"Logo"_qs)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage bitmap = QImage(u":/about/logo.bmp"_qs).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(bitmap.size(), logoSize);
    // The grey it is drawn on belongs to the picture.
    QCOMPARE(bitmap.pixel(0, 0), qRgb(192, 192, 192));
    QCOMPARE(logo.copy(QRect(QPoint(0, 0), logoSize)), bitmap);
    QCOMPARE(logo.pixelColor(logoSize.width() + 2, 0), face);
    QCOMPARE(logo.pixelColor(0, logoSize.height()), face);
}

void AboutTest::logoFile_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<qint64>("value");

    QTest::newRow("signature") << 0 << 2 << qint64{0x4D42};
    QTest::newRow("file size") << 2 << 4 << qint64{logoFileSize};
    QTest::newRow("pixel offset") << 10 << 4 << qint64{54};
    QTest::newRow("info header size") << 14 << 4 << qint64{40};
    QTest::newRow("width") << 18 << 4 << qint64{125};
    // Positive: the rows run from the bottom up.
    QTest::newRow("height") << 22 << 4 << qint64{110};
    QTest::newRow("planes") << 26 << 2 << qint64{1};
    QTest::newRow("bits per pixel") << 28 << 2 << qint64{24};
    QTest::newRow("compression") << 30 << 4 << qint64{0};
    QTest::newRow("pixel bytes") << 34 << 4 << qint64{41360};
    QTest::newRow("horizontal resolution") << 38 << 4 << qint64{2834};
    QTest::newRow("vertical resolution") << 42 << 4 << qint64{2834};
    QTest::newRow("colours used") << 46 << 4 << qint64{0};
}

void AboutTest::logoFile()
{
    QFETCH(int, offset);
    QFETCH(int, bytes);
    QFETCH(qint64, value);

    QFile file(u":/about/logo.bmp"_qs);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QCOMPARE(data.size(), logoFileSize);
    const qint64 actual = bytes == 2 ? qint64{qFromLittleEndian<quint16>(data.constData() + offset)}
                                     : qint64{qFromLittleEndian<qint32>(data.constData() + offset)};
    QCOMPARE(actual, value);
}

void AboutTest::hoverLightsOnlyTheLinkUnderThePointer_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("other");
    QTest::newRow("lbFendal") << u"lbFendal"_qs << u"lbCorvim"_qs;
    QTest::newRow("lbCorvim") << u"lbCorvim"_qs << u"lbFendal"_qs;
}

void AboutTest::hoverLightsOnlyTheLinkUnderThePointer()
{
    QFETCH(QString, link);
    QFETCH(QString, other);

    const auto about = openWindow();
    auto *hovered = part<LinkLabel>(*about, link);
    auto *untouched = part<LinkLabel>(*about, other);
    QWidget *panel = part(*about, u"Panel1"_qs);
    QSignalSpy enters(hovered, &LinkLabel::mouseEnter);
    QSignalSpy leaves(hovered, &LinkLabel::mouseLeave);

    QTest::mouseMove(panel, QPoint(4, 4));
    QCOMPARE(textColour(hovered), navy);

    QTest::mouseMove(hovered, centreOf(hovered));
    QVERIFY(hovered->isMouseInside());
    QCOMPARE(textColour(hovered), blue);
    QCOMPARE(textColour(untouched), navy);
    // Moving within the link raises nothing more.
    QTest::mouseMove(hovered, QPoint(1, 1));
    QCOMPARE(enters.count(), 1);

    QTest::mouseMove(panel, QPoint(4, 4));
    QVERIFY(!hovered->isMouseInside());
    QCOMPARE(textColour(hovered), navy);
    QCOMPARE(textColour(untouched), navy);
    QCOMPARE(leaves.count(), 1);
    QVERIFY(m_browser.pages.isEmpty());
}

void AboutTest::pressHeldOffTheLinkKeepsItLit()
{
    const auto about = openWindow();
    auto *link = part<LinkLabel>(*about, u"lbFendal"_qs);
    QWidget *panel = part(*about, u"Panel1"_qs);

    QTest::mouseMove(link, centreOf(link));
    QTest::mousePress(link, Qt::LeftButton, {}, centreOf(link));
    QTest::mouseMove(panel, QPoint(4, 4));
    QVERIFY(link->isMouseInside());
    QCOMPARE(textColour(link), blue);
    // Even a window system that reports the leave at once does not darken it yet.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link, &leave);
    QCOMPARE(textColour(link), blue);

    // The release ends the press away from the link: no click, and the link goes dark.
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(!link->isMouseInside());
    QCOMPARE(textColour(link), navy);
    QVERIFY(m_browser.pages.isEmpty());

    // A press that ends back over the link keeps it lit and opens the page.
    QTest::mouseMove(link, centreOf(link));
    QTest::mousePress(link, Qt::LeftButton, {}, centreOf(link));
    QTest::mouseMove(panel, QPoint(4, 4));
    QTest::mouseMove(link, QPoint(2, 2));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(textColour(link), blue);
    QCOMPARE(m_browser.pages, QList<QUrl>{fendalPage});
}

void AboutTest::inactiveProgramLeavesLinksNavy()
{
    const auto about = openWindow();
    auto *link = part<LinkLabel>(*about, u"lbCorvim"_qs);
    QWidget *panel = part(*about, u"Panel1"_qs);
    QTest::mouseMove(panel, QPoint(4, 4));

    // A window that is none of the program's widget windows takes the activation, as another
    // program's window would.
    QWindow elsewhere;
    elsewhere.setGeometry(0, 0, 50, 50);
    elsewhere.show();
    elsewhere.requestActivate();
    QTRY_COMPARE(QGuiApplication::focusWindow(), &elsewhere);
    QCOMPARE(QApplication::activeWindow(), nullptr);

    QTest::mouseMove(link, centreOf(link));
    QVERIFY(!link->isMouseInside());
    QCOMPARE(textColour(link), navy);

    // Once the program is active again, a right press on the link finds the pointer over it.
    about->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(about.get()));
    QTest::mousePress(link, Qt::RightButton, {}, centreOf(link));
    QVERIFY(link->isMouseInside());
    QCOMPARE(textColour(link), blue);
    QTest::mouseRelease(link, Qt::RightButton, {}, centreOf(link));
    QCOMPARE(textColour(link), blue);
}

void AboutTest::enablingUnderThePointerLightsTheLink()
{
    const auto about = openWindow();
    auto *link = part<LinkLabel>(*about, u"lbFendal"_qs);
    link->setEnabled(false);
    QCursor::setPos(link->mapToGlobal(centreOf(link)));
    QCoreApplication::processEvents();
    QVERIFY(!link->isMouseInside());
    QCOMPARE(textColour(link), navy);

    link->setEnabled(true);
    QVERIFY(link->isMouseInside());
    QCOMPARE(textColour(link), blue);
}

void AboutTest::linkClickOpensItsPage_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QUrl>("page");
    QTest::newRow("lbFendal") << u"lbFendal"_qs << fendalPage;
    QTest::newRow("lbCorvim") << u"lbCorvim"_qs << corvimPage;
}

void AboutTest::linkClickOpensItsPage()
{
    QFETCH(QString, link);
    QFETCH(QUrl, page);

    const auto about = openWindow();
    auto *label = part<LinkLabel>(*about, link);
    // The page is fixed in the handler: a changed caption does not change it.
    label->setText(u"www.example.net"_qs);
    QTest::mouseMove(label, QPoint(1, 1));
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(1, 1));
    QCOMPARE(m_browser.pages, QList<QUrl>{page});
    QVERIFY(about->isVisible());
    QCOMPARE(textColour(label), blue);
}

void AboutTest::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("OK button") << u"click"_qs << int{QDialog::Accepted};
    QTest::newRow("Enter") << u"enter"_qs << int{QDialog::Accepted};
    QTest::newRow("Return") << u"return"_qs << int{QDialog::Accepted};
    QTest::newRow("Esc") << u"escape"_qs << int{QDialog::Accepted};
    QTest::newRow("title bar close") << u"close"_qs << int{QDialog::Rejected};
}

void AboutTest::closing()
{
    QFETCH(QString, how);
    QFETCH(int, result);

    const auto about = openWindow();
    auto *ok = part<QPushButton>(*about, u"OKButton"_qs);
    QSignalSpy clicks(ok, &QPushButton::clicked);
    if (how == u"click")
        QTest::mouseClick(ok, Qt::LeftButton);
    else if (how == u"enter")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    else if (how == u"return")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    else if (how == u"escape")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else
        QVERIFY(about->close());
    QVERIFY(!about->isVisible());
    QCOMPARE(about->result(), result);
    QCOMPARE(clicks.count(), result == QDialog::Accepted ? 1 : 0);
}

void AboutTest::showModalBlocksOwnerAndStartsAfresh()
{
    // The owner stands away from the middle of the screen; the About window does not follow it.
    QWidget owner;
    owner.setGeometry(0, 0, 200, 100);
    auto *ownerButton = new QPushButton(u"x"_qs, &owner);
    ownerButton->setGeometry(0, 0, 200, 100);
    owner.show();
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    QSignalSpy ownerClicks(ownerButton, &QPushButton::clicked);

    QPointer<TfmAbout> first;
    QWidget *firstOwner = nullptr;
    QPoint firstCentre;
    bool firstWasActive = false;
    QColor litColour;
    QTimer::singleShot(0, &owner, [&] {
        first = qobject_cast<TfmAbout *>(QApplication::activeModalWidget());
        if (first == nullptr)
            return;
        firstOwner = first->parentWidget();
        firstCentre = first->frameGeometry().center();
        firstWasActive = QTest::qWaitForWindowActive(first);
        enterWindow(first);
        QTest::mouseClick(ownerButton, Qt::LeftButton);
        auto *link = part<LinkLabel>(*first, u"lbFendal"_qs);
        QTest::mouseMove(link, centreOf(link));
        litColour = textColour(link);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    TfmAbout::showModal(&owner);
    QCOMPARE(firstOwner, &owner);
    QVERIFY((firstCentre - owner.screen()->geometry().center()).manhattanLength() <= 1);
    QVERIFY(firstWasActive);
    QCOMPARE(litColour, blue);
    QCOMPARE(ownerClicks.count(), 0);
    // Destroyed once closed.
    QVERIFY(first.isNull());
    QVERIFY(owner.findChildren<TfmAbout *>().isEmpty());

    bool secondOpened = false;
    QList<QColor> freshColours;
    QTimer::singleShot(0, &owner, [&] {
        auto *second = qobject_cast<TfmAbout *>(QApplication::activeModalWidget());
        if (second == nullptr)
            return;
        secondOpened = true;
        for (const QString &name : {u"lbFendal"_qs, u"lbCorvim"_qs})
            freshColours.append(textColour(part(*second, name)));
        QTest::mouseClick(part(*second, u"OKButton"_qs), Qt::LeftButton);
    });
    TfmAbout::showModal(&owner);
    QVERIFY(secondOpened);
    QCOMPARE(freshColours, (QList<QColor>{navy, navy}));
    QVERIFY(owner.findChildren<TfmAbout *>().isEmpty());
}

void AboutTest::invalidSender()
{
    TfmAbout about;
    // Called directly there is no sender at all.
    QVERIFY_THROWS_EXCEPTION(InvalidCastError, about.lbFendalMouseLeave());

    // A sender that is a label, but not a link label.
    auto *plain = part<QLabel>(about, u"Label3"_qs);
    connect(plain, &QLabel::linkHovered, &about, &TfmAbout::lbFendalMouseLeave);
    try {
        emit plain->linkHovered(QString());
        QFAIL("a plain label was taken for a link");
    } catch (const InvalidCastError &error) {
        QCOMPARE(QString::fromUtf8(error.what()), u"Недопустимое приведение типа"_qs);
    }
    QCOMPARE(textColour(plain), black);
}

void AboutTest::okButtonHint()
{
    const auto about = openWindow();
    auto *ok = part<QPushButton>(*about, u"OKButton"_qs);
    QCOMPARE(ok->toolTip(), u"Закрыть это окно"_qs);

    QTest::mouseMove(ok, QPoint(5, 5));
    QTest::mouseMove(ok, centreOf(ok));
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), u"Закрыть это окно"_qs);
    QToolTip::hideText();
}

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
