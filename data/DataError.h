// An error raised by the data layer, carrying the class name the error boxes show.
#pragma once

#include <QString>

#include <exception>
#include <source_location>

// Errors of the data layer are named after the kind of failure, as the error boxes show them:
// "EDatabaseError" for a field that is missing or of the wrong type, "EDBClient" for a damaged
// packet. The message is complete, component name included where the system wants one. The place
// where the error was raised is kept for the last-chance box.
class DataError : public std::exception
{
public:
    DataError(QString className, QString message,
              std::source_location where = std::source_location::current());

    [[nodiscard]] const QString &className() const noexcept { return m_className; }
    [[nodiscard]] const QString &message() const noexcept { return m_message; }
    // "file:line" of the place that raised the error.
    [[nodiscard]] const QString &location() const noexcept { return m_location; }
    [[nodiscard]] const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_className;
    QString m_message;
    QString m_location;
    QByteArray m_utf8;
};
