// Keeps Qt's report of a screen reader that answered a key late off the program's stderr.
#include "LateReaderReports.h"

namespace {

QtMessageHandler previousHandler = nullptr;

void dropLateAnswerReports(QtMsgType type, const QMessageLogContext &context,
                           const QString &message)
{
    if (LateReaderReports::isLateAnswerReport(type, message))
        return;
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
    else
        qt_message_output(type, context, message);
}

} // namespace

LateReaderReports::LateReaderReports() : m_previous(qInstallMessageHandler(dropLateAnswerReports))
{
    previousHandler = m_previous;
}

LateReaderReports::~LateReaderReports()
{
    qInstallMessageHandler(m_previous);
    previousHandler = nullptr;
}

bool LateReaderReports::isLateAnswerReport(QtMsgType type, const QString &message)
{
    // Other D-Bus errors (no registry, a refused call) still say something worth reading.
    return type == QtWarningMsg && message.startsWith(u"QSpiApplication::keyEventError") &&
           message.contains(u"org.freedesktop.DBus.Error.NoReply");
}
