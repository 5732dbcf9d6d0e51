// An error raised by the data layer, carrying the class name the error boxes show.
#include "DataError.h"

#include <QFileInfo>

#include <utility>

DataError::DataError(QString className, QString message, const char *file, int line)
    : m_className(std::move(className)), m_message(std::move(message)),
      m_location(u"%1:%2"_qs.arg(QFileInfo(QString::fromUtf8(file)).fileName()).arg(line)),
      m_utf8(m_message.toUtf8())
{
}
