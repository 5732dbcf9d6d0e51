// Where the windows send an error raised by a handler that does not run inside the event loop.
#pragma once

#include <exception>
#include <functional>

// The creation handler of a window runs before any event is dispatched, so the application's
// event-level error handling cannot see its errors. The application installs a reporter here that
// shows them in the same error box, and start-up then goes on.
namespace HandlerErrors {

using Reporter = std::function<void(const std::exception &)>;

void setReporter(Reporter reporter);
void report(const std::exception &error);

} // namespace HandlerErrors
