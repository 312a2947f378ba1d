#include "tools/check/check_names.hpp"

#include <string_view>
#include <vector>

#include "anim_files/listing_separator.hpp"
#include "log/escaped_name.hpp"
#include "text/from_utf8.hpp"
#include "text/to_utf8.hpp"
#include "text/unicode.hpp"
#include "text/utf16_character.hpp"
#include "text/utf8_sequence.hpp"
#include "tools/check/quoted.hpp"

namespace QVH::Check {
namespace {

bool IsControl(char32_t Code) { return Code < 0x20 || Code == 0x7F; }

// The name's characters, each one that is not well-formed (bytes that are not UTF-8, an
// unpaired surrogate) as U+FFFD; and whether all were.
std::u32string Characters(const NativeName& Name, bool& WellFormed) {
    std::u32string Out;
    WellFormed = true;
#if defined(_WIN32)
    const RC::StringViewType Units(Name);
    for (std::size_t At = 0; At < Units.size();) {
        const Utf16Character Character =
            ReadUtf16Character(Units[At], At + 1 < Units.size() ? Units[At + 1] : 0);
        Out += Character.WellFormed ? Character.Code : Replacement;
        WellFormed = WellFormed && Character.WellFormed;
        At += Character.Units;
    }
#else
    const auto* In = reinterpret_cast<const unsigned char*>(Name.data());
    const auto* const End = In + Name.size();
    while (In != End) {
        const Utf8Sequence Sequence = ReadUtf8Sequence<false>(In, End);
        Out += Sequence.Code;
        WellFormed = WellFormed && Sequence.WellFormed;
        In = Sequence.End;
    }
#endif
    return Out;
}

// How a character is named in a message: itself between quotes, or, when it cannot be seen, its
// code point as a name shows it.
std::string CharacterInText(char32_t Code) {
    std::string Text;
    AppendUtf8(Text, Code);
    return IsControl(Code) ? EscapedNameUtf8(Text) : "'" + Text + "'";
}

std::string ListInText(const std::vector<std::string>& Items) {
    std::string Text;
    for (std::size_t I = 0; I < Items.size(); ++I) {
        Text += I == 0 ? "" : I + 1 == Items.size() ? " and " : ", ";
        Text += Items[I];
    }
    return Text;
}

bool IsDeviceStem(std::u32string_view Stem) {
    std::string Upper;
    for (const char32_t Code : Stem) {
        Upper += static_cast<char>(Code >= 'a' && Code <= 'z' ? Code - 'a' + 'A' : Code);
    }
    if (Upper == "CON" || Upper == "PRN" || Upper == "AUX" || Upper == "NUL" || Upper == "CONIN$" ||
        Upper == "CONOUT$") {
        return true;
    }
    // The ports take the superscript digits one to three too.
    return Stem.size() == 4 && (Upper.starts_with("COM") || Upper.starts_with("LPT")) &&
           ((Stem[3] >= '1' && Stem[3] <= '9') || Stem[3] == U'\u00B9' || Stem[3] == U'\u00B2' ||
            Stem[3] == U'\u00B3');
}

void CheckWindowsRules(const std::u32string& Codes, bool BarReported, EntryFindings& Out) {
    constexpr std::u32string_view Forbidden = U"<>:\"\\|?*";
    std::u32string Seen;
    std::vector<std::string> Shown;
    for (const char32_t Code : Codes) {
        const bool Bad = Code < 0x20 || Forbidden.find(Code) != Forbidden.npos;
        if (Bad && !(Code == '|' && BarReported) && Seen.find(Code) == Seen.npos) {
            Seen += Code;
            Shown.push_back(CharacterInText(Code));
        }
    }
    if (!Shown.empty()) {
        Out.Add(FindingId::NameWindowsCharacter,
                "Windows cannot hold a name with " + ListInText(Shown) + " in it");
    }

    // Windows takes such a name for a device in any folder, whatever follows its first dot.
    std::u32string_view Stem(Codes);
    Stem = Stem.substr(0, Stem.find(U'.'));
    while (!Stem.empty() && Stem.back() == U' ') {
        Stem.remove_suffix(1);
    }
    if (IsDeviceStem(Stem)) {
        std::string Device;
        for (const char32_t Code : Stem) {
            AppendUtf8(Device, Code);
        }
        Out.Add(FindingId::NameDevice, "Windows opens this name as the device " + Device +
                                           ", not as a file: the game reads nothing from it");
    }

    if (!Codes.empty() && (Codes.back() == U'.' || Codes.back() == U' ')) {
        Out.Add(FindingId::NameTrailingDotOrSpace,
                std::string("Windows cannot hold a name that ends in a ") +
                    (Codes.back() == U'.' ? "dot" : "space") +
                    ": it drops it, and the game looks for another name");
    }
}

}  // namespace

RC::StringType ListedName(const NativeName& Name) {
#if defined(_WIN32)
    return RC::StringType(Name.begin(), Name.end());
#else
    return FromUtf8(Name);
#endif
}

void CheckName(const NativeName& Name, bool Listed, EntryFindings& Out) {
    bool WellFormed = true;
    const std::u32string Codes = Characters(Name, WellFormed);
    const RC::StringType AsListed = ListedName(Name);
    const std::string Game = EscapedNameUtf8(AsListed);
    if (!WellFormed) {
#if defined(_WIN32)
        Out.Add(FindingId::NameIllFormed,
                "the name is not valid UTF-16, so it has no UTF-8 form; the "
                "game sees it as " +
                    Quoted(Game));
#else
        Out.Add(FindingId::NameIllFormed, "the name's bytes are not UTF-8; the game sees it as " +
                                              Quoted(Game) + ", which is not its name on disk");
#endif
    }
    const bool Split = Listed && Codes.find(U'|') != std::u32string::npos;
    if (Split) {
        std::vector<std::string> Pieces;
        for (const RC::StringViewType Piece : SplitListing(AsListed)) {
            Pieces.push_back(Quoted(EscapedNameUtf8(Piece)));
        }
        Out.Add(FindingId::NameBar,
                "the listing splits the name at '|' into " + ListInText(Pieces) +
                    ", so the Blueprint never gets this name (nor can Windows hold "
                    "it)");
    }
    CheckWindowsRules(Codes, Split, Out);
}

}  // namespace QVH::Check
