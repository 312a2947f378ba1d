#include "tools/output.hpp"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace QVH::HostTool {
namespace {

bool Failed = false;
int FirstError = 0;

void RememberFailure() {
    if (!Failed) {
        Failed = true;
        FirstError = errno;
    }
}

}  // namespace

void WriteOutput(std::string_view Text) {
    errno = 0;
    if (std::fwrite(Text.data(), 1, Text.size(), stdout) != Text.size() ||
        std::fflush(stdout) != 0) {
        RememberFailure();
    }
}

std::string CloseOutput() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        RememberFailure();
    }
    errno = 0;
    if (std::fclose(stdout) != 0) {
        RememberFailure();
    }
    if (!Failed) {
        return {};
    }
    return FirstError != 0 ? std::generic_category().message(FirstError) : "write error";
}

}  // namespace QVH::HostTool
