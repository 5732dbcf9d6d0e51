// Qt's report of a screen reader that answered a key late stays off stderr; nothing else does.
#include "LateReaderReports.h"

#include <QTest>

namespace {

QStringList heard;

void remember(QtMsgType, const QMessageLogContext &, const QString &message)
{
    heard.append(message);
}

} // namespace

class LateReaderReportsTest final : public QObject
{
    Q_OBJECT

private slots:
    void onlyTheLateAnswerIsDropped_data();
    void onlyTheLateAnswerIsDropped();
};

void LateReaderReportsTest::onlyTheLateAnswerIsDropped_data()
{
    QTest::addColumn<QtMsgType>("type");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("passesOn");

    // As Qt's bridge writes it: the prefix, two spaces, the quoted error name and its text.
    const QString lateAnswer =
        uR"(QSpiApplication::keyEventError  "org.freedesktop.DBus.Error.NoReply" "Did not receive a reply.")"_qs;
    QTest::newRow("the late answer") << QtWarningMsg << lateAnswer << false;
    QTest::newRow("another D-Bus error of the same call")
        << QtWarningMsg
        << uR"(QSpiApplication::keyEventError  "org.freedesktop.DBus.Error.ServiceUnknown" "The name is not activatable")"_qs
        << true;
    QTest::newRow("the same words as a critical message") << QtCriticalMsg << lateAnswer << true;
    QTest::newRow("an unrelated warning naming NoReply")
        << QtWarningMsg << u"QDBusConnection: org.freedesktop.DBus.Error.NoReply"_qs << true;
    QTest::newRow("an unrelated warning")
        << QtWarningMsg << u"QTextCursor::setPosition: Position '497' out of range"_qs << true;
}

void LateReaderReportsTest::onlyTheLateAnswerIsDropped()
{
    QFETCH(QtMsgType, type);
    QFETCH(QString, message);
    QFETCH(bool, passesOn);

    heard.clear();
    const QtMessageHandler before = qInstallMessageHandler(remember);
    {
        const LateReaderReports filter;
        if (type == QtWarningMsg)
            qWarning("%s", qPrintable(message));
        else
            qCritical("%s", qPrintable(message));
    }
    // The filter gone, the handler before it is back and hears everything.
    qWarning("%s", "after the filter");
    qInstallMessageHandler(before);

    QStringList expected;
    if (passesOn)
        expected << message;
    expected << u"after the filter"_qs;
    QCOMPARE(heard, expected);
}

QTEST_MAIN(LateReaderReportsTest)
#include "tst_latereaderreports.moc"
