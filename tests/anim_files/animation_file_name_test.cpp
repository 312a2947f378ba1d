#include "anim_files/animation_file_name.hpp"

#include <gtest/gtest.h>

#include "tests/support/engine_text.hpp"
#include "text/to_utf8.hpp"

namespace {

using QVH::Test::Engine;

TEST(IsNameInsideAnimationFolderTest, AcceptsNamesInTheFolderAndItsSubFolders) {
    const char16_t* const Inside[] = {
        u"Idle.json",
        u"",  // the folder itself; reading it fails as a folder, nothing leaks
        u"Walk/Idle.json",
        u"Walk\\Idle.json",
        u"./Idle.json",
        u"..Idle.json",  // a name that merely begins with dots
        u"Walk/..hidden",
        u"...json",
        u"~Idle.json",
        u"R\u00E9v\u00E9rence.json",
        u"ab:c.json",  // a colon after the second character is no drive
        u"1:x.json",
    };
    for (const char16_t* Name : Inside) {
        EXPECT_TRUE(QVH::IsNameInsideAnimationFolder(Engine(Name)))
            << QVH::ToUtf8Lossy(Engine(Name));
    }
}

TEST(IsNameInsideAnimationFolderTest, RefusesNamesThatLeaveTheFolder) {
    const char16_t* const Outside[] = {
        u"..",                    // the parent itself
        u"../Other/x.json",       // up, then elsewhere
        u"..\\x.json",            // up with Windows' separator
        u"Walk/../../x.json",     // down, then up past the start
        u"Walk\\..",              // up at the end
        u"Walk/..\\..\\x.json",   // separators mixed
        u"...",                   // Windows reads trailing dots away: ".."
        u"Walk/.. /x.json",       // the same with a trailing space
        u"/etc/passwd",           // absolute
        u"\\Windows\\win.ini",    // rooted on the current drive
        u"\\\\server\\share\\x",  // UNC path
        u"//server/share/x",      // UNC path, forward slashes
        u"\\\\?\\C:\\x.json",     // the long-path prefix
        u"C:\\Windows\\win.ini",  // drive and root
        u"c:/x.json",             // drive, lower case, forward slash
        u"C:x.json",              // drive-relative: the drive's current folder
        u"Z:",                    // a drive alone
    };
    for (const char16_t* Name : Outside) {
        EXPECT_FALSE(QVH::IsNameInsideAnimationFolder(Engine(Name)))
            << QVH::ToUtf8Lossy(Engine(Name));
    }
}

}  // namespace
