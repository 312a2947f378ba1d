// The hook as the engine calls it, on a throw-away game with a few animation files and secrets
// just outside their folder, with any CallType and any Payload units (lone surrogates and NULs
// inside the string included): nothing escapes, nothing crashes, and Payload is left as it was
// or holds a valid answer: the folder's listing, or one file's content, or the empty string with
// one log line that a name cannot break.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include <unistd.h>

#include "DynamicOutput/Output.hpp"
#include "StandIn/EngineMemory.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "Unreal/FFrame.hpp"
#include "Unreal/UFunctionStructs.hpp"
#include "bridge/comms_call_block.hpp"
#include "bridge/dispatch_comms_call.hpp"
#include "engine/engine_text.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

namespace fs = std::filesystem;

// Counts the lines the mod logs and keeps the last one.
class CountingDevice : public RC::Output::OutputDevice {
public:
    auto receive(RC::StringViewType fmt) const -> void override {
        ++Count;
        Last.assign(fmt);
    }
    mutable int Count = 0;
    mutable RC::StringType Last;
};

struct Game {
    fs::path Root;
    RC::StringType Listing;
    std::set<RC::StringType> Contents;  // each file's content as the Blueprint receives it
    CountingDevice* Log = nullptr;
};

Game& TheGame() {
    static Game Instance;
    return Instance;
}

void Write(const fs::path& Path, std::string_view Bytes) {
    fs::create_directories(Path.parent_path());
    std::ofstream(Path, std::ios::binary).write(Bytes.data(), static_cast<long>(Bytes.size()));
}

RC::StringType Engine(std::u16string_view Text) { return {Text.begin(), Text.end()}; }

void RemoveGame() {
    std::error_code Ignored;
    fs::remove_all(TheGame().Root, Ignored);
}

constexpr std::string_view Secret = "SECRET-OUTSIDE-THE-FOLDER";

bool IsHigh(RC::CharType Unit) { return Unit >= 0xD800 && Unit <= 0xDBFF; }
bool IsLow(RC::CharType Unit) { return Unit >= 0xDC00 && Unit <= 0xDFFF; }

// Half of a surrogate pair whose other half is not there.
bool IsLone(const RC::StringType& Text, std::size_t At) {
    return (IsHigh(Text[At]) && (At + 1 == Text.size() || !IsLow(Text[At + 1]))) ||
           (IsLow(Text[At]) && (At == 0 || !IsHigh(Text[At - 1])));
}

// What ends a line to some reader, or turns the text around it: C0 and C1 controls, the line and
// paragraph separators, the bidirectional controls.
bool BreaksOrTurnsALine(RC::CharType Unit) {
    return Unit < 0x20 || (Unit >= 0x7F && Unit <= 0x9F) || Unit == 0x061C || Unit == 0x200E ||
           Unit == 0x200F || (Unit >= 0x2028 && Unit <= 0x202E) ||
           (Unit >= 0x2066 && Unit <= 0x2069);
}

// Whether a log line is one line, ending in its line feed, which a name could not have broken in
// two or lengthened with a line that looks like the mod's.
bool IsOneLine(const RC::StringType& Line) {
    if (!Line.ends_with(STR("\n"))) {
        return false;
    }
    for (std::size_t At = 0; At + 1 < Line.size(); ++At) {
        if (BreaksOrTurnsALine(Line[At]) || IsLone(Line, At)) {
            return false;
        }
    }
    return true;
}

void Expect(bool Holds, const char* Property, std::int32_t CallType, const RC::StringType& Before,
            const RC::StringType& After) {
    if (!Holds) {
        std::fprintf(stderr, "CallType %d, %d log line(s)\n", static_cast<int>(CallType),
                     TheGame().Log->Count);
        qvh_fuzz::PrintUnits("Payload before", Before);
        qvh_fuzz::PrintUnits("Payload after", After);
        qvh_fuzz::PrintUnits("last log line", TheGame().Log->Last);
        qvh_fuzz::Fail(Property);
    }
}

// Whether Text is a whole engine string: its count its length and the NUL, or 0, and its memory
// the engine allocator's.
bool IsWhole(RC::Unreal::FString& Text) {
    auto& Units = QVH::CharArrayOf(Text);
    const RC::CharType* const First = Units.GetData();
    return Units.Num() == 0 ||
           (StandIn::EngineMemory::Owns(First) &&
            std::find(First, First + Units.Num(), RC::CharType{0}) == First + Units.Num() - 1);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Game& G = TheGame();
    G.Root = fs::temp_directory_path() / ("qvh-fuzz-game-" + std::to_string(::getpid()));
    const fs::path Anim = G.Root / "Content" / "Paks" / "~Mods" / "AnimJSON";
    Write(Anim / "Idle.json", "{\r\n  \"Loop\": true\r\n}\r\n");
    Write(Anim / fs::path(u8"R\u00e9v\u00e9rence.json"), "\xEF\xBB\xBF{\"Bow\": \"\xC3\xA9\"}");
    Write(Anim / "Utf16.json", std::string("\xFF\xFE{\0\r\0\n\0}\0", 10));
    Write(Anim / "Nul.json", std::string("ab\0cd", 5));
    Write(Anim / "Empty.json", "");
    Write(Anim / "Gestures" / "Wave.json", "[1,\r\n2]");
    G.Contents = {Engine(u"{  \"Loop\": true}"),
                  Engine(u"{\"Bow\": \"\u00e9\"}"),
                  Engine(u"{}"),
                  Engine(u"ab"),
                  Engine(u""),
                  Engine(u"[1,2]")};
    // What a name that got out of the folder would find.
    for (const fs::path& Outside :
         {G.Root / "Content" / "Paks" / "~Mods" / "Secret.json", G.Root / "Content" / "Secret.json",
          G.Root / "Secret.json", G.Root / "Binaries" / "Win64" / "Secret.json"}) {
        Write(Outside, Secret);
    }
    for (const auto& Entry : fs::directory_iterator(Anim)) {
        const std::u16string Name = Entry.path().filename().u16string();
        G.Listing += (G.Listing.empty() ? RC::StringType() : Engine(u"|")) + Engine(Name);
    }
    fs::current_path(G.Root / "Binaries" / "Win64");
    std::atexit(RemoveGame);

    auto Device = std::make_unique<CountingDevice>();
    G.Log = Device.get();
    RC::Output::DefaultTargets::get_default_devices_ref().push_back(std::move(Device));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size == 0) {
        return 0;
    }
    // The first byte picks the call: mostly the two services, sometimes any 32-bit CallType.
    std::int32_t CallType = Data[0] % 4 == 0 ? QVH::ListCallType : QVH::ReadCallType;
    std::size_t Used = 1;
    if (Data[0] % 4 == 3 && Size >= 5) {
        std::memcpy(&CallType, Data + 1, sizeof(CallType));
        Used = 5;
    }
    const RC::StringType Before = qvh_fuzz::UnitsOf(Data + Used, Size - Used);
    Game& G = TheGame();
    G.Log->Count = 0;
    G.Log->Last.clear();

    QVH::CommsCallBlock Call(CallType, Before);
    RC::Unreal::FFrame Frame = StandIn::ScriptFrames::For(Call.Data());
    RC::Unreal::UnrealScriptFunctionCallableContext Context(nullptr, Frame, nullptr);
    QVH::DispatchCommsCall(Context, nullptr);

    const RC::StringType After = Call.PayloadUnits();
    const int Lines = G.Log->Count;
    Expect(Call.CallType() == CallType && Call.GuardsIntact(),
           "nothing but Payload is written in the parameter block", CallType, Before, After);
    Expect(After.find(Engine(u"SECRET")) == RC::StringType::npos,
           "nothing outside the animation folder is read", CallType, Before, After);
    if (CallType == QVH::ListCallType) {
        Expect(After == G.Listing && Lines == 0, "CallType 1 gives the listing", CallType, Before,
               After);
    } else if (CallType == QVH::ReadCallType) {
        // The read takes its name from Payload, which ends at its first NUL.
        const RC::StringType Name = Before.substr(0, Before.find(RC::CharType{0}));
        bool WellFormed = true;
        for (std::size_t At = 0; At < Name.size(); ++At) {
            WellFormed = WellFormed && !IsLone(Name, At);
        }
        const RC::StringType& Line = G.Log->Last;
        const bool Content = WellFormed && G.Contents.contains(After) && Lines == 0;
        const bool Refused =
            After.empty() && Lines == 1 && IsOneLine(Line) &&
            Line.starts_with(WellFormed
                                 ? STR("QVH_MotionArchive : ")
                                 : STR("QVH_MotionArchive : Refused a file name that is not valid "
                                       "text: "));
        Expect(IsWhole(Call.Payload()), "a read leaves Payload a whole engine string", CallType,
               Before, After);
        Expect(Content || Refused,
               "CallType 2 gives a file's content, or the empty string and one line (its refusal "
               "for a name that is not valid text)",
               CallType, Before, After);
    } else {
        Expect(After == Before && Lines == 1 &&
                   G.Log->Last ==
                       STR("QVH_MotionArchive : CPPCommsCall received but CallType was invalid.\n"),
               "another CallType keeps Payload and logs one line", CallType, Before, After);
    }
    return 0;
}
