#include "tests/support/failed_reads.hpp"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace QVH::Test {
namespace {

const FailedRead Reads[] = {
    {u"missing.json", u"Animation file not found: missing.json"},
    {u"Nowhere/x.json", u"Animation file not found: Nowhere/x.json"},
    {u"", u"Animation file is a folder: "},
    {u"Walk", u"Animation file is a folder: Walk"},
    {u"../secret.json", u"Refused a file name that leaves the animation folder: ../secret.json"},
    {u"Walk/../../../secret.json",
     u"Refused a file name that leaves the animation folder: Walk/../../../secret.json"},
    {u"..\\secret.json", u"Refused a file name that leaves the animation folder: ..\\secret.json"},
    {u"/etc/hostname", u"Refused a file name that leaves the animation folder: /etc/hostname"},
    {u"\\\\server\\share\\x.json",
     u"Refused a file name that leaves the animation folder: \\\\server\\share\\x.json"},
    {u"C:x.json", u"Refused a file name that leaves the animation folder: C:x.json"},
    {u"../\r\t\x1B[31m\x7F",
     u"Refused a file name that leaves the animation folder: "
     u"../<U+000D><U+0009><U+001B>[31m<U+007F>"},
    // Half a surrogate pair has no UTF-8 form: refused before a path is made of it.
    {u"a\xD83D"
     u"b.json",
     u"Refused a file name that is not valid text: a<U+D83D>b.json"},
    {u"\xD83D"
     u"A",
     u"Refused a file name that is not valid text: <U+D83D>A"},
    {u"\xD83D\xD83D", u"Refused a file name that is not valid text: <U+D83D><U+D83D>"},
    {u"x\xD83C", u"Refused a file name that is not valid text: x<U+D83C>"},
    {u"\xDC00", u"Refused a file name that is not valid text: <U+DC00>"},
    {u"\xDC00.json", u"Refused a file name that is not valid text: <U+DC00>.json"},
    // What some readers take for a line end, or read in another direction, is escaped too.
    {u"a\u2028b\u2029c\u0085d\u202Ee\u2066f\u200Fg.json",
     u"Animation file not found: a<U+2028>b<U+2029>c<U+0085>d<U+202E>e<U+2066>f<U+200F>g.json"},
    // So is what is not shown, which would make two names look alike.
    {u"Wa\u200Bve\u2060\uFEFF\u00AD.json",
     u"Animation file not found: Wa<U+200B>ve<U+2060><U+FEFF><U+00AD>.json"},
#ifndef _WIN32
    // Windows takes no control characters in a name, and says so after the name. A name with a
    // line feed and one with the escape's own characters give two lines, neither of which can
    // pass for another line.
    {u"nl\nQVH_MotionArchive : forged line",
     u"Animation file not found: nl<U+000A>QVH_MotionArchive : forged line"},
    {u"nl<U+000A>QVH_MotionArchive : forged line",
     u"Animation file not found: nl<U+003C>U+000A>QVH_MotionArchive : forged line"},
    {u"nl\\nQVH_MotionArchive : forged line",
     u"Animation file not found: nl\\nQVH_MotionArchive : forged line"},
    {u"fifo.json", u"Animation file name names a device, not a file: fifo.json"},
#endif
};

}  // namespace

void MakeWhatFailedReadsReach(const GameFolder& Game) {
    Game.WriteFile("Walk/Idle.json", "idle");
    Game.WriteFile("../secret.json", "SECRET");
    Game.WriteFile("../../secret.json", "SECRET");
#ifndef _WIN32
    // The files that the UTF-8 bytes of the names with lone surrogates would reach.
    Game.WriteFile("x\xF0", "SECRET");
    Game.WriteFile("\xED\xB0\x80", "SECRET");
    const auto Fifo = Game.AnimFolder() / "fifo.json";
    ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0);
#endif
}

std::span<const FailedRead> FailedReads() { return Reads; }

}  // namespace QVH::Test
