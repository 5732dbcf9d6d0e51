// An error raised by the data layer, carrying the class name the error boxes show.
#pragma once

#include <QString>

#include <exception>

// Errors of the data layer are named after the kind of failure, as the error boxes show them:
// "EDatabaseError" for a field that is missing or of the wrong type, "EDBClient" for a damaged
// packet. The message is complete, component name included where the system wants one. The place
// where the error was raised is kept for the last-chance box.
class DataError : public std::exception
{
public:
    // The builtins give the caller's place, as std::source_location::current() would; that one
    // is missing with clang before 15 on libstdc++, which the fuzz build uses.
    DataError(QString className, QString message, const char *file = __builtin_FILE(),
              int line = __builtin_LINE());

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
