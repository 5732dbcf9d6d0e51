// The accessible interfaces of the program's own controls, for screen readers and other tools.
#pragma once

namespace AccessibleFactory {

// Makes Qt ask this program first for the interfaces of its bound texts, portrait, logo, grid and
// links. The application calls it once, before any window exists; a second call changes nothing.
void install();

} // namespace AccessibleFactory
