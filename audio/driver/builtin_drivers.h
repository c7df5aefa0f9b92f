#pragma once
// The drivers built into the engine, as the module start-up hands them to
// the registry. The start-up knows only this table; builtin_drivers.cpp,
// the one file that names the concrete drivers, fills it.

#include <span>

namespace vellum {

struct TBuiltInAudioDriver {
    // Registers the driver (or a family of drivers).
    void (*install)();
    // It must open a device to know whether it can exist: registered only
    // when a program asks for a driver by name or lists them.
    bool opensDevice;
};

// In registration order.
std::span<const TBuiltInAudioDriver> BuiltInAudioDrivers();

}  // namespace vellum
