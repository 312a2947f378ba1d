#include "tools/check/check_names.hpp"

#include <cstdio>
#include <string_view>
#include <vector>

#include "StandIn/Devices.hpp"
#include "tools/check/utf8.hpp"

namespace QVH::HostTool {
namespace {

struct NameCharacter {
    char32_t Code = 0;  // U+FFFD when not WellFormed
    bool WellFormed = true;
    std::string Shown;
};

std::string Escape(const char* Format, unsigned Value) {
    char Text[16];
    std::snprintf(Text, sizeof(Text), Format, Value);
    return Text;
}

bool IsControl(char32_t Code) { return Code < 0x20 || Code == 0x7F; }

NameCharacter Character(char32_t Code) {
    NameCharacter C{Code, true, {}};
    if (IsControl(Code)) {
        C.Shown = Escape("\\x%02X", static_cast<unsigned>(Code));
    } else {
        AppendUtf8(C.Shown, Code);
    }
    return C;
}

std::vector<NameCharacter> Characters(const NativeName& Name) {
    std::vector<NameCharacter> Out;
#if defined(_WIN32)
    for (std::size_t At = 0; At < Name.size(); ++At) {
        const char32_t Unit = static_cast<char16_t>(Name[At]);
        if (Unit >= 0xD800 && Unit <= 0xDBFF && At + 1 < Name.size() && Name[At + 1] >= 0xDC00 &&
            Name[At + 1] <= 0xDFFF) {
            Out.push_back(Character(0x10000 + ((Unit - 0xD800) << 10) + (Name[At + 1] - 0xDC00)));
            ++At;
        } else if (Unit >= 0xD800 && Unit <= 0xDFFF) {
            Out.push_back({0xFFFD, false, Escape("\\u%04X", static_cast<unsigned>(Unit))});
        } else {
            Out.push_back(Character(Unit));
        }
    }
#else
    for (std::size_t At = 0; At < Name.size();) {
        const Utf8Step Step = NextUtf8(Name, At, false);
        if (Step.WellFormed) {
            Out.push_back(Character(Step.Code));
        } else {
            NameCharacter C{0xFFFD, false, {}};
            for (std::size_t K = 0; K < Step.Length; ++K) {
                C.Shown += Escape("\\x%02X", static_cast<unsigned char>(Name[At + K]));
            }
            Out.push_back(C);
        }
        At += Step.Length;
    }
#endif
    return Out;
}

// How a character is named in a message: itself, or its code point when it cannot be seen.
std::string CharacterInText(char32_t Code) {
    if (IsControl(Code)) {
        return Escape("U+%04X", static_cast<unsigned>(Code));
    }
    std::string Text = "'";
    AppendUtf8(Text, Code);
    return Text + "'";
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
        if (Code >= 0x80) {
            return false;
        }
        Upper += static_cast<char>(Code >= 'a' && Code <= 'z' ? Code - 'a' + 'A' : Code);
    }
    if (Upper == "CON" || Upper == "PRN" || Upper == "AUX" || Upper == "NUL" || Upper == "CONIN$" ||
        Upper == "CONOUT$") {
        return true;
    }
    return Upper.size() == 4 && (Upper.starts_with("COM") || Upper.starts_with("LPT")) &&
           Upper[3] >= '1' && Upper[3] <= '9';
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
        Out.Error("name-windows-character",
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
            Device += static_cast<char>(Code);
        }
        Out.Error("name-device", "Windows opens this name as the device " + Device +
                                     ", not as a file: the game reads nothing from it");
    }

    if (!Codes.empty() && (Codes.back() == U'.' || Codes.back() == U' ')) {
        Out.Error("name-trailing-dot-or-space",
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
    RC::StringType Listed;
    for (const NameCharacter& C : Characters(Name)) {
        if (C.Code >= 0x10000) {
            Listed += static_cast<RC::CharType>(0xD800 + ((C.Code - 0x10000) >> 10));
            Listed += static_cast<RC::CharType>(0xDC00 + (C.Code & 0x3FF));
        } else {
            Listed += static_cast<RC::CharType>(C.Code);
        }
    }
    return Listed;
#endif
}

std::string ShownName(const NativeName& Name) {
    std::string Shown;
    for (const NameCharacter& C : Characters(Name)) {
        Shown += C.Shown;
    }
    return Shown;
}

void CheckName(const NativeName& Name, bool Listed, EntryFindings& Out) {
    const std::vector<NameCharacter> Chars = Characters(Name);
    std::u32string Codes;
    bool WellFormed = true;
    for (const NameCharacter& C : Chars) {
        Codes += C.Code;
        WellFormed = WellFormed && C.WellFormed;
    }
    const std::string Game = StandIn::ToDisplayUtf8(ListedName(Name));
    if (!WellFormed) {
#if defined(_WIN32)
        Out.Error("name-not-utf8",
                  "the name is not valid UTF-16, so it has no UTF-8 form; the "
                  "game sees it as " +
                      Quoted(Game));
#else
        Out.Error("name-not-utf8", "the name's bytes are not UTF-8; the game sees it as " +
                                       Quoted(Game) + ", which is not its name on disk");
#endif
    }
    const bool Split = Listed && Codes.find(U'|') != std::u32string::npos;
    if (Split) {
        std::vector<std::string> Pieces;
        for (std::size_t Start = 0;;) {
            const std::size_t Bar = Game.find('|', Start);
            Pieces.push_back(Quoted(Game.substr(Start, Bar - Start)));
            if (Bar == std::string::npos) {
                break;
            }
            Start = Bar + 1;
        }
        Out.Error("name-bar", "the listing splits the name at '|' into " + ListInText(Pieces) +
                                  ", so the Blueprint never gets this name (nor can Windows hold "
                                  "it)");
    }
    CheckWindowsRules(Codes, Split, Out);
}

}  // namespace QVH::HostTool
