// Keeps Qt's report of a screen reader that answered a key late off the program's stderr.
#pragma once

#include <QString>
#include <QtGlobal>

// Qt's AT-SPI bridge offers every key to the screen readers first and waits 100 ms for their
// answer; a reader that is still speaking answers later, and Qt then delivers the key itself,
// as it should, and writes "QSpiApplication::keyEventError" with the D-Bus error NoReply to
// stderr. That is a report on the reader's timing, not on the program, and a normal session with
// a busy reader would fill stderr with it. While a filter is installed, exactly that report is
// dropped and every other message goes on to the handler that was installed before.
class LateReaderReports final
{
    Q_DISABLE_COPY_MOVE(LateReaderReports)

public:
    LateReaderReports();
    ~LateReaderReports();

    // Whether `message` of that type is the bridge's report of a reader that answered late.
    [[nodiscard]] static bool isLateAnswerReport(QtMsgType type, const QString &message);

private:
    QtMessageHandler m_previous = nullptr;
};
