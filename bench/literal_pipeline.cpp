#include "bench/literal_pipeline.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/host_generations.hpp"
#include "text/to_utf8.hpp"

namespace QVH::Bench {
namespace {

// One unit per byte, sign-extended, as a byte-wise widening gives.
RC::StringType WidenEachByte(const std::string& Bytes) {
    RC::StringType Wide(Bytes.size(), 0);
    for (std::size_t I = 0; I < Bytes.size(); ++I) {
        Wide[I] = static_cast<RC::CharType>(static_cast<signed char>(Bytes[I]));
    }
    return Wide;
}

}  // namespace

void LiteralReadAnimationFile(CommsCallBlock& Block) {
    // A copy of the name, as the dispatch once handed the read.
    const RC::Unreal::FString Name = Block.Payload();
    std::string Path = QVH::ToUtf8(QVH::CharsOf(Name));
    Path.insert(0, "../../Content/Paks/~Mods/AnimJSON/");
    std::ifstream File(Path, std::ios::in);
    std::string Content{std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
    Content.erase(std::remove(Content.begin(), Content.end(), '\r'), Content.end());
    Content.erase(std::remove(Content.begin(), Content.end(), '\n'), Content.end());
    const RC::StringType Wide = WidenEachByte(Content);
    Block.Payload() = RC::Unreal::FString(Wide.c_str());
}

RC::Unreal::FString LiteralListAnimationFiles() {
    const std::string Folder = "../../Content/Paks/~Mods/AnimJSON";
    std::string Listing;
    for (const auto& Entry : std::filesystem::directory_iterator(
             std::filesystem::path(Folder), std::filesystem::directory_options::none)) {
        if (Listing.size() > 0) {
            Listing += "|";
        }
        Listing += Entry.path().filename().generic_string();
    }
    const RC::StringType Wide = WidenEachByte(Listing);
    return RC::Unreal::FString(Wide.c_str());
}

}  // namespace QVH::Bench
