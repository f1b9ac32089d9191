#include "mainwindow/linkrules.h"

#include <gtest/gtest.h>

TEST(LinkRules, OnlyWebAndMailAddressesOpenWithoutAQuestion) {
    for (const char* address : {"http://example.com", "HTTPS://example.com/a?b", "ftp://files",
                                "mailto:ann@example.com", "Mailto:x"})
        EXPECT_TRUE(LinkOpensWithoutQuestion(address)) << address;
    for (const char* address : {"file:///C:/Windows/system32/calc.exe", "C:\\Windows\\notepad.exe",
                                "\\\\server\\share\\run.bat", "www.example.com", "javascript:x",
                                "shell:startup", "httpx://a", "", "http"})
        EXPECT_FALSE(LinkOpensWithoutQuestion(address)) << address;
}
