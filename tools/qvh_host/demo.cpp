#include "tools/qvh_host/demo.hpp"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "StandIn/ObjectRegistry.hpp"
#include "anim_files/animation_folder.hpp"
#include "anim_files/listing_separator.hpp"
#include "bridge/comms_call_params.hpp"
#include "bridge/comms_function_path.hpp"
#include "log/escaped_name.hpp"
#include "text/from_utf8.hpp"
#include "text/to_utf8.hpp"
#include "text/utf8_sequence.hpp"
#include "tools/check/quoted.hpp"
#include "tools/qvh_host/comms_call.hpp"
#include "tools/qvh_host/hosted_mod.hpp"
#include "tools/qvh_host/output.hpp"

namespace QVH::HostTool {
namespace {

using namespace std::chrono_literals;

// Long enough to see the mod wait for the widget, short enough not to bore.
constexpr auto DemoLoadDelay = 500ms;

void Say(const std::string& Line) {
    std::fprintf(stderr, "qvh-host: %s\n", Line.c_str());
    std::fflush(stderr);
}

std::string Seconds(std::chrono::milliseconds Duration) {
    char Text[32];
    std::snprintf(Text, sizeof(Text), "%.1f s", static_cast<double>(Duration.count()) / 1000);
    return Text;
}

// Makes the call as the widget would and shows what it finds in Payload.
RC::StringType Call(std::int32_t CallType, const RC::StringType& Payload, const Options& Opts) {
    Say("the widget calls CPPCommsCall(" + std::to_string(CallType) + ", " +
        Check::Quoted(EscapedNameUtf8(Payload)) + "); the Blueprint body finds in Payload:");
    RC::StringType Found = CallCommsFunction(CallType, Payload);
    WriteOutput(FormatPayload(Found, Opts.Format));
    return Found;
}

// The names the widget would ask for: each listed file, and the files of each listed sub-folder
// as "Folder/File", which the listing itself does not show.
std::vector<RC::StringType> NamesToRead(const RC::StringType& Listing) {
    const std::filesystem::path Folder(AnimationFolder);
    std::vector<RC::StringType> Names;
    for (const RC::StringViewType Piece : SplitListing(Listing)) {
        const RC::StringType Entry(Piece);
        const std::string Utf8 = QVH::ToUtf8Lossy(Entry);
        std::error_code Error;
        const auto Path = Folder / std::filesystem::path(std::u8string(Utf8.begin(), Utf8.end()));
        if (!std::filesystem::is_directory(Path, Error)) {
            Names.push_back(Entry);
            continue;
        }
        std::vector<RC::StringType> Inner;
        for (const auto& File : std::filesystem::directory_iterator(Path, Error)) {
            const std::u8string Name = File.path().filename().u8string();
            const std::string_view Bytes(reinterpret_cast<const char*>(Name.data()), Name.size());
            if (File.is_regular_file(Error) && IsWellFormedUtf8(Bytes)) {
                Inner.push_back(Entry + STR("/") + FromUtf8(Bytes));
            }
        }
        std::sort(Inner.begin(), Inner.end());
        Names.insert(Names.end(), Inner.begin(), Inner.end());
    }
    return Names;
}

}  // namespace

ExitStatus RunDemo(const std::filesystem::path& ModPath, const Options& Opts) {
    const auto Delay = Opts.LoadDelay.value_or(DemoLoadDelay);
    const auto Limit = HookTimeout(Opts, Delay);
    std::error_code Ignored;
    Say("the game's working directory is " +
        EscapedNameUtf8(std::filesystem::current_path(Ignored).native()));
    Say("loading " + EscapedNameUtf8(ModPath.native()) + " and calling start_mod");
    std::string Error;
    auto Mod = HostedMod::Start(ModPath, Error);
    if (!Mod) {
        Say("cannot load the mod: " + Error);
        return ExitStatus::Failed;
    }
    StandIn::MakeFindableAfter(QVH::CommsFunctionPathView, Delay);
    const auto Ready = std::chrono::steady_clock::now();
    Say("engine ready; the game loads the widget QVH_SuperWidget in " + Seconds(Delay) +
        ", and the mod looks for its CPPCommsCall meanwhile");
    Mod->EngineReady();
    if (!HostedMod::WaitForHook(Limit)) {
        Say("the mod did not hook CPPCommsCall within " + Seconds(Limit));
        return ExitStatus::Failed;
    }
    Say("CPPCommsCall hooked " +
        Seconds(std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - Ready)) +
        " after engine ready");

    const RC::StringType Listing = Call(ListCallType, STR(""), Opts);
    for (const RC::StringType& Name : NamesToRead(Listing)) {
        Call(ReadCallType, Name, Opts);
    }
    Call(7, STR("not for the mod"), Opts);

    Say("uninstall_mod, then the host frees the library, as a restart of all mods does");
    Mod.reset();
    return ExitStatus::Done;
}

}  // namespace QVH::HostTool
