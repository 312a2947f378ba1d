#include "log/log_line.hpp"

#include "log/log_message.hpp"

namespace QVH {

void LogLine(std::initializer_list<RC::StringViewType> Parts) {
    std::size_t Size = LogPrefix.size();
    for (const RC::StringViewType Part : Parts) {
        Size += Part.size();
    }
    RC::StringType Line;
    Line.reserve(Size);
    Line += LogPrefix;
    for (const RC::StringViewType Part : Parts) {
        Line += Part;
    }
    LogMessage(Line);
}

}  // namespace QVH
