// Keeps the D-Bus library from starting a session bus of its own.
#pragma once

namespace SessionBusAddress {

// Where no session bus is named, libdbus would "autolaunch" one through dbus-launch: a daemon
// and files that outlive the program. The program uses the session bus only to find the
// accessibility bus, so without one it does without: the user's bus in the runtime folder where
// it exists, none otherwise. Call before the application object is made.
void preventAutolaunch();

} // namespace SessionBusAddress
