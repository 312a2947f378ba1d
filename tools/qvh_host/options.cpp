#include "tools/qvh_host/options.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "bridge/comms_call_params.hpp"
#include "log/escaped_name.hpp"
#include "text/from_utf8.hpp"
#include "text/utf8_sequence.hpp"
#include "tools/check/quoted.hpp"

namespace QVH::HostTool {
namespace {

// Longer than anyone waits for a widget; keeps the conversion to milliseconds in range.
constexpr double MaxSeconds = 24 * 60 * 60;

bool ParseSeconds(std::string_view Text, std::chrono::milliseconds& Out) {
    double Seconds = 0;
    const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Seconds);
    if (Text.empty() || Error != std::errc() || End != Text.data() + Text.size() ||
        !std::isfinite(Seconds) || Seconds < 0 || Seconds > MaxSeconds) {
        return false;
    }
    Out = std::chrono::milliseconds(std::llround(Seconds * 1000));
    return true;
}

bool ParseCallType(std::string_view Text, std::int32_t& Out) {
    const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Out);
    return !Text.empty() && Error == std::errc() && End == Text.data() + Text.size();
}

// Space-separated four-digit hex UTF-16 units ("0068 00e9", as --format units prints them), so
// any engine string can be given: lone surrogates and NULs too.
bool ParseUnits(std::string_view Text, RC::StringType& Out) {
    Out.clear();
    for (std::size_t At = Text.find_first_not_of(' '); At != std::string_view::npos;
         At = Text.find_first_not_of(' ', At)) {
        const std::size_t End = std::min(Text.find(' ', At), Text.size());
        unsigned Unit = 0;
        const auto [Stop, Error] = std::from_chars(Text.data() + At, Text.data() + End, Unit, 16);
        if (End - At != 4 || Error != std::errc() || Stop != Text.data() + End) {
            return false;
        }
        Out += static_cast<RC::CharType>(Unit);
        At = End;
    }
    return true;
}

std::filesystem::path PathFromUtf8(const std::string& Text) {
    return std::filesystem::path(std::u8string(Text.begin(), Text.end()));
}

// A check reports in text or JSON; the other commands print a Payload as text or units.
bool CheckFormat(const Options& Opts, std::string& Error) {
    if (Opts.What == Command::Check && Opts.Format == PayloadFormat::Units) {
        Error = "check takes --format text or json";
        return false;
    }
    if (Opts.What != Command::Check && Opts.Format == PayloadFormat::Json) {
        Error = "--format json is for check only";
        return false;
    }
    return true;
}

struct NamedOption {
    std::string_view Name;
    bool TakesValue;
};

constexpr NamedOption KnownOptions[] = {
    {"--mod", true},          {"--cwd", true},    {"--load-delay", true},
    {"--hook-timeout", true}, {"--format", true}, {"--input", true},
    {"--help", false},        {"-h", false},      {"--version", false},
};

const NamedOption* FindOption(std::string_view Name) {
    for (const NamedOption& Option : KnownOptions) {
        if (Option.Name == Name) {
            return &Option;
        }
    }
    return nullptr;
}

// Whether Argument is an option rather than a command or its argument: "-" is not, nor is a
// negative number ("call -1").
bool LooksLikeOption(std::string_view Argument) {
    return Argument.size() > 1 && Argument[0] == '-' && (Argument[1] < '0' || Argument[1] > '9');
}

// Sets the option Name, which takes a value, to Value.
bool SetOption(const std::string& Name, const std::string& Value, Options& Out,
               std::string& Error) {
    std::chrono::milliseconds Duration{};
    if (Name == "--mod") {
        // An empty path would mean the built-in library, which is not what was asked for.
        if (Value.empty()) {
            Error = "--mod takes the path of a mod library, not an empty one";
            return false;
        }
        Out.ModPath = PathFromUtf8(Value);
    } else if (Name == "--cwd") {
        Out.WorkingDirectory = PathFromUtf8(Value);
    } else if (Name == "--load-delay" || Name == "--hook-timeout") {
        if (!ParseSeconds(Value, Duration)) {
            Error = Name + " takes a number of seconds from 0 to 86400, not " +
                    Check::Quoted(EscapedNameUtf8(Value));
            return false;
        }
        (Name == "--load-delay" ? Out.LoadDelay : Out.HookTimeout) = Duration;
    } else if (Name == "--format") {
        if (Value != "text" && Value != "units" && Value != "json") {
            Error =
                "--format takes text, units or json, not " + Check::Quoted(EscapedNameUtf8(Value));
            return false;
        }
        Out.Format = Value == "text"    ? PayloadFormat::Text
                     : Value == "units" ? PayloadFormat::Units
                                        : PayloadFormat::Json;
    } else {
        if (Value != "text" && Value != "units") {
            Error = "--input takes text or units, not " + Check::Quoted(EscapedNameUtf8(Value));
            return false;
        }
        Out.Input = Value == "text" ? PayloadInput::Text : PayloadInput::Units;
    }
    return true;
}

// The NAME or TEXT argument, as --input says it is given.
bool SetPayload(const std::string& Given, Options& Out, std::string& Error) {
    if (Out.Input == PayloadInput::Units) {
        if (!ParseUnits(Given, Out.Payload)) {
            Error = "--input units takes four-digit hex units separated by spaces, not " +
                    Check::Quoted(EscapedNameUtf8(Given));
            return false;
        }
        return true;
    }
    // Text typed for the Blueprint must arrive exactly as typed, so nothing is patched.
    if (!IsWellFormedUtf8(Given)) {
        Error = "the Payload text is not valid UTF-8: " + Check::Quoted(EscapedNameUtf8(Given));
        return false;
    }
    Out.Payload = FromUtf8(Given);
    return true;
}

// The command and its arguments.
bool ParseCommand(const std::vector<std::string>& Positional, Options& Out, std::string& Error) {
    if (Positional.empty()) {
        return CheckFormat(Out, Error);
    }
    const std::string& Name = Positional[0];
    std::size_t Expected = 1;
    if (Name == "list") {
        Out.What = Command::List;
        Out.CallType = ListCallType;
    } else if (Name == "read") {
        if (Positional.size() < 2) {
            Error = "read needs a file NAME";
            return false;
        }
        Out.What = Command::Read;
        Out.CallType = ReadCallType;
        Expected = 2;
    } else if (Name == "call") {
        if (Positional.size() < 2 || !ParseCallType(Positional[1], Out.CallType)) {
            Error = "call needs a TYPE from -2147483648 to 2147483647";
            return false;
        }
        Out.What = Command::Call;
        Expected = Positional.size() > 2 ? 3 : 2;
    } else if (Name == "check") {
        Out.What = Command::Check;
    } else {
        Error = "unknown command " + Check::Quoted(EscapedNameUtf8(Name));
        return false;
    }
    if (Positional.size() > Expected) {
        Error = "unexpected argument " + Check::Quoted(EscapedNameUtf8(Positional[Expected]));
        return false;
    }
    if ((Expected == 3 || Out.What == Command::Read) &&
        !SetPayload(Positional[Expected - 1], Out, Error)) {
        return false;
    }
    return CheckFormat(Out, Error);
}

}  // namespace

std::chrono::milliseconds HookTimeout(const Options& Opts, std::chrono::milliseconds Delay) {
    return Opts.HookTimeout.value_or(Delay + std::chrono::seconds(3));
}

std::string UsageText() {
    return "usage: qvh-host [--mod PATH] [--cwd DIR] [--load-delay SECONDS]\n"
           "                [--hook-timeout SECONDS] [--format text|units|json]\n"
           "                [--input text|units] [COMMAND]\n"
           "       qvh-host -h|--help|--version\n"
           "  list              one CPPCommsCall with CallType 1\n"
           "  read NAME         one CPPCommsCall with CallType 2 and Payload NAME\n"
           "  call TYPE [TEXT]  one CPPCommsCall with any CallType and Payload TEXT\n"
           "  check             what the game will make of each animation file (text or json)\n"
           "  (no command)      the demo: the whole life of the mod on the sample game\n"
           "--input units: NAME and TEXT as --format units prints them (\"0068 00e9\").\n"
           "--version: the version the mod gives (it is loaded and started for it).\n"
           "A NAME or TEXT that starts with '-' goes after \"--\".\n"
           "stdout: the Payload the Blueprint finds after each call, or the check's report;\n"
           "stderr: the log. check exits with 3 when it finds an error.\n";
}

bool ParseOptions(const std::vector<std::string>& Arguments, Options& Out, std::string& Error) {
    std::vector<std::string> Positional;
    bool OptionsEnded = false;
    for (std::size_t I = 0; I < Arguments.size(); ++I) {
        std::string Argument = Arguments[I];
        if (OptionsEnded || !LooksLikeOption(Argument)) {
            Positional.push_back(Argument);
            continue;
        }
        if (Argument == "--") {
            OptionsEnded = true;
            continue;
        }
        // Both "--name VALUE" and "--name=VALUE".
        std::optional<std::string> Value;
        if (const auto Equals = Argument.find('=');
            Argument.starts_with("--") && Equals != std::string::npos) {
            Value = Argument.substr(Equals + 1);
            Argument.resize(Equals);
        }
        // Told apart before any value is taken, wherever it stands.
        const NamedOption* const Option = FindOption(Argument);
        if (Option == nullptr) {
            Error = "unknown option " + Check::Quoted(EscapedNameUtf8(Argument));
            return false;
        }
        if (!Option->TakesValue) {
            if (Value) {
                Error = Argument + " takes no value";
                return false;
            }
            (Argument == "--version" ? Out.Version : Out.Help) = true;
            continue;
        }
        if (!Value && I + 1 == Arguments.size()) {
            Error = Argument + " needs a value";
            return false;
        }
        if (!SetOption(Argument, Value ? *Value : Arguments[++I], Out, Error)) {
            return false;
        }
    }
    return Out.Help || Out.Version || ParseCommand(Positional, Out, Error);
}

}  // namespace QVH::HostTool
