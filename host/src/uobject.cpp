#include "Unreal/UObject.hpp"

namespace RC::Unreal {

UObject::~UObject() = default;

}  // namespace RC::Unreal
