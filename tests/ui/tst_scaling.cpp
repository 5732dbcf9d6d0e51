// Both windows at the screen's pixel density (QT_SCALE_FACTOR): the layout stays in logical
// pixels, bitmaps and sort markers stay sharp, edges stay one logical pixel, copying gives the
// original portrait. CTest runs this suite once per density: 1, 1.5 and 2, and once more at 1 with
// PT Sans hidden from fontconfig, where the windows fall back to the default sans-serif face.
#include "About.h"
#include "AppFonts.h"
#include "HirelingFields.h"
#include "HirelingGrid.h"
#include "HirelingTable.h"
#include "ImageScaling.h"
#include "LogoView.h"
#include "PortraitView.h"
#include "Tabula.h"
#include "TitleButtonHeader.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QSet>
#include <QStyle>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

constexpr QSize portraitSize(48, 43);
constexpr QSize logoSize(125, 110);
constexpr int captionHeight = 13;

// The marker's place in its title, and its colours.
constexpr int markerRightMargin = 3;
constexpr int edgeWidth = 1;
constexpr QRgb markerGrey = qRgb(128, 128, 128);
constexpr QRgb markerWhite = qRgb(255, 255, 255);
// Logical pixels of the marker patterns that tell the two apart: the downward triangle's base
// runs through (2, 1), the upward one's through (2, 7).
constexpr QPoint downBasePixel(2, 1);
constexpr QPoint upBasePixel(2, 7);

// Filtering may round a channel of a flat area by a step.
constexpr int channelTolerance = 2;

enum GridColumn
{
    HealthColumn = 1,
    AgilityColumn = 2
};

// How a control's geometry comes about.
enum class Sizing
{
    Fixed,
    // The designed position; as wide as its caption, within the designed width, and as high as
    // the font's line
    ToCaption
};

template <typename T = QWidget> T *child(const QWidget &window, const QString &name)
{
    auto *found = window.findChild<T *>(name);
    if (found == nullptr)
        qFatal("no child %s", qPrintable(name));
    return found;
}

QImage rgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// A window's pixels as the screen shows them, one image pixel per device pixel.
QImage grabDevicePixels(QWidget &window, qreal ratio)
{
    const QPixmap pixmap = window.grab();
    if (!qFuzzyCompare(pixmap.devicePixelRatio(), ratio) ||
        pixmap.deviceIndependentSize().toSize() != window.size())
        qFatal("the grab is not in device pixels of ratio %f", ratio);
    return rgb(pixmap.toImage());
}

bool closeTo(QRgb actual, QRgb expected)
{
    return std::abs(qRed(actual) - qRed(expected)) <= channelTolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= channelTolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= channelTolerance;
}

// The device pixel under the centre of a logical pixel.
QPoint deviceCentre(QPointF logical, qreal ratio)
{
    const QPointF centre = (logical + QPointF(0.5, 0.5)) * ratio;
    return {static_cast<int>(std::floor(centre.x())), static_cast<int>(std::floor(centre.y()))};
}

// Whether the bitmap has one colour throughout the 3 × 3 pixels around `at`.
bool flatAround(const QImage &bitmap, QPoint at)
{
    const QRgb colour = bitmap.pixel(at);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint next = at + QPoint(dx, dy);
            if (!bitmap.rect().contains(next) || bitmap.pixel(next) != colour)
                return false;
        }
    }
    return true;
}

// Checks a bitmap drawn at its own logical size with its top-left corner at `origin` (logical
// pixels of the grabbed window). At a whole ratio each bitmap pixel must be a solid block of
// device pixels of exactly its colour; at a fractional one the picture must be filtered, yet stay
// in place: every flat area of the bitmap keeps its colour. Returns the first fault found.
QString sharpnessFault(const QImage &screen, QPoint origin, const QImage &bitmap, qreal ratio)
{
    if (ImageScaling::isWholeRatio(ratio)) {
        const int scale = qRound(ratio);
        for (int y = 0; y < bitmap.height() * scale; ++y) {
            for (int x = 0; x < bitmap.width() * scale; ++x) {
                const QPoint device = origin * scale + QPoint(x, y);
                const QRgb expected = bitmap.pixel(x / scale, y / scale) | 0xff000000U;
                const QRgb actual = screen.pixel(device) | 0xff000000U;
                if (actual != expected)
                    return u"device pixel (%1, %2) is %3, the bitmap's is %4"_qs.arg(device.x())
                        .arg(device.y())
                        .arg(QColor(actual).name(), QColor(expected).name());
            }
        }
        return {};
    }
    int flatPixels = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            if (!flatAround(bitmap, {x, y}))
                continue;
            ++flatPixels;
            const QPoint device = deviceCentre(QPointF(origin + QPoint(x, y)), ratio);
            if (!closeTo(screen.pixel(device), bitmap.pixel(x, y)))
                return u"the flat bitmap pixel (%1, %2) shows as %3, not %4"_qs.arg(x).arg(y).arg(
                    QColor(screen.pixel(device)).name(), QColor(bitmap.pixel(x, y)).name());
        }
    }
    if (flatPixels == 0)
        return u"the bitmap has no flat area to compare"_qs;
    // Filtering blends neighbours: colours the bitmap does not have appear between them.
    QSet<QRgb> own;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            own.insert(bitmap.pixel(x, y) | 0xff000000U);
    const QRect area(QPointF(origin * ratio).toPoint(), (QSizeF(bitmap.size()) * ratio).toSize());
    for (int y = area.top() + 1; y < area.bottom(); ++y)
        for (int x = area.left() + 1; x < area.right(); ++x)
            if (!own.contains(screen.pixel(x, y) | 0xff000000U))
                return {};
    return u"the picture was not filtered: it shows only the bitmap's own colours"_qs;
}

// The device pixels that lie wholly inside a logical rectangle.
QRect devicePixelsWithin(const QRect &logical, qreal ratio)
{
    const QRectF device(QPointF(logical.topLeft()) * ratio, QSizeF(logical.size()) * ratio);
    const int left = static_cast<int>(std::ceil(device.left()));
    const int top = static_cast<int>(std::ceil(device.top()));
    const int right = static_cast<int>(std::floor(device.right()));
    const int bottom = static_cast<int>(std::floor(device.bottom()));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// A pixel of black text on white counts as inked from a quarter coverage on: losing fainter
// antialiasing at a control's edge does not cut a glyph.
constexpr int inkedGrey = 192;

// Where the caption's ink lies, in the label's logical coordinates: the text is drawn as the label
// draws it, at the screen's ratio, but unclipped, and the device pixels it darkens are found.
QRectF captionInk(const QLabel *label, qreal ratio)
{
    const QFontMetrics metrics = label->fontMetrics();
    // Room for the text to spill over on every side.
    const int spill = metrics.height();
    const QRect canvas = label->rect().adjusted(-spill, -spill, spill, spill);
    QImage image((QSizeF(canvas.size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-canvas.topLeft());
    painter.setFont(label->font());
    painter.setPen(Qt::black);
    painter.drawText(label->contentsRect(), static_cast<int>(label->alignment()), label->text());
    painter.end();

    QRect inked;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < inkedGrey)
                inked |= QRect(x, y, 1, 1);
    if (inked.isEmpty())
        return {};
    return QRectF(QPointF(inked.topLeft()) / ratio, QSizeF(inked.size()) / ratio)
        .translated(canvas.topLeft());
}

// What a control paints within its rectangle: a label only its caption, the logo only its
// picture, the bevel only its rule; everything else all of its rectangle.
QRect paintedArea(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return captionInk(label, label->devicePixelRatio())
            .translated(label->pos())
            .toAlignedRect();
    if (const auto *logo = qobject_cast<const LogoView *>(widget))
        return QRect(logo->pos(), logo->image().size()).intersected(logo->geometry());
    if (const auto *frame = qobject_cast<const QFrame *>(widget);
        frame != nullptr && frame->frameShape() == QFrame::HLine)
        return frame->frameRect().translated(frame->pos());
    return widget->geometry();
}

// The first two visible controls of `parent` whose painted areas overlap, or an empty text.
QString overlapIn(const QWidget &parent)
{
    QList<const QWidget *> controls;
    for (const QObject *object : parent.children()) {
        const auto *widget = qobject_cast<const QWidget *>(object);
        if (widget != nullptr && widget->isVisible() && !widget->isWindow())
            controls.append(widget);
    }
    for (qsizetype a = 0; a < controls.size(); ++a) {
        for (qsizetype b = a + 1; b < controls.size(); ++b) {
            if (paintedArea(controls[a]).intersects(paintedArea(controls[b])))
                return u"%1 and %2 overlap"_qs.arg(controls[a]->objectName(),
                                                   controls[b]->objectName());
        }
    }
    return {};
}

QString captionFault(const QLabel *label)
{
    const QRectF ink = captionInk(label, label->devicePixelRatio());
    if (!QRectF(label->rect()).contains(ink))
        return u"%1: the caption's ink (%2, %3) – (%4, %5) leaves the label's %6 × %7"_qs
            .arg(label->objectName())
            .arg(ink.left())
            .arg(ink.top())
            .arg(ink.right())
            .arg(ink.bottom())
            .arg(label->width())
            .arg(label->height());
    return {};
}

} // namespace

class ScalingTest final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowsUseTheExpectedFace();
    void mainWindowKeepsItsLayout_data();
    void mainWindowKeepsItsLayout();
    void aboutWindowKeepsItsLayout();
    void captionsFitAndNothingOverlaps();
    void portraitIsSharp();
    void logoIsSharp();
    void sortMarkersAreSharp();
    void edgesStayOneLogicalPixel();
    void copyGivesTheOriginalPortrait();

private:
    [[nodiscard]] QImage portraitBitmap() const;

    qreal ratio = 1.0;
    std::unique_ptr<TfmMain> window;
};

void ScalingTest::initTestCase()
{
    bool given = false;
    const qreal requested = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&given);
    ratio = qApp->devicePixelRatio();
    QVERIFY2(qFuzzyCompare(ratio, given ? requested : 1.0),
             qPrintable(u"the screen's ratio is %1"_qs.arg(ratio)));
    qInfo("device pixel ratio %g", ratio);
}

void ScalingTest::init()
{
    window = std::make_unique<TfmMain>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->devicePixelRatio(), ratio);
}

void ScalingTest::cleanup()
{
    window.reset();
}

QImage ScalingTest::portraitBitmap() const
{
    const HirelingTable &table = window->table();
    return rgb(QImage::fromData(table.currentValue(MDpic).bytes(), "BMP"));
}

void ScalingTest::windowsUseTheExpectedFace()
{
    // The test run says which face the system offers: PT Sans, or "default" where the font setup
    // hides it and the windows must take the default sans-serif face rather than any other.
    const QString offered = qEnvironmentVariable("HIRELINGS_TEST_WINDOW_FACE");
    QVERIFY2(!offered.isEmpty(), "HIRELINGS_TEST_WINDOW_FACE is not set");
    QString expected = offered;
    if (offered == u"default"_qs) {
        QVERIFY2(!QFontDatabase::hasFamily(u"PT Sans"_qs), "the font setup does not hide PT Sans");
        QFont generic(u"sans-serif"_qs);
        generic.setStyleHint(QFont::SansSerif);
        expected = QFontInfo(generic).family();
    }
    QVERIFY2(
        AppFonts::family() == expected,
        qPrintable(u"the windows' face is %1, expected %2"_qs.arg(AppFonts::family(), expected)));

    // Every control of both windows is drawn in it.
    TfmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    for (const QWidget *shown :
         {static_cast<const QWidget *>(window.get()), static_cast<const QWidget *>(&about)}) {
        for (const QWidget *control : shown->findChildren<QWidget *>()) {
            if (control->isWindow() || !control->isVisible())
                continue;
            const QString resolved = QFontInfo(control->font()).family();
            QVERIFY2(resolved == expected, qPrintable(u"%1 is drawn in %2, expected %3"_qs.arg(
                                               control->objectName(), resolved, expected)));
        }
    }
}

void ScalingTest::mainWindowKeepsItsLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("designed");
    QTest::addColumn<Sizing>("sizing");

    const auto row = [](const char *name, QRect designed, Sizing sizing = Sizing::Fixed) {
        QTest::newRow(name) << QString::fromLatin1(name) << designed << sizing;
    };
    row("lb1", {72, 244, 133, captionHeight}, Sizing::ToCaption);
    row("db1day", {212, 244, 40, 18});
    row("db7day", {260, 244, 45, 18});
    row("db15day", {316, 244, 45, 18});
    row("lb5", {392, 244, 53, captionHeight}, Sizing::ToCaption);
    row("lb6", {516, 244, 40, captionHeight}, Sizing::ToCaption);
    row("lbKREV", {8, 206, 48, captionHeight});
    row("Label1", {72, 262, 50, captionHeight}, Sizing::ToCaption);
    row("Label2", {352, 262, 50, captionHeight}, Sizing::ToCaption);
    row("Label3", {458, 208, 48, captionHeight}, Sizing::ToCaption);
    row("dbDep", {450, 244, 45, 18});
    row("dbTol", {564, 244, 45, 18});
    row("dbChr", {512, 208, 97, 18});
    row("dbAlias", {72, 208, 353, 18});
    row("dbFrends", {125, 262, 200, 18});
    row("dbNoFrends", {408, 262, 200, 18});
    row("dbSpec", {72, 226, 280, 18});
    row("DBText2", {8, 280, 600, 18});
    row("RxDBGrid1", {8, 0, 598, 201});
    row("lbdbImage", {8, 232, 48, 43});
    row("DBRichEdit1", {8, 298, 601, 118});
}

void ScalingTest::mainWindowKeepsItsLayout()
{
    QFETCH(QString, name);
    QFETCH(QRect, designed);
    QFETCH(Sizing, sizing);

    QCOMPARE(window->centralWidget()->size(), QSize(612, 420));
    const QWidget *control = child(*window, name);
    QCOMPARE(control->parentWidget(), window->centralWidget());
    const QRect geometry = control->geometry();
    if (sizing == Sizing::Fixed) {
        QCOMPARE(geometry, designed);
        return;
    }
    const auto *label = qobject_cast<const QLabel *>(control);
    QVERIFY(label != nullptr);
    QCOMPARE(geometry.topLeft(), designed.topLeft());
    QCOMPARE(geometry.size(), QSize(label->fontMetrics().horizontalAdvance(label->text()),
                                    label->fontMetrics().height()));
    QVERIFY2(geometry.width() <= designed.width(),
             qPrintable(u"%1 px wide, designed %2"_qs.arg(geometry.width()).arg(designed.width())));
}

void ScalingTest::aboutWindowKeepsItsLayout()
{
    TfmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.size(), QSize(361, 264));
    QCOMPARE(child(about, u"Panel1"_qs)->geometry(), QRect(8, 8, 345, 209));
    QCOMPARE(child(about, u"OKButton"_qs)->geometry(), QRect(143, 228, 75, 25));
    QCOMPARE(child(about, u"Logo"_qs)->geometry(), QRect(210, 2, 130, 111));
    QCOMPARE(child(about, u"lbComment"_qs)->geometry(), QRect(8, 40, 193, 17));
    QCOMPARE(child(about, u"Label8"_qs)->geometry(), QRect(8, 184, 329, 17));
    // Sized to their captions, from the designed left edge or, for the version, right edge.
    QCOMPARE(child(about, u"lbFendal"_qs)->pos(), QPoint(128, 112));
    QCOMPARE(child(about, u"lbNumVersion"_qs)->geometry().right(), 63);

    const QImage screen = grabDevicePixels(about, ratio);
    QCOMPARE(screen.size(), (QSizeF(about.size()) * ratio).toSize());
}

void ScalingTest::captionsFitAndNothingOverlaps()
{
    // The main window in both agencies' states, then the About window.
    const auto checkMain = [this](const QString &state) {
        for (const QLabel *label : window->centralWidget()->findChildren<QLabel *>()) {
            if (!label->isVisible())
                continue;
            const QString fault = captionFault(label);
            QVERIFY2(fault.isEmpty(), qPrintable(state + u": "_qs + fault));
        }
        const QString overlap = overlapIn(*window->centralWidget());
        QVERIFY2(overlap.isEmpty(), qPrintable(state + u": "_qs + overlap));
    };
    HirelingTable &table = window->table();
    checkMain(u"ZOLT"_qs);
    for (int row = 0; row < table.recordCount(); ++row) {
        if (table.value(row, MDType).asInteger() != 0) {
            table.moveTo(row);
            break;
        }
    }
    QCOMPARE(child<QLabel>(*window, u"lbKREV"_qs)->text(), u"KREV"_qs);
    checkMain(u"KREV"_qs);

    TfmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    for (const QLabel *label : about.findChildren<QLabel *>()) {
        const QString fault = captionFault(label);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
    for (const QWidget *parent : {static_cast<const QWidget *>(&about),
                                  static_cast<const QWidget *>(child(about, u"Panel1"_qs))}) {
        const QString overlap = overlapIn(*parent);
        QVERIFY2(overlap.isEmpty(), qPrintable(overlap));
    }
}

void ScalingTest::portraitIsSharp()
{
    const QWidget *portrait = child(*window, u"lbdbImage"_qs);
    QVERIFY(!portrait->hasFocus());
    const QImage screen = grabDevicePixels(*window, ratio);
    const QImage bitmap = portraitBitmap();
    QCOMPARE(bitmap.size(), portraitSize);
    const QString fault =
        sharpnessFault(screen, portrait->mapTo(window.get(), QPoint()), bitmap, ratio);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void ScalingTest::logoIsSharp()
{
    TfmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QImage bitmap = rgb(QImage(u":/about/logo.bmp"_qs));
    QCOMPARE(bitmap.size(), logoSize);
    const QImage screen = grabDevicePixels(about, ratio);
    const QString fault =
        sharpnessFault(screen, child(about, u"Logo"_qs)->mapTo(&about, QPoint()), bitmap, ratio);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void ScalingTest::sortMarkersAreSharp()
{
    auto *grid = child<HirelingGrid>(*window, u"RxDBGrid1"_qs);
    TitleButtonHeader *titles = grid->titleButtons();
    QWidget *row = titles->viewport();
    const QRgb face = titles->palette().color(QPalette::Button).rgb();
    const int column = HealthColumn;
    const QRect section(titles->sectionViewportPosition(column), 0, titles->sectionSize(column),
                        row->height());
    const QRect inner = section.adjusted(edgeWidth, edgeWidth, -edgeWidth - 1, -edgeWidth - 1);
    const QRect marker(
        QPoint(inner.left() + inner.width() - markerRightMargin - TitleButtonHeader::markerWidth,
               inner.top() + (inner.height() - TitleButtonHeader::markerHeight) / 2),
        QSize(TitleButtonHeader::markerWidth, TitleButtonHeader::markerHeight));
    const QPoint origin = row->mapTo(window.get(), QPoint());

    // The first click sorts descending (upward triangle), the second ascending (downward).
    for (const auto expected :
         {TitleButtonHeader::SortMarker::Up, TitleButtonHeader::SortMarker::Down}) {
        QTest::mouseClick(row, Qt::LeftButton, {}, section.center());
        QCOMPARE(titles->sortMarker(column), expected);
        const QImage screen = grabDevicePixels(*window, ratio);
        const QRect device = devicePixelsWithin(marker.translated(origin), ratio);
        QSet<QRgb> colours;
        for (int y = device.top(); y <= device.bottom(); ++y)
            for (int x = device.left(); x <= device.right(); ++x)
                colours.insert(screen.pixel(x, y) | 0xff000000U);
        const QSet<QRgb> allowed = {markerGrey | 0xff000000U, markerWhite | 0xff000000U,
                                    face | 0xff000000U};
        QVERIFY2(allowed.contains(colours), "the marker blends its colours");
        QVERIFY(colours.contains(markerGrey | 0xff000000U));
        QVERIFY(colours.contains(markerWhite | 0xff000000U));

        // The base of the triangle tells which way it points.
        const bool up = expected == TitleButtonHeader::SortMarker::Up;
        const QRgb downBase =
            screen.pixel(deviceCentre(QPointF(origin + marker.topLeft() + downBasePixel), ratio));
        const QRgb upBase =
            screen.pixel(deviceCentre(QPointF(origin + marker.topLeft() + upBasePixel), ratio));
        QCOMPARE(downBase | 0xff000000U, (up ? face : markerGrey) | 0xff000000U);
        QCOMPARE(upBase | 0xff000000U, (up ? markerWhite : face) | 0xff000000U);

        // At whole ratios each marker pixel is a solid square of device pixels.
        if (ImageScaling::isWholeRatio(ratio)) {
            const int scale = qRound(ratio);
            for (int y = 0; y < marker.height() * scale; ++y) {
                for (int x = 0; x < marker.width() * scale; ++x) {
                    const QPoint block =
                        (origin + marker.topLeft()) * scale + QPoint(x - x % scale, y - y % scale);
                    QCOMPARE(screen.pixel(block + QPoint(x % scale, y % scale)),
                             screen.pixel(block));
                }
            }
        }
    }
}

void ScalingTest::edgesStayOneLogicalPixel()
{
    // How many device pixels one logical pixel may cover at this ratio.
    const int fewest = static_cast<int>(std::floor(ratio));
    const int most = static_cast<int>(std::ceil(ratio));
    // The length of the run of `colour` through `at`, along `step` both ways.
    const auto runThrough = [](const QImage &image, QPoint at, QPoint step, QRgb colour) {
        const auto matches = [&](QPoint point) {
            return image.rect().contains(point) && image.pixel(point) == (colour | 0xff000000U);
        };
        if (!matches(at))
            return 0;
        int length = 1;
        for (QPoint next = at + step; matches(next); next += step)
            ++length;
        for (QPoint next = at - step; matches(next); next -= step)
            ++length;
        return length;
    };

    // A title's raised edge: light along its top, dark along its bottom.
    auto *grid = child<HirelingGrid>(*window, u"RxDBGrid1"_qs);
    TitleButtonHeader *titles = grid->titleButtons();
    const QPalette &colours = titles->palette();
    const QPoint row = titles->viewport()->mapTo(window.get(), QPoint());
    const int middle =
        titles->sectionViewportPosition(AgilityColumn) + titles->sectionSize(AgilityColumn) / 2;
    const int bottom = titles->viewport()->height() - TitleButtonHeader::gridLineWidth - 1;
    QImage screen = grabDevicePixels(*window, ratio);
    const int light = runThrough(screen, deviceCentre(QPointF(row + QPoint(middle, 0)), ratio),
                                 {0, 1}, colours.color(QPalette::Light).rgb());
    const int dark = runThrough(screen, deviceCentre(QPointF(row + QPoint(middle, bottom)), ratio),
                                {0, 1}, colours.color(QPalette::Dark).rgb());
    QVERIFY2(light >= fewest && light <= most, qPrintable(u"light edge %1"_qs.arg(light)));
    QVERIFY2(dark >= fewest && dark <= most, qPrintable(u"dark edge %1"_qs.arg(dark)));

    // The portrait's focus frame.
    QTest::keyClick(grid, Qt::Key_Tab);
    auto *portrait = child<PortraitView>(*window, u"lbdbImage"_qs);
    QVERIFY(portrait->hasFocus());
    screen = grabDevicePixels(*window, ratio);
    const QRgb frame = portrait->palette().color(QPalette::WindowText).rgb();
    const QPoint corner = portrait->mapTo(window.get(), QPoint());
    const int midRow = portraitSize.height() / 2;
    const QPoint leftEdge = deviceCentre(QPointF(corner + QPoint(0, midRow)), ratio);
    const QPoint firstPicturePixel = deviceCentre(QPointF(corner + QPoint(1, midRow)), ratio);
    QCOMPARE(screen.pixel(leftEdge) | 0xff000000U, frame | 0xff000000U);
    if (ImageScaling::isWholeRatio(ratio)) {
        // Exactly one logical pixel of frame, then the picture as drawn without focus.
        const int scale = qRound(ratio);
        const QPoint edgeStart = (corner + QPoint(0, midRow)) * scale;
        for (int x = 0; x < scale; ++x)
            QCOMPARE(screen.pixel(edgeStart + QPoint(x, 0)) | 0xff000000U, frame | 0xff000000U);
        QCOMPARE(screen.pixel(firstPicturePixel), portraitBitmap().pixel(1, midRow));
    } else if (portraitBitmap().pixel(1, midRow) != (frame | 0xff000000U)) {
        const int width = runThrough(screen, leftEdge, {1, 0}, frame);
        QVERIFY2(width <= most, qPrintable(u"focus frame %1 device pixels wide"_qs.arg(width)));
    }
}

void ScalingTest::copyGivesTheOriginalPortrait()
{
    auto *portrait = child<PortraitView>(*window, u"lbdbImage"_qs);
    window->table().moveTo(3);
    QGuiApplication::clipboard()->clear();
    portrait->setFocus();
    QTest::keyClick(portrait, Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), portraitSize);
    QCOMPARE(rgb(copied), portraitBitmap());
}

QTEST_MAIN(ScalingTest)
#include "tst_scaling.moc"
