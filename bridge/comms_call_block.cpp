#include "bridge/comms_call_block.hpp"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/host_generations.hpp"

namespace QVH {

CommsCallBlock::CommsCallBlock(std::int32_t CallType, RC::StringViewType Payload) {
    std::memset(Bytes, Guard, sizeof(Bytes));
    std::memcpy(Bytes + CallTypeOffset, &CallType, sizeof(CallType));
    // The engine string's constructor stops at the first NUL: it is made from the text with a
    // stand-in for each, and the NULs are put in place after, into the string's own buffer of as
    // many units (writable, though reached through the accessor both host generations have).
    RC::StringType Stand(Payload);
    std::replace(Stand.begin(), Stand.end(), RC::CharType{0}, RC::CharType{'?'});
    auto* const Made = new (Bytes + PayloadOffset) RC::Unreal::FString(Stand.c_str());
    std::copy(Payload.begin(), Payload.end(), const_cast<RC::CharType*>(CharsOf(*Made)));
}

// The engine destroys its parameters after the call, however it ended.
CommsCallBlock::~CommsCallBlock() { Payload().~FString(); }

RC::StringType CommsCallBlock::PayloadUnits() const { return PayloadUnitsIn(Bytes); }

bool CommsCallBlock::GuardsIntact() const noexcept {
    const auto Intact = [this](std::size_t From, std::size_t To) {
        return std::all_of(Bytes + From, Bytes + To, [](unsigned char B) { return B == Guard; });
    };
    return Intact(CallTypeOffset + sizeof(std::int32_t), PayloadOffset) &&
           Intact(CommsCallParamsSize, sizeof(Bytes));
}

RC::StringType PayloadUnitsIn(const void* Params) {
    const RC::Unreal::FString& Payload = PayloadIn(Params);
    return RC::StringType(CharsOf(Payload), static_cast<std::size_t>(Payload.Len()));
}

}  // namespace QVH
