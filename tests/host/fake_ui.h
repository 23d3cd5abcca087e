#pragma once
// A window system double for the host: menus answer a scripted command, dialogs run a scripted
// action, and everything lands in the same call log as the library's calls, so order is visible.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/host_ui.h"

namespace yorimemo::fakes {

class FakeUi : public HostUi {
public:
    explicit FakeUi(std::vector<std::string>& log) : log_(log) {}

    MenuCommand command = kNoCommand;  // what the next menu returns
    bool menuCanBeCreated = true;
    std::vector<MenuModel> menus;
    std::function<bool(int slot)> editDialog = [](int) { return false; };
    std::function<bool(int slot)> eraseDialog = [](int) { return false; };
    bool quitAnyway = false;  // the answer to quitting with unsaved changes
    std::vector<Notice> notices;
    std::vector<NoticeDetail> noticeDetails;  // one for each notice
    LocalTime now{2026, 12, 7, 9, 36, 12};
    std::string computer = "TESTPC";
    std::vector<WorkArea> screens;  // the monitors' work areas; none: not known
    std::int32_t dpi = 96;          // the system's pixels per inch
    bool autostart = false;
    bool hotKeyFree = true;  // no other program holds the note shortcut
    bool hotKeyHeld = false;
    WorkArea pointerScreen{{0, 0, 1920, 1040}, 96};

    std::unique_ptr<OpenMenu> createMenu(const MenuModel& model) override {
        if (!menuCanBeCreated) return nullptr;
        menus.push_back(model);
        log_.push_back("menu created");
        return std::make_unique<Menu>(*this);
    }
    bool runEditDialog(int slot) override {
        log_.push_back("edit dialog " + std::to_string(slot));
        return editDialog(slot);
    }
    bool runEraseDialog(int slot) override {
        log_.push_back("erase dialog " + std::to_string(slot));
        return eraseDialog(slot);
    }
    bool confirmQuitUnsaved() override {
        log_.push_back("quit anyway?");
        return quitAnyway;
    }
    void showNotice(Notice notice, const NoticeDetail& detail = {}) override {
        notices.push_back(notice);
        noticeDetails.push_back(detail);
    }
    std::vector<WorkArea> workAreas() override { return screens; }
    std::int32_t systemDpi() override { return dpi; }
    // Marks what it converted, so a test sees which texts went through it.
    std::string recodeText(std::string_view bytes, TextEncoding from, TextEncoding to) override {
        return from == to ? std::string(bytes) : "recoded:" + std::string(bytes);
    }
    // Ticks a millisecond a call, so that two erases in one test are told apart in order.
    LocalTime localTime() override {
        const LocalTime time = now;
        now.millisecond = (now.millisecond + 1) % 1000;
        return time;
    }
    std::string computerName() override { return computer; }
    bool autostartEnabled() override { return autostart; }
    void setAutostart(bool enabled) override {
        log_.push_back(enabled ? "autostart on" : "autostart off");
        autostart = enabled;
    }
    bool holdHotKey(bool hold) override {
        log_.push_back(hold ? "hold hot key" : "release hot key");
        hotKeyHeld = hold && hotKeyFree;
        return hotKeyHeld;
    }
    WorkArea workAreaAtPointer() override { return pointerScreen; }
    void postTrayNotify(std::int32_t id, std::int32_t mouseMessage) override {
        log_.push_back("post tray " + std::to_string(id) + " " + std::to_string(mouseMessage));
    }
    void postNull() override { log_.push_back("post null"); }
    void postQuit() override { log_.push_back("post quit"); }

private:
    class Menu : public OpenMenu {
    public:
        explicit Menu(FakeUi& ui) : ui_(ui) {}
        ~Menu() override { ui_.log_.push_back("menu destroyed"); }
        MenuCommand track() override {
            ui_.log_.push_back("menu tracked");
            return ui_.command;
        }

    private:
        FakeUi& ui_;
    };

    std::vector<std::string>& log_;
};

// For hosts that only draw and handle events: no menu can be created, every dialog is cancelled.
class NoUi : public HostUi {
public:
    std::unique_ptr<OpenMenu> createMenu(const MenuModel&) override { return nullptr; }
    bool runEditDialog(int) override { return false; }
    bool runEraseDialog(int) override { return false; }
    bool confirmQuitUnsaved() override { return true; }
    void showNotice(Notice, const NoticeDetail& = {}) override {}
    std::vector<WorkArea> workAreas() override { return {}; }
    std::int32_t systemDpi() override { return 96; }
    std::string recodeText(std::string_view bytes, TextEncoding, TextEncoding) override {
        return std::string(bytes);
    }
    LocalTime localTime() override { return {}; }
    std::string computerName() override { return {}; }
    bool autostartEnabled() override { return false; }
    void setAutostart(bool) override {}
    bool holdHotKey(bool) override { return false; }
    WorkArea workAreaAtPointer() override { return {}; }
    void postTrayNotify(std::int32_t, std::int32_t) override {}
    void postNull() override {}
    void postQuit() override {}
};

}  // namespace yorimemo::fakes
