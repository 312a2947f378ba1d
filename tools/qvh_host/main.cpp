// qvh-host: runs the mod inside the stand-in host and plays the Blueprint side, without the game.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "DynamicOutput/Output.hpp"
#include "StandIn/Devices.hpp"
#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ProgramFolder.hpp"
#include "bridge/comms_function_path.hpp"
#include "log/escaped_name.hpp"
#include "text/to_utf8.hpp"
#include "tools/qvh_host/comms_call.hpp"
#include "tools/qvh_host/demo.hpp"
#include "tools/qvh_host/exit_status.hpp"
#include "tools/qvh_host/hosted_mod.hpp"
#include "tools/qvh_host/options.hpp"
#include "tools/qvh_host/output.hpp"
#include "tools/qvh_host/run_check.hpp"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

// Needs windows.h first.
#include <shellapi.h>
#endif

namespace {

using namespace std::chrono_literals;
using QVH::HostTool::Options;

using QVH::HostTool::ExitStatus;

std::filesystem::path ProgramFolder(const char* Argv0) {
    try {
        return StandIn::ProgramFolder();
    } catch (const std::filesystem::filesystem_error&) {
        return std::filesystem::absolute(Argv0).parent_path();
    }
}

// The arguments as UTF-8. Windows hands a program's narrow argv over in the ANSI code page, so
// there they come from the wide command line.
std::vector<std::string> Utf8Arguments(int Argc, char** Argv) {
    std::vector<std::string> Arguments;
#if defined(_WIN32)
    (void)Argc;
    (void)Argv;
    int Count = 0;
    wchar_t** Wide = CommandLineToArgvW(GetCommandLineW(), &Count);
    for (int I = 1; Wide != nullptr && I < Count; ++I) {
        const int Size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, Wide[I], -1, nullptr, 0,
                                             nullptr, nullptr);
        if (Size <= 0) {
            // An unpaired surrogate: a byte that is no UTF-8, so the argument is refused as such.
            Arguments.emplace_back("\xFF");
            continue;
        }
        std::string Utf8(static_cast<std::size_t>(Size), '\0');
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, Wide[I], -1, Utf8.data(), Size, nullptr,
                            nullptr);
        Utf8.resize(Utf8.size() - 1);
        Arguments.push_back(std::move(Utf8));
    }
    LocalFree(Wide);
#else
    for (int I = 1; I < Argc; ++I) {
        Arguments.emplace_back(Argv[I]);
    }
#endif
    return Arguments;
}

ExitStatus RunCommand(const std::filesystem::path& ModPath, const Options& Opts) {
    const auto Delay = Opts.LoadDelay.value_or(0ms);
    std::string Error;
    const auto Mod = QVH::HostTool::HostedMod::StartHooked(
        ModPath, Delay, QVH::HostTool::HookTimeout(Opts, Delay), Error);
    if (!Mod) {
        std::fprintf(stderr, "qvh-host: %s\n", Error.c_str());
        return ExitStatus::Failed;
    }
    QVH::HostTool::CallCommsFunction(
        Opts.CallType, Opts.Payload,
        [&Opts](RC::StringViewType Found) { QVH::HostTool::WritePayload(Found, Opts.Format); });
    return ExitStatus::Done;
}

// The version the mod object carries, as the host would show it: the mod is loaded and started
// for it, and its log goes to stderr as with any command.
ExitStatus RunVersion(const std::filesystem::path& ModPath) {
    std::string Error;
    const auto Mod = QVH::HostTool::HostedMod::Start(ModPath, Error);
    if (!Mod) {
        std::fprintf(stderr, "qvh-host: cannot load the mod: %s\n", Error.c_str());
        return ExitStatus::Failed;
    }
    QVH::HostTool::WriteOutput(QVH::ToUtf8Lossy(Mod->ModVersion()) + "\n");
    return ExitStatus::Done;
}

ExitStatus Run(int Argc, char** Argv) {
    Options Opts;
    Opts.WorkingDirectory = std::filesystem::path(std::u8string(u8"" QVH_SAMPLE_GAME_BINARIES));
    std::string Error;
    if (!QVH::HostTool::ParseOptions(Utf8Arguments(Argc, Argv), Opts, Error)) {
        std::fprintf(stderr, "qvh-host: %s\n%s", Error.c_str(), QVH::HostTool::UsageText().c_str());
        return ExitStatus::UsageError;
    }
    if (Opts.Help) {
        QVH::HostTool::WriteOutput(QVH::HostTool::UsageText());
        return ExitStatus::Done;
    }
    // Resolved before the working directory changes, so a relative --mod means what was typed.
    const std::filesystem::path ModPath = Opts.ModPath.empty()
                                              ? ProgramFolder(Argv[0]) / QVH_MOD_FILE_NAME
                                              : std::filesystem::absolute(Opts.ModPath);
    RC::Output::DefaultTargets::get_default_devices_ref().push_back(
        std::make_unique<StandIn::ConsoleDevice>());
    if (Opts.Version) {
        return RunVersion(ModPath);
    }
    std::error_code CwdError;
    std::filesystem::current_path(Opts.WorkingDirectory, CwdError);
    if (CwdError) {
        std::fprintf(stderr, "qvh-host: --cwd %s: %s\n",
                     QVH::EscapedNameUtf8(Opts.WorkingDirectory.native()).c_str(),
                     CwdError.message().c_str());
        return ExitStatus::UsageError;
    }
    switch (Opts.What) {
        case QVH::HostTool::Command::Demo:
            return QVH::HostTool::RunDemo(ModPath, Opts);
        case QVH::HostTool::Command::Check:
            return QVH::HostTool::RunCheck(ModPath, Opts);
        default:
            return RunCommand(ModPath, Opts);
    }
}

}  // namespace

int main(int Argc, char** Argv) {
#if defined(_WIN32)
    // A line ends in one newline byte on every platform, the Payload's and the log's.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    ExitStatus Status = ExitStatus::Failed;
    try {
        Status = Run(Argc, Argv);
    } catch (const std::exception& Error) {
        // A filesystem error's text quotes its paths, which may hold anything.
        std::fprintf(stderr, "qvh-host: %s\n",
                     QVH::EscapedNameUtf8(std::string_view(Error.what())).c_str());
    }
    // stdout carries the Payload or the report: a run whose output did not all arrive has failed.
    const std::string Lost = QVH::HostTool::CloseOutput();
    if (!Lost.empty()) {
        std::fprintf(stderr, "qvh-host: cannot write the output: %s\n", Lost.c_str());
        return static_cast<int>(ExitStatus::Failed);
    }
    return static_cast<int>(Status);
}
