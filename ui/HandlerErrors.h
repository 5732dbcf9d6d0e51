// Where the windows send an error raised by one of their handlers.
#pragma once

#include <exception>
#include <functional>

// Qt does not let an exception leave a slot or an event handler, so every handler of the windows
// runs through run(), at the place that invokes it, and what it raises goes to the reporter the
// application installs: the application's error box. The handler's work ends there; the event
// loop, or start-up, goes on.
namespace HandlerErrors {

using Reporter = std::function<void(const std::exception &)>;

void setReporter(Reporter reporter);
void report(const std::exception &error);

// Runs `handler` and reports what it raises; nothing escapes to the caller.
void run(const std::function<void()> &handler);

// A slot that runs `object`'s `handler` through run(): what a window connects its handlers with.
template <typename Object, typename... Arguments>
[[nodiscard]] auto guarded(Object *object, void (Object::*handler)(Arguments...))
{
    return [object, handler](Arguments... arguments) {
        run([&] { (object->*handler)(arguments...); });
    };
}

} // namespace HandlerErrors
