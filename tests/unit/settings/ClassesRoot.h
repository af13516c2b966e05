// A private classes root in the test prefix's real registry, emptied before and after each test,
// with the few ways the tests plant other programs' associations in it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "Registry.h"

namespace testsupport {

class ClassesRootTest : public ::testing::Test {
protected:
    static constexpr char kRootPath[] = "software\\TesmaroTests\\Classes";

    void SetUp() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kRootPath);
        rootKey = fw::RegCreate(HKEY_CURRENT_USER, kRootPath, KEY_ALL_ACCESS);
        ASSERT_TRUE(rootKey);
    }
    void TearDown() override {
        rootKey.Reset();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kRootPath);
    }
    HKEY root() const { return rootKey.Get(); }

    void SetText(const std::string& path, const char* name, const std::string& text) {
        fw::RegKey key = fw::RegCreate(root(), path.c_str(), KEY_ALL_ACCESS);
        ASSERT_TRUE(fw::RegWriteString(key.Get(), name, text));
    }
    void SetRaw(const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
        fw::RegKey key = fw::RegCreate(root(), path.c_str(), KEY_ALL_ACCESS);
        ASSERT_EQ(::RegSetValueExA(key.Get(), name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    void MakeKey(const std::string& path) { fw::RegCreate(root(), path.c_str(), KEY_ALL_ACCESS); }
    // The value's text, "<none>" when absent or not text.
    std::string Text(const std::string& path, const char* name = nullptr) const {
        fw::RegKey key = fw::RegOpen(root(), path.c_str(), KEY_READ);
        std::string text;
        if (!key || !fw::RegReadString(key.Get(), name, text, 4096)) return "<none>";
        return text;
    }
    bool Exists(const std::string& path) const { return fw::RegKeyExists(root(), path.c_str()); }
    bool HasValue(const std::string& path, const char* name) const {
        fw::RegKey key = fw::RegOpen(root(), path.c_str(), KEY_READ);
        return fw::RegValueExists(key.Get(), name);
    }

    fw::RegKey rootKey;
};

}  // namespace testsupport
