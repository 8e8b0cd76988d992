// Registration of the layer's own attribute classes for restoring (internal).
#pragma once

/// Registers every attribute class the kernel layer defines; called once before the first
/// restore or registration.
void RegisterBuiltInAttribClasses();
