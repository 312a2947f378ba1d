#include "support/program_folder.hpp"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace qvh_test {

std::filesystem::path ProgramFolder() {
#if defined(_WIN32)
    wchar_t Buffer[MAX_PATH];
    GetModuleFileNameW(nullptr, Buffer, MAX_PATH);
    return std::filesystem::path(Buffer).parent_path();
#else
    return std::filesystem::canonical("/proc/self/exe").parent_path();
#endif
}

}  // namespace qvh_test
