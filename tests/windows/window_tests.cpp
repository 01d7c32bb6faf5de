// The real launcher window, created in this process and driven with real window messages:
// pointer messages on the image buttons, characters into the server box.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "application_window.h"
#include "dpi_support.h"
#include "frm_orlivane.h"
#include "image_button.h"
#include "test_support.h"
#include "window_layout.h"

namespace orlivane {
namespace {

void Pump(DWORD milliseconds = 50) {
    const ULONGLONG until = GetTickCount64() + milliseconds;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (GetTickCount64() < until);
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

bool Shown(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

RECT ClientRectOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Click(HWND button, bool release_inside = true) {
    RECT client;
    GetClientRect(button, &client);
    const LPARAM inside = MAKELPARAM(client.right / 2, client.bottom / 2);
    const LPARAM outside = MAKELPARAM(client.right + 50, client.bottom + 50);
    SendMessageW(button, WM_MOUSEMOVE, 0, inside);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(button, WM_LBUTTONUP, 0, release_inside ? inside : outside);
}

void Type(HWND edit, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

// Answers the error boxes this thread shows, recording what they said.
class ErrorBoxWatcher {
  public:
    ErrorBoxWatcher() : ui_thread_(GetCurrentThreadId()), worker_([this] { Watch(); }) {}
    ~ErrorBoxWatcher() {
        stop_ = true;
        worker_.join();
    }
    struct Box {
        std::wstring caption, text;
        bool has_icon, has_ok, only_button;
    };
    std::vector<Box> Boxes() {
        std::lock_guard lock(mutex_);
        return boxes_;
    }

  private:
    static BOOL CALLBACK Visit(HWND window, LPARAM self) {
        wchar_t cls[32] = {};
        GetClassNameW(window, cls, 32);
        if (std::wstring(cls) == L"#32770" && IsWindowVisible(window))
            reinterpret_cast<ErrorBoxWatcher*>(self)->Answer(window);
        return TRUE;
    }
    void Answer(HWND box) {
        Box seen;
        seen.caption = TextOf(box);
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        seen.text = text;
        seen.has_icon = SendDlgItemMessageW(box, 1088, STM_GETICON, 0, 0) != 0;
        seen.has_ok = GetDlgItem(box, IDOK) != nullptr;
        seen.only_button = !GetDlgItem(box, IDCANCEL) && !GetDlgItem(box, IDYES);
        {
            std::lock_guard lock(mutex_);
            boxes_.push_back(seen);
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        Sleep(200);
    }
    void Watch() {
        while (!stop_) {
            EnumThreadWindows(ui_thread_, Visit, reinterpret_cast<LPARAM>(this));
            Sleep(30);
        }
    }
    DWORD ui_thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Box> boxes_;
    std::thread worker_;
};

class Window : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // as the program's window thread
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        RegisterApplicationWindowClass(instance);
        TfrmOrlivane::RegisterClasses(instance);
    }
    void SetUp() override {
        testkit::ClearStoredSettings();
        testkit::ClearCaptures();
    }
    void TearDown() override {
        form_.reset();
        if (application_) DestroyWindow(application_);
        Pump(20);
        testkit::ClearStoredSettings();
    }

    // Creates the window as the program does; `show` runs FormShow and shows it.
    TfrmOrlivane& Start(bool show = true) {
        form_.reset();
        if (!application_)
            application_ = CreateApplicationWindow(GetModuleHandleW(nullptr), L"Orlivane");
        form_ = std::make_unique<TfrmOrlivane>(application_);
        EXPECT_TRUE(form_->Create(GetModuleHandleW(nullptr)));
        SetApplicationMainWindow(application_, form_->Handle());
        if (show) form_->Show();
        Pump();
        return *form_;
    }

    static bool InSettingsMode(const TfrmOrlivane& form) {
        for (HWND launch : {form.btnTressik, form.btnOutlook, form.btnWord, form.btnExcel,
                            form.btnChrome, form.btnExplorer, form.btnLogOff})
            EXPECT_EQ(Shown(launch), Shown(form.btnTressik));
        for (HWND setting : {form.lblServer, form.txtServer, form.lblBitness, form.cbxBitness})
            EXPECT_NE(Shown(setting), Shown(form.btnTressik));
        EXPECT_TRUE(Shown(form.btnSettings));
        EXPECT_EQ(TextOf(form.btnSettings), Shown(form.btnTressik) ? L"Settings" : L"Save");
        return !Shown(form.btnTressik);
    }

    static std::optional<std::wstring> StoredText(const wchar_t* section, const wchar_t* name) {
        const auto raw = testkit::ReadRawValue(section, name);
        if (!raw || raw->type != REG_SZ) return std::nullopt;
        std::wstring text(reinterpret_cast<const wchar_t*>(raw->data.data()), raw->data.size() / 2);
        if (!text.empty() && text.back() == L'\0') text.pop_back();
        return text;
    }

    HWND application_ = nullptr;
    std::unique_ptr<TfrmOrlivane> form_;
};

TEST_F(Window, FirstStartOpensInSettingsModeAndCreatesTheSettings) {
    TfrmOrlivane& form = Start(false);
    // Before the first show only the eight image buttons are visible.
    for (HWND button : {form.btnTressik, form.btnOutlook, form.btnWord, form.btnExcel,
                        form.btnChrome, form.btnExplorer, form.btnLogOff, form.btnSettings})
        EXPECT_TRUE(Shown(button));
    for (HWND setting : {form.lblServer, form.txtServer, form.lblBitness, form.cbxBitness})
        EXPECT_FALSE(Shown(setting));
    EXPECT_TRUE(StoredText(L"Display", L"Font Name").has_value());
    EXPECT_TRUE(StoredText(L"Display", L"Font Size").has_value());
    EXPECT_FALSE(testkit::ReadRawValue(L"Orlivane", L"Server").has_value());

    form.Show();
    Pump();
    EXPECT_TRUE(InSettingsMode(form));
    EXPECT_EQ(TextOf(form.txtServer), L"");
    EXPECT_EQ(GetFocus(), form.txtServer);
    EXPECT_EQ(SendMessageW(form.cbxBitness, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(TextOf(form.cbxBitness), L"32-bit");
    EXPECT_EQ(StoredText(L"Orlivane", L"Server"), L"");
    EXPECT_EQ(StoredText(L"Orlivane", L"Bitness"), L"0");
    EXPECT_EQ(StoredText(L"Display", L"Font Name"), form.FontFace());
    EXPECT_EQ(StoredText(L"Display", L"Font Size"), std::to_wstring(form.FontPoints()));

    // Saving at once stores both values and returns to launch mode.
    testkit::WriteStringValue(L"Orlivane", L"Bitness", L"marker");
    Click(form.btnSettings);
    EXPECT_FALSE(InSettingsMode(form));
    EXPECT_EQ(StoredText(L"Orlivane", L"Server"), L"");
    EXPECT_EQ(StoredText(L"Orlivane", L"Bitness"), L"0");
}

TEST_F(Window, EnterInTheServerBoxSavesAndTheNextStartFollowsTheStoredName) {
    const struct {
        const wchar_t* typed;
        bool next_start_in_settings_mode;
    } cases[] = {{L"acme01", false}, {L"  ", false}, {L"", true}};
    for (const auto& c : cases) {
        testkit::ClearStoredSettings();
        TfrmOrlivane& form = Start();
        ASSERT_TRUE(InSettingsMode(form));
        SendMessageW(form.txtServer, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        Type(form.txtServer, c.typed);
        SendMessageW(form.cbxBitness, CB_SETCURSEL, 1, 0);
        Type(form.txtServer, L"\r");
        EXPECT_EQ(TextOf(form.txtServer), c.typed) << "Enter is consumed, not typed";
        EXPECT_FALSE(InSettingsMode(form));
        EXPECT_EQ(StoredText(L"Orlivane", L"Server"), c.typed);
        EXPECT_EQ(StoredText(L"Orlivane", L"Bitness"), L"1");

        TfrmOrlivane& again = Start();
        EXPECT_EQ(InSettingsMode(again), c.next_start_in_settings_mode)
            << "typed '" << testing::PrintToString(c.typed) << "'";
    }
}

TEST_F(Window, StoredBitnessChoosesTheListEntry) {
    testkit::WriteStringValue(L"Orlivane", L"Server", L"acme01");
    const struct {
        const wchar_t* stored;
        LRESULT selected;
    } cases[] = {{L"1", 1}, {L"0", 0}, {L"-1", -1}, {L"5", -1}};
    for (const auto& c : cases) {
        testkit::WriteStringValue(L"Orlivane", L"Bitness", c.stored);
        TfrmOrlivane& form = Start();
        ASSERT_FALSE(InSettingsMode(form));
        Click(form.btnSettings);
        ASSERT_TRUE(InSettingsMode(form));
        EXPECT_EQ(TextOf(form.txtServer), L"acme01");
        EXPECT_EQ(SendMessageW(form.cbxBitness, CB_GETCURSEL, 0, 0), c.selected) << c.stored;
    }
    // An index out of range leaves the selection as it was.
    TfrmOrlivane& form = Start();
    testkit::WriteStringValue(L"Orlivane", L"Bitness", L"1");
    Click(form.btnSettings);
    Click(form.btnSettings);
    testkit::WriteStringValue(L"Orlivane", L"Bitness", L"5");
    Click(form.btnSettings);
    EXPECT_EQ(SendMessageW(form.cbxBitness, CB_GETCURSEL, 0, 0), 1);
}

TEST_F(Window, ConversionErrorsShowTheErrorBoxAndTheWindowCarriesOn) {
    const std::wstring message =
        L"Could not convert variant of type (UnicodeString) into type (Integer)";
    testkit::WriteStringValue(L"Display", L"Font Name", L"Courier New");
    testkit::WriteStringValue(L"Display", L"Font Size", L"big");
    testkit::WriteStringValue(L"Orlivane", L"Server", L"acme01");
    testkit::WriteStringValue(L"Orlivane", L"Bitness", L"abc");
    ErrorBoxWatcher watcher;
    TfrmOrlivane& form = Start();
    Pump(300);
    // The stored face at the design size.
    EXPECT_EQ(form.FontFace(), L"Courier New");
    EXPECT_EQ(form.FontPoints(), 8);
    ASSERT_EQ(watcher.Boxes().size(), 1u);

    Click(form.btnSettings);
    Pump(300);
    EXPECT_TRUE(InSettingsMode(form));
    EXPECT_EQ(SendMessageW(form.cbxBitness, CB_GETCURSEL, 0, 0), -1);
    Click(form.btnSettings);  // saving with nothing selected
    EXPECT_EQ(StoredText(L"Orlivane", L"Bitness"), L"-1");
    EXPECT_FALSE(InSettingsMode(form));

    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.caption, L"Orlivane");
        EXPECT_EQ(box.text, message);  // ends in ')', so no full stop is added
        EXPECT_TRUE(box.has_icon);
        EXPECT_TRUE(box.has_ok);
        EXPECT_TRUE(box.only_button);
    }
}

TEST_F(Window, EmptyStoredFontNameKeepsTheDesignFace) {
    testkit::WriteStringValue(L"Display", L"Font Name", L"");
    testkit::WriteStringValue(L"Display", L"Font Size", L"11");
    testkit::WriteStringValue(L"Orlivane", L"Server", L"acme01");
    TfrmOrlivane& form = Start();
    EXPECT_EQ(form.FontFace(), L"Tahoma");
    EXPECT_EQ(form.FontPoints(), 11);
    Click(form.btnSettings);  // the settings controls follow the window's font as well
    for (HWND control : {form.btnWord, form.btnSettings, form.lblServer, form.txtServer,
                         form.lblBitness, form.cbxBitness}) {
        LOGFONTW used{};
        ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)),
                             sizeof used, &used),
                  0);
        EXPECT_EQ(std::wstring(used.lfFaceName), L"Tahoma");
        EXPECT_EQ(used.lfHeight, -MulDiv(11, form.Dpi(), 72));
    }
}

TEST_F(Window, UnusualFontSizesStillGiveAReadableFont) {
    const struct {
        const wchar_t* stored;
        int points_drawn;  // 0: the font mapper's default height
    } cases[] = {{L"0", 0}, {L"-12", 12}, {L"5000", 96}, {L"$A", 10}};
    for (const auto& c : cases) {
        testkit::WriteStringValue(L"Display", L"Font Size", c.stored);
        TfrmOrlivane& form = Start(false);
        LOGFONTW used{};
        GetObjectW(form.Font(), sizeof used, &used);
        EXPECT_EQ(used.lfHeight, -MulDiv(c.points_drawn, form.Dpi(), 72)) << c.stored;
    }
}

TEST_F(Window, LaunchButtonsHandOverTheirProgramOnRelease) {
    testkit::WriteStringValue(L"Orlivane", L"Server", L"acme01");
    testkit::ScratchFolder temp;
    testkit::ScopedEnvironmentVariable variable(L"temp", temp.path());
    TfrmOrlivane& form = Start();

    Click(form.btnWord, false);  // released outside: no launch
    Click(form.btnWord);
    const auto captures = testkit::WaitForCaptures(1);
    ASSERT_EQ(captures.size(), 1u);
    EXPECT_NE(captures[0].bytes.find("\r\nfull address:s:acme01."), std::string::npos);
    EXPECT_NE(captures[0].bytes.find("remoteapplicationprogram:s:C:\\Program Files "
                                     "(x86)\\Microsoft Office\\root\\Office16\\WINWORD.EXE\r\n"),
              std::string::npos);
    EXPECT_TRUE(testkit::CapturesAfterQuietPeriod(800).size() == 1) << "one click, one hand-over";

    const struct {
        HWND button;
        const char* program;
    } buttons[] = {
        {form.btnTressik, "C:\\TRESSIK_CLIENT\\Tressik.exe"},
        {form.btnOutlook, "Office16\\OUTLOOK.EXE"},
        {form.btnExcel, "Office16\\EXCEL.EXE"},
        {form.btnChrome, "chrome.exe"},
        {form.btnExplorer, "C:\\Windows\\Explorer.exe"},
        {form.btnLogOff, "C:\\Windows\\System32\\Logoff.exe"},
    };
    for (const auto& b : buttons) {
        testkit::ClearCaptures();
        Click(b.button);
        const auto got = testkit::WaitForCaptures(1);
        ASSERT_EQ(got.size(), 1u) << b.program;
        EXPECT_NE(got[0].bytes.find(b.program), std::string::npos) << b.program;
    }
}

TEST_F(Window, ButtonsGiveFeedbackTakeNoFocusAndAreNamedForAssistiveTechnology) {
    testkit::WriteStringValue(L"Orlivane", L"Server", L"acme01");
    TfrmOrlivane& form = Start();
    Click(form.btnSettings);
    ASSERT_EQ(GetFocus(), form.txtServer);
    RECT client;
    GetClientRect(form.btnSettings, &client);
    const LPARAM inside = MAKELPARAM(client.right / 2, client.bottom / 2);
    SendMessageW(form.btnSettings, WM_MOUSEMOVE, 0, inside);
    EXPECT_TRUE(ImageButtonIsHot(form.btnSettings));
    SendMessageW(form.btnSettings, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    EXPECT_TRUE(ImageButtonIsPressed(form.btnSettings));
    EXPECT_EQ(GetFocus(), form.txtServer) << "the button must not take the focus";
    SendMessageW(form.btnSettings, WM_LBUTTONUP, 0, MAKELPARAM(-40, -40));  // let go outside
    EXPECT_FALSE(ImageButtonIsPressed(form.btnSettings));
    EXPECT_TRUE(InSettingsMode(form));

    // Tab moves between the server box and the list only.
    EXPECT_EQ(GetNextDlgTabItem(form.Handle(), form.txtServer, FALSE), form.cbxBitness);
    EXPECT_EQ(GetNextDlgTabItem(form.Handle(), form.cbxBitness, FALSE), form.txtServer);

    IAccessible* accessible = nullptr;
    ASSERT_EQ(
        AccessibleObjectFromWindow(form.btnSettings, static_cast<DWORD>(OBJID_CLIENT),
                                   __uuidof(IAccessible), reinterpret_cast<void**>(&accessible)),
        S_OK);
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    ASSERT_EQ(accessible->get_accName(self, &name), S_OK);
    EXPECT_EQ(std::wstring(name), L"Save");
    SysFreeString(name);
    VARIANT role;
    ASSERT_EQ(accessible->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(accessible->accDoDefaultAction(self), S_OK);  // presses Save
    accessible->Release();
    Pump(100);
    EXPECT_FALSE(InSettingsMode(form));
}

TEST_F(Window, ApplicationWindowOwnsTheToolWindowAndCarriesTheTitle) {
    TfrmOrlivane& form = Start();
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), application_);
    EXPECT_EQ(TextOf(application_), L"Orlivane");
    EXPECT_EQ(TextOf(form.Handle()), L"Orlivane");
    EXPECT_EQ(GetWindowLongW(application_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_NE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    const LONG style = GetWindowLongW(form.Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0) << "close button only";
    // Closing the window saves nothing.
    testkit::WriteStringValue(L"Orlivane", L"Server", L"before");
    SendMessageW(form.txtServer, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"edited"));
    SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(StoredText(L"Orlivane", L"Server"), L"before");
}

TEST_F(Window, PlacementFollowsTheWorkAreaSize) {
    testkit::WriteStringValue(L"Orlivane", L"Server", L"acme01");
    RECT original;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &original, 0);
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        const char* taskbar;
        RECT work;
    } cases[] = {
        {"bottom", {0, 0, screen_width, screen_height - 40}},
        {"left", {60, 0, screen_width, screen_height}},
    };
    for (const auto& c : cases) {
        RECT work = c.work;
        ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, 0));
        TfrmOrlivane& form = Start();
        RECT frame;
        GetWindowRect(form.Handle(), &frame);
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        // Sizes counted from the origin: with the taskbar on the left the window ends 32
        // pixels plus the taskbar's width short of the right edge.
        EXPECT_EQ(frame.left, (work.right - work.left) - width - 32) << c.taskbar;
        EXPECT_EQ(frame.top, (work.bottom - work.top) - height - 32) << c.taskbar;
        if (std::string(c.taskbar) == "left") {
            EXPECT_EQ(screen_width - frame.right, 32 + 60);
        }
    }
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &original, 0);
}

// Geometry at the DPI the system runs at (96 unless the run raised it) and after a move to
// a monitor of another DPI.
class WindowAtSystemDpi : public Window {
  protected:
    void ExpectGeometry(const TfrmOrlivane& form, int dpi) {
        RECT client;
        GetClientRect(form.Handle(), &client);
        EXPECT_EQ(client.right, ScaleForDpi(789, dpi));
        EXPECT_EQ(client.bottom, ScaleForDpi(177, dpi));
        const HWND buttons[] = {form.btnTressik, form.btnOutlook, form.btnWord,
                                form.btnExcel,   form.btnChrome,  form.btnExplorer,
                                form.btnLogOff,  form.btnSettings};
        for (std::size_t i = 0; i < 8; ++i) {
            const RECT r = ClientRectOf(buttons[i]);
            EXPECT_EQ(r.left, ScaleForDpi(kButtonLefts[i], dpi)) << i;
            EXPECT_EQ(r.top, ScaleForDpi(24, dpi)) << i;
            EXPECT_EQ(r.right - r.left, ScaleForDpi(97, dpi)) << i;
            EXPECT_EQ(r.bottom - r.top, ScaleForDpi(113, dpi)) << i;
        }
        const int width = static_cast<int>(RoundHalfEven(client.right / 2.0)) - 80;
        const RECT server = ClientRectOf(form.txtServer);
        const RECT bitness = ClientRectOf(form.cbxBitness);
        const RECT bitness_label = ClientRectOf(form.lblBitness);
        EXPECT_EQ(server.left, 16);
        EXPECT_EQ(server.right - server.left, width);
        EXPECT_EQ(bitness.left, 16 + width + 16);
        EXPECT_EQ(bitness.right - bitness.left, width);
        EXPECT_EQ(ClientRectOf(form.lblServer).top, 0);
        EXPECT_EQ(bitness_label.top, 0);
        EXPECT_EQ(bitness.top, bitness_label.bottom + 4);
        EXPECT_EQ(server.top, bitness.top);
        EXPECT_GE(bitness_label.bottom - bitness_label.top, 2 * (form.FontPoints() * dpi / 72));
        LOGFONTW used{};
        GetObjectW(form.Font(), sizeof used, &used);
        EXPECT_EQ(used.lfHeight, -MulDiv(form.FontPoints(), dpi, 72));
    }
};

TEST_F(WindowAtSystemDpi, LayoutPlacementAndDpiChange) {
    const auto expected = testkit::EnvironmentValue(L"ORLIVANE_EXPECTED_DPI");
    const int dpi = expected ? std::stoi(*expected) : 96;
    TfrmOrlivane& form = Start();
    ASSERT_EQ(form.Dpi(), dpi);
    ExpectGeometry(form, dpi);
    if (dpi == 96) {
        const RECT server = ClientRectOf(form.txtServer);
        EXPECT_EQ(server.left, 16);
        EXPECT_EQ(server.right - server.left, 314);
        EXPECT_EQ(ClientRectOf(form.cbxBitness).left, 346);
    }

    // Placed 32 pixels in from the primary work area's size.
    RECT work, frame;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(form.Handle(), &frame);
    EXPECT_EQ(frame.left, (work.right - work.left) - (frame.right - frame.left) - 32);
    EXPECT_EQ(frame.top, (work.bottom - work.top) - (frame.bottom - frame.top) - 32);

    // Moved to a monitor of another DPI: Windows suggests the new frame.
    for (int new_dpi : {192, 120, dpi}) {
        const SIZE outer = OuterSizeForClient(
            ScaleForDpi(789, new_dpi), ScaleForDpi(177, new_dpi),
            static_cast<DWORD>(GetWindowLongW(form.Handle(), GWL_STYLE)),
            static_cast<DWORD>(GetWindowLongW(form.Handle(), GWL_EXSTYLE)), new_dpi);
        RECT suggested{10, 10, 10 + outer.cx, 10 + outer.cy};
        SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(new_dpi, new_dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(form.Dpi(), new_dpi);
        ExpectGeometry(form, new_dpi);
    }
}

}  // namespace
}  // namespace orlivane
