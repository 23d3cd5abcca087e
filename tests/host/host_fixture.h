#pragma once
// A host started as the program starts it, on a note file in a folder of its own, with the
// recording library and the fake window system, and the user's actions on it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/note_host.h"
#include "tests/host/fake_ui.h"
#include "tests/host/recording_library.h"
#include "tests/notes/profile_strings.h"
#include "tests/notes/test_files.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tray_icon_id.h"

namespace yorimemo::testing {

class HostFixture : public ::testing::Test {
protected:
    // Load the file, then open the library, whose _create gives `createAnswers` first.
    void start(const std::string& ini = "", std::vector<std::int32_t> createAnswers = {}) {
        if (!ini.empty()) writeFileBytes(iniPath_, ini);
        auto library = std::make_unique<fakes::RecordingLibrary>(log_);
        library->createAnswers = std::move(createAnswers);
        library_ = library.get();
        ui_ = std::make_unique<fakes::FakeUi>(log_);
        ui_->dpi = systemDpi_;
        host_ = std::make_unique<NoteHost>(iniPath_, *ui_, files_);
        host_->setDesktopExtent({1920, 1080});
        host_->loadSettings();
        host_->openMoteLibrary(std::move(library), 0x1234);
        library_->take();
    }

    std::string file() const { return readFileBytes(iniPath_); }

    std::string stored(int slot, const char* key) const {
        return readProfileString(iniPath_, "Husen" + std::to_string(slot + 1), key, "(none)");
    }

    // What a later start would read from the file.
    NoteTable reread() const {
        NoteTable table;
        SettingsFile(iniPath_).load(table);
        return table;
    }

    void rightClickTray(MenuCommand command) {
        ui_->command = command;
        host_->onTrayNotify(kTrayIconId, kRightButtonUp);
    }

    void rightClickNote(std::int32_t id, MenuCommand command) {
        host_->onEventMessage("OnMoteRButtonUp\r\n" + std::to_string(id) + "\r\n1\r\n1\r\n");
        ui_->command = command;
        host_->onTrayNotify(id, kRightButtonUp);
    }

    // The last tray menu's item for `command`.
    const MenuItem& lastTrayItem(MenuCommand command) const {
        const std::vector<MenuItem>& items = ui_->menus.back().items;
        return *std::find_if(items.begin(), items.end(),
                             [command](const MenuItem& item) { return item.command == command; });
    }

    void waitSeconds(int seconds) {
        for (int tick = 0; tick < seconds; ++tick) {
            host_->onTimer([] { return DesktopExtent{1920, 1080}; });
        }
    }

    TempFolder folder_{"yorimemo-host"};
    std::string iniPath_ = folder_.file("yorimemo.ini");
    ScriptedFileSystem files_;
    std::vector<std::string> log_;
    fakes::RecordingLibrary* library_ = nullptr;
    std::unique_ptr<fakes::FakeUi> ui_;
    std::unique_ptr<NoteHost> host_;
    std::int32_t systemDpi_ = 96;
};

}  // namespace yorimemo::testing
