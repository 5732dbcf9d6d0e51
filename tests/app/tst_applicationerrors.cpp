// The application's error box for handler errors, the last-chance text, the locale change and
// the version.
#include "DataError.h"
#include "ErrorBoxes.h"
#include "HandlerErrors.h"
#include "HirelingsApplication.h"
#include "NumberFormat.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

const QString title = u"Список наемников ZOLT и KREV"_qs;

// A button whose click handler fails, connected as the windows connect their handlers.
class FailingButton final : public QPushButton
{
public:
    explicit FailingButton(std::function<void()> failure) : m_failure(std::move(failure))
    {
        connect(this, &QPushButton::clicked, this,
                HandlerErrors::guarded(this, &FailingButton::onClick));
    }

private:
    void onClick() { m_failure(); }

    std::function<void()> m_failure;
};

// Closes every error box that opens while it lives, remembering the last one.
class ErrorBoxCloser final
{
public:
    ErrorBoxCloser()
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            ++count;
            box->button(QMessageBox::Ok)->click();
        });
        m_timer.start();
    }

    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int count = 0;

private:
    QTimer m_timer;
};

} // namespace

class ApplicationErrorsTest final : public QObject
{
    Q_OBJECT

private slots:
    void applicationErrorText_data();
    void applicationErrorText();
    void lastChanceText();
    void dataErrorsKnowWhereTheyWereRaised();
    void handlerErrorShowsTheBoxAndTheLoopGoesOn();
    void silentAbortShowsNothing();
    void creationHandlerErrorsGoToTheSameBox();
    void localeChangeRereadsTheFormat();
    void qtDialogsSpeakRussian();
    void applicationCarriesTheVersion();
};

void ApplicationErrorsTest::applicationErrorText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");

    QTest::newRow("letter gets a full stop") << u"Поле 'x' не найдено"_qs
                                             << u"Поле 'x' не найдено."_qs;
    QTest::newRow("full stop stays single") << u"Готово."_qs << u"Готово."_qs;
    QTest::newRow("digit sorts after the stop") << u"код 5"_qs << u"код 5."_qs;
    QTest::newRow("exclamation sorts before the stop") << u"Стоп!"_qs << u"Стоп!"_qs;
    QTest::newRow("closing parenthesis sorts before") << u"(нет)"_qs << u"(нет)"_qs;
    QTest::newRow("empty stays empty") << QString() << QString();
}

void ApplicationErrorsTest::applicationErrorText()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorBoxes::applicationErrorText(message), shown);
}

void ApplicationErrorsTest::lastChanceText()
{
    ErrorBoxes::ErrorReport report{u"EDatabaseError"_qs, u"ClientDataSet.cpp:42"_qs,
                                   u"ClientDataSet: Missing data provider or data packet"_qs};
    QCOMPARE(ErrorBoxes::lastChanceText(report, u"hirelings"_qs),
             u"Исключение EDatabaseError в модуле hirelings в ClientDataSet.cpp:42.\n"
             u"ClientDataSet: Missing data provider or data packet."_qs);
    report.message = u"Готово."_qs;
    QVERIFY(ErrorBoxes::lastChanceText(report, u"hirelings"_qs).endsWith(u"\nГотово."_qs));
}

void ApplicationErrorsTest::dataErrorsKnowWhereTheyWereRaised()
{
    const DataError error(u"EDBClient"_qs, u"broken"_qs);
    const ErrorBoxes::ErrorReport report = ErrorBoxes::describe(error);
    QCOMPARE(report.className, u"EDBClient"_qs);
    QVERIFY2(report.location.startsWith(u"tst_applicationerrors.cpp:"_qs),
             qPrintable(report.location));
    QCOMPARE(ErrorBoxes::describe(std::runtime_error("plain")).className,
             u"std::runtime_error"_qs);
}

void ApplicationErrorsTest::handlerErrorShowsTheBoxAndTheLoopGoesOn()
{
    auto *application = qobject_cast<HirelingsApplication *>(qApp);
    application->setTitle(title);
    FailingButton button([] { throw DataError(u"EDatabaseError"_qs, u"MD: Поле 'x' не найдено"_qs); });
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));

    ErrorBoxCloser seen;
    QTest::mouseClick(&button, Qt::LeftButton);
    QTRY_COMPARE(seen.count, 1);
    QCOMPARE(seen.caption, title);
    QCOMPARE(seen.text, u"MD: Поле 'x' не найдено."_qs);
    QCOMPARE(seen.icon, QMessageBox::Critical);

    // The loop goes on: the next event is handled, and fails again the same way.
    QTest::mouseClick(&button, Qt::LeftButton);
    QTRY_COMPARE(seen.count, 2);
}

void ApplicationErrorsTest::silentAbortShowsNothing()
{
    FailingButton button([] { throw SilentAbort(); });
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    ErrorBoxCloser seen;
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::qWait(100);
    QCOMPARE(seen.count, 0);
}

void ApplicationErrorsTest::creationHandlerErrorsGoToTheSameBox()
{
    ErrorBoxCloser seen;
    QTimer::singleShot(0, [] { HandlerErrors::report(std::runtime_error("Сбой при создании")); });
    QTRY_COMPARE(seen.count, 1);
    QCOMPARE(seen.text, u"Сбой при создании."_qs);
}

void ApplicationErrorsTest::localeChangeRereadsTheFormat()
{
    processNumberFormat().applyWholeAmountOverrides();
    QCOMPARE(processNumberFormat().moneyText(6000.0), u"6 000"_qs);
    QEvent changed(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &changed);
    QCOMPARE(processNumberFormat().moneyText(6000.0),
             NumberFormat::fromUserLocale().moneyText(6000.0));
    QVERIFY(processNumberFormat().moneyText(6000.0) != u"6 000"_qs);
}

void ApplicationErrorsTest::qtDialogsSpeakRussian()
{
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Отмена"_qs);
    QMessageBox box(QMessageBox::Question, title, u"?"_qs, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), u"Нет"_qs);
}

void ApplicationErrorsTest::applicationCarriesTheVersion()
{
    // The same four parts as the version resource and the metainfo.
    QCOMPARE(QCoreApplication::applicationVersion(), u"1.1.0.0"_qs);
}

int main(int argc, char *argv[])
{
    HirelingsApplication application(argc, argv);
    ApplicationErrorsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_applicationerrors.moc"
