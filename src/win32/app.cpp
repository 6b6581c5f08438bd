#include "win32/app.h"

#include <windows.h>

#include "win32/ansi_text.h"
#include "win32/frm_tolvik.h"
#include "window/form_handlers.h"

namespace tolvik {
namespace {

// The window calls the handlers only while both live, however the run ends:
// destroyed after them, it must not run Form_Unload on a dead object.
class Attachment {
public:
    Attachment(FrmTolvik& form, FormHandlers& handlers) : form_(form) { form_.Attach(handlers); }
    ~Attachment() { form_.Detach(); }
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

private:
    FrmTolvik& form_;
};

// The client library as the handlers reach it: a quit message posted to the
// thread (from outside) while one of its calls waits ends the work as Quit
// does, with no call after that one. The library's wait may take the message
// in and post it again; either way it is found once the call has returned,
// and left for the message loop to end on.
class QuitWatch final : public ClientLibrary {
public:
    QuitWatch(ClientLibrary& library, FrmTolvik& form) : library_(library), form_(form) {}

    void DapiStart(const std::string& appName) override {
        library_.DapiStart(appName);
        CloseOnQuit();
    }
    std::int16_t DapiIsVZThere() override {
        const std::int16_t there = library_.DapiIsVZThere();
        CloseOnQuit();
        return there;
    }
    std::string DapiGetText(long timeout) override {
        std::string text = library_.DapiGetText(timeout);
        CloseOnQuit();
        return text;
    }
    void DapiESP(const std::string& recipient, const std::string& message, long timeout) override {
        library_.DapiESP(recipient, message, timeout);
        CloseOnQuit();
    }
    void DapiStop() override { library_.DapiStop(); }

private:
    void CloseOnQuit() {
        MSG quit;
        if (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) form_.Close();
    }
    ClientLibrary& library_;
    FrmTolvik& form_;
};

}  // namespace

std::wstring FailurePrompt(const std::string& what) {
    return L"Tolvik ran into an error it cannot go on from, and closes:\n\n" + AnsiToWide(what);
}

int RunTolvik(HINSTANCE instance, ClientLibrary& library, RandomSource& random, Clock& clock,
              const std::string& appName, int showCommand) {
    FrmTolvik form(instance);
    if (!form.Create()) return kExitWindowFailed;
    QuitWatch watched(library, form);
    FormHandlers handlers(form, watched, random, clock, appName);
    Attachment attachment(form, handlers);

    // No client: the user was told, and the window is gone.
    if (!handlers.Form_Load()) return kExitNoClient;
    form.Show(showCommand);
    const int exitCode = form.RunMessageLoop();
    return form.Failed() ? kExitHandlerFailed : exitCode;
}

}  // namespace tolvik
