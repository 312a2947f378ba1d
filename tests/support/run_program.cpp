#include "tests/support/run_program.hpp"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#endif

#if !defined(_WIN32)
extern char** environ;
#endif

namespace QVH::Test {
namespace {

// Output goes to files rather than pipes, so a chatty program can never block on a full pipe.
std::filesystem::path OutputFile(const char* Stream) {
    static std::atomic<int> Counter{0};
    const auto Stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::filesystem::temp_directory_path() /
           ("qvh-run-" + std::to_string(Stamp) + "-" + std::to_string(Counter++) + "." + Stream);
}

std::string ReadAndRemove(const std::filesystem::path& Path) {
    std::string Bytes;
    {
        std::ifstream In(Path, std::ios::binary);
        Bytes.assign(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
    }
    std::error_code Ignored;
    std::filesystem::remove(Path, Ignored);
    return Bytes;
}

#if defined(_WIN32)
std::wstring Widen(const std::string& Utf8) {
    if (Utf8.empty()) {
        return {};
    }
    const int Size =
        MultiByteToWideChar(CP_UTF8, 0, Utf8.data(), static_cast<int>(Utf8.size()), nullptr, 0);
    std::wstring Wide(static_cast<std::size_t>(Size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, Utf8.data(), static_cast<int>(Utf8.size()), Wide.data(), Size);
    return Wide;
}

// Quotes one argument so that the C runtime's command-line parser gives it back unchanged.
std::wstring Quoted(const std::wstring& Argument) {
    std::wstring Out = L"\"";
    std::size_t Backslashes = 0;
    for (const wchar_t C : Argument) {
        if (C == L'\\') {
            ++Backslashes;
            continue;
        }
        Out.append(C == L'"' ? Backslashes * 2 + 1 : Backslashes, L'\\');
        Backslashes = 0;
        Out += C;
    }
    Out.append(Backslashes * 2, L'\\');
    return Out + L"\"";
}

int Run(const std::filesystem::path& Program, const std::vector<std::string>& Arguments,
        const std::filesystem::path& OutPath, const std::filesystem::path& ErrPath) {
    std::wstring CommandLine = Quoted(Program.wstring());
    for (const std::string& Argument : Arguments) {
        CommandLine += L" " + Quoted(Widen(Argument));
    }
    SECURITY_ATTRIBUTES Inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE Out = CreateFileW(OutPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &Inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE Err = CreateFileW(ErrPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &Inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW Startup{};
    Startup.cb = sizeof(Startup);
    Startup.dwFlags = STARTF_USESTDHANDLES;
    Startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    Startup.hStdOutput = Out;
    Startup.hStdError = Err;
    PROCESS_INFORMATION Process{};
    const BOOL Started = CreateProcessW(Program.c_str(), CommandLine.data(), nullptr, nullptr, TRUE,
                                        0, nullptr, nullptr, &Startup, &Process);
    CloseHandle(Out);
    CloseHandle(Err);
    if (!Started) {
        throw std::runtime_error("cannot start " + Program.string());
    }
    WaitForSingleObject(Process.hProcess, INFINITE);
    DWORD Code = 0;
    GetExitCodeProcess(Process.hProcess, &Code);
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
    return static_cast<int>(Code);
}
#else
int Run(const std::filesystem::path& Program, const std::vector<std::string>& Arguments,
        const std::filesystem::path& OutPath, const std::filesystem::path& ErrPath) {
    std::vector<std::string> Words{Program.string()};
    Words.insert(Words.end(), Arguments.begin(), Arguments.end());
    std::vector<char*> Argv;
    for (std::string& Word : Words) {
        Argv.push_back(Word.data());
    }
    Argv.push_back(nullptr);

    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_addopen(&Actions, 1, OutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&Actions, 2, ErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t Child = 0;
    const int Error = posix_spawn(&Child, Program.c_str(), &Actions, nullptr, Argv.data(), environ);
    posix_spawn_file_actions_destroy(&Actions);
    if (Error != 0) {
        throw std::runtime_error("cannot start " + Program.string());
    }
    int Status = 0;
    while (waitpid(Child, &Status, 0) < 0) {
        if (errno != EINTR) {
            throw std::runtime_error("cannot wait for " + Program.string());
        }
    }
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
}
#endif

}  // namespace

ProgramResult RunProgram(const std::filesystem::path& Program,
                         const std::vector<std::string>& Arguments) {
    const auto OutPath = OutputFile("out");
    const auto ErrPath = OutputFile("err");
    ProgramResult Result;
    Result.ExitCode = Run(Program, Arguments, OutPath, ErrPath);
    Result.Out = ReadAndRemove(OutPath);
    Result.Err = ReadAndRemove(ErrPath);
    return Result;
}

}  // namespace QVH::Test
