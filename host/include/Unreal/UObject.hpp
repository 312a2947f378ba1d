#pragma once

#include "HostApi.hpp"

namespace RC::Unreal {

// An engine object. Mods only hold pointers to the ones the host finds for them.
class RC_UE4SS_API UObject {
public:
    UObject() = default;
    virtual ~UObject();
    UObject(const UObject&) = delete;
    UObject& operator=(const UObject&) = delete;
};

class RC_UE4SS_API UClass : public UObject {};
class RC_UE4SS_API UFunction : public UObject {};

}  // namespace RC::Unreal
