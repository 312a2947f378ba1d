#include "anim_files/read_animation_file.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include "StandIn/EngineMemory.hpp"
#include "anim_files/engine_text_sink.hpp"
#include "anim_files/read_content.hpp"
#include "anim_files/read_scratch.hpp"
#include "bridge/comms_call_params.hpp"
#include "engine/engine_text.hpp"
#include "tests/support/captured_log.hpp"
#include "tests/support/comms_call_block.hpp"
#include "tests/support/decode_cases.hpp"
#include "tests/support/decode_in_pieces.hpp"
#include "tests/support/engine_text.hpp"
#include "tests/support/failed_reads.hpp"
#include "tests/support/game_folder.hpp"
#include "text/to_utf8.hpp"

namespace {

using namespace std::string_literals;
using QVH::Test::Engine;

#ifdef __linux__
// What this process has read from files so far, in bytes.
std::uint64_t BytesReadSoFar() {
    std::ifstream Io("/proc/self/io");
    std::string Key;
    std::uint64_t Value = 0;
    while (Io >> Key >> Value) {
        if (Key == "rchar:") {
            return Value;
        }
    }
    ADD_FAILURE() << "no rchar in /proc/self/io";
    return 0;
}
#endif

class ReadAnimationFileTest : public testing::Test {
protected:
    RC::StringType Read(std::u16string_view Name) {
        return QVH::Test::ReadAnimationText(Engine(Name));
    }

    QVH::Test::GameFolder Game;
    QVH::Test::CapturedLog Log;
};

TEST_F(ReadAnimationFileTest, ReturnsTheDecodedTextWithoutLineBreaks) {
    std::vector<QVH::Test::DecodeCase> Cases(QVH::Test::FileCases().begin(),
                                             QVH::Test::FileCases().end());
    Cases.insert(Cases.end(), QVH::Test::Utf8Cases().begin(), QVH::Test::Utf8Cases().end());
    Cases.push_back({"NUL ends the text", "ab\0cd"s, u"ab"});
    for (const QVH::Test::DecodeCase& C : Cases) {
        Game.WriteFile("case.json", C.Bytes);
        EXPECT_EQ(Read(u"case.json"), Engine(C.Expected)) << C.What;
    }
    EXPECT_TRUE(Log.Texts().empty());
}

TEST_F(ReadAnimationFileTest, ReadsNamesWithSubFoldersAndNonAsciiCharacters) {
    Game.WriteFile("Walk/Idle.json", "idle");
    Game.WriteFile(u8"R\u00E9v\u00E9rence.json", "bow");
    Game.WriteFile(u8"\u8DF3\u821E/\U0001F600.json", "dance");
    EXPECT_EQ(Read(u"Walk/Idle.json"), Engine(u"idle"));
    EXPECT_EQ(Read(u"R\u00E9v\u00E9rence.json"), Engine(u"bow"));
    EXPECT_EQ(Read(u"\u8DF3\u821E/\U0001F600.json"), Engine(u"dance"));
    EXPECT_TRUE(Log.Texts().empty());
}

TEST_F(ReadAnimationFileTest, GivesEmptyTextAndOneLogLineWhenItCannotRead) {
    ASSERT_NO_FATAL_FAILURE(QVH::Test::MakeWhatFailedReadsReach(Game));
    for (const QVH::Test::FailedRead& C : QVH::Test::FailedReads()) {
        const std::size_t Before = Log.Texts().size();
        EXPECT_EQ(Read(C.Name), RC::StringType()) << QVH::ToUtf8Lossy(Engine(C.Name));
        const std::vector<RC::StringType> Lines = Log.Texts();
        ASSERT_EQ(Lines.size(), Before + 1) << QVH::ToUtf8Lossy(Engine(C.Name));
        EXPECT_EQ(Lines.back(), Engine(u"QVH_MotionArchive : " + C.Line + u"\n"));
    }
}

TEST_F(ReadAnimationFileTest, ReadsALargeFileWithLineBreaksAcrossEveryBoundary) {
    // Lines of every length from 0 to 66, some with non-ASCII text, so CR LF pairs and
    // multi-byte sequences fall on every offset of every internal chunk.
    std::string Bytes;
    std::u16string Expected;
    for (int Line = 0; Bytes.size() < (std::size_t{3} << 20); ++Line) {
        const int Length = Line % 67;
        for (int I = 0; I < Length; ++I) {
            Bytes += char('0' + (Line + I) % 43);
            Expected += char16_t(u'0' + (Line + I) % 43);
        }
        if (Line % 5 == 0) {
            Bytes += "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
            Expected += u"\u00E9\u20AC\U0001F600";
        }
        Bytes += Line % 7 == 0 ? "\n" : "\r\n";
    }
    Game.WriteFile("big.json", Bytes);
    EXPECT_EQ(Read(u"big.json"), Engine(Expected));
}

TEST_F(ReadAnimationFileTest, CharactersAcrossTheReadPiecesComeBackWhole) {
    // The file is read a piece at a time; put characters, line breaks inside them and UTF-16
    // pairs across each edge between pieces, and files that end on, just before or after one.
    constexpr std::size_t Piece = QVH::detail::ReadScratch::PieceBytes;
    const std::string Straddling[] = {
        "\xF0\x9F\x98\x80",     "\xE2\x82\xAC", "\xC3\xA9",
        "\xE2\r\n\x82\r\n\xAC", "\r\n",         "\xF0" + std::string(40, '\n') + "\x9F\x98\x80",
    };
    std::string Utf8;
    for (std::size_t Edge = 1; Edge <= 12; ++Edge) {
        const std::string& Sequence = Straddling[Edge % std::size(Straddling)];
        const std::size_t Before = 1 + Edge % (Sequence.size() - 1);  // bytes before the edge
        Utf8.resize(Edge * Piece - Before, 'x');
        Utf8 += Sequence;
    }
    std::string Utf16 = "\xFF\xFE";
    while (Utf16.size() < 3 * Piece + 8) {
        Utf16 += Utf16.size() % 7 == 0 ? "\r\0\n\0"s : "\x3D\xD8\x00\xDE"s;
    }
    const std::string Files[] = {
        Utf8,
        Utf16,
        std::string(Piece, 'a'),
        std::string(2 * Piece - 1, 'b') + "\xC3",
        std::string(2 * Piece + 1, 'c'),
    };
    for (const std::string& Bytes : Files) {
        Game.WriteFile("pieces.json", Bytes);
        EXPECT_EQ(Read(u"pieces.json"), QVH::Test::DecodeWhole(Bytes)) << Bytes.size() << " bytes";
    }
    EXPECT_TRUE(Log.Texts().empty());
}

TEST_F(ReadAnimationFileTest, ReadsTheFileAfreshEachTime) {
    Game.WriteFile("Idle.json", "{\"v\":1}\r\n");
    EXPECT_EQ(Read(u"Idle.json"), Engine(u"{\"v\":1}"));
    Game.WriteFile("Idle.json", "{\"v\":22}");
    EXPECT_EQ(Read(u"Idle.json"), Engine(u"{\"v\":22}"));
    std::filesystem::remove(Game.AnimFolder() / "Idle.json");
    EXPECT_EQ(Read(u"Idle.json"), RC::StringType());
}

TEST_F(ReadAnimationFileTest, RefusesTextTooLongForAnEngineStringAfterItsFirstPiece) {
    // Sparse files: the length is there; only the first piece is read, for the byte-order mark.
    const auto Huge = Game.WriteFile("huge.json", "{");
    std::filesystem::resize_file(Huge, std::uintmax_t{1} << 31);
    const auto HugeUtf16 = Game.WriteFile("huge16.json", "\xFF\xFE");
    std::filesystem::resize_file(HugeUtf16, (std::uintmax_t{1} << 32) - 1);
    EXPECT_EQ(Read(u"huge.json"), RC::StringType());
    EXPECT_EQ(Read(u"huge16.json"), RC::StringType());
    EXPECT_EQ(Log.Texts(),
              (std::vector<RC::StringType>{
                  Engine(u"QVH_MotionArchive : Animation file too large for an engine string: "
                         u"huge.json\n"),
                  Engine(u"QVH_MotionArchive : Animation file too large for an engine string: "
                         u"huge16.json\n")}));
}

TEST_F(ReadAnimationFileTest, ReadsNothingAfterTheFirstNulAndGivesRoomOnlyForTheText) {
    // Sparse files whose text ends early: 256 MiB ending at their second byte, and 2,000,000,000
    // bytes whose text runs past the first piece. Room follows the text read, never what the
    // length claims: bounded before the text comes, and nothing is read after its piece.
    const auto Short = Game.WriteFile("sparse.json", "a\0"s);
    std::filesystem::resize_file(Short, std::uintmax_t{1} << 28);
    const auto Long = Game.WriteFile("long.json", std::string(200'003, 'x'));
    std::filesystem::resize_file(Long, 2'000'000'000);
    const struct {
        const char16_t* Name;
        std::size_t Length;
        std::size_t MostRoom;
    } Cases[] = {
        {u"sparse.json", 1, 2 * QVH::detail::ReadScratch::PieceBytes},
        {u"long.json", 200'003, QVH::MaxUnitsExpectedFromLength + 1},
    };
    for (const auto& C : Cases) {
#ifdef __linux__
        const std::uint64_t Before = BytesReadSoFar();
#endif
        QVH::Test::CommsCallBlock Block(QVH::ReadCallType, Engine(C.Name));
        QVH::ReadAnimationFile(Block.Payload());
        QVH::Test::ExpectWholeEngineString(Block.Payload());
        EXPECT_EQ(Block.Payload().Len(), static_cast<int>(C.Length));
        EXPECT_LE(QVH::CapacityOf(QVH::CharArrayOf(Block.Payload())), C.MostRoom);
#ifdef __linux__
        EXPECT_LT(BytesReadSoFar() - Before, std::uint64_t{1} << 20);
#endif
    }
    EXPECT_TRUE(Log.Texts().empty());
}

TEST_F(ReadAnimationFileTest, WritesOverALongNameInItsOwnMemory) {
    // The name's room is the text's when it holds it: no new memory, and the count set right.
    Game.WriteFile("short.json", "{}\r\n");
    const RC::StringType Name = Engine(u"./././././././././././././././././short.json");
    QVH::Test::CommsCallBlock Block(QVH::ReadCallType, Name);
    const RC::CharType* const Units = QVH::CharArrayOf(Block.Payload()).GetData();
    QVH::ReadAnimationFile(Block.Payload());
    QVH::Test::ExpectWholeEngineString(Block.Payload());
    EXPECT_EQ(Block.PayloadUnits(), Engine(u"{}"));
    EXPECT_EQ(QVH::CharArrayOf(Block.Payload()).GetData(), Units);
    EXPECT_GE(QVH::CapacityOf(QVH::CharArrayOf(Block.Payload())), static_cast<int>(Name.size()));
}

TEST_F(ReadAnimationFileTest, FollowsAFileThatGrowsOrShrinksWhileItIsRead) {
    // After the first piece, the file is made longer or shorter than the length the system gave
    // when it was opened: the text is what the reads then give, whole, in a whole engine string.
    constexpr std::size_t Piece = QVH::detail::ReadScratch::PieceBytes;
    const std::string Start(Piece + 1000, 'a');
    struct Changer final : QVH::ContentObserver {
        void Opened(std::optional<std::uint64_t>) override {}
        void Piece(std::span<const char>) override {
            if (std::exchange(Change, {}).empty()) {
                return;
            }
            std::filesystem::resize_file(File, Keep);
            std::ofstream(File, std::ios::binary | std::ios::app) << Added;
        }
        void Nul(std::uint64_t) override {}
        void End(std::optional<std::uint64_t>) override {}
        std::filesystem::path File;
        std::size_t Keep = 0;
        std::string Added;
        std::string Change = "once";
    };
    const struct {
        std::size_t Keep;
        std::string Added;
    } Cases[] = {{Start.size(), std::string(3 * Piece, 'b')}, {Piece + 10, ""}};
    for (const auto& C : Cases) {
        Changer Change;
        Change.File = Game.WriteFile("changing.json", Start);
        Change.Keep = C.Keep;
        Change.Added = C.Added;
        RC::Unreal::FString Payload(STR("changing.json"));
        QVH::detail::EngineTextSink Text(Payload);
        QVH::detail::ReadScratch Scratch;
        ASSERT_FALSE(
            QVH::detail::ReadContent(Change.File.u8string(), Scratch, Text, &Change).Failure);
        Text.Finish();
        QVH::Test::ExpectWholeEngineString(Payload);
        const std::string Expected = Start.substr(0, C.Keep) + C.Added;
        EXPECT_EQ(QVH::Test::TextOf(Payload),
                  Engine(std::u16string(Expected.begin(), Expected.end())));
    }
}

TEST_F(ReadAnimationFileTest, MemoryRunningOutEmptiesPayloadWithOneLine) {
    // The engine's allocator refuses the room the file's length asks for at once, or, for a file
    // longer than what is set aside from its length, the room it grows into halfway.
    const std::size_t Past = QVH::MaxUnitsExpectedFromLength + (1 << 20);
    Game.WriteFile("start.json", std::string(1 << 20, 's'));
    Game.WriteFile("halfway.json", std::string(Past, 'h'));
    const struct {
        const char16_t* Name;
        std::size_t Allowed;
    } Cases[] = {{u"start.json", 1 << 20}, {u"halfway.json", 2 * Past + (1 << 20)}};
    std::vector<RC::StringType> Expected;
    for (const auto& C : Cases) {
        StandIn::EngineMemory::Limit(StandIn::EngineMemory::HeldBytes() + C.Allowed);
        EXPECT_EQ(Read(C.Name), RC::StringType());
        StandIn::EngineMemory::Limit(std::nullopt);
        Expected.push_back(Engine(
            u"QVH_MotionArchive : Not enough memory to read animation file: "s + C.Name + u"\n"));
    }
    EXPECT_EQ(Log.Texts(), Expected);
}

TEST_F(ReadAnimationFileTest, TellsAnObserverTheBytesAsReadAndWhereTheNulIs) {
    // What the folder check sees of a read: the NUL's offset must hold when bytes of a character
    // were kept back across a piece's edge, line breaks among them dropped.
    constexpr std::size_t Piece = QVH::detail::ReadScratch::PieceBytes;
    const struct {
        const char* What;
        std::string Bytes;
        std::optional<std::uint64_t> Nul;
    } Cases[] = {
        {"no NUL", "{\r\n}", std::nullopt},
        {"a NUL first", "\0{}"s, 0},
        {"a lead byte kept", std::string(Piece - 1, 'x') + "\xE2\x82\xAC\0yz"s, Piece + 2},
        {"line breaks kept out", std::string(Piece - 3, 'x') + "\xE2\r\n\x82\xAC\0"s, Piece + 2},
        {"UTF-16", "\xFF\xFE{\0\0\0}\0"s, 4},
    };
    struct Kept final : QVH::ContentObserver {
        void Opened(std::optional<std::uint64_t>) override {}
        void Piece(std::span<const char> Bytes) override {
            Data.append(Bytes.data(), Bytes.size());
        }
        void Nul(std::uint64_t Offset) override { NulAt = Offset; }
        void End(std::optional<std::uint64_t> Size) override { FileSize = Size; }
        std::string Data;
        std::optional<std::uint64_t> NulAt;
        std::optional<std::uint64_t> FileSize;
    };
    for (const auto& C : Cases) {
        const auto File = Game.WriteFile("observed.json", C.Bytes);
        Kept Observer;
        ASSERT_FALSE(QVH::FollowContent(File.u8string(), Observer).Failure) << C.What;
        EXPECT_EQ(Observer.Data, C.Bytes) << C.What;
        EXPECT_EQ(Observer.NulAt, C.Nul) << C.What;
        EXPECT_EQ(Observer.FileSize, C.Bytes.size()) << C.What;
    }
}

TEST_F(ReadAnimationFileTest, ManyThreadsReadAtOnce) {
    for (int T = 0; T < 8; ++T) {
        Game.WriteFile("t" + std::to_string(T) + ".json", "R\xC3\xA9\r\n" + std::to_string(T));
    }
    std::vector<int> Wrong(8, 0);
    std::vector<std::thread> Threads;
    for (int T = 0; T < 8; ++T) {
        Threads.emplace_back([this, T, &Wrong] {
            const std::u16string Name = u"t" + std::u16string(1, char16_t(u'0' + T)) + u".json";
            const RC::StringType Expected =
                Engine(u"R\u00E9" + std::u16string(1, char16_t(u'0' + T)));
            for (int I = 0; I < 300; ++I) {
                Wrong[T] += Read(Name) != Expected;
            }
        });
    }
    for (auto& Thread : Threads) {
        Thread.join();
    }
    EXPECT_EQ(Wrong, std::vector<int>(8, 0));
}

// FIFOs, links into /dev and /proc files are POSIX's own; windows_paths_test.cpp has what Windows
// has in their place.
#ifndef _WIN32
TEST_F(ReadAnimationFileTest, RefusesWhatIsNotARegularFileAsADevice) {
    // /dev/null and a FIFO with no writer would pass for an empty file; /dev/zero would be read
    // up to the size limit; a FIFO with a writer could give part of a stream, or wait on it.
    std::filesystem::create_symlink("/dev/null", Game.AnimFolder() / "null.json");
    std::filesystem::create_symlink("/dev/zero", Game.AnimFolder() / "zero.json");
    const auto Silent = Game.AnimFolder() / "silent.json";
    const auto Talking = Game.AnimFolder() / "talking.json";
    ASSERT_EQ(::mkfifo(Silent.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(Talking.c_str(), 0600), 0);
    const int Writer = ::open(Talking.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(Writer, 0);
    ASSERT_EQ(::write(Writer, "abc", 3), 3);
    // A socket cannot even be opened. Bound by its relative path, which stays short enough.
    const int Socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(Socket, 0);
    sockaddr_un Address{};
    Address.sun_family = AF_UNIX;
    std::strcpy(Address.sun_path, "../../Content/Paks/~Mods/AnimJSON/socket.json");
    ASSERT_EQ(::bind(Socket, reinterpret_cast<const sockaddr*>(&Address), sizeof(Address)), 0);

    std::vector<RC::StringType> Expected;
    for (const std::u16string Name :
         {u"null.json", u"zero.json", u"silent.json", u"talking.json", u"socket.json"}) {
        EXPECT_EQ(Read(Name), RC::StringType()) << QVH::ToUtf8Lossy(Engine(Name));
        Expected.push_back(
            Engine(u"QVH_MotionArchive : Animation file name names a device, not a file: " + Name +
                   u"\n"));
    }
    ::close(Writer);
    ::close(Socket);
    EXPECT_EQ(Log.Texts(), Expected);
}

TEST_F(ReadAnimationFileTest, ReadsAFileThatSaysItIsEmptyAndComesInShortReads) {
    // /proc/kallsyms is a regular file of length 0 whose megabytes come a page or so per read;
    // stopping at the first short read would give the first page alone.
    std::ifstream Symbols("/proc/kallsyms", std::ios::binary);
    std::string Expected{std::istreambuf_iterator<char>(Symbols), {}};
    if (Expected.size() < (std::size_t{64} << 10)) {
        GTEST_SKIP() << "no /proc/kallsyms of some size here";
    }
    std::erase(Expected, '\n');
    std::filesystem::create_symlink("/proc/kallsyms", Game.AnimFolder() / "symbols.json");
    const RC::StringType Text = Read(u"symbols.json");
    EXPECT_EQ(Text.size(), Expected.size());
    EXPECT_EQ(Text, Engine(std::u16string(Expected.begin(), Expected.end())));
}

TEST_F(ReadAnimationFileTest, ReadsAFileWhoseLengthIsNotKnownBeforehand) {
    std::ifstream Version("/proc/version", std::ios::binary);
    std::string Expected{std::istreambuf_iterator<char>(Version), {}};
    std::erase(Expected, '\n');
    ASSERT_FALSE(Expected.empty());
    std::filesystem::create_symlink("/proc/version", Game.AnimFolder() / "version.json");
    EXPECT_EQ(Read(u"version.json"), Engine(std::u16string(Expected.begin(), Expected.end())));
}
#endif

}  // namespace
