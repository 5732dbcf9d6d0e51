// The two error boxes of the program: the application's box for an error raised in a handler,
// and the last-chance box for an error that escapes the start-up sequence.
#pragma once

#include <QString>

#include <exception>

namespace ErrorBoxes {

// What an error box needs to know of an error: its class name, where it was raised, its text.
struct ErrorReport
{
    QString className;
    QString location;
    QString message;
};

[[nodiscard]] ErrorReport describe(const std::exception &error);

// The application's box: the message, with a full stop appended when its last character sorts
// after the full stop.
[[nodiscard]] QString applicationErrorText(const QString &message);
// The last-chance box: "Исключение <class> в модуле <module> в <location>.\n<message>" and a full
// stop unless the message already ends with one.
[[nodiscard]] QString lastChanceText(const ErrorReport &report, const QString &moduleName);

inline constexpr char16_t lastChanceCaption[] = u"Ошибка приложения";

// Modal boxes with the stop icon and an OK button.
void showApplicationError(const QString &caption, const std::exception &error);
void showLastChanceError(const std::exception &error);

} // namespace ErrorBoxes
