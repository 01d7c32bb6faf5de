// Program entry: the application window, the one launcher window and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "application_window.h"
#include "frm_orlivane.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The shell's "open" verb may use COM; the window thread is a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    orlivane::RegisterApplicationWindowClass(instance);
    orlivane::TfrmOrlivane::RegisterClasses(instance);

    HWND application = orlivane::CreateApplicationWindow(instance, orlivane::kApplicationTitle);
    int exit_code = 1;
    {
        orlivane::TfrmOrlivane frmOrlivane(application);
        if (application && frmOrlivane.Create(instance)) {
            orlivane::SetApplicationMainWindow(application, frmOrlivane.Handle());
            frmOrlivane.Show();
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0) {
                // Tab between the edit box and the list; the image buttons take no focus.
                if (frmOrlivane.Handle() && IsDialogMessageW(frmOrlivane.Handle(), &message))
                    continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            exit_code = static_cast<int>(message.wParam);
        }
    }
    if (application) DestroyWindow(application);
    if (SUCCEEDED(com)) CoUninitialize();
    return exit_code;
}
