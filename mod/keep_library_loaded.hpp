#pragma once

namespace QVH {

// Keeps the library that holds the mod loaded until the process ends, whoever unloads it: the
// host's unload then leaves its code in place. True when done, or when the mod is part of the
// program itself; false when the system refused. Any thread.
bool KeepLibraryLoaded() noexcept;

}  // namespace QVH
