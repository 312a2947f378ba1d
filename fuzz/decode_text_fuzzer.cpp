// The content decoder against the reference decoder of tests/support: the same units for every
// file, whole or read in pieces (and up to the first NUL when the pieces stop there, as a read
// does), for the plain UTF-8 decoder of names and error texts, and for the scalar loop and the
// vector loop, which must never write past one unit per byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.hpp"
#include "tests/support/reference_decoder.hpp"
#include "text/content_decoder.hpp"
#include "text/from_utf8.hpp"

namespace {

using QVH::Test::ReferenceFile;
using QVH::Test::ReferenceUtf8;
using QVH::Test::WithoutLineBreaks;

void Expect(bool Holds, const char* Property, std::string_view Input, RC::StringViewType Expected,
            RC::StringViewType Got) {
    if (!Holds) {
        qvh_fuzz::PrintBytes("input", Input);
        qvh_fuzz::PrintUnits("expected", Expected);
        qvh_fuzz::PrintUnits("got", Got);
        qvh_fuzz::Fail(Property);
    }
}

RC::StringType Engine(const std::u16string& Text) { return {Text.begin(), Text.end()}; }

// The file decoded at once, as one piece.
RC::StringType DecodeWhole(std::string_view Bytes) {
    std::vector<RC::CharType> Units(QVH::ContentDecoder::MaxUnits(Bytes.size()));
    const std::size_t Written =
        QVH::ContentDecoder().Decode(std::span(Bytes.data(), Bytes.size()), true, Units.data());
    return {Units.data(), Written};
}

// The file decoded as a read decodes it: in pieces of 1 to 8 bytes, lengths taken from the bytes
// themselves, each in a buffer of its own with just the room for the kept bytes before it, and
// the end told by one more, empty, piece. With StopAtNul, as a read does, nothing from the first
// NUL that BytesBeforeNul finds on.
RC::StringType DecodeInPieces(std::string_view Bytes, bool StopAtNul) {
    using QVH::ContentDecoder;
    constexpr std::size_t Room = ContentDecoder::MaxKeptBytes;
    ContentDecoder Decoder;
    RC::StringType Text;
    std::size_t Start = 0;
    for (bool Last = false; !Last;) {
        const std::size_t Size = std::min<std::size_t>(
            Bytes.size() - Start,
            Start < Bytes.size() ? 1 + static_cast<unsigned char>(Bytes[Start]) % 8 : 0);
        Last = Size == 0;
        std::vector<char> Buffer(Room + Size);
        std::copy_n(Bytes.data() + Start, Size, Buffer.data() + Room);
        const std::span<const char> Piece = Decoder.Resume(Buffer.data() + Room, Size);
        const std::size_t TextBytes = StopAtNul ? Decoder.BytesBeforeNul(Piece) : Piece.size();
        Last = Last || TextBytes < Piece.size();
        std::vector<RC::CharType> Units(ContentDecoder::MaxUnits(TextBytes));
        Text.append(Units.data(), Decoder.Decode(Piece.first(TextBytes), Last, Units.data()));
        Start += Size;
    }
    return Text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string_view Bytes(reinterpret_cast<const char*>(Data), Size);

    const RC::StringType File = Engine(ReferenceFile(Bytes));
    const RC::StringType Whole = DecodeWhole(Bytes);
    Expect(Whole == File, "a whole file gives the reference's units", Bytes, File, Whole);

    const RC::StringType Pieces = DecodeInPieces(Bytes, false);
    Expect(Pieces == File, "a file read in pieces gives the reference's units", Bytes, File,
           Pieces);
    const RC::StringType Text = File.substr(0, File.find(RC::CharType{0}));
    const RC::StringType UpToNul = DecodeInPieces(Bytes, true);
    Expect(UpToNul == Text,
           "a file read in pieces up to its first NUL gives the reference's units before it", Bytes,
           Text, UpToNul);

    const RC::StringType Plain = Engine(ReferenceUtf8(Bytes));
    const RC::StringType Utf8 = QVH::FromUtf8(Bytes);
    Expect(Utf8 == Plain, "FromUtf8 gives the reference's units", Bytes, Plain, Utf8);

    // The loops write into a buffer of exactly one unit per byte; guard units after it must stay.
    const RC::StringType Stripped = Engine(ReferenceUtf8(WithoutLineBreaks(Bytes)));
    constexpr RC::CharType Guard = 0xA5A5;
    constexpr std::size_t Guards = 8;
    std::vector<RC::CharType> Out;
    static const std::vector<QVH::detail::NamedUtf8Decoder> Decoders = [] {
        std::vector<QVH::detail::NamedUtf8Decoder> All = QVH::detail::Utf8DecodersOfThisBuild();
        All.push_back({"in use", QVH::detail::DecodeUtf8Units});
        return All;
    }();
    for (const bool SkipLineBreaks : {false, true}) {
        const RC::StringType& Expected = SkipLineBreaks ? Stripped : Plain;
        for (const auto& [Name, Decode] : Decoders) {
            Out.assign(Size + Guards, Guard);
            const std::size_t Written = Decode(Data, Size, Out.data(), SkipLineBreaks);
            const RC::StringViewType Got(Out.data(), std::min(Written, Size));
            Expect(Written <= Size && Got == Expected &&
                       std::count(Out.begin() + static_cast<std::ptrdiff_t>(Size), Out.end(),
                                  Guard) == Guards,
                   "the UTF-8 loops give the reference's units within one unit per byte", Bytes,
                   Expected, Got);
        }
    }
    return 0;
}
