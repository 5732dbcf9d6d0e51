// The accessible interfaces of the program's own controls, for screen readers and other tools.
#pragma once

namespace AccessibleFactory {

// Makes Qt ask this program first for the interfaces of its bound texts, portrait, logo, grid and
// links. Safe to call more than once; each of those controls calls it when it is created, since
// interfaces are asked for only after a control exists.
void install();

} // namespace AccessibleFactory
