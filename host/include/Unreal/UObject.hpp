#pragma once

#include "HostApi.hpp"

namespace RC::Unreal {

// An engine object. Mods only hold pointers to the ones the host finds for them; the engine may
// unload an object, and with it the memory the pointer points at, whenever the game lets go of
// its asset.
class RC_UE4SS_API UObject {
public:
    UObject() = default;
    virtual ~UObject();
    UObject(const UObject&) = delete;
    UObject& operator=(const UObject&) = delete;
};

}  // namespace RC::Unreal
