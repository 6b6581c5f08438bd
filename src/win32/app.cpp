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

}  // namespace

std::wstring FailurePrompt(const std::string& what) {
    return L"Tolvik ran into an error it cannot go on from, and closes:\n\n" + AnsiToWide(what);
}

int RunTolvik(HINSTANCE instance, ClientLibrary& library, RandomSource& random, Clock& clock,
              const std::string& appName, int showCommand) {
    FrmTolvik form(instance);
    if (!form.Create()) return kExitWindowFailed;
    FormHandlers handlers(form, library, random, clock, appName);
    Attachment attachment(form, handlers);

    // No client: the user was told, and the window is gone.
    if (!handlers.Form_Load()) return kExitNoClient;
    form.Show(showCommand);
    const int exitCode = form.RunMessageLoop();
    return form.Failed() ? kExitHandlerFailed : exitCode;
}

}  // namespace tolvik
