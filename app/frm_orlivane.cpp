#include "frm_orlivane.h"

#include <commctrl.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <exception>
#include <string>

#include "application_code.h"
#include "common_controls.h"
#include "dpi_support.h"
#include "error.h"
#include "error_text.h"
#include "image_button.h"
#include "launch.h"
#include "registry_store.h"
#include "setting_names.h"
#include "window_layout.h"

namespace orlivane {
namespace {

constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;

constexpr wchar_t kServerCaption[] =
    L"Enter the name of the server that you received in the email then click the save button to "
    L"save any changes.";
constexpr wchar_t kBitnessCaption[] =
    L"Select 32-bit or 64-bit for your version of Microsoft Office.  Generally 64-bit is used for "
    L"Tressik 9 and 32-bit is used for all other versions of Tressik.";

struct ButtonDesign {
    int id;
    const wchar_t* caption;
    ArtworkImage image;
};

// In window order, left to right.
constexpr std::array<ButtonDesign, 8> kButtons = {{
    {kIdTressik, L"Tressik", ArtworkImage::Tressik},
    {kIdOutlook, L"Outlook", ArtworkImage::Outlook},
    {kIdWord, L"Word", ArtworkImage::Word},
    {kIdExcel, L"Excel", ArtworkImage::Excel},
    {kIdChrome, L"Chrome", ArtworkImage::Chrome},
    {kIdExplorer, L"Explorer", ArtworkImage::Explorer},
    {kIdLogOff, L"Log Off", ArtworkImage::LogOff},
    {kIdSettings, L"Settings", ArtworkImage::Settings},
}};

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

bool HasVisibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (; text && *text; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return wide;
}

}  // namespace

void TfrmOrlivane::RegisterClasses(HINSTANCE instance) {
    RegisterImageButtonClass(instance);
    WNDCLASSEXW window{};
    window.cbSize = sizeof window;
    window.lpfnWndProc = WindowProc;
    window.hInstance = instance;
    window.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window.hIcon = LoadIconW(instance, L"MAINICON");
    window.lpszClassName = kMainWindowClass;
    RegisterClassExW(&window);
}

TfrmOrlivane::TfrmOrlivane(HWND application_window) : application_window_(application_window) {}

TfrmOrlivane::~TfrmOrlivane() {
    if (handle_) DestroyWindow(handle_);
}

bool TfrmOrlivane::Create(HINSTANCE instance) {
    dpi_ = SystemDpi();
    const SIZE outer =
        OuterSizeForClient(ScaleForDpi(kClientWidth, dpi_), ScaleForDpi(kClientHeight, dpi_),
                           kWindowStyle, kWindowExStyle, dpi_);
    handle_ = CreateWindowExW(kWindowExStyle, kMainWindowClass, kApplicationTitle, kWindowStyle, 0,
                              0, outer.cx, outer.cy, application_window_, nullptr, instance, this);
    if (!handle_) return false;

    CreateControls();
    // Opened on a monitor of another DPI than the system's: scale to it before showing.
    const int window_dpi = DpiForWindow(handle_);
    if (window_dpi != dpi_) {
        const SIZE scaled = OuterSizeForClient(ScaleForDpi(kClientWidth, window_dpi),
                                               ScaleForDpi(kClientHeight, window_dpi), kWindowStyle,
                                               kWindowExStyle, window_dpi);
        SetWindowPos(handle_, nullptr, 0, 0, scaled.cx, scaled.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        dpi_ = window_dpi;
    }

    Guarded([this] { FormCreate(); });
    // Scaled once, with the font FormCreate managed to choose.
    ApplyDpi(dpi_);
    return true;
}

void TfrmOrlivane::Show() {
    Guarded([this] { FormShow(); });
    ShowWindow(handle_, SW_SHOW);
    UpdateWindow(handle_);
    SetForegroundWindow(handle_);
    FocusControl(focus_);
}

void TfrmOrlivane::CreateControls() {
    HWND* const button_members[] = {&btnTressik, &btnOutlook,  &btnWord,   &btnExcel,
                                    &btnChrome,  &btnExplorer, &btnLogOff, &btnSettings};
    for (std::size_t i = 0; i < kButtons.size(); ++i)
        *button_members[i] = CreateImageButton(handle_, kButtons[i].id, kButtons[i].caption,
                                               kButtons[i].image, dpi_);
}

void TfrmOrlivane::CreateSettingsControls() {
    if (cbxBitness) return;
    const CommonControls& common = LoadCommonControls();
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(handle_, GWLP_HINSTANCE));
    // Created in tab order: the server box before the bitness list.
    const auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, DWORD ex, int id) {
        return CreateWindowExW(ex, cls, text, WS_CHILD | style, 0, 0, 0, 0, handle_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                               nullptr);
    };
    lblServer = child(WC_STATICW, kServerCaption, SS_LEFT | SS_NOPREFIX, 0, kIdServerLabel);
    txtServer = child(WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kIdServer);
    lblBitness = child(WC_STATICW, kBitnessCaption, SS_LEFT | SS_NOPREFIX, 0, kIdBitnessLabel);
    cbxBitness =
        child(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, kIdBitness);
    SendMessageW(cbxBitness, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"32-bit"));
    SendMessageW(cbxBitness, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"64-bit"));
    if (common)
        common.set_window_subclass(txtServer, ServerEditProc, 0, reinterpret_cast<DWORD_PTR>(this));
    for (HWND control : {lblServer, txtServer, lblBitness, cbxBitness})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    FitSettingsControls();
}

void TfrmOrlivane::ApplyDpi(int dpi) {
    dpi_ = dpi;
    PlaceButtons();
    for (HWND button : {btnTressik, btnOutlook, btnWord, btnExcel, btnChrome, btnExplorer,
                        btnLogOff, btnSettings})
        SendMessageW(button, kImageButtonSetDpi, static_cast<WPARAM>(dpi_), 0);
    ApplyFont();  // lays out the settings controls for the new font
}

void TfrmOrlivane::ApplyFont() {
    // A stored size of 0 leaves the height to the font mapper; sizes beyond what a window
    // can sensibly show are drawn at the nearest sensible one.
    const int magnitude = std::abs(font_points_ == INT_MIN ? INT_MAX : font_points_);
    const int points = magnitude > 96 ? 96 : magnitude;
    LOGFONTW design{};
    design.lfHeight = -MulDiv(points, dpi_, 72);
    design.lfWeight = FW_NORMAL;
    design.lfCharSet = DEFAULT_CHARSET;
    design.lfQuality = CLEARTYPE_QUALITY;
    font_face_.copy(design.lfFaceName, LF_FACESIZE - 1);
    GdiFont font(CreateFontIndirectW(&design));
    if (!font) return;
    // Hand the new font to every control before the old one goes.
    for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);
    FitSettingsControls();
}

void TfrmOrlivane::FitSettingsControls() {
    if (!cbxBitness) return;
    SendMessageW(cbxBitness, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 FieldHeight() - ScaleForDpi(6, dpi_));
    LayoutSettingsControls();
}

void TfrmOrlivane::PlaceButtons() {
    const HWND buttons[] = {btnTressik, btnOutlook,  btnWord,   btnExcel,
                            btnChrome,  btnExplorer, btnLogOff, btnSettings};
    for (std::size_t i = 0; i < kButtonLefts.size(); ++i) {
        SetWindowPos(buttons[i], nullptr, ScaleForDpi(kButtonLefts[i], dpi_),
                     ScaleForDpi(kButtonTop, dpi_), ScaleForDpi(kButtonWidth, dpi_),
                     ScaleForDpi(kButtonHeight, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

int TfrmOrlivane::WrappedTextHeight(HWND label, int width) const {
    HDC dc = GetDC(label);
    if (!dc) return 0;
    SelectedObject keep(
        dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
    RECT area{0, 0, width, 0};
    const std::wstring text = WindowText(label);
    DrawTextW(dc, text.c_str(), -1, &area, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ReleaseDC(label, dc);
    return area.bottom - area.top;
}

int TfrmOrlivane::FieldHeight() const {
    HDC dc = GetDC(handle_);
    TEXTMETRICW metrics{};
    if (dc) {
        SelectedObject keep(
            dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
        GetTextMetricsW(dc, &metrics);
        ReleaseDC(handle_, dc);
    }
    return metrics.tmHeight + ScaleForDpi(8, dpi_);
}

void TfrmOrlivane::LayoutSettingsControls() {
    if (!lblServer || !txtServer || !lblBitness || !cbxBitness) return;
    RECT client;
    GetClientRect(handle_, &client);
    const SettingsColumns columns = ComputeSettingsColumns(client.right - client.left);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    const int server_label_height = WrappedTextHeight(lblServer, columns.width);
    const int bitness_label_height = WrappedTextHeight(lblBitness, columns.width);
    const int field_top = SettingsFieldTop(0, bitness_label_height);
    const int field_height = FieldHeight();
    SetWindowPos(lblServer, nullptr, columns.server_left, 0, columns.width, server_label_height,
                 flags);
    SetWindowPos(lblBitness, nullptr, columns.bitness_left, 0, columns.width, bitness_label_height,
                 flags);
    // The list's window height includes its drop-down part.
    SetWindowPos(cbxBitness, nullptr, columns.bitness_left, field_top, columns.width,
                 field_height * 6, flags);
    SetWindowPos(txtServer, nullptr, columns.server_left, field_top, columns.width, field_height,
                 flags);
}

void TfrmOrlivane::FormCreate() {
    LOGFONTW fontstructure{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof fontstructure, &fontstructure, 0);
    const std::wstring system_face(fontstructure.lfFaceName,
                                   wcsnlen(fontstructure.lfFaceName, LF_FACESIZE));

    const std::wstring face =
        GetRegistry(kSectionDisplay, kKeyFontName, SettingValue::Text(system_face)).ToText();
    if (!face.empty()) font_face_ = face;

    HDC dc = GetDC(handle_);
    const int pixels_per_inch = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(handle_, dc);
    const int system_points = std::abs(MulDiv(fontstructure.lfHeight, 72, pixels_per_inch));

    font_points_ = GetRegistry(kSectionDisplay, kKeyFontSize, SettingValue::Integer(system_points))
                       .ToInteger();
}

void TfrmOrlivane::FormShow() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{};
    GetWindowRect(handle_, &frame);
    const Point place = BottomRightPlacement(work.right - work.left, work.bottom - work.top,
                                             frame.right - frame.left, frame.bottom - frame.top);
    SetWindowPos(handle_, nullptr, place.x, place.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    LayoutSettingsControls();

    const SettingValue server = GetRegistry(kSectionOrlivane, kKeyServer, SettingValue());
    if (Equals(server, SettingValue::Text(L""))) btnSettingsClick();
}

void TfrmOrlivane::SetLaunchButtonsVisible(bool visible) {
    for (HWND button :
         {btnTressik, btnOutlook, btnWord, btnExcel, btnChrome, btnExplorer, btnLogOff})
        ShowWindow(button, visible ? SW_SHOWNA : SW_HIDE);
}

void TfrmOrlivane::btnSettingsClick() {
    if (HasVisibleStyle(btnTressik)) {
        CreateSettingsControls();
        SetWindowTextW(btnSettings, L"Save");
        SetLaunchButtonsVisible(false);
        ShowWindow(lblServer, SW_SHOWNA);
        ShowWindow(txtServer, SW_SHOWNA);
        SetWindowTextW(txtServer,
                       GetRegistry(kSectionOrlivane, kKeyServer, SettingValue()).ToText().c_str());
        FocusControl(txtServer);
        SendMessageW(txtServer, EM_SETSEL, 0, -1);
        ShowWindow(lblBitness, SW_SHOWNA);
        ShowWindow(cbxBitness, SW_SHOWNA);
        const int index =
            GetRegistry(kSectionOrlivane, kKeyBitness, SettingValue::Byte(0)).ToInteger();
        if (index >= -1 && index <= 1)
            SendMessageW(cbxBitness, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else {
        SetWindowTextW(btnSettings, L"Settings");
        for (HWND control : {lblServer, txtServer, lblBitness, cbxBitness})
            ShowWindow(control, SW_HIDE);
        SetLaunchButtonsVisible(true);
        FocusControl(nullptr);
        SetRegistry(kSectionOrlivane, kKeyServer, SettingValue::Text(WindowText(txtServer)));
        const auto selected = static_cast<int>(SendMessageW(cbxBitness, CB_GETCURSEL, 0, 0));
        SetRegistry(kSectionOrlivane, kKeyBitness, SettingValue::Integer(selected));
    }
}

void TfrmOrlivane::txtServerKeyPress(wchar_t& key) {
    if (key != L'\r') return;
    key = 0;
    btnSettingsClick();
}

void TfrmOrlivane::btnTressikClick() { CreateScriptAndLaunch(scrTressik); }
void TfrmOrlivane::btnOutlookClick() { CreateScriptAndLaunch(scrOutlook); }
void TfrmOrlivane::btnWordClick() { CreateScriptAndLaunch(scrWord); }
void TfrmOrlivane::btnExcelClick() { CreateScriptAndLaunch(scrExcel); }
void TfrmOrlivane::btnChromeClick() { CreateScriptAndLaunch(scrChrome); }
void TfrmOrlivane::btnExplorerClick() { CreateScriptAndLaunch(scrExplorer); }
void TfrmOrlivane::btnLogOffClick() { CreateScriptAndLaunch(scrLogoff); }

void TfrmOrlivane::CreateScriptAndLaunch(int code) {
    orlivane::CreateScriptAndLaunch(code, application_window_);
}

void TfrmOrlivane::FocusControl(HWND control) {
    focus_ = control;
    if (!IsWindowVisible(handle_)) return;  // taken up when the window is activated
    SetFocus(control ? control : handle_);
}

template <typename Handler>
void TfrmOrlivane::Guarded(Handler&& handler) {
    try {
        handler();
    } catch (const Error& error) {
        ShowError(error.message());
    } catch (const std::exception& error) {
        ShowError(Widen(error.what()));
    } catch (...) {
        ShowError(L"Unexpected error");
    }
}

void TfrmOrlivane::ShowError(const std::wstring& message) {
    HWND owner = handle_ && IsWindowVisible(handle_) ? handle_ : application_window_;
    MessageBoxW(owner, ErrorBoxText(message).c_str(), kApplicationTitle, MB_OK | MB_ICONSTOP);
}

void TfrmOrlivane::OnCommand(int id, int code) {
    if (code == BN_CLICKED) {
        switch (id) {
            case kIdTressik:
                return Guarded([this] { btnTressikClick(); });
            case kIdOutlook:
                return Guarded([this] { btnOutlookClick(); });
            case kIdWord:
                return Guarded([this] { btnWordClick(); });
            case kIdExcel:
                return Guarded([this] { btnExcelClick(); });
            case kIdChrome:
                return Guarded([this] { btnChromeClick(); });
            case kIdExplorer:
                return Guarded([this] { btnExplorerClick(); });
            case kIdLogOff:
                return Guarded([this] { btnLogOffClick(); });
            case kIdSettings:
                return Guarded([this] { btnSettingsClick(); });
            default:
                break;
        }
    }
    if ((id == kIdServer && code == EN_SETFOCUS) || (id == kIdBitness && code == CBN_SETFOCUS))
        focus_ = GetDlgItem(handle_, id);
}

LRESULT CALLBACK TfrmOrlivane::ServerEditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                              UINT_PTR, DWORD_PTR self) {
    auto* form = reinterpret_cast<TfrmOrlivane*>(self);
    const CommonControls& common = LoadCommonControls();
    switch (message) {
        case WM_GETDLGCODE:
            // Enter belongs to the box, so the dialog keys do not turn it into a command.
            if (lparam && reinterpret_cast<const MSG*>(lparam)->message == WM_KEYDOWN &&
                reinterpret_cast<const MSG*>(lparam)->wParam == VK_RETURN)
                return DLGC_WANTALLKEYS | common.def_subclass_proc(edit, message, wparam, lparam);
            break;
        case WM_CHAR: {
            auto key = static_cast<wchar_t>(wparam);
            form->Guarded([&] { form->txtServerKeyPress(key); });
            if (key == 0) return 0;
            wparam = key;
            break;
        }
        case WM_NCDESTROY:
            common.remove_window_subclass(edit, ServerEditProc, 0);
            break;
        default:
            break;
    }
    return common.def_subclass_proc(edit, message, wparam, lparam);
}

LRESULT CALLBACK TfrmOrlivane::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* form =
            static_cast<TfrmOrlivane*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        form->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TfrmOrlivane*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) return DefWindowProcW(window, message, wparam, lparam);
    return form->HandleMessage(message, wparam, lparam);
}

LRESULT TfrmOrlivane::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wparam), HIWORD(wparam));
            return 0;
        case WM_CTLCOLORSTATIC: {
            // Labels are transparent on the window's face.
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_ACTIVATE:
            if (LOWORD(wparam) != WA_INACTIVE) {
                SetFocus(focus_ && IsWindowVisible(focus_) ? focus_ : handle_);
                return 0;
            }
            break;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lparam);
            SetWindowPos(handle_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            const int dpi = HIWORD(wparam);
            // Where the frame does not scale with the client area as suggested, correct the
            // size so the client area is exactly the scaled design.
            RECT client;
            GetClientRect(handle_, &client);
            const int extra_width = ScaleForDpi(kClientWidth, dpi) - client.right;
            const int extra_height = ScaleForDpi(kClientHeight, dpi) - client.bottom;
            if (extra_width != 0 || extra_height != 0) {
                SetWindowPos(handle_, nullptr, 0, 0,
                             suggested->right - suggested->left + extra_width,
                             suggested->bottom - suggested->top + extra_height,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            ApplyDpi(dpi);
            InvalidateRect(handle_, nullptr, TRUE);
            return 0;
        }
        case WM_CLOSE:
            DestroyWindow(handle_);  // nothing is saved on close
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY: {
            HWND window = handle_;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            handle_ = nullptr;
            return DefWindowProcW(window, message, wparam, lparam);
        }
        default:
            break;
    }
    return DefWindowProcW(handle_, message, wparam, lparam);
}

}  // namespace orlivane
