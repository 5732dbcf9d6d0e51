// An error raised by the data layer, carrying the class name the error boxes show.
#include "DataError.h"

#include <utility>

DataError::DataError(QString className, QString message)
    : m_className(std::move(className)), m_message(std::move(message)),
      m_utf8(m_message.toUtf8())
{
}
