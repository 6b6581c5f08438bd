// The name Tolvik gives the library: its file's, without folder or extension.
#include "win32/app_name.h"

#include <gtest/gtest.h>

namespace tolvik {

TEST(AppName, FromPath) {
    EXPECT_EQ(AppNameFromPath(L"C:\\Games\\\x8868\\Tolvik.exe"), L"Tolvik");
    EXPECT_EQ(AppNameFromPath(L"C:\\\x8868.x\\my.\x8868.EXE"), L"my.\x8868");  // 0x5C in Shift-JIS
}

}  // namespace tolvik
