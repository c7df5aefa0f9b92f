#pragma once
// The contexts layer's own start-up, and the slot through which the
// module's start-up names the driver a program gets on first use. The layer
// knows no driver above it.

namespace vellum {

// The flip hook and polled input; once.
void StartGraphicsContexts();

// Starts a driver and installs it as the current graphics driver.
using TGraphicsDriverStart = void (*)();
// The driver started on first use by a program that chose none.
void SetDefaultGraphicsDriver(TGraphicsDriverStart start);

}  // namespace vellum
