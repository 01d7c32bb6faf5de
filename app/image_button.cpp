#include "image_button.h"

#include <windowsx.h>

#include <new>

#include "button_accessible.h"
#include "gdi_objects.h"
#include "window_layout.h"

namespace orlivane {
namespace {

// Colours of the flat face for the pointer's states, matching the system's light theme.
constexpr COLORREF kHoverFill = RGB(229, 241, 251);
constexpr COLORREF kHoverEdge = RGB(204, 228, 247);
constexpr COLORREF kPressedFill = RGB(204, 228, 247);
constexpr COLORREF kPressedEdge = RGB(153, 209, 255);

constexpr int kImageTop = 12;  // 96-DPI units inside the 97 x 113 button
constexpr int kCaptionGap = 6;

struct ButtonParams {
    ArtworkImage image;
    int dpi;
};

struct ButtonState {
    ArtworkImage image = ArtworkImage::Tressik;
    int dpi = kDesignDpi;
    HFONT font = nullptr;
    bool hot = false;
    bool pressed = false;  // the left button went down here and is still held
    bool tracking = false;
    GdiBitmap picture;  // premultiplied 32-bit picture at the size for `dpi`
    int picture_size = 0;
};

ButtonState* StateOf(HWND window) {
    return reinterpret_cast<ButtonState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void EnsurePicture(ButtonState& state) {
    const int size = ScaleForDpi(kImageSize, state.dpi);
    if (state.picture && state.picture_size == size) return;
    state.picture = CreatePremultipliedBitmap(RenderArtwork(state.image, size));
    state.picture_size = size;
}

bool PointerInside(HWND window, POINT point) {
    RECT client;
    GetClientRect(window, &client);
    return PtInRect(&client, point) != FALSE;
}

void Paint(HWND window, ButtonState& state, HDC target) {
    RECT client;
    GetClientRect(window, &client);
    BufferedDc dc(target, client);

    // Transparent on the parent's face colour.
    FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));

    const bool down = state.pressed && state.hot;
    if (state.hot || state.pressed) {
        GdiBrush fill(CreateSolidBrush(down ? kPressedFill : kHoverFill));
        GdiPen edge(CreatePen(PS_SOLID, 1, down ? kPressedEdge : kHoverEdge));
        SelectedObject keep_brush(dc.get(), fill.get());
        SelectedObject keep_pen(dc.get(), edge.get());
        const int radius = ScaleForDpi(6, state.dpi);
        RoundRect(dc.get(), client.left, client.top, client.right, client.bottom, radius, radius);
    }

    EnsurePicture(state);
    const int nudge = down ? ScaleForDpi(1, state.dpi) : 0;  // pressed: the picture sinks
    const int image_left = (client.right - state.picture_size) / 2;
    const int image_top = ScaleForDpi(kImageTop, state.dpi) + nudge;
    DrawPremultipliedBitmap(dc.get(), state.picture, image_left, image_top, state.picture_size);

    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    SelectedObject keep_font(dc.get(), state.font ? state.font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), GetSysColor(COLOR_BTNTEXT));
    RECT text = client;
    text.top = image_top + state.picture_size + ScaleForDpi(kCaptionGap, state.dpi);
    DrawTextW(dc.get(), caption, -1, &text,
              DT_CENTER | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void SetHot(HWND window, ButtonState& state, bool hot) {
    if (state.hot == hot) return;
    state.hot = hot;
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK ImageButtonProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    ButtonState* state = StateOf(window);
    switch (message) {
        case WM_NCCREATE: {
            // The window owns its state from here on; WM_NCDESTROY frees it.
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
            const auto* params = static_cast<const ButtonParams*>(create->lpCreateParams);
            auto* owned = new (std::nothrow) ButtonState;
            if (!owned) return FALSE;
            owned->image = params->image;
            owned->dpi = params->dpi;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owned));
            break;
        }
        case WM_NCDESTROY:
            delete state;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (state) Paint(window, *state, dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_SETFONT:
            if (state) state->font = reinterpret_cast<HFONT>(wparam);
            if (LOWORD(lparam)) InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_GETFONT:
            return state ? reinterpret_cast<LRESULT>(state->font) : 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(window, message, wparam, lparam);
            InvalidateRect(window, nullptr, FALSE);
            return result;
        }
        case kImageButtonSetDpi:
            if (state && state->dpi != static_cast<int>(wparam)) {
                state->dpi = static_cast<int>(wparam);
                InvalidateRect(window, nullptr, FALSE);
            }
            return 0;
        case WM_MOUSEMOVE:
            if (!state) break;
            if (!state->tracking) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
                state->tracking = TrackMouseEvent(&track) != FALSE;
            }
            SetHot(window, *state,
                   PointerInside(window, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}));
            return 0;
        case WM_MOUSELEAVE:
            if (!state) break;
            state->tracking = false;
            if (!state->pressed) SetHot(window, *state, false);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // No SetFocus: the keyboard stays where it was.
            if (!state) break;
            state->pressed = true;
            SetCapture(window);
            SetHot(window, *state, true);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_LBUTTONUP: {
            if (!state || !state->pressed) return 0;
            const bool inside = PointerInside(window, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
            state->pressed = false;
            if (GetCapture() == window) ReleaseCapture();
            SetHot(window, *state, inside);
            InvalidateRect(window, nullptr, FALSE);
            if (inside) ClickImageButton(window);
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (state && state->pressed) {
                state->pressed = false;
                InvalidateRect(window, nullptr, FALSE);
            }
            return 0;
        case WM_GETOBJECT:
            if (static_cast<LONG>(lparam) == static_cast<LONG>(OBJID_CLIENT))
                return ButtonAccessibleResult(window, wparam, lparam);
            break;
        case kImageButtonAccessibleClick:
            ClickImageButton(window);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        default:
            break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

void ClickImageButton(HWND window) {
    HWND parent = GetParent(window);
    if (!parent || !IsWindowEnabled(window)) return;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
}

bool ImageButtonIsPressed(HWND window) {
    const ButtonState* state = StateOf(window);
    return state && state->pressed && state->hot;
}

bool ImageButtonIsHot(HWND window) {
    const ButtonState* state = StateOf(window);
    return state && state->hot;
}

void RegisterImageButtonClass(HINSTANCE instance) {
    WNDCLASSEXW button{};
    button.cbSize = sizeof button;
    button.style = CS_HREDRAW | CS_VREDRAW | CS_PARENTDC;
    button.lpfnWndProc = ImageButtonProc;
    button.hInstance = instance;
    button.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    button.lpszClassName = kImageButtonClass;
    RegisterClassExW(&button);
}

HWND CreateImageButton(HWND parent, int id, const wchar_t* caption, ArtworkImage image, int dpi) {
    ButtonParams params{image, dpi};
    return CreateWindowExW(0, kImageButtonClass, caption, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                           &params);
}

}  // namespace orlivane
