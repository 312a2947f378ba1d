#pragma once

#include "HostApi.hpp"
#include "Unreal/UObject.hpp"

namespace RC::Unreal {

// A function of the engine's script: a Blueprint function among them. This generation declares
// it here, after the engine's own source layout; it has no Unreal/UFunction.hpp.
class RC_UE4SS_API UFunction : public UObject {};

}  // namespace RC::Unreal
