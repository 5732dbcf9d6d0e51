// A fault in the hireling sources that stops the packet writer, with the place it was found.
#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

class WriterError final : public std::exception
{
public:
    // `where` is a file name, optionally followed by ":line".
    WriterError(QString where, QString message);

    [[nodiscard]] const QString &where() const noexcept { return m_where; }
    [[nodiscard]] const QString &message() const noexcept { return m_message; }
    [[nodiscard]] const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_where;
    QString m_message;
    QByteArray m_utf8;
};
