#include "tools/qvh_host/comms_call.hpp"

#include <cstdio>

#include "StandIn/ScriptCalls.hpp"
#include "bridge/comms_call_block.hpp"
#include "bridge/comms_function_path.hpp"
#include "text/to_utf8.hpp"
#include "tools/qvh_host/options.hpp"

namespace QVH::HostTool {

RC::StringType CallCommsFunction(std::int32_t CallType, const RC::StringType& Payload) {
    CommsCallBlock Block(CallType, Payload);
    RC::StringType Found;
    StandIn::InvokeScriptFunction(QVH::CommsFunctionPathView, Block.Data(),
                                  [&Found](void* Params) { Found = PayloadUnitsIn(Params); });
    return Found;
}

std::string FormatPayload(RC::StringViewType Payload, PayloadFormat Format) {
    if (Format == PayloadFormat::Text) {
        return QVH::ToUtf8Lossy(Payload) + '\n';
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
