#include "bench/mod_read.hpp"

#include "anim_files/read_animation_file.hpp"
#include "engine/host_generations.hpp"

namespace QVH::Bench {

RC::Unreal::FString ModReadAnimationFile(RC::Unreal::FString Name) {
    return RC::Unreal::FString(QVH::ReadAnimationFile(QVH::CharsOf(Name)).c_str());
}

}  // namespace QVH::Bench
