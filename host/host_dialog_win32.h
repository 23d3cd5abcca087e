#pragma once
// The hidden host window: a tiny tool window parked off-screen whose modal run is the program's
// one message loop. It owns the note table for the life of the process.

#include <string>

#include "framework/modal_dialog.h"
#include "notes/note_table.h"

namespace yorimemo {

class CHostDlg : public CModalDialog {
public:
    CHostDlg(std::string programDirectory, std::string iniPath, HWND parent);

    NoteTable& table() { return table_; }
    const NoteTable& table() const { return table_; }
    // Without a trailing backslash.
    const std::string& programDirectory() const { return programDirectory_; }
    const std::string& iniPath() const { return iniPath_; }

protected:
    BOOL OnInitDialog() override;
    // Enter, Esc, IDOK, IDCANCEL and the close request never end the host.
    void OnOK() override {}
    void OnCancel() override {}

private:
    std::string programDirectory_;
    std::string iniPath_;
    NoteTable table_;
};

}  // namespace yorimemo
