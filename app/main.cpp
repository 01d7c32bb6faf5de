// Program entry: the application window, the one launcher window and the message loop.
#include <windows.h>

#include "application_window.h"
#include "frm_orlivane.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
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
    return exit_code;
}
