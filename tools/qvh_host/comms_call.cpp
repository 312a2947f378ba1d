#include "tools/qvh_host/comms_call.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "StandIn/Devices.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "Unreal/FString.hpp"
#include "anim_files/host_generations.hpp"
#include "bridge/comms_call_params.hpp"
#include "bridge/comms_function_path.hpp"
#include "tools/qvh_host/options.hpp"

namespace QVH::HostTool {

RC::StringType CallCommsFunction(std::int32_t CallType, const RC::StringType& Payload) {
    alignas(RC::Unreal::FString) unsigned char Block[CommsCallParamsSize] = {};
    std::memcpy(Block + CallTypeOffset, &CallType, sizeof(CallType));
    // The engine string's constructor stops at the first NUL, but engine strings may hold NULs:
    // it is made from the text with a stand-in for each, and the NULs are put in place after.
    RC::StringType Stand = Payload;
    std::replace(Stand.begin(), Stand.end(), RC::CharType{0}, RC::CharType{'?'});
    auto* const Made = new (Block + PayloadOffset) RC::Unreal::FString(Stand.c_str());
    // The string's own buffer, made above from as many units: writable, though reached through
    // the accessor both host generations have.
    std::copy(Payload.begin(), Payload.end(), const_cast<RC::CharType*>(QVH::CharsOf(*Made)));
    // The engine destroys its parameters after the call, however it ended.
    struct DestroyPayload {
        void* Block;
        ~DestroyPayload() { PayloadIn(Block).~FString(); }
    } Destroy{Block};

    RC::StringType Found;
    StandIn::InvokeScriptFunction(QVH::CommsFunctionPathView, Block, [&Found](void* Params) {
        const RC::Unreal::FString& Text = PayloadIn(Params);
        Found.assign(QVH::CharsOf(Text), static_cast<std::size_t>(Text.Len()));
    });
    return Found;
}

std::string FormatPayload(RC::StringViewType Payload, PayloadFormat Format) {
    if (Format == PayloadFormat::Text) {
        return StandIn::ToDisplayUtf8(Payload) + '\n';
    }
    std::string Out;
    Out.reserve(Payload.size() * 5 + 1);
    for (const RC::CharType Unit : Payload) {
        char Hex[8];
        std::snprintf(Hex, sizeof(Hex), "%04x", static_cast<unsigned>(Unit) & 0xFFFFu);
        if (!Out.empty()) {
            Out += ' ';
        }
        Out += Hex;
    }
    return Out + '\n';
}

}  // namespace QVH::HostTool
