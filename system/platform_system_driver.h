#pragma once
// The system driver of this platform.

#include "system/system_driver.h"
#include "system_driver_seam.h"

namespace vellum {

// Starts the platform's event services and creates its system driver; Null
// when the platform refuses.
Ref<TSystemDriver> CreateNativeSystemDriver();

}  // namespace vellum
