// frmTolvik: the one window, in plain Win32. It creates the controls, lays
// them out for the window's DPI, routes messages to FormHandlers and gives
// them the window through FormView.
#pragma once

#include <windows.h>

#include <string>

#include "window/form_view.h"
#include "window/layout.h"

namespace tolvik {

// The window's class, by which tests and the demo's pilot find it.
constexpr wchar_t kFormClassName[] = L"frmTolvik";
// WM_DPICHANGED and WM_GETDPISCALEDSIZE, newer than some headers.
constexpr UINT kWmDpiChanged = 0x02E0;
constexpr UINT kWmGetDpiScaledSize = 0x02E4;

class FormHandlers;

class FrmTolvik final : public FormView {
public:
    explicit FrmTolvik(HINSTANCE instance);
    ~FrmTolvik() override;
    FrmTolvik(const FrmTolvik&) = delete;
    FrmTolvik& operator=(const FrmTolvik&) = delete;

    // Creates the window, hidden, with all its controls. False on failure.
    bool Create();
    // The window calls the handlers until it is gone or they are detached.
    void Attach(FormHandlers& handlers) { handlers_ = &handlers; }
    void Detach() { handlers_ = nullptr; }
    // Shows the window. Once it is active the number box has the focus; a
    // start without activation (beside the client) leaves the client in front.
    void Show(int showCommand);
    HWND hwnd() const { return hwnd_; }
    // Runs the message loop until the window is gone; ended otherwise (a
    // quit message), it closes the window first.
    int RunMessageLoop();
    // A handler threw: the user was told, and Tolvik ended.
    bool Failed() const { return failed_; }
    // A quit message came (from outside) while a call or a box waited: the
    // window closes as Quit closes it, and the message stays for the loop.
    void CloseIfQuitPosted();

    // FormView
    void SetHostText(const std::string& text) override;
    std::string NumberBoxText() const override;
    void SetNumberBoxText(const std::string& text) override;
    void SelectNumberBoxText() override;
    void AddRangeItem(const std::string& item) override;
    std::string LowText() const override;
    std::string HighText() const override;
    void SetLowText(const std::string& text) override;
    void SetHighText(const std::string& text) override;
    bool TimerEnabled() const override { return timerEnabled_; }
    void SetTimerEnabled(bool enabled) override;
    void ShowMessage(const std::string& prompt, const std::string& title,
                     MessageIcon icon) override;
    void Close() override;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK NumberBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR self);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    // No exception may leave a window procedure (Windows may swallow it in a
    // callback and leave Tolvik half-done): both run their handling through
    // this, which on a failure shuts the handlers down, tells the user and
    // closes the window.
    template <class Handling>
    LRESULT Guarded(const Handling& handling) noexcept;
    void Fail(const std::string& what);
    LRESULT HandleNumberBox(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    void CreateControls();
    void AddTooltips();
    void UpdateOptionTabStops();
    // Sizes the window (or takes the suggested place) and places every
    // control for `dpi`, with a new font and icons.
    void LayOut(int dpi, const RECT* suggested);
    // The layout follows the DPI and the user's text size, the frame the DPI.
    static int LayoutDpiFor(int dpi, const LOGFONTW& messageFont);
    static PixelRect OuterRect(int dpi, int layoutDpi, int left, int top);
    void SetIcons(int dpi);
    // Destroys the window once no work waits on the client, when its end was
    // held for a call.
    void CloseOnceWorkEnds();
    // The window's end waits for the work that waits on the client: the
    // handlers shut down now, and the window goes once that work has let go.
    void HoldTheEndForACall();
    // A box's owner: none while the window is not shown (start-up's box), so
    // that the box has a taskbar button and cannot be lost behind the client.
    HWND MessageOwner() const { return IsWindowVisible(hwnd_) ? hwnd_ : nullptr; }
    HWND Control(ControlId id) const { return GetDlgItem(hwnd_, id); }
    std::string ControlText(ControlId id) const;
    void SetControlText(ControlId id, const std::string& text);
    void PickItem(ControlId id, const std::string& text);

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    HFONT font_ = nullptr;
    HICON icons_[2] = {};  // big, small
    HWND lastFocus_ = nullptr;
    FormHandlers* handlers_ = nullptr;
    bool timerEnabled_ = false;
    bool quitOnDestroy_ = false;  // while the message loop runs
    bool failed_ = false;
    // How the window ends. Open; a logoff agreed to while no work was under
    // way, after which no tick starts until the session ends or goes on;
    // held for a call: closed by the user (the window then hidden) or by a
    // logoff while work waited on the client, the window stays until that
    // work has let go and DapiStop is made, and asks Windows to wait
    // meanwhile; or destroying, from WM_DESTROY on, when nothing closes it
    // again.
    enum class Ending { Open, LogoffAgreed, HeldForACall, Destroying };
    Ending ending_ = Ending::Open;
    int dpi_ = 96;
};

}  // namespace tolvik
