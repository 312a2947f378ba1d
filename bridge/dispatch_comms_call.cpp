#include "bridge/dispatch_comms_call.hpp"

#include <cstdint>

#include "Unreal/FString.hpp"
#include "anim_files/list_animation_files.hpp"
#include "anim_files/read_animation_file.hpp"
#include "bridge/comms_call_params.hpp"
#include "log/log_current_exception.hpp"
#include "log/log_line.hpp"

namespace QVH {

void DispatchCommsCall(RC::Unreal::UnrealScriptFunctionCallableContext& Context,
                       void* /*CustomData*/) noexcept {
    try {
        RC::Unreal::uint8* const Block = Context.TheStack.Locals();
        if (Block == nullptr) {
            LogLine({STR("CPPCommsCall failed: the call has no parameters")});
            return;
        }
        const std::int32_t CallType = CallTypeIn(Block);
        RC::Unreal::FString& Payload = PayloadIn(Block);

        if (CallType == ListCallType) {
            // A folder that cannot be listed leaves Payload as it was; a listing is short enough
            // for the copy not to matter.
            if (const auto Listing = ListAnimationFiles()) {
                Payload = *Listing;
            }
        } else if (CallType == ReadCallType) {
            // The text is decoded straight into Payload's own memory, over the name.
            ReadAnimationFile(Payload);
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
