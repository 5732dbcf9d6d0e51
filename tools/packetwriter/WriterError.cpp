// A fault in the hireling sources that stops the packet writer, with the place it was found.
#include "WriterError.h"

#include <utility>

WriterError::WriterError(QString where, QString message)
    : m_where(std::move(where)), m_message(std::move(message)),
      m_utf8((m_where + u": "_qs + m_message).toUtf8())
{}
