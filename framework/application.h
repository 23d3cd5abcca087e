#pragma once
// The process's one application object: constructed before the entry point runs, it supplies the
// start-up routine that the entry point calls through Run().

namespace yorimemo {

class CApplication {
public:
    // Registers this object as the process's application; there is exactly one.
    CApplication();
    virtual ~CApplication();

    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // Called by the entry point: runs the start-up routine and, only when it asks for one, a
    // message loop until WM_QUIT. Returns the process's exit code.
    static int Run();

protected:
    // The process's start-up. False ends the process as soon as this returns.
    virtual bool InitInstance() = 0;
};

}  // namespace yorimemo
