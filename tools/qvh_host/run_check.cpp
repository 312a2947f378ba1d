#include "tools/qvh_host/run_check.hpp"

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "DynamicOutput/Output.hpp"
#include "DynamicOutput/OutputDevice.hpp"
#include "log/log_line.hpp"
#include "text/to_utf8.hpp"
#include "tools/check/check_animation_folder.hpp"
#include "tools/check/check_report.hpp"
#include "tools/qvh_host/comms_call.hpp"
#include "tools/qvh_host/hosted_mod.hpp"
#include "tools/qvh_host/output.hpp"

namespace QVH::HostTool {
namespace {

// The lines the mod logs, kept until taken: beside the console device, so the log still reaches
// stderr whole. The host's own lines are not the mod's: only lines with the mod's prefix are
// kept.
class LogCapture : public RC::Output::OutputDevice {
public:
    auto receive(RC::StringViewType Text) const -> void override {
        if (!Text.starts_with(QVH::LogPrefix)) {
            return;
        }
        std::string Line = QVH::ToUtf8Lossy(Text);
        // A line may come with its line feed; what is quoted is the line's text.
        if (Line.ends_with('\n')) {
            Line.pop_back();
        }
        const std::scoped_lock Lock(Mutex);
        Lines.push_back(std::move(Line));
    }

    std::vector<std::string> Take() {
        const std::scoped_lock Lock(Mutex);
        return std::exchange(Lines, {});
    }

private:
    mutable std::mutex Mutex;
    mutable std::vector<std::string> Lines;
};

}  // namespace

ExitStatus RunCheck(const std::filesystem::path& ModPath, const Options& Opts) {
    auto Capture = std::make_unique<LogCapture>();
    LogCapture& Log = *Capture;
    // The host owns its devices; this one stays until qvh-host exits.
    RC::Output::DefaultTargets::get_default_devices_ref().push_back(std::move(Capture));
    const auto Delay = Opts.LoadDelay.value_or(std::chrono::milliseconds(0));
    std::string Error;
    const auto Mod = HostedMod::StartHooked(ModPath, Delay, HookTimeout(Opts, Delay), Error);
    if (!Mod) {
        std::fprintf(stderr, "qvh-host: %s\n", Error.c_str());
        return ExitStatus::Failed;
    }
    const Check::CheckReport Report =
        Check::CheckAnimationFolder([&Log](std::int32_t CallType, const RC::StringType& Payload) {
            Log.Take();
            RC::StringType Found = CallCommsFunction(CallType, Payload);
            return Check::CommsCallResult{std::move(Found), Log.Take()};
        });
    // Written in pieces of about this size: the whole report may be far larger than the check.
    constexpr std::size_t PieceSize = 64 * 1024;
    std::string Piece;
    const Check::ReportSink Write = [&Piece](std::string_view Text) {
        Piece += Text;
        if (Piece.size() >= PieceSize) {
            WriteOutput(Piece);
            Piece.clear();
        }
    };
    if (Opts.Format == PayloadFormat::Json) {
        Check::WriteJsonReport(Report, Write);
    } else {
        Check::WriteTextReport(Report, Write);
    }
    WriteOutput(Piece);
    return Report.Count(Check::FindingKind::Error) > 0 ? ExitStatus::CheckFoundErrors
                                                       : ExitStatus::Done;
}

}  // namespace QVH::HostTool
