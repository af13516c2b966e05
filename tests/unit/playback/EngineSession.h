// Test support for the file engine on real graphs: a FilePlayer owned by a hidden window of the
// test that stands in for the main window, its message boxes recorded and dismissed.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Driver.h"
#include "FilePlayer.h"

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitialize(nullptr);
        owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 160, 518, 460, 166, nullptr, nullptr,
                                  nullptr, nullptr);
        boxes = std::make_unique<e2e::MessageBoxGuard>(::GetCurrentProcessId());
    }
    void TearDown() override {
        Close();
        boxes.reset();
        ::DestroyWindow(owner);
        ::CoUninitialize();
    }

    static std::string Media(const char* name) { return e2e::MediaDirectory() + name; }

    // Opens a file as the main window does; the graph runs when this returns true.
    bool Open(const std::string& path) {
        player = std::make_unique<FilePlayer>(::GetModuleHandleA(nullptr), owner);
        player->SetPath(path.c_str());
        return player->OpenMediaFile();
    }
    void Close() {
        if (player && player->GetState() != Closed) player->CloseMedia();
        player.reset();
    }

    // The names of the graph's filters in the graph's order.
    std::vector<std::string> FilterNames() const {
        std::vector<std::string> names;
        IEnumFilters* filters = nullptr;
        if (!player->Graph() || FAILED(player->Graph()->EnumFilters(&filters))) return names;
        for (IBaseFilter* filter = nullptr; filters->Next(1, &filter, nullptr) == S_OK; filter->Release()) {
            FILTER_INFO info{};
            filter->QueryFilterInfo(&info);
            if (info.pGraph) info.pGraph->Release();
            char name[MAX_FILTER_NAME * 2] = {};
            ::WideCharToMultiByte(CP_ACP, 0, info.achName, -1, name, sizeof(name), nullptr, nullptr);
            names.push_back(name);
        }
        filters->Release();
        return names;
    }

    HWND owner = nullptr;
    std::unique_ptr<FilePlayer> player;
    std::unique_ptr<e2e::MessageBoxGuard> boxes;
};
