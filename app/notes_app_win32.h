#pragma once
// The application: knows the program's directory and INI file, lets one instance run, and runs
// the hidden host dialog for the life of the process.

#include <string>

#include "framework/application.h"
#include "platform/handles_win32.h"

namespace yorimemo {

class CNotesApp : public CApplication {
public:
    CNotesApp();

protected:
    bool InitInstance() override;

private:
    std::wstring programDirectory_;
    std::wstring iniPath_;
    bool pathsUsable_ = false;
    // Marks the running instance; held until the process ends.
    KernelHandle mutex_;
};

}  // namespace yorimemo
