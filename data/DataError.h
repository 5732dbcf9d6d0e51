// An error raised by the data layer, carrying the class name the error boxes show.
#pragma once

#include <QString>

#include <exception>

// Errors of the data layer are named after the kind of failure, as the error boxes show them:
// "EDatabaseError" for a field that is missing or of the wrong type, "EDBClient" for a damaged
// packet. The message is complete, component name included where the system wants one.
class DataError : public std::exception
{
public:
    DataError(QString className, QString message);

    [[nodiscard]] const QString &className() const noexcept { return m_className; }
    [[nodiscard]] const QString &message() const noexcept { return m_message; }
    [[nodiscard]] const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_className;
    QString m_message;
    QByteArray m_utf8;
};
