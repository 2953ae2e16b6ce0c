// The receive area on the Windows API: a window of our own that paints the cells the area
// hands it into an off-screen bitmap first, so scrolling does not flicker, with its own
// vertical scroll bar, always shown so that the wrapping width never changes with it.
#include "receive/CellGlyphs.h"
#include "receive/ReceiveViewPeer.h"
#include "ui/win32/Win32Font.h"
#include "ui/win32/Win32Scrolling.h"
#include "ui/win32/Win32TypedCharacter.h"
#include "ui/win32/Win32Window.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pellow {

namespace {

constexpr UINT CopyCommand = 1;
constexpr UINT SelectAllCommand = 2;
constexpr int WheelRows = 3;

TFont DefaultReceiveFont() {
    return {"\xE5\xAE\x8B\xE4\xBD\x93", 13, clBlack}; // 宋体
}

class Win32ReceiveViewPeer final : public Win32ControlPeer<TReceiveViewPeer> {
public:
    explicit Win32ReceiveViewPeer(TControlPeer& parent) {
        CreateOwnWindow(WS_EX_CLIENTEDGE,
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | WS_TABSTOP,
                        ChildHostOf(parent));
        ApplyFont(DefaultReceiveFont());
        SetScrollRange(0, 1);
    }

    int ViewportWidth() const override { return ClientSize().cx; }
    int ViewportHeight() const override { return ClientSize().cy; }
    TTextMetrics Metrics() const override { return {cellWidth_, rowHeight_}; }
    void SetScrollRange(int maximum, int pageStep) override {
        maximum_ = std::max(0, maximum);
        pageStep_ = std::max(1, pageStep);
        position_ = std::min(position_, maximum_);
        ShowScroll(Handle(), SB_VERT, Scroll(), true);
    }
    void SetScrollPosition(int row) override {
        position_ = std::clamp(row, 0, maximum_);
        ::SetScrollPos(Handle(), SB_VERT, position_, TRUE);
    }
    void Repaint() override { ::InvalidateRect(Handle(), nullptr, FALSE); }
    void CopyToClipboard(const std::string& bytes) override {
        const std::wstring text = ToWide(bytes);
        if (!::OpenClipboard(Handle()))
            return;
        ::EmptyClipboard();
        const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
        if (const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size)) {
            if (void* to = ::GlobalLock(memory)) {
                std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(to));
                ::GlobalUnlock(memory);
                if (!::SetClipboardData(CF_UNICODETEXT, memory))
                    ::GlobalFree(memory);
            } else {
                ::GlobalFree(memory);
            }
        }
        ::CloseClipboard();
    }
    // Windows keeps no selection apart from the clipboard.
    void OfferSelection(const std::string&) override {}
    void SetFont(const TFont& font) override {
        ApplyFont(font);
        Raise(Resized);
        Repaint();
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_ERASEBKGND:
            return 1; // the paint fills every pixel
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SIZE:
            Raise(Resized);
            return 0;
        case WM_VSCROLL:
            ScrollTo(RequestedPosition(Handle(), SB_VERT, LOWORD(wParam), Scroll()));
            return 0;
        case WM_MOUSEWHEEL:
            wheel_ += GET_WHEEL_DELTA_WPARAM(wParam);
            ScrollTo(position_ - wheel_ / WHEEL_DELTA * WheelRows);
            wheel_ %= WHEEL_DELTA;
            return 0;
        case WM_LBUTTONDOWN:
            ::SetFocus(Handle());
            ::SetCapture(Handle());
            Raise(MousePressed, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                  (wParam & MK_SHIFT) != 0);
            return 0;
        case WM_MOUSEMOVE:
            if (::GetCapture() == Handle())
                Raise(MouseMoved, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
            if (::GetCapture() == Handle()) {
                ::ReleaseCapture();
                Raise(MouseReleased);
            }
            return 0;
        case WM_LBUTTONDBLCLK:
            ::SetCapture(Handle());
            Raise(DoubleClicked, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_RBUTTONDOWN:
            ::SetFocus(Handle());
            return 0;
        case WM_CONTEXTMENU:
            ShowContextMenu(lParam);
            return 0;
        case WM_GETDLGCODE:
            // Every key but Tab is the line's; Tab moves on, as in the other controls.
            if (lParam && reinterpret_cast<const MSG*>(lParam)->wParam == VK_TAB)
                return DLGC_WANTCHARS | DLGC_WANTARROWS;
            return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTMESSAGE;
        case WM_KEYDOWN:
            KeyDown(wParam);
            return 0;
        case WM_CHAR:
            if (swallowChar_) {
                swallowChar_ = false;
                return 0;
            }
            if (std::string key = typed_.Take(wParam); !key.empty())
                Raise(KeyTyped, key);
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
                return TRUE;
            }
            break;
        default:
            break;
        }
        return Win32ControlPeer::WindowProc(message, wParam, lParam);
    }

private:
    SIZE ClientSize() const {
        RECT r{};
        ::GetClientRect(Handle(), &r);
        return {r.right, r.bottom};
    }
    void ApplyFont(const TFont& font) {
        font_ = Win32Font(font);
        colour_ = RGB(font.Color.R, font.Color.G, font.Color.B);
        const HDC dc = ::GetDC(Handle());
        const HGDIOBJ old = ::SelectObject(dc, font_.Handle());
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc, &metrics);
        SIZE zero{};
        ::GetTextExtentPoint32W(dc, L"0", 1, &zero);
        ::SelectObject(dc, old);
        ::ReleaseDC(Handle(), dc);
        cellWidth_ = std::max<double>(1, zero.cx);
        rowHeight_ = std::max<int>(1, metrics.tmHeight);
        fixedPitch_ = !(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH); // the flag is inverted
    }

    TScrollInfo Scroll() const { return {0, maximum_, pageStep_, 1, position_}; }
    void ScrollTo(int row) {
        row = std::clamp(row, 0, maximum_);
        if (row == position_)
            return;
        SetScrollPosition(row);
        Raise(Scrolled, row);
    }

    void KeyDown(WPARAM key) {
        const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
        const bool shift = ::GetKeyState(VK_SHIFT) < 0;
        // Ctrl+C is the line's 03, so copying takes the keys terminals use for it.
        if (ctrl && ((shift && key == 'C') || key == VK_INSERT)) {
            swallowChar_ = key == 'C';
            Raise(CopyRequested);
            return;
        }
        switch (key) {
        case VK_UP: ScrollTo(position_ - 1); break;
        case VK_DOWN: ScrollTo(position_ + 1); break;
        case VK_PRIOR: ScrollTo(position_ - pageStep_); break;
        case VK_NEXT: ScrollTo(position_ + pageStep_); break;
        case VK_HOME: if (ctrl) ScrollTo(0); break;
        case VK_END: if (ctrl) ScrollTo(maximum_); break;
        default: break;
        }
    }

    void ShowContextMenu(LPARAM lParam) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (lParam == -1) {
            at = {0, 0};
            ::ClientToScreen(Handle(), &at);
        }
        const HMENU menu = ::CreatePopupMenu();
        const bool canCopy = HasSelection && HasSelection();
        const bool canSelect = HasText && HasText();
        ::AppendMenuW(menu, MF_STRING | (canCopy ? 0 : MF_GRAYED), CopyCommand,
                      L"Copy\tCtrl+Shift+C");
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(menu, MF_STRING | (canSelect ? 0 : MF_GRAYED), SelectAllCommand,
                      L"Select All");
        const UINT chosen = UINT(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x,
                                                  at.y, 0, Handle(), nullptr));
        ::DestroyMenu(menu);
        if (chosen == CopyCommand)
            Raise(CopyRequested);
        else if (chosen == SelectAllCommand)
            Raise(SelectAllRequested);
    }

    void Paint() {
        PAINTSTRUCT ps;
        const HDC screen = ::BeginPaint(Handle(), &ps);
        const SIZE size = ClientSize();
        const HDC dc = ::CreateCompatibleDC(screen);
        const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, std::max<LONG>(1, size.cx),
                                                        std::max<LONG>(1, size.cy));
        const HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
        const HGDIOBJ oldFont = ::SelectObject(dc, font_.Handle());
        RECT all{0, 0, size.cx, size.cy};
        ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_WINDOW));
        ::SetBkMode(dc, TRANSPARENT);
        if (CellsOnScreen)
            PaintCells(dc);
        ::BitBlt(screen, 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
        ::SelectObject(dc, oldFont);
        ::SelectObject(dc, oldBitmap);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        ::EndPaint(Handle(), &ps);
    }

    // Runs of ASCII in one colour on one row are drawn in one call, each character at its
    // cell, when the font is fixed-pitch.
    void PaintCells(HDC dc) {
        const COLORREF selectedText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        const HBRUSH highlight = ::GetSysColorBrush(COLOR_HIGHLIGHT);
        std::wstring run;
        std::vector<INT> advances;
        double runX = 0;
        int runY = -1;
        COLORREF runColour = 0;
        const auto flushRun = [&] {
            if (run.empty())
                return;
            ::SetTextColor(dc, runColour);
            ::ExtTextOutW(dc, int(std::lround(runX)), runY, 0, nullptr, run.c_str(),
                          UINT(run.size()), advances.data());
            run.clear();
            advances.clear();
        };
        const auto cellX = [this](int column) { return ReceiveViewMargin + column * cellWidth_; };
        CellsOnScreen([&](const TScreenCell& cell) {
            const double x = cellX(cell.Column);
            const int y = cell.Row * rowHeight_;
            if (cell.Selected) {
                const int cells = std::max(cell.Cells, 1);
                RECT r{LONG(std::lround(x)), y, LONG(std::lround(cellX(cell.Column + cells))),
                       y + rowHeight_};
                ::FillRect(dc, &r, highlight);
            }
            COLORREF colour = cell.Selected ? selectedText : colour_;
            if (const auto ink = CellInk(cell.Kind); ink && !cell.Selected)
                colour = RGB(ink->R, ink->G, ink->B);
            const std::u16string glyphs = CellGlyphs(cell.Kind, cell.CodePoint, cell.Byte);
            const std::wstring text(glyphs.begin(), glyphs.end());
            const bool batchable = fixedPitch_ && cell.Kind == CellKind::Text && cell.CodePoint < 0x80;
            if (!batchable || colour != runColour || y != runY)
                flushRun();
            if (batchable) {
                if (run.empty()) {
                    runX = x;
                    runY = y;
                    runColour = colour;
                }
                // Each advance reaches the next cell's rounded place, so runs never drift.
                run += text;
                advances.push_back(INT(std::lround(cellX(cell.Column + 1)) - std::lround(x)));
            } else if (!text.empty()) {
                ::SetTextColor(dc, colour);
                ::ExtTextOutW(dc, int(std::lround(x)), y, 0, nullptr, text.c_str(),
                              UINT(text.size()), nullptr);
            }
        });
        flushRun();
    }

    Win32Font font_;
    COLORREF colour_ = RGB(0, 0, 0);
    double cellWidth_ = 7;
    int rowHeight_ = 15;
    bool fixedPitch_ = true;
    int maximum_ = 0;
    int pageStep_ = 1;
    int position_ = 0;
    int wheel_ = 0;
    bool swallowChar_ = false;
    Win32TypedCharacter typed_;
};

} // namespace

std::unique_ptr<TReceiveViewPeer> NewReceiveViewPeer(TControlPeer& parent) {
    return std::make_unique<Win32ReceiveViewPeer>(parent);
}

} // namespace pellow
