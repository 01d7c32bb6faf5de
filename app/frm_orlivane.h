// The launcher's one window: a row of eight image buttons, seven of which launch remote
// programs; the eighth switches to settings mode, where the server name and the Office
// bitness are edited, and back again, saving them.
#pragma once

#include <windows.h>

#include <string>

#include "gdi_objects.h"

namespace orlivane {

inline constexpr wchar_t kMainWindowClass[] = L"TfrmOrlivane";
inline constexpr wchar_t kApplicationTitle[] = L"Orlivane";

enum ControlId : int {
    kIdTressik = 101,
    kIdOutlook,
    kIdWord,
    kIdExcel,
    kIdChrome,
    kIdExplorer,
    kIdLogOff,
    kIdSettings,
    kIdServerLabel = 201,
    kIdServer,
    kIdBitnessLabel,
    kIdBitness,
};

class TfrmOrlivane {
  public:
    static void RegisterClasses(HINSTANCE instance);

    // `application_window` owns the window (and so the program's taskbar button), owns the
    // error boxes shown before the window is visible, and is handed to the shell on launch.
    explicit TfrmOrlivane(HWND application_window);
    ~TfrmOrlivane();
    TfrmOrlivane(const TfrmOrlivane&) = delete;
    TfrmOrlivane& operator=(const TfrmOrlivane&) = delete;

    // Creates the window and its controls scaled to the DPI it opens on, then FormCreate.
    bool Create(HINSTANCE instance);
    // FormShow, then the window appears.
    void Show();
    HWND Handle() const { return handle_; }

    // The controls. The four settings controls are null until settings mode is first
    // entered; until then they count as hidden.
    HWND btnTressik = nullptr;
    HWND btnOutlook = nullptr;
    HWND btnWord = nullptr;
    HWND btnExcel = nullptr;
    HWND btnChrome = nullptr;
    HWND btnExplorer = nullptr;
    HWND btnLogOff = nullptr;
    HWND btnSettings = nullptr;
    HWND lblServer = nullptr;
    HWND txtServer = nullptr;
    HWND lblBitness = nullptr;
    HWND cbxBitness = nullptr;

    // The handlers. Errors escaping them reach the standard error box (see Guarded).
    void FormCreate();
    void FormShow();
    void btnTressikClick();
    void btnOutlookClick();
    void btnWordClick();
    void btnExcelClick();
    void btnChromeClick();
    void btnExplorerClick();
    void btnLogOffClick();
    void btnSettingsClick();
    void txtServerKeyPress(wchar_t& key);
    void CreateScriptAndLaunch(int code);

    int Dpi() const { return dpi_; }
    const std::wstring& FontFace() const { return font_face_; }
    int FontPoints() const { return font_points_; }
    HFONT Font() const { return font_.get(); }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK ServerEditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

    void CreateControls();
    // The settings controls exist from the first time settings mode is entered.
    void CreateSettingsControls();
    void ApplyDpi(int dpi);
    void ApplyFont();
    // Sizes the list's field to the font and lays out the settings controls, if they exist.
    void FitSettingsControls();
    void PlaceButtons();
    void LayoutSettingsControls();
    int WrappedTextHeight(HWND label, int width) const;
    int FieldHeight() const;
    void SetLaunchButtonsVisible(bool visible);
    void FocusControl(HWND control);
    void OnCommand(int id, int code);

    // Runs a handler; an error escaping it is shown in the standard error box and the
    // program carries on.
    template <typename Handler>
    void Guarded(Handler&& handler);
    void ShowError(const std::wstring& message);

    HWND application_window_;
    HWND handle_ = nullptr;
    int dpi_ = 96;
    std::wstring font_face_ = L"Tahoma";
    int font_points_ = 8;
    GdiFont font_;
    HWND focus_ = nullptr;  // the control that gets the focus when the window is activated
};

}  // namespace orlivane
