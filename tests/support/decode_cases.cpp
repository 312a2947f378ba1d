#include "tests/support/decode_cases.hpp"

namespace QVH::Test {
namespace {

using namespace std::string_literals;

const DecodeCase Utf8[] = {
    {"empty", "", u""},
    {"ASCII", "Walk_01.json", u"Walk_01.json"},
    {"two bytes", "\xC3\xA9", u"\u00E9"},
    {"three bytes", "\xE2\x82\xAC", u"\u20AC"},
    {"four bytes become a surrogate pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
    {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
    {"every UTF-8 length", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z", u"a\u00E9\u20AC\U0001F600z"},
    {"UTF-8 in quotes", "\"R\xC3\xA9v\xC3\xA9rence\" \xF0\x9F\x98\x80",
     u"\"R\u00E9v\u00E9rence\" \U0001F600"},
    {"bad second byte", "\xC3\x28", u"\uFFFD("},
    {"encoded surrogate: three subparts", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
    {"cut short at the end", "\xE2\x82", u"\uFFFD"},
    {"cut short before ASCII", "\xE2\x82z", u"\uFFFDz"},
    {"four-byte cut after three", "\xF0\x9F\x98", u"\uFFFD"},
    {"overlong two-byte", "\xC0\xAF", u"\uFFFD\uFFFD"},
    {"overlong three-byte", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
    {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"F5 never leads", "\xF5\x80", u"\uFFFD\uFFFD"},
    {"lone trail byte", "\x80", u"\uFFFD"},
    {"stray trail bytes", "\x80\x80\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"FF", "\xFF", u"\uFFFD"},
    {"cut and damaged sequences", "\xE2\x82z\xF0\x9F\x98\xE0\x80\xED\xA0\x80\xC3",
     u"\uFFFDz\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"ill-formed UTF-8", "\xC3(\xED\xA0\x80\xE2\x82", u"\uFFFD(\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"the Unicode standard's example",
     "a\xF1\x80\x80\xE1\x80\xC2"
     "b\x80"
     "c\x80\xBF"
     "d",
     u"a\uFFFD\uFFFD\uFFFDb\uFFFDc\uFFFD\uFFFDd"},
};

const DecodeCase Files[] = {
    {"only CR and LF", "\r\n\r\r\n\n", u""},
    {"ASCII with CR LF", "ab\r\ncd\r\n", u"abcd"},
    {"lone CR and lone LF", "a\rb\nc", u"abc"},
    {"tabs and spaces stay", "{\t\"a\" : 1 }", u"{\t\"a\" : 1 }"},
    {"read in binary: 0x1A is text",
     "a\x1A"
     "b",
     u"a\x1A"
     "b"},
    {"CR LF inside sequences", "\xF0\r\n\x9F\r\n\x98\n\x80\xE2\r\x82\r\n\xAC", u"\U0001F600\u20AC"},
    {"CR LF inside a sequence removed first", "\xE2\r\n\x82\xAC", u"\u20AC"},
    {"many breaks after a lead byte", "\xC3" + std::string(20, '\n') + "\xA9", u"\u00E9"},
    {"CR after a lead byte", "\xE2\rA", u"\uFFFDA"},
    {"UTF-8 mark", "\xEF\xBB\xBF{\xC3\xA9}", u"{\u00E9}"},
    {"UTF-8 mark dropped, line break last", "\xEF\xBB\xBF{}\r\n", u"{}"},
    {"a mark's start only", "\xEF\xBB", u"\uFFFD"},
    {"only the first mark dropped", "\xEF\xBB\xBF\xEF\xBB\xBF", u"\uFEFF"},
    {"a mark later is text", "a\xEF\xBB\xBF", u"a\uFEFF"},
    {"UTF-16 LE", "\xFF\xFE{\0\r\0\n\0\xE9\0}\0"s, u"{\u00E9}"},
    {"UTF-16 LE mark only", "\xFF\xFE", u""},
    {"UTF-16 non-ASCII", "\xFF\xFE\xE9\x00\xAC\x20"s, u"\u00E9\u20AC"},
    {"UTF-16 pair", "\xFF\xFE\x3D\xD8\x00\xDE"s, u"\U0001F600"},
    {"UTF-16 LE pairs", "\xFF\xFE\x3D\xD8\x00\xDE\r\0\n\0\x3D\xD8\x3D\xD8\x00\xDE"s,
     u"\U0001F600\uFFFD\U0001F600"},
    {"UTF-16 pair split by CR", "\xFF\xFE\x3D\xD8\x0D\x00\x00\xDE"s, u"\uFFFD\uFFFD"},
    {"UTF-16 lone low surrogate",
     "\xFF\xFE\x00\xDE"
     "a\0"s,
     u"\uFFFDa"},
    {"UTF-16 high surrogate last",
     "\xFF\xFE"
     "a\0\x3D\xD8"s,
     u"a\uFFFD"},
    {"UTF-16 odd trailing byte",
     "\xFF\xFE"
     "a\0b"s,
     u"a\uFFFD"},
    {"UTF-16 of odd length", "\xFF\xFE{\0}"s, u"{\uFFFD"},
    {"UTF-16 units are not bytes", "\xFF\xFE\x0D\x0A", u"\u0A0D"},
    {"UTF-16 BE", "\xFE\xFF\0{\0\r\0\n\xD8\x3D\xDE\x00\0}"s, u"{\U0001F600}"},
    {"UTF-16 BE pair", "\xFE\xFF\xD8\x3D\xDE\x00"s, u"\U0001F600"},
    {"UTF-16 BE odd end",
     "\xFE\xFF\0a\xD8\x3D\xDE\x00\0b\xD8\x3D"
     "c"s,
     u"a\U0001F600b\uFFFD\uFFFD"},
};

}  // namespace

std::span<const DecodeCase> Utf8Cases() { return Utf8; }

std::span<const DecodeCase> FileCases() { return Files; }

}  // namespace QVH::Test
