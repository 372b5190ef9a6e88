// Expected panel prompts rendered with the surfaces' own font.
#include "panel_view.h"

#include "surfaces/surfaces.h"

namespace {
bool IsRed(std::uint32_t c) {
    return (c & 0xFF) > 160 && ((c >> 8) & 0xFF) < 100 && ((c >> 16) & 0xFF) < 100;
}
}  // namespace

PromptMask ExpectedPrompts(const std::vector<std::uint32_t>& background, std::initializer_list<const char*> prompts) {
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), PromptMaskWidth, -PromptMaskHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    auto* out = static_cast<std::uint8_t*>(bits);
    for (std::size_t i = 0; i < background.size() && i < std::size_t(PromptMaskWidth * PromptMaskHeight); ++i) {
        out[i * 4] = std::uint8_t(background[i] >> 16);
        out[i * 4 + 1] = std::uint8_t(background[i] >> 8);
        out[i * 4 + 2] = std::uint8_t(background[i]);
    }
    HFONT font = CreateFontIndirectA(&SurfaceFont);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0x000000FF);
    for (const char* p : prompts) TextOutA(dc, 10, 10, p, lstrlenA(p));
    GdiFlush();
    std::vector<std::uint32_t> colours(PromptMaskWidth * PromptMaskHeight);
    const auto* px = static_cast<const std::uint8_t*>(bits);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        colours[i] = px[i * 4 + 2] | (px[i * 4 + 1] << 8) | (std::uint32_t(px[i * 4]) << 16);
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return RedMaskOf(colours, PromptMaskWidth);
}

PromptMask RedMaskOf(const std::vector<std::uint32_t>& colorrefs, int width) {
    PromptMask m(PromptMaskWidth * PromptMaskHeight, 0);
    for (int y = 0; y < PromptMaskHeight; ++y) {
        for (int x = 0; x < PromptMaskWidth && x < width; ++x) {
            std::size_t i = std::size_t(y) * width + x;
            if (i < colorrefs.size() && IsRed(colorrefs[i])) m[y * PromptMaskWidth + x] = 1;
        }
    }
    return m;
}

int MaskDifference(const PromptMask& a, const PromptMask& b) {
    int d = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) d += a[i] != b[i];
    return d;
}

int MaskCount(const PromptMask& m) {
    int n = 0;
    for (std::uint8_t v : m) n += v;
    return n;
}

bool NearColour(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (d > tolerance || d < -tolerance) return false;
    }
    return true;
}
