#include "win32/frm_tolvik.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <optional>
#include <vector>

#include "win32/accessible_names.h"
#include "win32/ansi_text.h"
#include "win32/app.h"
#include "win32/dpi.h"
#include "win32/gdi.h"
#include "win32/resource.h"
#include "window/form_handlers.h"

namespace tolvik {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;

// A pointer that Windows hands over as an integer: a message's parameter, a
// window's user data, a subclass's reference data.
template <class T>
T* PointerFrom(LONG_PTR value) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the message protocol passes pointers so
    return reinterpret_cast<T*>(value);
}

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassFor(const ControlEntry& entry) {
    switch (entry.kind) {
        case ControlKind::Label:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
        case ControlKind::TextBox:
            return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::Option:
            return {L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0};
        case ControlKind::ComboList:
            return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    }
    return {L"STATIC", 0, 0};
}

// Takes every quit message waiting, and gives the exit code of the first:
// one posted to the thread from outside and the one PostQuitMessage sets can
// wait side by side, and one left behind would close the next message box
// at once.
std::optional<int> TakeQuitMessages() {
    std::optional<int> exitCode;
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        if (!exitCode) exitCode = static_cast<int>(quit.wParam);
    return exitCode;
}

}  // namespace

FrmTolvik::FrmTolvik(HINSTANCE instance) : instance_(instance) {}

FrmTolvik::~FrmTolvik() {
    if (hwnd_) DestroyWindow(hwnd_);
    if (font_) DeleteObject(font_);
    for (HICON icon : icons_)
        if (icon) DestroyIcon(icon);
}

void FrmTolvik::SetIcons(int dpi) {
    // The image of the icon that fits the size Windows shows at this DPI.
    const int sizes[] = {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CXSMICON)};
    for (int i = 0; i < 2; ++i) {
        const int size = MulDiv(sizes[i], dpi, SystemDpi());
        HICON icon = static_cast<HICON>(
            LoadImageW(instance_, MAKEINTRESOURCEW(IDI_TOLVIK), IMAGE_ICON, size, size, 0));
        if (!icon) continue;
        SendMessageW(hwnd_, WM_SETICON, i == 0 ? ICON_BIG : ICON_SMALL,
                     reinterpret_cast<LPARAM>(icon));
        if (icons_[i]) DestroyIcon(icons_[i]);
        icons_[i] = icon;
    }
}

bool FrmTolvik::Create() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &FrmTolvik::WindowProc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    // NOLINTNEXTLINE(performance-no-int-to-ptr): a system colour's index + 1 is its brush here
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClassName;
    wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_TOLVIK));
    // Shared, as the class's icons live as long as the process.
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_TOLVIK), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    const std::wstring caption = AnsiToWide(std::string(kCaption));
    hwnd_ = CreateWindowExW(kExStyle, kFormClassName, caption.c_str(), kStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, 300, 200, nullptr, nullptr, instance_, this);
    if (!hwnd_) return false;
    CreateControls();
    LayOut(WindowDpi(hwnd_), nullptr);
    return true;
}

void FrmTolvik::CreateControls() {
    // Z-order is the order of creation: it gives the tab order, and a screen
    // reader names a box after the label just before it. Each label names
    // the control before it in the table, so it is created just ahead of
    // that control; labels take no tab stop, so the tab order stays.
    std::vector<const ControlEntry*> order;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].kind == ControlKind::Label) continue;
        if (i + 1 < kControls.size() && kControls[i + 1].kind == ControlKind::Label)
            order.push_back(&kControls[i + 1]);
        order.push_back(&kControls[i]);
    }
    for (const ControlEntry* entry : order) {
        const ControlClass cls = ClassFor(*entry);
        DWORD style = WS_CHILD | WS_VISIBLE | cls.style;
        // Each option pair is one group, so the arrow keys move within it:
        // the second of a pair, made after its partner, starts none.
        if (entry->partner == 0 || !Control(entry->partner)) style |= WS_GROUP;
        const std::wstring caption = AnsiToWide(std::string(entry->caption));
        // A child window's id goes where a top-level window's menu would.
        const auto id = reinterpret_cast<HMENU>(  // NOLINT(performance-no-int-to-ptr)
            static_cast<INT_PTR>(entry->id));
        CreateWindowExW(cls.exStyle, cls.className, caption.c_str(), style, 0, 0, 10, 10, hwnd_, id,
                        instance_, nullptr);
    }
    CheckRadioButton(hwnd_, kOptAutoOn, kOptAutoOff, kOptAutoOff);
    CheckRadioButton(hwnd_, kOptRandomOn, kOptRandomOff, kOptRandomOff);
    UpdateOptionTabStops();
    lastFocus_ = Control(kTxtNumber);
    // The boxes take text of any length.
    SendMessageW(Control(kTxtNumber), EM_SETLIMITTEXT, 0, 0);
    SendMessageW(Control(kTxtHost), EM_SETLIMITTEXT, 0, 0);
    SetWindowSubclass(Control(kTxtNumber), &FrmTolvik::NumberBoxProc, 1,
                      reinterpret_cast<DWORD_PTR>(this));
    AddTooltips();
    // The lists and the options have no label before them in z-order that
    // would name them ("combo box, 5", "On"): they are named directly.
    std::vector<std::pair<HWND, std::wstring>> names;
    for (const ControlEntry& entry : kControls)
        if (const std::string name = AccessibleName(entry); !name.empty())
            names.emplace_back(Control(entry.id), AnsiToWide(name));
    SetAccessibleNames(names);
}

void FrmTolvik::UpdateOptionTabStops() {
    // Tab stops at the picked option of each pair; the arrows move within it.
    for (ControlId id : {kOptAutoOn, kOptAutoOff, kOptRandomOn, kOptRandomOff}) {
        HWND option = Control(id);
        LONG_PTR style = GetWindowLongPtrW(option, GWL_STYLE);
        const bool checked = SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
        style = checked ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrW(option, GWL_STYLE, style);
    }
}

void FrmTolvik::AddTooltips() {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                               nullptr, instance_, nullptr);
    if (!tooltip_) return;
    for (const ControlEntry& entry : kControls) {
        if (entry.tooltip.empty()) continue;
        std::wstring text = AnsiToWide(std::string(entry.tooltip));
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = hwnd_;
        info.uId = reinterpret_cast<UINT_PTR>(Control(entry.id));
        info.lpszText = text.data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

int FrmTolvik::LayoutDpiFor(int dpi, const LOGFONTW& messageFont) {
    return LayoutDpi(dpi, std::abs(messageFont.lfHeight));
}

PixelRect FrmTolvik::OuterRect(int dpi, int layoutDpi, int left, int top) {
    const RECT frame = WindowRectForClient(0, 0, kStyle, kExStyle, dpi);
    return WindowPlace(left, top, layoutDpi, {frame.right - frame.left, frame.bottom - frame.top});
}

void FrmTolvik::LayOut(int dpi, const RECT* suggested) {
    dpi_ = dpi;
    // Of the rectangle Windows suggests on a move between monitors, the
    // position is taken, so the window stays on the monitor it moved to.
    RECT place;
    GetWindowRect(hwnd_, &place);
    if (suggested) place = *suggested;
    const LOGFONTW messageFont = MessageLogFont(dpi);
    const int layoutDpi = LayoutDpiFor(dpi, messageFont);
    const PixelRect outer = OuterRect(dpi, layoutDpi, place.left, place.top);
    if (IsIconic(hwnd_)) {
        // Minimized: the size it is restored to.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(hwnd_, &placement);
        placement.rcNormalPosition.right = placement.rcNormalPosition.left + outer.width;
        placement.rcNormalPosition.bottom = placement.rcNormalPosition.top + outer.height;
        placement.showCmd = SW_SHOWMINNOACTIVE;
        SetWindowPlacement(hwnd_, &placement);
    } else {
        SetWindowPos(hwnd_, nullptr, outer.left, outer.top, outer.width, outer.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetIcons(dpi);

    HFONT old = font_;
    font_ = CreateFontIndirectW(&messageFont);
    for (const ControlEntry& entry : kControls) {
        HWND control = Control(entry.id);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        const PixelRect r = ControlPixels(entry, layoutDpi);
        int width = r.width;
        int height = r.height;
        if (entry.kind == ControlKind::Label) {
            // A label grows to show its whole text in the message font.
            const SIZE needed = TextSize(control, font_);
            width = std::max(width, static_cast<int>(needed.cx));
            height = std::max(height, static_cast<int>(needed.cy));
        }
        if (entry.kind == ControlKind::ComboList) {
            // A drop-down list's own height is that of its open list; its
            // closed field is sized through the item height.
            const int edges = MulDiv(6, dpi, 96);  // the field's border and padding
            SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), r.height - edges);
            height = r.height * 8;  // room for several items when open
        }
        MoveWindow(control, r.left, r.top, width, height, FALSE);
    }
    if (tooltip_) SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (old) DeleteObject(old);
}

void FrmTolvik::Show(int showCommand) {
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    // SetFocus would activate an inactive window; WM_SETFOCUS places the
    // focus once it is activated.
    if (GetActiveWindow() == hwnd_) SetFocus(Control(kTxtNumber));
}

void FrmTolvik::CloseOnceWorkEnds() {
    if (ending_ != Ending::HeldForACall || (handlers_ && handlers_->WorkUnderWay())) return;
    // Once: destroying sends messages of its own, each of which comes back here.
    ending_ = Ending::Open;
    if (hwnd_) DestroyWindow(hwnd_);
}

void FrmTolvik::HoldTheEndForACall() {
    if (ending_ == Ending::HeldForACall) return;
    ending_ = Ending::HeldForACall;
    handlers_->Form_Unload();
}

void FrmTolvik::CloseIfQuitPosted() {
    MSG quit;
    if (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) Close();
}

int FrmTolvik::RunMessageLoop() {
    quitOnDestroy_ = true;
    MSG msg{};
    // Until the quit message, or until the window is gone: a library that
    // waits in a loop of its own may have taken the quit message.
    while (hwnd_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // The dialog manager gives Tab, Shift+Tab and the arrow keys between
        // options, dispatching those messages itself.
        if (IsDialogMessageW(hwnd_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // A quit message with the window still there (posted by another program,
    // or passed on by a library's modal loop) closes it as "Quit" does, so
    // the handlers shut down. Quit messages the loop did not take (the
    // window's own, one from outside) are taken here.
    quitOnDestroy_ = false;
    Close();
    const std::optional<int> waiting = TakeQuitMessages();
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : waiting.value_or(0);
}

template <class Handling>
LRESULT FrmTolvik::Guarded(const Handling& handling) noexcept {
    try {
        return handling();
    } catch (const std::exception& error) {
        Fail(error.what());
    } catch (...) {
        Fail("an error of unknown kind");
    }
    return 0;
}

LRESULT CALLBACK FrmTolvik::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    FrmTolvik* self = PointerFrom<FrmTolvik>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<FrmTolvik*>(PointerFrom<CREATESTRUCTW>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->Guarded([&] {
        const LRESULT result = self->Handle(msg, wParam, lParam);
        // Whichever message the work that held the window's end came in, the
        // window goes once it is over.
        self->CloseOnceWorkEnds();
        return result;
    });
}

void FrmTolvik::Fail(const std::string& what) {
    // Every failure shuts the handlers down: a failure that came while a
    // library call waited leaves the detaching to the one that ends it.
    try {
        if (handlers_) handlers_->Form_Unload();  // the timer off, detached
    } catch (...) {  // the library that threw is past helping: tell the user all the same
    }
    if (failed_) return;  // a failure while failing: the first one is told
    failed_ = true;
    if (ending_ == Ending::HeldForACall) ending_ = Ending::Open;  // it goes after the box
    // The window may be gone already (closed while the call that failed
    // waited), its quit message posted: held back, or the box would close
    // at once, unread.
    const std::optional<int> quit = TakeQuitMessages();
    MessageBoxW(MessageOwner(), FailurePrompt(what).c_str(), L"Tolvik",
                MB_OK | MB_ICONERROR | MB_APPLMODAL);
    if (quit) PostQuitMessage(*quit);
    if (hwnd_ && ending_ != Ending::Destroying) DestroyWindow(hwnd_);
}

LRESULT FrmTolvik::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kTimerId && timerEnabled_ && handlers_ && ending_ != Ending::LogoffAgreed)
                handlers_->vzTimer_Timer();
            return 0;
        case WM_ACTIVATE:
            // Remember where the user left the focus; it goes back there
            // whenever the window gets the focus, after a minimized start too.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
            }
            break;
        case WM_SETFOCUS:
            SetFocus(IsWindow(lastFocus_) ? lastFocus_ : Control(kTxtNumber));
            return 0;
        case kWmGetDpiScaledSize: {
            const int dpi = LOWORD(wParam);
            const PixelRect outer = OuterRect(dpi, LayoutDpiFor(dpi, MessageLogFont(dpi)), 0, 0);
            *PointerFrom<SIZE>(lParam) = {outer.width, outer.height};
            return TRUE;
        }
        case kWmDpiChanged:
            LayOut(HIWORD(wParam), PointerFrom<const RECT>(lParam));
            return 0;
        case WM_SETTINGCHANGE:
            // A new text size: the new message font, and the layout around it.
            if (wParam == SPI_SETNONCLIENTMETRICS) LayOut(dpi_, nullptr);
            break;
        case WM_SYSCOLORCHANGE:
            // Common controls take new colours (High Contrast) from their window.
            for (const ControlEntry& entry : kControls)
                SendMessageW(Control(entry.id), msg, wParam, lParam);
            if (tooltip_) SendMessageW(tooltip_, msg, wParam, lParam);
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_QUERYENDSESSION:
            // Logoff while a call waits on the client, or after a close that
            // waits for one: Windows is asked to wait. Tolvik shuts down as Quit
            // does, so the work ends once the call has returned and DapiStop
            // follows; the window (and with it the reason Windows shows) stays
            // until then (a held end is always such work: once the work is over,
            // the window goes). Idle, it agrees, and starts no tick that
            // WM_ENDSESSION could find waiting.
            if (!handlers_ || !handlers_->WorkUnderWay()) {
                if (ending_ != Ending::Destroying) ending_ = Ending::LogoffAgreed;
                return TRUE;
            }
            ShutdownBlockReasonCreate(hwnd_, L"Tolvik is letting go of the VZones client.");
            if (ending_ != Ending::Destroying) HoldTheEndForACall();
            return FALSE;
        case WM_ENDSESSION:
            // Logoff or shutdown: end the usual way, so the library is detached
            // (later, if a call still waits: Windows ended the session anyway).
            if (wParam && ending_ != Ending::Destroying) DestroyWindow(hwnd_);
            if (!wParam && ending_ == Ending::LogoffAgreed) ending_ = Ending::Open;
            return 0;
        case WM_DESTROY: {
            ending_ = Ending::Destroying;
            KillTimer(hwnd_, kTimerId);
            RemoveWindowSubclass(Control(kTxtNumber), &FrmTolvik::NumberBoxProc, 1);
            std::vector<HWND> named;
            for (const ControlEntry& entry : kControls)
                if (!AccessibleName(entry).empty()) named.push_back(Control(entry.id));
            ClearAccessibleNames(named);
            if (handlers_) handlers_->Form_Unload();
            if (quitOnDestroy_) PostQuitMessage(0);
            return 0;
        }
        case WM_NCDESTROY: {
            HWND hwnd = hwnd_;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void FrmTolvik::OnCommand(int id, int code) {
    if (!handlers_) return;
    if (code == BN_CLICKED) {
        // Any id may come here (IDOK from the dialog manager, for one).
        const auto isOption = [id](const ControlEntry& e) {
            return e.id == id && e.kind == ControlKind::Option;
        };
        if (std::any_of(kControls.begin(), kControls.end(), isOption)) UpdateOptionTabStops();
        switch (id) {
            case kCmdGetHost:
                handlers_->cmdGetHost_Click();
                return;
            case kCmdRegister:
                handlers_->cmdRegister_Click();
                return;
            case kCmdQuit:
                handlers_->cmdQuit_Click();
                return;
            case kOptAutoOn:
                handlers_->optAuto_Click(0);
                return;
            case kOptAutoOff:
                handlers_->optAuto_Click(1);
                return;
            case kOptRandomOn:
                handlers_->optRandom_Click(0);
                return;
            case kOptRandomOff:
                handlers_->optRandom_Click(1);
                return;
            default:
                return;
        }
    }
    if (code == CBN_SELCHANGE) {
        if (id == kCmbLow) handlers_->cmbLow_Click();
        if (id == kCmbHigh) handlers_->cmbHigh_Click();
    }
}

LRESULT CALLBACK FrmTolvik::NumberBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
    FrmTolvik* form = PointerFrom<FrmTolvik>(static_cast<LONG_PTR>(self));
    return form->Guarded([&] { return form->HandleNumberBox(hwnd, msg, wParam, lParam); });
}

LRESULT FrmTolvik::HandleNumberBox(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (handlers_) {
        if (msg == WM_CHAR) {
            int key = static_cast<int>(wParam);
            handlers_->txtNumber_KeyPress(key);
            if (key == 0) return 0;
            wParam = static_cast<WPARAM>(key);
        } else if (msg == WM_KEYUP || msg == WM_SYSKEYUP) {
            // Every key release, also those with Alt held (Alt+numpad codes).
            const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
            handlers_->txtNumber_KeyUp();
            return result;
        }
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

std::string FrmTolvik::ControlText(ControlId id) const {
    HWND control = Control(id);
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied));
    return WideToAnsi(text);
}

void FrmTolvik::SetControlText(ControlId id, const std::string& text) {
    SetWindowTextW(Control(id), AnsiToWide(text).c_str());
}

void FrmTolvik::SetHostText(const std::string& text) {
    SetControlText(kTxtHost, text);
}

std::string FrmTolvik::NumberBoxText() const {
    return ControlText(kTxtNumber);
}

void FrmTolvik::SetNumberBoxText(const std::string& text) {
    SetControlText(kTxtNumber, text);
}

void FrmTolvik::SelectNumberBoxText() {
    // In the box's own units, whatever the text's length in ANSI bytes.
    SendMessageW(Control(kTxtNumber), EM_SETSEL, 0, -1);
}

void FrmTolvik::AddRangeItem(const std::string& item) {
    const std::wstring text = AnsiToWide(item);
    SendMessageW(Control(kCmbLow), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(Control(kCmbHigh), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string FrmTolvik::LowText() const {
    return ControlText(kCmbLow);
}

std::string FrmTolvik::HighText() const {
    return ControlText(kCmbHigh);
}

void FrmTolvik::PickItem(ControlId id, const std::string& text) {
    const std::wstring wide = AnsiToWide(text);
    const LRESULT index = SendMessageW(Control(id), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(wide.c_str()));
    SendMessageW(Control(id), CB_SETCURSEL, index == CB_ERR ? static_cast<WPARAM>(-1) : index, 0);
}

void FrmTolvik::SetLowText(const std::string& text) {
    PickItem(kCmbLow, text);
}

void FrmTolvik::SetHighText(const std::string& text) {
    PickItem(kCmbHigh, text);
}

void FrmTolvik::SetTimerEnabled(bool enabled) {
    if (!hwnd_) enabled = false;  // the window is gone: no timer may outlive it
    if (enabled == timerEnabled_) return;
    timerEnabled_ = enabled;
    if (enabled)
        SetTimer(hwnd_, kTimerId, kTimerInterval, nullptr);
    else
        KillTimer(hwnd_, kTimerId);
}

void FrmTolvik::ShowMessage(const std::string& prompt, const std::string& title, MessageIcon icon) {
    const UINT style = MB_OK | (icon == MessageIcon::Stop ? MB_ICONSTOP : MB_ICONWARNING);
    MessageBoxW(MessageOwner(), AnsiToWide(prompt).c_str(), AnsiToWide(title).c_str(),
                style | MB_APPLMODAL);
    CloseIfQuitPosted();  // it closed the box, and ends the work the box was part of
}

void FrmTolvik::Close() {
    if (!hwnd_ || ending_ == Ending::Destroying) return;
    if (!handlers_ || !handlers_->WorkUnderWay()) {
        DestroyWindow(hwnd_);
        return;
    }
    // Work waits on the client: the window stays until that work has let
    // go, so that a logoff meanwhile still finds it. It hides at once, but
    // not while disabled under a box it shows, which it would leave without
    // a taskbar button: that box is answered first.
    if (IsWindowEnabled(hwnd_)) ShowWindow(hwnd_, SW_HIDE);
    HoldTheEndForACall();
}

}  // namespace tolvik
