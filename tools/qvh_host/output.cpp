#include "tools/qvh_host/output.hpp"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace QVH::HostTool {
namespace {

bool Wrote = false;
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
    Wrote = true;
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
    // Nothing was lost when nothing was written: a usage error with stdout closed, say.
    if (!Failed || !Wrote) {
        return {};
    }
    return FirstError != 0 ? std::generic_category().message(FirstError) : "write error";
}

}  // namespace QVH::HostTool
