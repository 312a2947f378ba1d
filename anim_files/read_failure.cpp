#include "anim_files/read_failure.hpp"

namespace QVH {

RC::StringViewType ReadFailureWords(ReadFailure Failure) {
    switch (Failure) {
        case ReadFailure::Missing:
            return STR("Animation file not found");
        case ReadFailure::Folder:
            return STR("Animation file is a folder");
        case ReadFailure::Device:
            return STR("Animation file name names a device, not a file");
        case ReadFailure::TooLarge:
            return STR("Animation file too large for an engine string");
        case ReadFailure::ReadFailed:
            return STR("Could not read animation file");
        case ReadFailure::OutOfMemory:
            return STR("Not enough memory to read animation file");
        case ReadFailure::OpenFailed:
            break;
    }
    return STR("Could not open animation file");
}

}  // namespace QVH
