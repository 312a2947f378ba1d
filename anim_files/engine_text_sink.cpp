#include "anim_files/engine_text_sink.hpp"

#include "engine/engine_text.hpp"

namespace QVH::detail {

void EngineTextSink::Expect(std::size_t Units) {
    Started = true;
    // The text and its NUL; the read keeps Units within what an engine string holds.
    CharArrayOf(Text).Reset(static_cast<std::int32_t>(Units + 1));
}

RC::CharType* EngineTextSink::Room(std::size_t Count) {
    Started = true;
    auto& Units = CharArrayOf(Text);
    // The units asked for, and one more kept for the NUL: taking them into the count makes the
    // array grow, should a file that grew need more than it holds.
    Asked = static_cast<std::int32_t>(Count + 1);
    const std::int32_t Old = Units.AddUninitialized(Asked);
    return Units.GetData() + Old;
}

void EngineTextSink::Wrote(std::size_t Count) {
    RemoveLastKeepingMemory(CharArrayOf(Text), Asked - static_cast<std::int32_t>(Count));
    Asked = 0;
}

void EngineTextSink::Finish() {
    auto& Units = CharArrayOf(Text);
    if (Units.Num() > 0) {
        // Within the room kept for it: the memory stays where it is.
        Units.GetData()[Units.AddUninitialized(1)] = 0;
    }
}

void EngineTextSink::Clear() noexcept { CharArrayOf(Text).Empty(); }

}  // namespace QVH::detail
