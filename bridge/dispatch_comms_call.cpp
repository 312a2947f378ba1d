#include "bridge/dispatch_comms_call.hpp"

#include <cstdint>
#include <cstring>
#include <new>

#include "Unreal/FString.hpp"
#include "anim_files/list_animation_files.hpp"
#include "anim_files/read_animation_file.hpp"
#include "log/log_current_exception.hpp"
#include "log/log_line.hpp"

namespace QVH {
namespace {

// Where the engine lays out CPPCommsCall's parameters: an integer first, a string second, which
// the string's 8-byte alignment puts at byte 8. The Blueprint side must keep that order.
constexpr std::size_t CallTypeOffset = 0;
constexpr std::size_t PayloadOffset = 8;

}  // namespace

void DispatchCommsCall(RC::Unreal::UnrealScriptFunctionCallableContext& Context,
                       void* /*CustomData*/) noexcept {
    try {
        RC::Unreal::uint8* const Block = Context.TheStack.Locals();
        if (Block == nullptr) {
            LogLine({STR("CPPCommsCall failed: the call has no parameters")});
            return;
        }
        std::int32_t CallType = 0;
        std::memcpy(&CallType, Block + CallTypeOffset, sizeof(CallType));
        auto& Payload =
            *std::launder(reinterpret_cast<RC::Unreal::FString*>(Block + PayloadOffset));

        // Results are moved into Payload: the Blueprint sees the same string as with a copy, and
        // a file's text is not copied a second time. Payload changes only once a service has
        // returned.
        if (CallType == 1) {
            Payload = ListAnimationFiles();
        } else if (CallType == 2) {
            Payload = ReadAnimationFile(RC::Unreal::FString(Payload));
        } else {
            LogLine({STR("CPPCommsCall received but CallType was invalid.")});
        }
    } catch (...) {
        // The host runs this hook inside the engine's script interpreter, which does not expect
        // an exception: one that got out would end the game.
        LogCurrentException(STR("CPPCommsCall failed: "));
    }
}

}  // namespace QVH
