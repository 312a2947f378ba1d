#pragma once

#include "HostApi.hpp"
#include "Unreal/UObject.hpp"

namespace RC::Unreal {

class RC_UE4SS_API UClass : public UObject {};

}  // namespace RC::Unreal
