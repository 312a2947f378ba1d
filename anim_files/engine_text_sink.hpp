#pragma once

#include <cstddef>
#include <cstdint>

#include "Unreal/FString.hpp"
#include "anim_files/read_content.hpp"

namespace QVH::detail {

// A read's text written straight into an engine string's own array, with the engine's own calls:
// sized once, as the read expects, and grown (with the engine's slack) only when a piece asks for
// more; the NUL that the count includes always has its room, so ending the text never moves it.
// Until the first Expect, the string keeps what it held. One read, one thread.
class EngineTextSink final : public TextSink {
public:
    explicit EngineTextSink(RC::Unreal::FString& InText) noexcept : Text(InText) {}

    void Expect(std::size_t Units) override;
    RC::CharType* Room(std::size_t Count) override;
    void Wrote(std::size_t Count) override;

    // Ends the text written with its NUL, which makes it the string's; an empty text leaves the
    // count at 0.
    void Finish();
    // Empties the string and gives back its memory. Never throws.
    void Clear() noexcept;
    // Whether the string's old text has been written over.
    bool WroteOver() const noexcept { return Started; }

private:
    RC::Unreal::FString& Text;
    bool Started = false;
    std::int32_t Asked = 0;  // units of room given last, the NUL's included
};

}  // namespace QVH::detail
