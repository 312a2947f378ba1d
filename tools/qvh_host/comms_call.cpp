#include "tools/qvh_host/comms_call.hpp"

#include <algorithm>
#include <cstdio>

#include "StandIn/ScriptCalls.hpp"
#include "bridge/comms_call_block.hpp"
#include "bridge/comms_function_path.hpp"
#include "engine/host_generations.hpp"
#include "text/to_utf8.hpp"
#include "text/unicode.hpp"
#include "tools/qvh_host/options.hpp"
#include "tools/qvh_host/output.hpp"

namespace QVH::HostTool {
namespace {

// Appends Units as qvh-host prints them, without the newline; First: no space before them.
void AppendPayload(std::string& Out, RC::StringViewType Units, PayloadFormat Format, bool First) {
    if (Format == PayloadFormat::Text) {
        Out += QVH::ToUtf8Lossy(Units);
        return;
    }
    Out.reserve(Out.size() + Units.size() * 5);
    for (const RC::CharType Unit : Units) {
        char Hex[8];
        std::snprintf(Hex, sizeof(Hex), "%04x", static_cast<unsigned>(Unit) & 0xFFFFu);
        if (!First) {
            Out += ' ';
        }
        First = false;
        Out += Hex;
    }
}

}  // namespace

void CallCommsFunction(std::int32_t CallType, const RC::StringType& Payload,
                       const std::function<void(RC::StringViewType)>& Found) {
    CommsCallBlock Block(CallType, Payload);
    StandIn::InvokeScriptFunction(QVH::CommsFunctionPathView, Block.Data(), [&Found](void* Params) {
        const RC::Unreal::FString& Answer = PayloadIn(Params);
        Found(RC::StringViewType(CharsOf(Answer), static_cast<std::size_t>(Answer.Len())));
    });
}

RC::StringType CallCommsFunction(std::int32_t CallType, const RC::StringType& Payload) {
    RC::StringType Copy;
    CallCommsFunction(CallType, Payload, [&Copy](RC::StringViewType Found) { Copy = Found; });
    return Copy;
}

std::string FormatPayload(RC::StringViewType Payload, PayloadFormat Format) {
    std::string Out;
    AppendPayload(Out, Payload, Format, true);
    return Out + '\n';
}

void WritePayload(RC::StringViewType Payload, PayloadFormat Format) {
    constexpr std::size_t PieceUnits = 1 << 16;
    std::string Out;
    for (std::size_t At = 0; At < Payload.size();) {
        std::size_t Count = std::min(PieceUnits, Payload.size() - At);
        // The two halves of a pair go in one piece, where the text form sees their character.
        if (At + Count < Payload.size() && IsHighSurrogate(Payload[At + Count - 1])) {
            ++Count;
        }
        Out.clear();
        AppendPayload(Out, Payload.substr(At, Count), Format, At == 0);
        WriteOutput(Out);
        At += Count;
    }
    WriteOutput("\n");
}

}  // namespace QVH::HostTool
