// The error raised when a handler is given a sender of a type it cannot work with.
#pragma once

#include <QByteArray>

#include <exception>

class InvalidCastError final : public std::exception
{
public:
    InvalidCastError();

    // "Недопустимое приведение типа", in UTF-8.
    [[nodiscard]] const char *what() const noexcept override { return m_message.constData(); }

private:
    QByteArray m_message;
};
