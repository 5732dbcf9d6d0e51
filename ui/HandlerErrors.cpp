// Where the windows send an error raised by one of their handlers.
#include "HandlerErrors.h"

#include <QtGlobal>

#include <utility>

namespace {

HandlerErrors::Reporter &installedReporter()
{
    static HandlerErrors::Reporter reporter;
    return reporter;
}

} // namespace

namespace HandlerErrors {

void setReporter(Reporter reporter)
{
    installedReporter() = std::move(reporter);
}

void report(const std::exception &error)
{
    if (installedReporter())
        installedReporter()(error);
    else
        qWarning("Unreported handler error: %s", error.what());
}

void run(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const std::exception &error) {
        report(error);
    }
}

} // namespace HandlerErrors
