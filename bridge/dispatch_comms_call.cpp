#include "bridge/dispatch_comms_call.hpp"

#include <cstdint>
#include <new>

#include "Unreal/FString.hpp"
#include "anim_files/list_animation_files.hpp"
#include "anim_files/read_animation_file.hpp"
#include "bridge/comms_call_params.hpp"
#include "engine/host_generations.hpp"
#include "log/log_current_exception.hpp"
#include "log/log_line.hpp"

namespace QVH {
namespace {

// Replaces Payload, a file's name, with the file's text. The engine's string has no move, and
// assigning one copies it: for a file of megabytes that second copy would cost about as much as
// the read. So once the file is read, Payload is ended and the result constructed in its place,
// straight from the read's buffer: one copy in all. Everything that can fail but memory has
// happened by then, so a failing read or log line leaves Payload as it was; should memory run
// out, Payload is left empty rather than ended twice.
void ReplaceNameWithText(RC::Unreal::FString& Payload) {
    const LentText Text = ReadAnimationFile(CharsOf(Payload));
    Payload.~FString();
    try {
        new (&Payload) RC::Unreal::FString(Text.c_str());
    } catch (...) {
        new (&Payload) RC::Unreal::FString();
        throw;
    }
}

}  // namespace

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
            ReplaceNameWithText(Payload);
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
