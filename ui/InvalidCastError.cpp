// The error raised when a handler is given a sender of a type it cannot work with.
#include "InvalidCastError.h"

#include <QString>

InvalidCastError::InvalidCastError() : m_message(u"Недопустимое приведение типа"_qs.toUtf8()) {}
