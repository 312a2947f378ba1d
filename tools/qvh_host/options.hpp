#pragma once

// qvh-host's command line.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "File/Macros.hpp"

namespace QVH::HostTool {

enum class Command { Demo, List, Read, Call, Check };
// Text for every command; Units for the calls' Payload; Json for the check's report.
enum class PayloadFormat { Text, Units, Json };
// How the NAME or TEXT argument is given: UTF-8 text, or the units as --format units prints them.
enum class PayloadInput { Text, Units };

struct Options {
    std::filesystem::path ModPath;  // empty: the library built beside qvh-host
    std::filesystem::path WorkingDirectory;
    // Unset: none for the commands, a short one for the demo.
    std::optional<std::chrono::milliseconds> LoadDelay;
    // Unset: the load delay plus a few of the mod's one-second lookups.
    std::optional<std::chrono::milliseconds> HookTimeout;
    PayloadFormat Format = PayloadFormat::Text;
    PayloadInput Input = PayloadInput::Text;
    Command What = Command::Demo;
    std::int32_t CallType = 0;
    RC::StringType Payload;  // may hold NULs and lone surrogates, given as units
    bool Help = false;       // -h or --help
    bool Version = false;    // --version
};

// Reads Arguments (UTF-8, without the program name) into Out, starting from Out's values. False,
// with the reason in Error, for a usage error.
bool ParseOptions(const std::vector<std::string>& Arguments, Options& Out, std::string& Error);

// How long to wait for the hook once the widget is loaded after Delay: --hook-timeout, or else a
// margin after Delay, since the hook comes at the mod's first lookup after the load, within about
// a second.
std::chrono::milliseconds HookTimeout(const Options& Opts, std::chrono::milliseconds Delay);

// The usage text, ending in a newline.
std::string UsageText();

}  // namespace QVH::HostTool
